// Inputs that once broke a fuzz target's check, and hostile inputs every target must survive:
// each row runs through the same check as the libFuzzer harness.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "../../fuzz/Checks.h"
#include "../core/test_support.h"
#include "Checkpath/Checkpath.h"
#include "save/Save.h"

namespace quillet::fuzz {
namespace {

using namespace std::string_literals;

std::string everyByte() {
  std::string s;
  for (int b = 0; b < 256; ++b) s += static_cast<char>(b);
  return s;
}

// Inputs for one target (what scripts/fuzz.sh found) or, with no target named, for every target
// (bytes that no file of the game holds).
struct Input {
  std::string_view target;
  std::string bytes;
};
const Input kInputs[] = {
    {"", ""s},
    {"", "\0\0\0\0"s},
    {"", "gamma \"2.5"s},  // unterminated quote
    {"", "\"\"\"\r\n\"\r\"\n,,,\"\0,\""s},
    {"", everyByte()},
    {"", "\xff\xfe\0g\0a\0m\0m\0a\0 \0001\0"s},  // UTF-16 text
    {"", "\x89PNG\r\n\x1a\n\0\0\0\rIHDR"s},      // binary garbage
    {"", "name \"a;quit\"\r\nsetinfo \"ah\" \"1\",,"s},
    {"", "\1\1&H"s + std::string(40, 'F')},
    {"", "\2\2 1e999999 -1e-999999 &O77777777777"s},
    // config.cfg's last kept line lost its tab on Save, so its word 1 became an owned name and
    // the line was dropped at the next load: the second Save wrote another config.cfg.
    {"roundtrip", "\0brightness\t"s},
    {"roundtrip", "\0x\r\n\t brightness\t"s},  // the same after blanks that lead the line
};

TEST(FuzzChecks, InputsHoldInTheirTargets) {
  for (const Input& in : kInputs)
    for (const Target& t : targets())
      if (in.target.empty() || in.target == t.name) {
        EXPECT_EQ(t.check(in.bytes), "") << t.name << " on " << ::testing::PrintToString(in.bytes);
      }
}

// The sample folder under a path with blanks and characters beyond ASCII (UTF-8) loads without
// an error, and saving twice writes the same six files.
TEST(FuzzChecks, AFolderPathWithBlanksAndNonAsciiLoadsAndSaves) {
  namespace fs = std::filesystem;
  test::TempDir base(false);
  const fs::path dir = base / "Half Life Spiele/cstrike \xC3\xA9t\xC3\xA9 \xE6\xB8\xB8\xE6\x88\x8F";
  fs::create_directories(dir.parent_path());
  fs::copy(QUILLET_SOURCE_DIR "/examples/cstrike", dir, fs::copy_options::recursive);
  MemoryStore store;
  std::map<std::string_view, std::string> first;
  for (int round = 0; round < 2; ++round) {
    Model model;
    EXPECT_EQ(runLoadSequence(model, dir.string(), store), "");
    ASSERT_FALSE(saveFiles(model, dir.string(), store).has_value());
    for (std::string_view name : test::gameFiles()) {
      const std::string bytes = test::TempDir::readFile(dir / name);
      if (round == 0) first[name] = bytes;
      EXPECT_EQ(bytes, first[name]) << name;
      EXPECT_FALSE(bytes.empty() && name != "mapcycle.txt") << name;
    }
  }
}

}  // namespace
}  // namespace quillet::fuzz
