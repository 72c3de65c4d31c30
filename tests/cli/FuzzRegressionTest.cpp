// Inputs that once broke a fuzz target's check, and hostile inputs every target must survive:
// each row runs through the same check as the libFuzzer harness.
#include <gtest/gtest.h>

#include <string>

#include "../../fuzz/Checks.h"

namespace quillet::fuzz {
namespace {

using namespace std::string_literals;

std::string everyByte() {
  std::string s;
  for (int b = 0; b < 256; ++b) s += static_cast<char>(b);
  return s;
}

// Bytes that no file of the game holds, given to every target.
const std::string kHostile[] = {
    ""s,
    "\0\0\0\0"s,
    "gamma \"2.5"s,                            // unterminated quote
    "\"\"\"\r\n\"\r\"\n,,,\"\0,\""s,
    everyByte(),
    "\xff\xfe\0g\0a\0m\0m\0a\0 \0001\0"s,       // UTF-16 text
    "\x89PNG\r\n\x1a\n\0\0\0\rIHDR"s,          // binary garbage
    "name \"a;quit\"\r\nsetinfo \"ah\" \"1\",,"s,
    "\1\1&H"s + std::string(40, 'F'),
    "\2\2 1e999999 -1e-999999 &O77777777777"s,
};

TEST(FuzzChecks, HostileInputsHoldInEveryTarget) {
  for (const Target& t : targets())
    for (const std::string& input : kHostile)
      EXPECT_EQ(t.check(input), "") << t.name << " on " << ::testing::PrintToString(input);
}

// Inputs the fuzzers found, by target.
struct Finding {
  std::string_view target;
  std::string input;
};

const Finding kFindings[] = {
    {"fields", "\2\2"s},
};

TEST(FuzzChecks, FindingsStayMended) {
  for (const Finding& f : kFindings) {
    const Check check = checkFor(f.target);
    ASSERT_NE(check, nullptr) << f.target;
    EXPECT_EQ(check(f.input), "") << f.target << " on " << ::testing::PrintToString(f.input);
  }
}

}  // namespace
}  // namespace quillet::fuzz
