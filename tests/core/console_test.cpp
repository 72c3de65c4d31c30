// The console's reading of a command file, row by row of its rules.
#include <gtest/gtest.h>

#include "Stringconverter/Console.h"

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

TEST(Console, CommandsAndWords) {
  const std::string a514(514, 'a'), a515(515, 'a'), a1017(1017, 'A');
  std::string many, manyWords;
  for (int i = 0; i < 81; ++i) many += "w ";
  for (int i = 0; i < 80; ++i) manyWords += "[w]";
  struct Case {
    std::string file, expected;
  };
  const Case cases[] = {
      {"name \"Red Fox\"\r\n\r\nteam x\r\n", "1:[name][Red Fox] 3:[team][x]"},
      {"name Red Fox", "1:[name][Red][Fox]"},
      {"a;b \"c;d\";e\nf", "1:[a] 1:[b][c;d] 1:[e] 2:[f]"},
      {"echo // a;b", "1:[echo] 1:[b]"},
      {"echo // \"a;b\nc", "1:[echo] 2:[c]"},  // the quote in the comment still hides the `;`
      {"name O'Neil", "1:[name][O]['][Neil]"},
      {"{x}(y)a:b", "1:[{][x][}][(][y][)][a][:][b]"},
      {"name //x", "1:[name]"},
      {"name \xC9mile \"\xC9mile\"", "1:[name][mile][\xC9mile]"},
      {"name a\x0B"
       "b\x1B"
       "c",
       "1:[name][a][b][c]"},
      {"name \"a b", "1:[name][a b]"},
      {"name ab\"c d\"", "1:[name][ab\"c][d\"]"},
      {"name \"ab\"cd \"\"", "1:[name][ab][cd][]"},
      {"name " + a514 + " x", "1:[name][" + a514 + "][x]"},
      {"name " + a515 + " x", "1:[name][x]"},
      {"name A" + a1017 + "bind w quit;\r\n", "1:[name] 1:[bind][w][quit]"},
      {"name \"" + a1017 + "\"x", "1:[name] 1:[x]"},  // the cut ends the quote too
      {many, "1:" + manyWords},
  };
  for (const Case& c : cases) EXPECT_EQ(render(c.file), c.expected) << c.file;

  EXPECT_EQ(valueSet("name a\r\nNAME\r\nName \"b c\"x\r\nteam y", "name"), "b c");
  EXPECT_EQ(valueSet("name\r\nteam y", "name"), std::nullopt);
  EXPECT_EQ(valueSet("GL_ZTRICK 1", "gl_ztrick"), "1");
}

}  // namespace
}  // namespace quillet::console
