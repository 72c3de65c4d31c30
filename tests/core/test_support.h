// Shared helpers of the core tests: temporary game folders and file access.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace quillet::test {

// A fresh folder under the system's temporary folder, removed again at the end of the test.
class TempDir {
 public:
  explicit TempDir(bool withClDlls = true) {
    std::random_device rd;
    path_ = std::filesystem::temp_directory_path() / ("quillet-test-" + std::to_string(rd()) + std::to_string(rd()));
    std::filesystem::create_directories(path_);
    if (withClDlls) std::filesystem::create_directory(path_ / "cl_dlls");
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string str() const { return path_.string(); }
  std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

  void write(std::string_view name, std::string_view bytes) const {
    std::filesystem::create_directories((path_ / name).parent_path());
    std::ofstream(path_ / name, std::ios::binary) << bytes;
  }
  std::string read(std::string_view name) const { return readFile(path_ / name); }
  bool exists(std::string_view name) const { return std::filesystem::exists(path_ / name); }

  static std::string readFile(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

 private:
  std::filesystem::path path_;
};

// Lines joined with CR LF, each ending with one.
inline std::string crlf(std::initializer_list<std::string_view> lines) {
  std::string out;
  for (std::string_view l : lines) (out += l) += "\r\n";
  return out;
}

// The players' own files in ../shared/corpus beside the checkout, when they are there; the
// tests that read them skip otherwise (a clone on its own has the project's fixtures only).
inline bool haveCorpus() { return std::filesystem::is_directory(QUILLET_CORPUS_DIR); }
#define QUILLET_SKIP_WITHOUT_CORPUS()                                                                  \
  do {                                                                                                 \
    if (!::quillet::test::haveCorpus())                                                                \
      GTEST_SKIP() << "the players' files are not there: " QUILLET_CORPUS_DIR                          \
                      " (a folder beside the checkout); the project's own fixtures in tests/fixtures " \
                      "cover the same rules";                                                          \
  } while (false)

// The project's own game files of every kind, written for these tests: tests/fixtures/<kind>/.
inline std::filesystem::path fixtureDir() { return std::filesystem::path(QUILLET_SOURCE_DIR) / "tests" / "fixtures"; }

inline const std::vector<std::string_view>& gameFiles() {
  static const std::vector<std::string_view> names = {"mapcycle.txt", "motd.txt",   "config.cfg",
                                                      "autoexec.cfg", "server.cfg", "listenserver.cfg"};
  return names;
}

}  // namespace quillet::test
