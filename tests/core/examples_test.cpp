// The sample game folder under examples/: complete enough for the window to start on it, and
// written as the game writes its files (plain ASCII, CR LF line ends).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "TestSupport.h"

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
    if (c >= 0x80 || (c < 0x20 && c != '\r' && c != '\n' && c != '\t')) return "not plain ASCII at " + std::to_string(i);
  }
  return {};
}

TEST(ExamplesFolder, PassesTheGameFolderCheck) {
  EXPECT_TRUE(fs::is_directory(kSample / "cl_dlls"));
}

TEST(ExamplesFolder, HasABriefingOfThreeToEightLinesForEveryMap) {
  const char* const maps[] = {"as_forest", "as_oilrig", "as_tundra", "cs_747", "cs_assault", "cs_backalley",
                              "cs_docks", "cs_estate", "cs_italy", "cs_militia", "cs_siege", "de_aztec",
                              "de_cbble", "de_dust", "de_nuke", "de_prodigy", "de_railroad", "de_train",
                              "es_trinity"};
  for (const char* map : maps) {
    const fs::path file = kSample / "maps" / (std::string(map) + ".txt");
    ASSERT_TRUE(fs::is_regular_file(file)) << file;
    const std::string text = test::TempDir::readFile(file);
    long lines = 0;
    for (char c : text) lines += c == '\n';
    EXPECT_GE(lines, 3) << map;
    EXPECT_LE(lines, 8) << map;
  }
}

TEST(ExamplesFolder, EveryGameFileIsAsciiWithCrLfLineEnds) {
  const char* const files[] = {"config.cfg", "autoexec.cfg", "mapcycle.txt", "motd.txt"};
  for (const char* name : files) {
    ASSERT_TRUE(fs::is_regular_file(kSample / name)) << name;
    EXPECT_EQ(lineEndFault(test::TempDir::readFile(kSample / name)), "") << name;
  }
  int briefings = 0;
  for (const auto& entry : fs::directory_iterator(kSample / "maps")) {
    EXPECT_EQ(lineEndFault(test::TempDir::readFile(entry.path())), "") << entry.path();
    ++briefings;
  }
  EXPECT_EQ(briefings, 19);
}

TEST(ExamplesFolder, LineEndCheckCatchesBadFiles) {
  struct Case { const char* bytes; bool good; };
  const Case cases[] = {{"a\r\nb\r\n", true}, {"a\nb\r\n", false}, {"a\r\nb", false},  {"a\rb\r\n", false},
                        {"", false},          {"\r\n", true},      {"caf\xe9\r\n", false}, {"a\r\n\r\n", true}};
  for (const Case& c : cases) EXPECT_EQ(lineEndFault(c.bytes).empty(), c.good) << c.bytes;
}

}  // namespace
}  // namespace quillet
