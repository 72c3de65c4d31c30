// The sample game folder under examples/: complete enough for the window to start on it, and
// written as the game writes its files (plain ASCII, CR LF line ends).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "test_support.h"
#include "settings/Options.h"

namespace quillet {
namespace {

namespace fs = std::filesystem;

const fs::path kSample = fs::path(QUILLET_SOURCE_DIR) / "examples" / "cstrike";

// Empty when the bytes are plain ASCII text whose every line ends in CR LF, else the fault.
std::string lineEndFault(const std::string& bytes) {
  if (bytes.empty()) return "empty file";
  if (bytes.size() < 2 || bytes.compare(bytes.size() - 2, 2, "\r\n") != 0) return "last line without CR LF";
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(bytes[i]);
    if (c == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n')) return "CR without LF at " + std::to_string(i);
    if (c == '\n' && (i == 0 || bytes[i - 1] != '\r')) return "LF without CR at " + std::to_string(i);
    if (c >= 0x80 || (c < 0x20 && c != '\r' && c != '\n' && c != '\t'))
      return "not plain ASCII at " + std::to_string(i);
  }
  return {};
}

// The folder passes the game-folder check; its game files and one briefing of three to eight
// lines for every map are plain ASCII with CR LF line ends.
TEST(ExamplesFolder, IsAGameFolderWithEveryFileAndBriefing) {
  EXPECT_TRUE(fs::is_directory(kSample / "cl_dlls"));
  for (const char* name : {"config.cfg", "autoexec.cfg", "mapcycle.txt", "motd.txt"}) {
    ASSERT_TRUE(fs::is_regular_file(kSample / name)) << name;
    EXPECT_EQ(lineEndFault(test::TempDir::readFile(kSample / name)), "") << name;
  }
  for (std::string_view map : kMaps) {
    const fs::path file = kSample / "maps" / (std::string(map) + ".txt");
    ASSERT_TRUE(fs::is_regular_file(file)) << file;
    const std::string text = test::TempDir::readFile(file);
    EXPECT_EQ(lineEndFault(text), "") << map;
    const auto lines = std::count(text.begin(), text.end(), '\n');
    EXPECT_GE(lines, 3) << map;
    EXPECT_LE(lines, 8) << map;
  }
}

}  // namespace
}  // namespace quillet
