// The game folder: its check, its files and the load sequence over them.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/GamePath.h"
#include "platform/Platform.h"
#include "settings/Model.h"

namespace quillet {

// True when the folder holds an entry `cl_dlls` (file or folder): exactly so named, or, on a
// case-sensitive file system, named so without regard to case.
bool hasClDlls(const std::string& gamePath);

inline constexpr std::string_view kInvalidPathText =
    "Invalid path. Please enter a valid path. Example: 'c:\\games\\half-life\\cstrike'.";

// The folder whose "img" holds the map pictures, for a program in `executableDir`: the
// executable's own folder when its img is there (a build folder, a copy beside the game), else
// ../share/quillet relative to it when that holds img (an installed program). When neither
// does, the executable's folder, so that the missing-picture message shows as it always did.
std::filesystem::path pictureHome(const std::filesystem::path& executableDir);

// The load sequence over a folder that passed the check: puts every value back to what a first
// start starts from (no value of a folder read before stays) and clears the kept lines, then reads autoexec.cfg,
// config.cfg, mapcycle.txt, the as_forest briefing, motd.txt, the kept lines of config.cfg, the stored preferences and
// (when `pictures` is given) the as_forest preview from `programDir`/img. Returns this run's load errors.
std::string runLoadSequence(Model& model, const std::string& gamePath, Store& store, PictureLoader* pictures = nullptr,
                            const std::filesystem::path& programDir = {});

}  // namespace quillet
