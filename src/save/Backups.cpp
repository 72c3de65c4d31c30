#include "save/Backups.h"

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <optional>
#include <system_error>

#include "platform/FileLayer.h"
#include "platform/GamePath.h"
#include "platform/Text.h"
#include "settings/Options.h"

namespace quillet {
namespace {

namespace fs = std::filesystem;

fs::path backupRoot(const std::string& gamePath) { return gameFile(gamePath, kBackupFolder); }

constexpr std::string_view kRestoreMark = "-restore";
constexpr std::size_t kTimeLength = 17;  // YYYY-MM-DD_HHMMSS

// A backup folder's name taken apart: YYYY-MM-DD_HHMMSS, then "-" and a number of at most 9
// digits when two backups fall in one second, then "-restore" when a restore made it.
struct NameParts {
  std::string_view time;
  unsigned number = 1;
  bool ofRestore = false;
};

std::optional<NameParts> parseName(std::string_view s) {
  static constexpr std::string_view kForm = "dddd-dd-dd_dddddd";
  if (s.size() < kForm.size()) return std::nullopt;
  for (std::size_t i = 0; i < kForm.size(); ++i)
    if (kForm[i] == 'd' ? !(s[i] >= '0' && s[i] <= '9') : s[i] != kForm[i]) return std::nullopt;
  NameParts parts{s.substr(0, kTimeLength)};
  s.remove_prefix(kTimeLength);
  if (s.ends_with(kRestoreMark)) {
    parts.ofRestore = true;
    s.remove_suffix(kRestoreMark.size());
  }
  if (s.empty()) return parts;
  if (s.size() < 2 || s.size() > 10 || s[0] != '-' || s[1] < '0' || s[1] > '9') return std::nullopt;
  const auto number = parseNumber<decltype(parts.number)>(s.substr(1));
  if (!number) return std::nullopt;
  parts.number = *number;
  return parts;
}

// Newer first: the time, then the number after it.
bool newer(const std::string& a, const std::string& b) {
  const NameParts pa = *parseName(a), pb = *parseName(b);
  if (pa.time != pb.time) return pa.time > pb.time;
  if (pa.number != pb.number) return pa.number > pb.number;
  return a > b;
}

std::vector<std::string> backupNames(const std::string& gamePath) {
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(backupRoot(gamePath), ec), end; !ec && it != end; it.increment(ec)) {
    // A name the platform cannot spell as text is none of Quillet's.
    std::string name;
    try {
      name = it->path().filename().string();
    } catch (const std::system_error&) {
      continue;
    }
    // Only real folders of the right name: a planted link is never followed or removed.
    if (parseName(name) && it->symlink_status(ec).type() == fs::file_type::directory) names.push_back(name);
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
    Backup b{name, parseName(name)->ofRestore, {}};
    std::error_code ec;
    for (std::string_view file : kSavedFiles)
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
    unsigned first = 1;
    for (const std::string& existing : backupNames(gamePath_))
      if (const NameParts parts = *parseName(existing); parts.time == base) first = std::max(first, parts.number + 1);
    const std::string_view mark = ofRestore_ ? kRestoreMark : "";
    for (unsigned n = first; folder_.empty() && n < first + 1000 && n < 1000000000; ++n) {
      const std::string candidate = (n == 1 ? base : base + "-" + std::to_string(n)) + std::string(mark);
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

std::string Backup::time() const {
  const NameParts parts = *parseName(name);
  const std::string_view t = parts.time;
  std::string out = std::string(t.substr(0, 10)) + " " + std::string(t.substr(11, 2)) + ":" +
                    std::string(t.substr(13, 2)) + ":" + std::string(t.substr(15, 2));
  if (parts.number > 1) out += " (" + std::to_string(parts.number) + ")";
  return out;
}

std::string Backup::describe() const {
  std::string line = time() + (ofRestore ? "   before a restore   " : "   before a Save   ");
  for (std::size_t i = 0; i < files.size(); ++i) line += (i ? ", " : "") + files[i];
  return line;
}

RestoreResult restoreBackup(const std::string& gamePath, std::string name) {
  RestoreResult result;
  const std::vector<Backup> backups = listBackups(gamePath);
  // A plain restore takes the newest Save's backup: a restore's own is never "the latest".
  const auto chosen = std::find_if(backups.begin(), backups.end(),
                                   [&](const Backup& b) { return name.empty() ? !b.ofRestore : b.name == name; });
  if (chosen == backups.end()) {
    const std::string folder = backupRoot(gamePath).string();
    result.failure = name.empty() ? "there is no backup made by a Save in " + folder
                                  : "there is no backup named " + name + " in " + folder;
    return result;
  }
  result.name = chosen->name;
  // Each file as it was just before that Save: the copy in the earliest backup from then on
  // that holds it (the list is newest first, so from the chosen one towards the front).
  struct Copy {
    std::string file;
    std::string bytes;
  };
  std::vector<Copy> copies;
  for (std::string_view file : kSavedFiles) {
    for (auto b = std::make_reverse_iterator(chosen + 1); b != backups.rend(); ++b) {
      if (std::find(b->files.begin(), b->files.end(), file) == b->files.end()) continue;
      const fs::path source = backupRoot(gamePath) / b->name / file;
      files::ReadResult copy = files::readFile(source);
      if (!copy.ok()) {
        result.failure = source.string() + ": " + files::causeText(copy.error) + "; nothing was restored";
        return result;
      }
      copies.push_back({std::string(file), std::move(copy.bytes)});
      break;
    }
  }
  // Every file that would be replaced can be, before any is.
  for (const Copy& c : copies) {
    if (const files::ReplaceCheck check = files::checkReplace(gameFile(gamePath, c.file)); !check.ok()) {
      result.failure =
          c.file + ": " + files::causeText(check.error) + " (" + replaceHint(check) + "); nothing was restored";
      return result;
    }
  }
  BackupSet current(gamePath, true);
  for (std::size_t i = 0; i < copies.size(); ++i) {
    const Copy& c = copies[i];
    std::string cause = current.keep(c.file, c.bytes);
    if (cause.empty())
      if (const int error = files::writeFile(gameFile(gamePath, c.file), c.bytes)) cause = files::causeText(error);
    if (!cause.empty()) {
      std::string failure = c.file + ": " + cause;
      failure += "\nRestored: " + (result.restored.empty() ? std::string("none") : joinNames(result.restored));
      std::vector<std::string> rest;
      for (std::size_t j = i; j < copies.size(); ++j) rest.push_back(copies[j].file);
      failure += "\nNot restored, as they were: " + joinNames(rest);
      result.failure = failure;
      current.prune();
      return result;
    }
    result.restored.push_back(c.file);
  }
  current.prune();
  return result;
}

std::string replaceHint(const files::ReplaceCheck& check) {
  if (check.atFolder) return check.error == ENOENT ? "its folder is not there" : "the folder cannot be written to";
  switch (check.error) {
    case ENOENT: return "it is a link to a file that is not there";
    case files::kNotRegular: return "a folder or other special file stands in its place; move it away";
    case EACCES:
    case EPERM: return "the file is write-protected; clear its read-only mark";
    case EROFS: return "the file system is read-only";
    case ENOSPC: return "the disk is full";
    default: return "the file cannot be replaced";
  }
}

std::string joinNames(const std::vector<std::string>& names) {
  std::string out;
  for (const std::string& n : names) (out += out.empty() ? "" : ", ") += n;
  return out;
}

}  // namespace quillet
