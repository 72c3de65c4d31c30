// The file layer on POSIX systems.
#ifndef _WIN32

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "platform/FileLayer.h"

namespace quillet::files {
namespace {

constexpr int kTempAttempts = 64;

// The error of the last failed call, never 0 (a short write may leave errno unset).
int lastError() { return errno != 0 ? errno : EIO; }

// A name no one is likely to have planted: the target's own name, hidden, with 12 random
// letters and digits.
std::string tempName(const std::string& target) {
  static constexpr char kAlphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  thread_local std::mt19937_64 random{std::random_device{}()};
  std::string name = "." + target + ".";
  for (int i = 0; i < 12; ++i) name += kAlphabet[random() % (sizeof kAlphabet - 1)];
  return name + ".tmp";
}

// A big buffer in large pages where the system offers them on request: a file of many
// megabytes then costs a few page faults instead of one per 4 KiB.
void largePages(char* data, std::size_t size) {
#ifdef MADV_HUGEPAGE
  constexpr std::size_t kLarge = std::size_t{2} << 20;
  if (size < 4 * kLarge) return;
  const auto begin = (reinterpret_cast<std::uintptr_t>(data) + kLarge - 1) & ~(kLarge - 1);
  const auto end = (reinterpret_cast<std::uintptr_t>(data) + size) & ~(kLarge - 1);
  if (end > begin) (void)::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#else
  (void)data;
  (void)size;
#endif
}

}  // namespace

ReadResult readFile(const std::filesystem::path& file) {
  ReadResult result;
  // O_NONBLOCK: opening a FIFO returns at once instead of waiting for a writer.
  int fd;
  if (const int fault = injectedFault(Op::OpenRead)) {
    errno = fault;
    fd = -1;
  } else {
    fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  }
  if (fd < 0) {
    result.error = errno;
    result.status =
        (errno == ENOENT || errno == ENOTDIR) ? ReadResult::Status::Missing : ReadResult::Status::Unreadable;
    return result;
  }
  result.status = ReadResult::Status::Unreadable;
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    result.error = lastError();
  } else if (!S_ISREG(st.st_mode)) {
    result.error = kNotRegular;
  } else {
    std::string& bytes = result.bytes;
    // One read past the size the file had when opened shows its end (or that it grew).
    bytes.reserve(static_cast<std::size_t>(st.st_size) + 1);
    largePages(bytes.data(), bytes.capacity());
    bytes.resize(static_cast<std::size_t>(st.st_size) + 1);
    std::size_t used = 0;
    for (;;) {
      if (used == bytes.size()) bytes.resize(bytes.size() * 2);
      ssize_t got;
      if (const int fault = injectedFault(Op::Read)) {
        errno = fault;
        got = -1;
      } else {
        got = ::read(fd, bytes.data() + used, bytes.size() - used);
      }
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) {
        result.error = lastError();
        break;
      }
      if (got == 0) {
        bytes.resize(used);
        result.status = ReadResult::Status::Ok;
        break;
      }
      used += static_cast<std::size_t>(got);
    }
    if (!result.ok()) bytes.clear();
  }
  ::close(fd);
  return result;
}

struct AtomicWrite::Impl {
  std::filesystem::path file;    // as the caller named it
  std::filesystem::path target;  // the file that is replaced: the link's final target
  std::filesystem::path temp;    // the temporary, once created
  bool tempExists = false;

