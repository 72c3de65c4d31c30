// Factory defaults (and, through settings/LaunchLine.h, the launch command line).
#pragma once

#include <string>

#include "settings/LaunchLine.h"
#include "settings/Model.h"

namespace quillet {

// Puts the factory value into every option that has one (sliders last of all the suit volume),
// checks every map and the master-server toggle, unchecks the six other launch toggles.
void LoadDefaults(Model& model);

}  // namespace quillet
