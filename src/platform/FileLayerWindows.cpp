// The file layer on Windows: wide-character paths throughout.
#ifdef _WIN32

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <random>

#include "platform/FileLayer.h"

namespace quillet::files {
namespace {

constexpr int kTempAttempts = 64;

// The system's error as the errno value that names the same cause.
int errnoFor(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME: return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT: return EACCES;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return EEXIST;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return ENOSPC;
    default: return EIO;
  }
}

int lastError() { return errnoFor(GetLastError()); }

std::wstring tempName(const std::wstring& target) {
  static constexpr wchar_t kAlphabet[] = L"abcdefghijklmnopqrstuvwxyz0123456789";
  thread_local std::mt19937_64 random{std::random_device{}()};
  std::wstring name = L"." + target + L".";
  for (int i = 0; i < 12; ++i) name += kAlphabet[random() % (sizeof kAlphabet / sizeof(wchar_t) - 1)];
  return name + L".tmp";
}

// The path a link finally names, or the path itself when it is no link.
int finalPath(const std::filesystem::path& file, std::filesystem::path& target) {
  const DWORD attributes = GetFileAttributesW(file.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
    target = file;
    return 0;
  }
  HANDLE h = CreateFileW(file.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return lastError();
  std::wstring buffer(32768, L'\0');
  const DWORD n = GetFinalPathNameByHandleW(h, buffer.data(), static_cast<DWORD>(buffer.size()), FILE_NAME_NORMALIZED);
  const int error = n == 0 || n >= buffer.size() ? lastError() : 0;
  CloseHandle(h);
  if (error) return error;
  buffer.resize(n);
  target = buffer;
  return 0;
}

}  // namespace

ReadResult readFile(const std::filesystem::path& file) {
  ReadResult result;
  const DWORD attributes = GetFileAttributesW(file.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    result.status = ReadResult::Status::Unreadable;
    result.error = kNotRegular;
    return result;
  }
  if (const int fault = injectedFault(Op::OpenRead)) {
    result.status = ReadResult::Status::Unreadable;
    result.error = fault;
    return result;
  }
  HANDLE h = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    result.error = lastError();
    result.status = result.error == ENOENT ? ReadResult::Status::Missing : ReadResult::Status::Unreadable;
    return result;
  }
  result.status = ReadResult::Status::Unreadable;
  LARGE_INTEGER size{};
  if (GetFileType(h) != FILE_TYPE_DISK) {
    result.error = kNotRegular;
  } else if (!GetFileSizeEx(h, &size)) {
    result.error = lastError();
  } else {
    std::string& bytes = result.bytes;
    bytes.resize(static_cast<std::size_t>(size.QuadPart) + 1);
    std::size_t used = 0;
    for (;;) {
      if (used == bytes.size()) bytes.resize(bytes.size() * 2);
      const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - used, 1u << 30));
      DWORD got = 0;
      if (const int fault = injectedFault(Op::Read)) {
        result.error = fault;
        break;
      }
      if (!ReadFile(h, bytes.data() + used, want, &got, nullptr)) {
        result.error = lastError();
        break;
      }
      if (got == 0) {
        bytes.resize(used);
        result.status = ReadResult::Status::Ok;
        break;
      }
      used += got;
    }
    if (!result.ok()) bytes.clear();
  }
  CloseHandle(h);
  return result;
}

struct AtomicWrite::Impl {
  std::filesystem::path file, target, temp;
  bool tempExists = false;

  int prepare(std::span<const std::string_view> parts) {
    if (const int error = finalPath(file, target)) return error;
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
      if (attributes & FILE_ATTRIBUTE_DIRECTORY) return kNotRegular;
      if (attributes & FILE_ATTRIBUTE_READONLY) return EACCES;
    }
    HANDLE h = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < kTempAttempts && h == INVALID_HANDLE_VALUE; ++attempt) {
      const std::filesystem::path candidate = target.parent_path() / tempName(target.filename().wstring());
      if (const int fault = injectedFault(Op::Open)) {
        if (fault == EEXIST) continue;
        return fault;
      }
      // CREATE_NEW fails on anything already there, link or not.
      h = CreateFileW(candidate.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
      if (h == INVALID_HANDLE_VALUE) {
        const int error = lastError();
        if (error != EEXIST) return error;
      } else {
        temp = candidate;
        tempExists = true;
      }
    }
    if (h == INVALID_HANDLE_VALUE) return EEXIST;
    int error = 0;
    const auto step = [&](Op op, auto&& call) {
      if (error) return;
      if (const int fault = injectedFault(op)) error = fault;
      else if (!call()) error = lastError();
    };
    step(Op::Write, [&] {
      for (std::string_view bytes : parts) {
        std::size_t done = 0;
        while (done < bytes.size()) {
          DWORD wrote = 0;
          const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
          if (!WriteFile(h, bytes.data() + done, chunk, &wrote, nullptr)) return false;
          done += wrote;
        }
      }
      return true;
    });
    step(Op::Flush, [] { return true; });  // nothing is buffered in the process
    step(Op::Sync, [&] { return FlushFileBuffers(h) != 0; });
    const bool closed = CloseHandle(h) != 0;
    const int closeError = closed ? 0 : lastError();
    if (const int fault = injectedFault(Op::Close); fault && !error) error = fault;
    if (!closed && !error) error = closeError;
    return error;
  }

  int commit() {
    if (!tempExists) return EINVAL;
    if (const int fault = injectedFault(Op::Rename)) return fault;
    if (!MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      return lastError();
    tempExists = false;
    return 0;
  }

  ~Impl() {
    if (tempExists) DeleteFileW(temp.c_str());
  }
};

ReplaceCheck checkReplace(const std::filesystem::path& file) {
  std::filesystem::path target;
  if (const int error = finalPath(file, target)) return {error, false};
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return {kNotRegular, false};
    if (attributes & FILE_ATTRIBUTE_READONLY) return {EACCES, false};
  }
  return checkFolder(target.has_parent_path() ? target.parent_path() : ".");
}

ReplaceCheck checkFolder(const std::filesystem::path& folder) {
  const DWORD attributes = GetFileAttributesW(folder.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return {lastError(), true};
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return {ENOTDIR, true};
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
    DeleteFileW(impl_->temp.c_str());
    impl_->tempExists = false;
  }
  return error;
}
int AtomicWrite::commit() { return impl_->commit(); }

}  // namespace quillet::files

#endif  // _WIN32
