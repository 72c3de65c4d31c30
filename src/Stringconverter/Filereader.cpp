#include "Stringconverter/Filereader.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <system_error>

#include "platform/FileLayer.h"
#include "platform/Text.h"

namespace quillet {

std::string GetField(std::string_view text, std::string_view delimiter, int first, int last) {
  if (text.empty() || delimiter.empty()) return {};
  if (first < 1) first = 1;
  if (last < first) last = first;
  const std::size_t firstHit = text.find(delimiter);
  if (firstHit == std::string_view::npos) return std::string(text);
  if (first == 1 && last == 1) return std::string(text.substr(0, firstHit));

  // Each search starts one character after the previous occurrence began.
  std::size_t from = 0;
  std::size_t start = 0;
  for (int k = 1; k < first; ++k) {
    const std::size_t hit = text.find(delimiter, from);
    if (hit == std::string_view::npos) return {};
    start = hit + 1;
    from = hit + 1;
  }
  std::size_t end = std::string_view::npos;
  for (int k = first; k <= last; ++k) {
    const std::size_t hit = text.find(delimiter, from);
    if (hit == std::string_view::npos) {
      end = std::string_view::npos;
      break;
    }
    end = hit;
    from = hit + 1;
  }
  return std::string(end == std::string_view::npos ? text.substr(start) : text.substr(start, end - start));
}

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// &H / &O: the digits that follow, as an unsigned whole number of at most 32 bits.
std::optional<double> radixValue(std::string_view s, int radix) {
  std::uint64_t value = 0;
  for (char c : s) {
    int d;
    if (isDigit(c)) d = c - '0';
    else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
    else break;
    if (d >= radix) break;
    value = value * radix + d;
    if (value > 0xFFFFFFFFull) return std::nullopt;
  }
  return static_cast<double>(value);
}

}  // namespace

std::optional<double> NumericValue(std::string_view text) {
  // Blanks and tabs are left out; most values hold none, and are read where they stand.
  std::string compact;
  if (text.find_first_of(" \t") != std::string_view::npos) {
    compact.reserve(text.size());
    for (char c : text)
      if (c != ' ' && c != '\t') compact += c;
    text = compact;
  }
  const std::string_view s = text;

  if (s.size() >= 2 && s[0] == '&') {
    if (s[1] == 'h' || s[1] == 'H') return radixValue(s.substr(2), 16);
    if (s[1] == 'o' || s[1] == 'O') return radixValue(s.substr(2), 8);
    return 0.0;
  }

  // The longest beginning of the form [sign] digits [. digits] [(E|D) [sign] digits].
  std::size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  const std::size_t mantissaStart = i;
  while (i < s.size() && isDigit(s[i])) ++i;
  bool digits = i > mantissaStart;
  if (i < s.size() && s[i] == '.') {
    std::size_t j = i + 1;
    while (j < s.size() && isDigit(s[j])) ++j;
    if (j > i + 1 || digits) {
      digits = true;
      i = j;
    }
  }
  if (!digits) return 0.0;
  const std::size_t mantissaEnd = i;
  std::size_t numberEnd = mantissaEnd;
  char exponentLetter = 0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
    std::size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    const std::size_t expDigits = j;
    while (j < s.size() && isDigit(s[j])) ++j;
    if (j > expDigits) {
      numberEnd = j;
      exponentLetter = s[i];
    }
  }
  const bool negativeExponent = exponentLetter != 0 && s[mantissaEnd + 1] == '-';

  // The number as the conversion takes it: a point at either end of the digits gets a zero or
  // goes, and a D exponent is an E. Else it is read where it stands.
  const std::string_view mantissa = s.substr(mantissaStart, mantissaEnd - mantissaStart);
  std::string_view number = s.substr(mantissaStart, numberEnd - mantissaStart);
  std::string built;
  if (mantissa.front() == '.' || mantissa.back() == '.' || exponentLetter == 'd' || exponentLetter == 'D') {
    built = mantissa;
    if (built.front() == '.') built.insert(built.begin(), '0');
    if (built.back() == '.') built.pop_back();
    if (exponentLetter != 0) (built += 'e') += s.substr(mantissaEnd + 1, numberEnd - mantissaEnd - 1);
    number = built;
  }

  double value = 0;
  const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
  // Too small is zero; too large is beyond what a double holds.
  if (ec == std::errc::result_out_of_range) return negativeExponent ? std::optional<double>(0.0) : std::nullopt;
  if (ec != std::errc() || !std::isfinite(value)) return std::nullopt;
  return negative ? -value : value;
}

std::string_view unquoted(std::string_view v) {
  if (v.size() >= 2 && v.front() == '"' && v.back() == '"') return v.substr(1, v.size() - 2);
  if (v.size() >= 2 && v.front() == '"') return v.substr(1);
  if (v.size() >= 2 && v.back() == '"') return v.substr(0, v.size() - 1);
  return v;
}

