// Scanning the game's files: fields, numbers, items and lines.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <vector>

#include "Stringconverter/Filereader.h"
#include "test_support.h"

namespace quillet {
namespace {

TEST(GetField, SplitsAtSingleBlanks) {
  struct Case {
    std::string_view text, delimiter;
    int first, last;
    std::string_view want;
  };
  const Case cases[] = {
      {"gamma 2.5", " ", 2, 2, "2.5"}, {"gamma", " ", 2, 2, "gamma"}, {"a b", " ", 3, 3, ""},
      {"a  b", " ", 2, 2, ""},         {"a b c d", " ", 2, 3, "b c"}, {"a b", " ", 2, 5, "b"},
      {" a", " ", 1, 1, ""},           {"a b", " ", 0, -1, "a"},      {"", " ", 1, 1, ""},
      {"a b", "", 1, 1, ""},           {"a b c", " ", 1, 2, "a b"},   {"a b c", " ", 3, 3, "c"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(GetField(c.text, c.delimiter, c.first, c.last), c.want)
        << "'" << c.text << "' fields " << c.first << " to " << c.last;
}

TEST(NumericValue, ReadsTheLongestNumberAtTheStart) {
  struct Case {
    std::string_view text;
    double want;
  };
  const Case cases[] = {
      {"2.5", 2.5},  {"2.5abc", 2.5}, {"abc", 0},      {"", 0},      {"-50", -50},
      {"1.0", 1},    {"01", 1},       {"1.000000", 1}, {".5", 0.5},  {"5.", 5},
      {" 1 2 ", 12}, {"\t-\t3", -3},  {"1e3", 1000},   {"1D2", 100}, {"2e", 2},
      {"2e+", 2},    {"&H1F", 31},    {"&hff", 255},   {"&O17", 15}, {"&HFFFFFFFF", 4294967295.0},
      {"+7", 7},     {"1.5.3", 1.5},  {"\"1", 0},      {"-", 0},     {".", 0},
      {"1e-400", 0},
  };
  for (const Case& c : cases) {
    const auto v = NumericValue(c.text);
    ASSERT_TRUE(v.has_value()) << "'" << c.text << "'";
    EXPECT_DOUBLE_EQ(*v, c.want) << "'" << c.text << "'";
  }
}

TEST(NumericValue, NumbersBeyondRangeAreFailures) {
  for (std::string_view text : {"1e400", "-1e999", "&H100000000", "&O77777777777"})
    EXPECT_FALSE(NumericValue(text).has_value()) << text;
  EXPECT_FALSE(NumericValue(std::string(400, '9')).has_value());
}

// A value of "Keep my own lines": the whole text, blanks and tabs at its ends aside, or nothing.
TEST(WholeNumber, TakesTheWholeTextOrNothing) {
  struct Case {
    std::string_view text;
    std::optional<double> want;
  };
  const Case cases[] = {{" 20\t", 20}, {"+5", 5},   {"-1.5", -1.5}, {".5", 0.5}, {"1e3", 1000},
                        {"20abc", {}}, {"inf", {}}, {"-nan", {}},   {"", {}},    {"-", {}},
                        {"\t", {}},    {"2 0", {}}, {"\"1\"", {}},  {"0x1F", {}}};
  for (const Case& c : cases) EXPECT_EQ(wholeNumber(c.text), c.want) << "'" << c.text << "'";
}

TEST(StripQuotes, DropsTheQuotesAtTheEnds) {
  struct Case {
    std::string_view in, want;
  };
  const Case cases[] = {{"\"2.5\"", "2.5"}, {"\"2.5", "2.5"}, {"2.5\"", "2.5"}, {"\"", "\""},
                        {"\"\"", ""},       {"a\"b", "a\"b"}, {"", ""}};
  for (const Case& c : cases) EXPECT_EQ(stripQuotes(c.in), c.want) << c.in;
}

TEST(RoundToPosition, HalvesGoToTheEvenNeighbour) {
  struct Case {
    double in;
    std::optional<int> want;
  };
  const Case cases[] = {{22.5, 22}, {27.5, 28},     {0.5, 0},      {1.5, 2},    {-2.5, -2},
                        {2.49, 2},  {32767, 32767}, {32767.6, {}}, {-32769, {}}};
  for (const Case& c : cases) EXPECT_EQ(roundToPosition(c.in), c.want) << c.in;
}

// Each case of tests/golden/lists.txt: the items and the lines in a file's bytes.
std::string itemsAndLines(const std::string& bytes) {
  std::string out = "items";
  for (ListReader r(bytes); !r.atEnd();) (out += " [").append(r.next()) += ']';
  out += " lines";
  for (LineReader r(bytes); !r.atEnd();) (out += " [").append(r.next()) += ']';
  return out;
}

TEST(ListReader, ItemsAndLines) { EXPECT_EQ(test::goldenCasesDiff("lists.txt", itemsAndLines), ""); }

}  // namespace
}  // namespace quillet