  // Finds the final target and checks it may be replaced; fills `old` when it exists.
  int resolve(struct stat& old, bool& exists) {
    struct stat own {};
    if (::lstat(file.c_str(), &own) == 0 && S_ISLNK(own.st_mode)) {
      // Through the link, however many there are, to the file they name. A link to nothing
      // is refused: writing would create a file wherever it points.
      char* real = ::realpath(file.c_str(), nullptr);
      if (!real) return lastError();
      target = real;
      std::free(real);
    } else {
      target = file;
    }
    exists = ::stat(target.c_str(), &old) == 0;
    if (!exists) return errno == ENOENT ? 0 : lastError();
    if (!S_ISREG(old.st_mode)) return kNotRegular;
    // A file the user made read-only stays as it is (also for a user who could override it).
    if ((old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return EACCES;
    return 0;
  }

  int createTemp(const struct stat& old, bool exists) {
    const mode_t mode = exists ? (old.st_mode & 07777) : 0666;
    for (int attempt = 0; attempt < kTempAttempts; ++attempt) {
      const std::filesystem::path candidate = target.parent_path() / tempName(target.filename().string());
      int fd;
      if (const int fault = injectedFault(Op::Open)) {
        errno = fault;
        fd = -1;
      } else {
        fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
      }
      if (fd < 0) {
        if (errno == EEXIST) continue;  // something is there already: leave it, take another name
        return -lastError();
      }
      temp = candidate;
      tempExists = true;
      if (exists) {
        // The mode exactly (the umask narrowed it) and, where allowed, the owner.
        (void)::fchmod(fd, mode);
        if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) (void)!::fchown(fd, old.st_uid, old.st_gid);
      }
      return fd;
    }
    return -EEXIST;
  }

  int prepare(std::span<const std::string_view> parts) {
    struct stat old {};
    bool exists = false;
    if (const int error = resolve(old, exists)) return error;
    const int fd = createTemp(old, exists);
    if (fd < 0) return -fd;
    std::FILE* out = ::fdopen(fd, "wb");
    if (!out) {
      const int error = lastError();
      ::close(fd);
      return error;
    }
    int error = 0;
    const auto step = [&](Op op, auto&& call) {
      if (error) return;
      errno = 0;
      if (const int fault = injectedFault(op)) error = fault;
      else if (!call()) error = lastError();
    };
    step(Op::Write, [&] {
      for (std::string_view bytes : parts)
        if (std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size()) return false;
      return true;
    });
    step(Op::Flush, [&] { return std::fflush(out) == 0; });
    step(Op::Sync, [&] { return ::fsync(::fileno(out)) == 0; });
    // The stream is closed whatever happened; a failing close is a failed write.
    errno = 0;
    const bool closed = std::fclose(out) == 0;
    const int closeError = lastError();
    if (const int fault = injectedFault(Op::Close); fault && !error) error = fault;
    if (!closed && !error) error = closeError;
    return error;
  }

  int commit() {
    if (!tempExists) return EINVAL;
    int error = injectedFault(Op::Rename);
    if (!error && ::rename(temp.c_str(), target.c_str()) != 0) error = lastError();
    if (error) return error;
    tempExists = false;
    // The rename reaches the disk with the folder. Some file systems cannot sync a folder;
    // the file itself is on disk by now, so this is done as well as the system allows.
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
      (void)::fsync(dir);
      ::close(dir);
    }
    return 0;
  }

  ~Impl() {
    if (tempExists) ::unlink(temp.c_str());
  }
};

ReplaceCheck checkReplace(const std::filesystem::path& file) {
  AtomicWrite::Impl probe;
  probe.file = file;
  struct stat old {};
  bool exists = false;
  if (const int error = probe.resolve(old, exists)) return {error, false};
  return checkFolder(probe.target.has_parent_path() ? probe.target.parent_path() : ".");
}

ReplaceCheck checkFolder(const std::filesystem::path& folder) {
  struct stat dir {};
  if (::stat(folder.c_str(), &dir) != 0) return {lastError(), true};
  if (!S_ISDIR(dir.st_mode)) return {ENOTDIR, true};
  if (::access(folder.c_str(), W_OK | X_OK) != 0) return {lastError(), true};
  return {};
}

AtomicWrite::AtomicWrite(std::filesystem::path file) : impl_(std::make_unique<Impl>()) {
  impl_->file = std::move(file);
}
AtomicWrite::~AtomicWrite() = default;
int AtomicWrite::prepare(std::string_view bytes) { return prepare(std::span<const std::string_view>(&bytes, 1)); }
int AtomicWrite::prepare(std::span<const std::string_view> parts) {
  const int error = impl_->prepare(parts);
  if (error && impl_->tempExists) {
    ::unlink(impl_->temp.c_str());
    impl_->tempExists = false;
  }
  return error;
}
int AtomicWrite::commit() { return impl_->commit(); }

}  // namespace quillet::files

#endif  // _WIN32
