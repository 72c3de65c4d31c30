// The one way Quillet reads and writes the game's files and its own.
//
// A write never touches the file in place: the bytes go into a new temporary file beside the
// file's final target (created exclusively under a random name, never following a link),
// which is flushed to disk and then renamed over the target; the folder is flushed after the
// rename. On any failure the temporary is removed and the target keeps its old bytes. A file
// that is a link is written through: its final target is replaced and the link stays.
//
// A read takes the whole file into one buffer. Anything that is not a regular file (a folder,
// a FIFO, a socket, a device) is refused without reading, and opening never waits.
//
// The fault seam lets tests make the Nth call of one kind of operation fail with a chosen
// error, so that every failure path can be walked without a broken disk.
#pragma once

#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace quillet::files {

// An error: 0 for none, an errno value (EIO, ENOSPC, EACCES...), or kNotRegular.
inline constexpr int kNotRegular = -1;
// The cause as the system words it ("No space left on device"); "not a regular file" for
// kNotRegular.
std::string causeText(int error);

struct ReadResult {
  enum class Status { Ok, Missing, Unreadable };
  Status status = Status::Missing;
  std::string bytes;  // the whole file when Ok
  int error = 0;      // why it is Missing or Unreadable
  bool ok() const { return status == Status::Ok; }
};

// Reads the whole file. Missing: no such file (or a link to nothing). Unreadable: it is there
// but could not be read to its end (no permission, an I/O error part-way, not a regular file).
ReadResult readFile(const std::filesystem::path& file);

// One atomic replacement of a file, in two steps so that a caller can do other work between
// them (Save stores the preferences once autoexec.cfg is ready). Destroying it before commit
// removes the temporary and leaves the target as it was.
class AtomicWrite {
 public:
  explicit AtomicWrite(std::filesystem::path file);
  ~AtomicWrite();
  AtomicWrite(const AtomicWrite&) = delete;
  AtomicWrite& operator=(const AtomicWrite&) = delete;

  // Creates the temporary (with the mode of the file it replaces), writes, flushes and syncs
  // it and closes it. Returns 0 or the error.
  int prepare(std::string_view bytes);
  // The same with the bytes in parts, written one after another: a big text held elsewhere is
  // written where it stands instead of being copied into one buffer first.
  int prepare(std::span<const std::string_view> parts);
  // Renames the temporary over the target and syncs the folder. Returns 0 or the error.
  int commit();

  struct Impl;

 private:
  std::unique_ptr<Impl> impl_;
};

// Whether `file` could be replaced now, without writing anything: its final target is a
// regular file that is not read-only (or is missing), and its folder can be written to.
struct ReplaceCheck {
  int error = 0;          // 0, kNotRegular (a folder, FIFO, socket or device), EACCES...
  bool atFolder = false;  // the folder is the obstacle, not the file
  bool ok() const { return error == 0; }
};
ReplaceCheck checkReplace(const std::filesystem::path& file);
// Whether a new file could be made in `folder` now (it is a folder that can be written to).
ReplaceCheck checkFolder(const std::filesystem::path& folder);

// prepare and commit in one.
int writeFile(const std::filesystem::path& file, std::string_view bytes);

// The fault seam.
// Open is the creation of a temporary to write; OpenRead the opening of a file to read it.
enum class Op { Open, Read, Write, Flush, Sync, Close, Rename, OpenRead };
// From now on, the `nth` call (1 = the next one) of `op` fails with `error` (with `onward`,
// that call and every later one); any earlier plan is dropped and the counts start again.
void failNth(Op op, int nth, int error, bool onward = false);
void clearFaults();
// Counts one call of `op`; returns the planned error when this is the failing call, else 0.
// Used by the platform implementations only.
int injectedFault(Op op);

}  // namespace quillet::files
