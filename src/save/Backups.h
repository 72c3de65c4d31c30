// Copies of the game's files as they were before a Save replaced them, and their restore.
//
// Each Save that changes files makes one folder quillet-backups/<YYYY-MM-DD_HHMMSS> in the game
// folder holding the old bytes of every file it replaces with different ones, under the file's
// own name; the copy is on disk before the file is replaced. The 20 newest folders are kept.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quillet {

inline constexpr std::string_view kBackupFolder = "quillet-backups";
inline constexpr std::size_t kBackupsKept = 20;

struct Backup {
  std::string name;                // the folder's name: the local time of the Save
  std::vector<std::string> files;  // in the order Save writes them
};

// The backups in the game folder, newest first.
std::vector<Backup> listBackups(const std::string& gamePath);

// One Save's backup folder, made when the first file is kept.
class BackupSet {
 public:
  explicit BackupSet(std::string gamePath) : gamePath_(std::move(gamePath)) {}
  // Copies the file `name` as it is now, unless it is missing or already holds `newBytes`.
  // Returns "" or the failure's cause.
  std::string keep(std::string_view name, std::string_view newBytes);
  // The same with the new bytes in parts, as Save writes them.
  std::string keep(std::string_view name, std::span<const std::string_view> newParts);
  // Removes all but the newest kBackupsKept folders.
  void prune() const;

 private:
  std::string gamePath_;
  std::string folder_;  // empty until the first copy
};

// Writes the files of backup `name` (the newest when empty) back into the game folder, after
// backing up the files they replace, so that the restore can itself be undone. Returns the
// failure as "file: cause", or nullopt.
std::optional<std::string> restoreBackup(const std::string& gamePath, std::string name = {});

}  // namespace quillet
