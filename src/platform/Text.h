// Small text helpers the readers, the store, Save and the command line share: ASCII case,
// trimming, and numbers that must fill the whole text.
#pragma once

#include <algorithm>
#include <charconv>
#include <optional>
#include <string>
#include <string_view>

namespace quillet {

// ASCII lower case, as the game's console compares names; other bytes stay as they are.
constexpr char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
inline std::string lowerAscii(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = lowerAscii(c);
  return out;
}

constexpr bool equalsNoCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return lowerAscii(x) == lowerAscii(y); });
}

// The text without the given bytes (blanks and tabs unless told) at its start, its end, or both.
constexpr std::string_view trimFront(std::string_view s, std::string_view bytes = " \t") {
  const std::size_t first = s.find_first_not_of(bytes);
  return first == std::string_view::npos ? std::string_view() : s.substr(first);
}
constexpr std::string_view trimBack(std::string_view s, std::string_view bytes = " \t") {
  return s.substr(0, s.find_last_not_of(bytes) + 1);  // npos + 1 is 0: nothing left
}
constexpr std::string_view trim(std::string_view s, std::string_view bytes = " \t") {
  return trimBack(trimFront(s, bytes), bytes);
}

// The whole text as a number of type T (format: for floating point, std::chars_format), or
// nothing when it is empty (from_chars calls that invalid), out of T's range, or anything
// follows the number.
template <class T, class... Format>
std::optional<T> parseNumber(std::string_view s, Format... format) {
  T value{};
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value, format...);
  if (ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
  return value;
}

}  // namespace quillet
