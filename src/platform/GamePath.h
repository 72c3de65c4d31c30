// The game folder as the user typed it, and the files in it.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace quillet {

// The folder as typed (UTF-8); an empty one stands for the root, as a bare "\\name" would.
std::filesystem::path gameFolder(const std::string& gamePath);

// The file `name` in the game folder, as typed (a trailing separator is allowed).
std::filesystem::path gameFile(const std::string& gamePath, std::string_view name);

}  // namespace quillet
