// Save: the six game files and the stored preferences, written from the model.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Platform.h"
#include "settings/Model.h"

namespace quillet {

// The exact bytes of each file.
std::string mapcycleText(const Model& model);
std::string motdText(const Model& model);
std::string configText(const Model& model);
std::string autoexecText(const Model& model);
std::string serverText(const Model& model);
std::string listenserverText(const Model& model);

// "Keep my own lines": Save edits the existing files in place.
// True when the option's line must be written again: the user changed it (for the text
// colour's line, any of its three sliders).
bool needsRewrite(const Model& model, const Option& option);
// A console file's old bytes with the line of every option the user changed replaced in place
// (the last command that sets its variable; a comment after it stays), or, where the file sets
// none, added at its end (before the closing echo line of a server file). Every other byte stays.
std::string editInPlace(GameFile file, std::string_view oldBytes, const Model& model);
// mapcycle.txt: the old lines less those of the standard maps the user unchecked, then the maps
// the user checked that it does not list yet.
std::string editMapcycle(std::string_view oldBytes, const Model& model);
// What Save says when, with "Keep my own lines", every file already held what it would write.
inline constexpr std::string_view kNothingToSave = "Nothing to save: the files already hold these settings";

// The bytes Save would write for the file `name` ("config.cfg"): with "Keep my own lines",
// merged with the file as it is now; with the model's key edits made.
std::string savedBytes(const Model& model, const std::string& gamePath, std::string_view name);

// Where and why Save stopped: "config.cfg: No space left on device".
struct SaveFailure {
  std::string detail;
};

// Writes mapcycle.txt, motd.txt, config.cfg, autoexec.cfg (storing the preferences once its
// bytes are on disk, before it replaces the old file), server.cfg and listenserver.cfg, in that
// order, each replacing its old file whole. Checks every target first and writes nothing when a
// check fails (see checkSave). An I/O error part-way stops it: the files before are new, it and
// the later ones keep their old bytes, and the detail lists both.
struct SaveOptions {
  // Copy each file whose bytes change into a backup folder first (see Backups.h).
  bool backup = true;
};
// `written`, when given, receives the names of the files written, in order: with "Keep my own
// lines" a file that already holds its bytes is not written, so none at all when nothing changed.
std::optional<SaveFailure> saveFiles(const Model& model, const std::string& gamePath, Store& store,
                                     const SaveOptions& options = {}, std::vector<std::string>* written = nullptr);
// Everything saveFiles checks before it writes (files that could not be read, every target a
// regular file or missing and writable with its folder, the backup folder, the store), writing
// nothing: the failure saveFiles would stop at before its first write.
std::optional<SaveFailure> checkSave(const Model& model, const std::string& gamePath, Store& store,
                                     const SaveOptions& options = {});

// What Save would change, file by file in its order: a unified diff of each changed file, or
// "name: new file" (with its lines) or "name: unchanged".
std::string savePreview(const Model& model, const std::string& gamePath);

// The Save command: asks for confirmation (with the preview as its detail), saves, reports success or the failure.
// Returns true when the files were written.
bool saveCommand(const Model& model, const std::string& gamePath, Store& store, Dialogs& dialogs);

Message saveConfirmMessage();
Message saveSuccessMessage();
// The error message, with the failure as its detail.
Message saveErrorMessage(const std::string& gamePath, const SaveFailure& failure = {});

}  // namespace quillet
