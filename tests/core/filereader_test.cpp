// Scanning the game's files: fields, numbers, items and lines.
#include <gtest/gtest.h>

#include <charconv>
#include <optional>

#include "Stringconverter/Filereader.h"
#include "test_support.h"

namespace quillet {
namespace {

// Each case of tests/golden/fields.txt: a text's fields between single blanks, from the first to
// the last named (counted from 1), and one field with no delimiter at all.
std::string fields(const std::string& text) {
  std::string out;
  for (const auto [first, last] : {std::pair{1, 1}, {2, 2}, {3, 3}, {1, 2}, {2, 3}, {2, 5}, {0, -1}})
    out += std::to_string(first) + ".." + std::to_string(last) + " [" + GetField(text, " ", first, last) + "] ";
  return out + "none [" + GetField(text, "", 1, 1) + "]";
}

TEST(GetField, SplitsAtSingleBlanks) { EXPECT_EQ(test::goldenCasesDiff("fields.txt", fields), ""); }

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
