// Scanning the game's files: fields, numbers, list items and lines.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillet {

// The fields `first` to `last` of `text`, split at `delimiter`, with the delimiters between
// them; the whole text when it holds no delimiter.
std::string GetField(std::string_view text, std::string_view delimiter, int first, int last);

// The number that the longest readable beginning of `text` forms (sign, digits, "." and
// digits, exponent E or D; blanks and tabs ignored; &H / &O hexadecimal and octal); 0 when it
// does not begin with a number; nullopt when the number is beyond a double (or 32 bits for
// &H / &O).
std::optional<double> NumericValue(std::string_view text);

// Quote stripping of a value word: both quotes when it begins and ends with one, else a leading
// or a trailing one. A lone double quote stays.
std::string stripQuotes(std::string_view value);
// The same, as a view into `value`.
std::string_view unquoted(std::string_view value);

// The number a value text is as a whole (blanks around it allowed), or nullopt when any of it
// is not part of the number ("300" and "2.5" are numbers, "abc", "" and "2.5abc" are not).
std::optional<double> wholeNumber(std::string_view text);

// Rounds half to even, as the readers round slider positions; nullopt outside 16 bits.
std::optional<int> roundToPosition(double value);

// What a byte is to the scanners, one table look-up per byte.
namespace scan {
inline constexpr std::uint8_t kLineEnd = 1;  // CR, LF
inline constexpr std::uint8_t kComma = 2;
inline constexpr std::uint8_t kQuote = 4;  // the double quote
inline constexpr std::uint8_t kBlank = 8;  // blank or tab
inline constexpr std::array<std::uint8_t, 256> kClass = [] {
  std::array<std::uint8_t, 256> c{};
  c['\r'] = c['\n'] = kLineEnd;
  c[','] = kComma;
  c['"'] = kQuote;
  c[' '] = c['\t'] = kBlank;
  return c;
}();
inline std::uint8_t classOf(char c) { return kClass[static_cast<unsigned char>(c)]; }
// The first CR or LF at or after `from`, or the end of `s`; `comma`, when given, is set to
// whether a comma stands before it.
std::size_t lineEnd(std::string_view s, std::size_t from, bool* comma = nullptr);
// Past the line end (CR LF, lone CR or lone LF) at `pos`; `pos` when none stands there.
std::size_t afterLineEnd(std::string_view s, std::size_t pos);
// How many CR and LF bytes `s` holds.
std::size_t countLineEnds(std::string_view s);
}  // namespace scan

// Reads list items: blanks and tabs before an item are skipped; an unquoted item ends at a comma
// or the line end and loses trailing blanks and tabs; a quoted item ends at its closing quote
// (or the line end) and whatever follows it up to the next comma or line end is dropped. Lines
// end at CR LF, a lone CR or a lone LF; an empty line is an empty item. An item is always one
// run of the bytes, so it is handed out as a view into them.
class ListReader {
 public:
  explicit ListReader(std::string_view bytes) : s_(bytes) {}
  bool atEnd() const { return pos_ >= s_.size(); }
  std::string_view next();
  // The item that `next` gave last stood wholly in double quotes.
  bool quoted() const { return quoted_; }

 private:
  std::string_view s_;
  std::size_t pos_ = 0;
  bool quoted_ = false;
};

// Reads whole lines, without their line ends (CR LF, lone CR or lone LF).
class LineReader {
 public:
  explicit LineReader(std::string_view bytes) : s_(bytes) {}
  bool atEnd() const { return pos_ >= s_.size(); }
  std::string_view next();

 private:
  std::string_view s_;
  std::size_t pos_ = 0;
};

// The whole content of a file, or nullopt when it cannot be read: missing, or there but not
// readable to its end (no permission, an I/O error, a folder or a FIFO). The second kind is
// added to `unreadable`, when given, as "name: cause".
std::optional<std::string> readFileBytes(const std::filesystem::path& file,
                                         std::vector<std::string>* unreadable = nullptr);

}  // namespace quillet
