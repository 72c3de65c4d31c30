#include "platform/GamePath.h"

namespace quillet {

std::filesystem::path gameFolder(const std::string& gamePath) {
  return gamePath.empty() ? std::filesystem::path("/")
                          : std::filesystem::path(std::u8string(gamePath.begin(), gamePath.end()));
}

std::filesystem::path gameFile(const std::string& gamePath, std::string_view name) {
  return gameFolder(gamePath) / std::filesystem::path(std::u8string(name.begin(), name.end()));
}

}  // namespace quillet
