// Windows-1252 both ways: game text the user does not edit comes back byte for byte.
#include <gtest/gtest.h>

#include "Stringconverter/Codepage.h"
#include "test_support.h"

namespace quillet {
namespace {

TEST(Codepage, EveryByteSurvivesTheWayThroughUtf8) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(all)), all);
}

// Each case of tests/golden/codepage.txt: bytes read as Windows-1252 into UTF-8, and read as UTF-8
// into Windows-1252 (what the code page cannot hold becomes a question mark).
std::string bothWays(const std::string& bytes) {
  return "to UTF-8 " + cp1252ToUtf8(bytes) + ", to Windows-1252 " + utf8ToCp1252(bytes);
}

TEST(Codepage, Characters) { EXPECT_EQ(test::goldenCasesDiff("codepage.txt", bothWays), ""); }

}  // namespace
}  // namespace quillet
