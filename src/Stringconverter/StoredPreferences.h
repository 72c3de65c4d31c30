// The launch options and the text colour in the per-user store.
#pragma once

#include "platform/Platform.h"
#include "settings/Model.h"

namespace quillet {

// Writes the fourteen "settings" keys (Save does this while autoexec.cfg is open).
void StorePreferences(const Model& model, Store& store);
// Restores them; the first colour value that is not a number in 0..255 ends the restore there.
// A restored address, port or map that changes its field composes the launch line again.
void LoadStoredPreferences(Model& model, Store& store);

// The "Keep my own lines" switch: "True" or "False" under "settings/KeepOwnLines"; absent is off.
bool storedKeepOwnLines(Store& store);
void storeKeepOwnLines(Store& store, bool on);

}  // namespace quillet
