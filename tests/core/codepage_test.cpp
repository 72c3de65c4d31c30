// Windows-1252 both ways. That every byte comes back through UTF-8 is the briefing fuzz target's
// check, run on tests/fixtures/fuzz/every/every-byte.
#include <gtest/gtest.h>

#include "Stringconverter/Codepage.h"
#include "test_support.h"

namespace quillet {
namespace {

// Each case of tests/golden/codepage.txt: bytes read as Windows-1252 into UTF-8, and read as UTF-8
// into Windows-1252 (what the code page cannot hold becomes a question mark).
std::string bothWays(const std::string& bytes) {
  return "to UTF-8 " + cp1252ToUtf8(bytes) + ", to Windows-1252 " + utf8ToCp1252(bytes);
}

TEST(Codepage, Characters) { EXPECT_EQ(test::goldenCasesDiff("codepage.txt", bothWays), ""); }

}  // namespace
}  // namespace quillet
