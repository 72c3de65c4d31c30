// The launch options for the game's shortcut.
#pragma once

#include <string>

#include "settings/Model.h"

namespace quillet {

// The launch options from the launch toggles and fields (Windows-1252 bytes, like the fields).
std::string composeLaunchLine(const Model& model);

}  // namespace quillet
