// Scanning the game's files: fields, numbers, items and lines.
#include <gtest/gtest.h>

#include <charconv>
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

// Each case of tests/golden/numbers.txt: a text read as a number (the longest number at its start;
// none beyond range), the slider position of that number (halves to the even neighbour), the text
// as a whole number of "Keep my own lines" (blanks and tabs at its ends aside), and unquoted.
std::string asNumbers(const std::string& text) {
  const auto show = [](std::optional<double> v) {
    char out[32];
    return v ? std::string(out, std::to_chars(out, out + sizeof out, *v).ptr) : "none";
  };
  const auto value = NumericValue(text);
  const auto position = value ? roundToPosition(*value) : std::nullopt;
  return "value " + show(value) + ", position " + (position ? std::to_string(*position) : "none") + ", whole " +
         show(wholeNumber(text)) + ", unquoted " + stripQuotes(text);
}

TEST(NumericValue, NumbersPositionsAndQuotes) { EXPECT_EQ(test::goldenCasesDiff("numbers.txt", asNumbers), ""); }

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
