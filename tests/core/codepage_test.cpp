// Windows-1252 both ways: game text the user does not edit comes back byte for byte.
#include <gtest/gtest.h>

#include "Stringconverter/Codepage.h"

namespace quillet {
namespace {

TEST(Codepage, EveryByteSurvivesTheWayThroughUtf8) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(all)), all);
}

TEST(Codepage, Characters) {
  struct Case {
    std::string_view cp1252, utf8;
  };
  const Case cases[] = {
      {"\x80", "\xE2\x82\xAC"},  // euro sign
      {"\x93hi\x94", "\xE2\x80\x9Chi\xE2\x80\x9D"},
      {"\xE9", "\xC3\xA9"},  // e acute
      {"\x81", "\xC2\x81"},  // undefined in the code page: kept as the control character
      {"plain", "plain"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(cp1252ToUtf8(c.cp1252), c.utf8) << c.cp1252;
    EXPECT_EQ(utf8ToCp1252(c.utf8), c.cp1252) << c.utf8;
  }
}

TEST(Codepage, WhatItCannotHoldBecomesAQuestionMark) {
  struct Case {
    std::string_view utf8, cp1252;
  };
  const Case cases[] = {
      {"\xD0\x96", "?"},            // Cyrillic
      {"\xF0\x9F\x98\x80x", "?x"},  // outside the basic plane
      {"\xC3", "?"},                // cut short
      {"\xC3(", "?("},              // not a continuation byte
      {"\xC0\x80", "??"},           // overlong
      {"\xFF", "?"},
  };
  for (const Case& c : cases) EXPECT_EQ(utf8ToCp1252(c.utf8), c.cp1252) << c.utf8;
}

}  // namespace
}  // namespace quillet
