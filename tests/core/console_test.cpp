// The console's reading of a command file, row by row of its rules.
#include <gtest/gtest.h>

#include "Stringconverter/Console.h"
#include "test_support.h"

namespace quillet::console {
namespace {

// "line:[word][word]" for each command, separated by blanks.
std::string render(std::string_view file) {
  std::string out;
  for (const Command& c : commands(file)) {
    if (!out.empty()) out += ' ';
    out += std::to_string(c.line) + ':';
    for (const std::string& w : c.words) out += "[" + w + "]";
  }
  return out;
}

// Short files: tests/golden/console.txt. Here the console's limits: a word's length, a command's
// length and its number of words.
TEST(Console, CommandsAndWords) {
  EXPECT_EQ(quillet::test::goldenCasesDiff("console.txt", render), "");
  const std::string a514(514, 'a'), a515(515, 'a'), a1017(1017, 'A');
  std::string many, manyWords;
  for (int i = 0; i < 81; ++i) many += "w ";
  for (int i = 0; i < 80; ++i) manyWords += "[w]";
  struct Case {
    std::string file, expected;
  };
  const Case cases[] = {
      {"name " + a514 + " x", "1:[name][" + a514 + "][x]"},
      {"name " + a515 + " x", "1:[name][x]"},
      {"name A" + a1017 + "bind w quit;\r\n", "1:[name] 1:[bind][w][quit]"},
      {"name \"" + a1017 + "\"x", "1:[name] 1:[x]"},  // the cut ends the quote too
      {many, "1:" + manyWords},
  };
  for (const Case& c : cases) EXPECT_EQ(render(c.file), c.expected) << c.file;

  EXPECT_EQ(valueSet("name a\r\nNAME\r\nName \"b c\"x\r\nteam y", "name"), "b c");
  EXPECT_EQ(valueSet("name\r\nteam y", "name"), std::nullopt);
  EXPECT_EQ(valueSet("GL_ZTRICK 1", "gl_ztrick"), "1");  // A and Z: the ends of the letters lower-cased
  EXPECT_EQ(valueSet("MP_AUTOKICK 1", "mp_autokick"), "1");
}

}  // namespace
}  // namespace quillet::console
