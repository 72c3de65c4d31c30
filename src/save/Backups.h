// Copies of the game's files as they were before a Save replaced them, and their restore.
//
// Each Save that changes files makes one folder quillet-backups/<YYYY-MM-DD_HHMMSS> in the game
// folder holding the old bytes of every file it replaces with different ones, under the file's
// own name; the copy is on disk before the file is replaced. A restore backs up the files it
// replaces the same way, in a folder whose name ends in "-restore". The 20 newest folders are
// kept.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileLayer.h"

namespace quillet {

inline constexpr std::string_view kBackupFolder = "quillet-backups";
inline constexpr std::size_t kBackupsKept = 20;

struct Backup {
  std::string name;                // the folder's name: the local time of the Save
  bool ofRestore = false;          // made by a restore, not by a Save
  std::vector<std::string> files;  // in the order Save writes them
  // "2026-12-07 03:15:00" ("2026-12-07 03:15:00 (2)" for the second in that second).
  std::string time() const;
  // One line for a list: the time, "Save" or "restore", the files.
  std::string describe() const;
};

// The backups in the game folder, newest first. Other entries of the folder (files, links,
// folders of other names or with numbers too long to be Quillet's) are left out.
std::vector<Backup> listBackups(const std::string& gamePath);

// One Save's (or restore's) backup folder, made when the first file is kept.
class BackupSet {
 public:
  explicit BackupSet(std::string gamePath, bool ofRestore = false)
      : gamePath_(std::move(gamePath)), ofRestore_(ofRestore) {}
  // Copies the file `name` as it is now, unless it is missing or already holds `newBytes`.
  // Returns "" or the failure's cause.
  std::string keep(std::string_view name, std::string_view newBytes);
  // The same with the new bytes in parts, as Save writes them.
  std::string keep(std::string_view name, std::span<const std::string_view> newParts);
  // Removes all but the newest kBackupsKept folders.
  void prune() const;

 private:
  std::string gamePath_;
  bool ofRestore_ = false;
  std::string folder_;  // empty until the first copy
};

struct RestoreResult {
  std::string name;                    // the backup restored
  std::vector<std::string> restored;   // the files written back
  std::optional<std::string> failure;  // why it stopped: what was and was not restored
};

// Brings the game folder back to the moment just before the Save of backup `name` (the newest
// made by a Save when empty): every file takes its bytes from the earliest backup at or after
// that one that holds it; a file no such backup holds stays as it is. Every file is checked and
// every copy read before anything is written; the files replaced are backed up first (marked as
// a restore's), so the restore can itself be undone.
RestoreResult restoreBackup(const std::string& gamePath, std::string name = {});

// The hint that fits why a file cannot be replaced ("the file is write-protected; ...").
std::string replaceHint(const files::ReplaceCheck& check);
// "a, b, c".
std::string joinNames(const std::vector<std::string>& names);

}  // namespace quillet