std::string stripQuotes(std::string_view v) { return std::string(unquoted(v)); }

std::optional<int> roundToPosition(double value) {
  const double r = std::nearbyint(value);  // the default rounding mode sends halves to even
  if (!(r >= -32768.0 && r <= 32767.0)) return std::nullopt;
  return static_cast<int>(r);
}

namespace scan {
namespace {

constexpr std::uint64_t kOnes = 0x0101010101010101ull;
constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;

// The high bit of every byte of `w` that is zero, and no other bit.
std::uint64_t zeroBytes(std::uint64_t w) { return ~(((w & kLow7) + kLow7) | w | kLow7); }

std::uint64_t load(const char* p) {
  std::uint64_t w;
  std::memcpy(&w, p, sizeof w);
  return w;
}

}  // namespace

std::size_t lineEnd(std::string_view s, std::size_t from, bool* comma) {
  // Eight bytes at a time while none of them is a CR or an LF.
  const char* p = s.data();
  const std::size_t size = s.size();
  std::size_t i = from;
  std::uint64_t commas = 0;
  while (i + 8 <= size) {
    const std::uint64_t w = load(p + i);
    if (zeroBytes(w ^ (kOnes * '\n')) | zeroBytes(w ^ (kOnes * '\r'))) break;
    commas |= zeroBytes(w ^ (kOnes * ','));
    i += 8;
  }
  std::uint8_t seen = 0;
  for (; i < size && !(classOf(p[i]) & kLineEnd); ++i) seen |= classOf(p[i]);
  if (comma) *comma = commas != 0 || (seen & kComma);
  return i;
}

std::size_t afterLineEnd(std::string_view s, std::size_t pos) {
  if (pos < s.size() && s[pos] == '\r') {
    ++pos;
    if (pos < s.size() && s[pos] == '\n') ++pos;
  } else if (pos < s.size() && s[pos] == '\n') {
    ++pos;
  }
  return pos;
}

std::size_t countLineEnds(std::string_view s) {
  const char* p = s.data();
  std::size_t i = 0, n = 0;
  for (; i + 8 <= s.size(); i += 8) {
    const std::uint64_t w = load(p + i);
    // One bit per matching byte, at its top: gathered into the top byte by one multiplication.
    const std::uint64_t hits = (zeroBytes(w ^ (kOnes * '\n')) | zeroBytes(w ^ (kOnes * '\r'))) >> 7;
    n += static_cast<std::size_t>((hits * kOnes) >> 56);
  }
  for (; i < s.size(); ++i) n += (classOf(p[i]) & kLineEnd) != 0;
  return n;
}

}  // namespace scan

std::string_view ListReader::next() {
  using namespace scan;
  const char* p = s_.data();
  const std::size_t size = s_.size();
  while (pos_ < size && (classOf(p[pos_]) & kBlank)) ++pos_;
  std::string_view item;
  quoted_ = pos_ < size && p[pos_] == '"';
  if (quoted_) {
    const std::size_t start = ++pos_;
    while (pos_ < size && !(classOf(p[pos_]) & (kQuote | kLineEnd))) ++pos_;
    item = s_.substr(start, pos_ - start);
    if (pos_ < size && p[pos_] == '"') ++pos_;
    while (pos_ < size && !(classOf(p[pos_]) & (kComma | kLineEnd))) ++pos_;
  } else {
    const std::size_t start = pos_;
    while (pos_ < size && !(classOf(p[pos_]) & (kComma | kLineEnd))) ++pos_;
    std::size_t end = pos_;
    while (end > start && (classOf(p[end - 1]) & kBlank)) --end;
    item = s_.substr(start, end - start);
  }
  if (pos_ < size && p[pos_] == ',') ++pos_;
  else pos_ = afterLineEnd(s_, pos_);
  return item;
}

std::optional<double> wholeNumber(std::string_view text) {
  text = trim(text);
  if (text.starts_with('+')) text.remove_prefix(1);
  // Only digits may begin it (after a sign): "inf" and "nan" are no numbers of a file.
  const std::size_t first = !text.empty() && text.front() == '-' ? 1 : 0;
  if (first >= text.size() || !((text[first] >= '0' && text[first] <= '9') || text[first] == '.')) return std::nullopt;
  return parseNumber<double>(text);
}

std::string_view LineReader::next() {
  const std::size_t start = pos_;
  pos_ = scan::lineEnd(s_, pos_);
  const std::string_view line = s_.substr(start, pos_ - start);
  pos_ = scan::afterLineEnd(s_, pos_);
  return line;
}

std::optional<std::string> readFileBytes(const std::filesystem::path& file, std::vector<std::string>* unreadable) {
  files::ReadResult result = files::readFile(file);
  if (result.ok()) return std::move(result.bytes);
  if (unreadable && result.status == files::ReadResult::Status::Unreadable)
    unreadable->push_back(file.filename().string() + ": " + files::causeText(result.error));
  return std::nullopt;
}

}  // namespace quillet
