#include "save/Backups.h"

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "platform/FileLayer.h"
#include "platform/GamePath.h"

namespace quillet {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kSaved[] = {"mapcycle.txt", "motd.txt",   "config.cfg",
                                       "autoexec.cfg", "server.cfg", "listenserver.cfg"};

fs::path backupRoot(const std::string& gamePath) { return gameFile(gamePath, kBackupFolder); }

// YYYY-MM-DD_HHMMSS, optionally followed by "-" and a number (two Saves in one second).
bool isBackupName(std::string_view s) {
  static constexpr std::string_view kForm = "dddd-dd-dd_dddddd";
  if (s.size() < kForm.size()) return false;
  for (std::size_t i = 0; i < kForm.size(); ++i)
    if (kForm[i] == 'd' ? !(s[i] >= '0' && s[i] <= '9') : s[i] != kForm[i]) return false;
  s.remove_prefix(kForm.size());
  if (s.empty()) return true;
  if (s.size() < 2 || s[0] != '-') return false;
  return std::all_of(s.begin() + 1, s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Newer first: the time, then the number after it.
bool newer(const std::string& a, const std::string& b) {
  const auto number = [](const std::string& s) { return s.size() > 17 ? std::stol(s.substr(18)) : 1L; };
  const int byTime = a.compare(0, 17, b, 0, 17);
  return byTime != 0 ? byTime > 0 : number(a) > number(b);
}

std::vector<std::string> backupNames(const std::string& gamePath) {
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(backupRoot(gamePath), ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    // Only real folders of the right name: a planted link is never followed or removed.
    if (isBackupName(name) && it->symlink_status(ec).type() == fs::file_type::directory) names.push_back(name);
  }
  std::sort(names.begin(), names.end(), newer);
  return names;
}

std::string localTimeName() {
  const std::time_t now = std::time(nullptr);
  char text[32] = {};
  std::strftime(text, sizeof text, "%Y-%m-%d_%H%M%S", std::localtime(&now));
  return text;
}

bool sameBytes(std::string_view bytes, std::span<const std::string_view> parts) {
  for (std::string_view part : parts) {
    if (!bytes.starts_with(part)) return false;
    bytes.remove_prefix(part.size());
  }
  return bytes.empty();
}

// A big regular file that already holds the new bytes, found without reading it whole into
// memory: its size first, then its bytes piece by piece. False whenever that cannot be told
// (the file is then read whole as any other).
bool unchangedBigFile(const fs::path& file, std::span<const std::string_view> parts) {
  constexpr std::uintmax_t kBig = std::uintmax_t{1} << 20;
  std::uintmax_t size = 0;
  for (std::string_view part : parts) size += part.size();
  std::error_code ec;
  if (size < kBig || !fs::is_regular_file(fs::status(file, ec)) || fs::file_size(file, ec) != size || ec) return false;
  std::ifstream in(file, std::ios::binary);
  std::string buffer(kBig, '\0');
  for (std::string_view part : parts) {
    while (!part.empty()) {
      const std::size_t want = std::min<std::size_t>(part.size(), buffer.size());
      if (!in.read(buffer.data(), static_cast<std::streamsize>(want)) ||
          std::string_view(buffer.data(), want) != part.substr(0, want))
        return false;
      part.remove_prefix(want);
    }
  }
  return in.peek() == std::ifstream::traits_type::eof();
}

}  // namespace

std::vector<Backup> listBackups(const std::string& gamePath) {
  std::vector<Backup> out;
  for (const std::string& name : backupNames(gamePath)) {
    Backup b{name, {}};
    std::error_code ec;
    for (std::string_view file : kSaved)
      if (fs::symlink_status(backupRoot(gamePath) / name / file, ec).type() == fs::file_type::regular)
        b.files.emplace_back(file);
    out.push_back(std::move(b));
  }
  return out;
}

std::string BackupSet::keep(std::string_view name, std::string_view newBytes) {
  return keep(name, std::span<const std::string_view>(&newBytes, 1));
}

std::string BackupSet::keep(std::string_view name, std::span<const std::string_view> newParts) {
  const fs::path file = gameFile(gamePath_, name);
  if (unchangedBigFile(file, newParts)) return {};
  const files::ReadResult old = files::readFile(file);
  if (old.status == files::ReadResult::Status::Missing || (old.ok() && sameBytes(old.bytes, newParts))) return {};
  if (!old.ok()) return files::causeText(old.error);
  if (folder_.empty()) {
    // A folder of its own: the time, with a number when a Save in the same second made one.
    const fs::path root = backupRoot(gamePath_);
    std::error_code ec;
    fs::create_directory(root, ec);
    if (ec) return "the backup folder: " + ec.message();
    const std::string base = localTimeName();
    // Numbered after every folder of this second, so that the newest folder always sorts first
    // (the unnumbered one of this second may have been pruned already).
    long first = 1;
    for (const std::string& existing : backupNames(gamePath_))
      if (existing.compare(0, 17, base) == 0)
        first = std::max(first, existing.size() > 17 ? std::stol(existing.substr(18)) + 1 : 2L);
    for (long n = first; folder_.empty() && n < first + 1000; ++n) {
      const std::string candidate = n == 1 ? base : base + "-" + std::to_string(n);
      if (fs::create_directory(root / candidate, ec)) folder_ = candidate;
      else if (ec) return "the backup folder: " + ec.message();
    }
    if (folder_.empty()) return "the backup folder: " + files::causeText(EEXIST);
  }
  if (const int error = files::writeFile(backupRoot(gamePath_) / folder_ / name, old.bytes))
    return "the old file could not be backed up: " + files::causeText(error);
  return {};
}

void BackupSet::prune() const {
  const std::vector<std::string> names = backupNames(gamePath_);
  std::error_code ec;
  for (std::size_t i = kBackupsKept; i < names.size(); ++i) fs::remove_all(backupRoot(gamePath_) / names[i], ec);
}

std::optional<std::string> restoreBackup(const std::string& gamePath, std::string name) {
  const std::vector<Backup> backups = listBackups(gamePath);
  const auto chosen =
      std::find_if(backups.begin(), backups.end(), [&](const Backup& b) { return name.empty() || b.name == name; });
  if (chosen == backups.end())
    return std::string(kBackupFolder) + "/" + (name.empty() ? "" : name) + ": no such backup";
  BackupSet current(gamePath);
  for (const std::string& file : chosen->files) {
    const files::ReadResult copy = files::readFile(backupRoot(gamePath) / chosen->name / file);
    if (!copy.ok())
      return std::string(kBackupFolder) + "/" + chosen->name + "/" + file + ": " + files::causeText(copy.error);
    if (std::string cause = current.keep(file, copy.bytes); !cause.empty()) return file + ": " + cause;
    if (const int error = files::writeFile(gameFile(gamePath, file), copy.bytes))
      return file + ": " + files::causeText(error);
  }
  current.prune();
  return std::nullopt;
}

}  // namespace quillet
