// Factory defaults and the launch command line.
#pragma once

#include <string>

#include "settings/Model.h"

namespace quillet {

// Puts the factory value into every option that has one (sliders last of all the suit volume),
// checks every map and the master-server toggle, unchecks the six other launch toggles.
void LoadDefaults(Model& model);

// The launch options for the game's shortcut, from the launch toggles and fields
// (Windows-1252 bytes, like the fields).
std::string composeLaunchLine(const Model& model);

}  // namespace quillet
