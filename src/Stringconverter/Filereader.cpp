#include "Stringconverter/Filereader.h"

#include <charconv>
#include <cmath>
#include <system_error>

#include "platform/FileLayer.h"

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
  std::string s;
  s.reserve(text.size());
  for (char c : text)
    if (c != ' ' && c != '\t') s += c;

  if (s.size() >= 2 && s[0] == '&') {
    if (s[1] == 'h' || s[1] == 'H') return radixValue(std::string_view(s).substr(2), 16);
    if (s[1] == 'o' || s[1] == 'O') return radixValue(std::string_view(s).substr(2), 8);
    return 0.0;
  }

  // The longest beginning of the form [sign] digits [. digits] [(E|D) [sign] digits].
  std::size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  std::string number;
  const std::size_t mantissaStart = i;
  while (i < s.size() && isDigit(s[i])) number += s[i++];
  bool digits = i > mantissaStart;
  if (i < s.size() && s[i] == '.') {
    std::size_t j = i + 1;
    std::string fraction;
    while (j < s.size() && isDigit(s[j])) fraction += s[j++];
    if (!fraction.empty() || digits) {
      number += '.';
      number += fraction;
      digits = digits || !fraction.empty();
      i = j;
    }
  }
  if (!digits) return 0.0;
  if (number.front() == '.') number.insert(number.begin(), '0');
  if (number.back() == '.') number.pop_back();
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
    std::size_t j = i + 1;
    std::string exponent = "e";
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) exponent += s[j++];
    const std::size_t expDigits = j;
    while (j < s.size() && isDigit(s[j])) exponent += s[j++];
    if (j > expDigits) number += exponent;
  }

  double value = 0;
  const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (ec == std::errc::result_out_of_range) {
    // Too small is zero; too large is beyond what a double holds.
    const auto e = number.find('e');
    if (e != std::string::npos && number.size() > e + 1 && number[e + 1] == '-') return 0.0;
    return std::nullopt;
  }
  if (ec != std::errc() || !std::isfinite(value)) return std::nullopt;
  return negative ? -value : value;
}

std::string stripQuotes(std::string_view v) {
  if (v.size() >= 2 && v.front() == '"' && v.back() == '"') return std::string(v.substr(1, v.size() - 2));
  if (v.size() >= 2 && v.front() == '"') return std::string(v.substr(1));
  if (v.size() >= 2 && v.back() == '"') return std::string(v.substr(0, v.size() - 1));
  return std::string(v);
}

std::optional<int> roundToPosition(double value) {
  const double r = std::nearbyint(value);  // the default rounding mode sends halves to even
  if (!(r >= -32768.0 && r <= 32767.0)) return std::nullopt;
  return static_cast<int>(r);
}

namespace {

bool isLineEnd(char c) { return c == '\r' || c == '\n'; }

void skipLineEnd(std::string_view s, std::size_t& pos) {
  if (pos < s.size() && s[pos] == '\r') {
    ++pos;
    if (pos < s.size() && s[pos] == '\n') ++pos;
  } else if (pos < s.size() && s[pos] == '\n') {
    ++pos;
  }
}

}  // namespace

std::string_view ListReader::next() {
  const std::size_t size = s_.size();
  while (pos_ < size && (s_[pos_] == ' ' || s_[pos_] == '\t')) ++pos_;
  std::string_view item;
  quoted_ = pos_ < size && s_[pos_] == '"';
  if (quoted_) {
    const std::size_t start = ++pos_;
    while (pos_ < size && s_[pos_] != '"' && !isLineEnd(s_[pos_])) ++pos_;
    item = s_.substr(start, pos_ - start);
    if (pos_ < size && s_[pos_] == '"') ++pos_;
    while (pos_ < size && s_[pos_] != ',' && !isLineEnd(s_[pos_])) ++pos_;
  } else {
    const std::size_t start = pos_;
    while (pos_ < size && s_[pos_] != ',' && !isLineEnd(s_[pos_])) ++pos_;
    std::size_t end = pos_;
    while (end > start && (s_[end - 1] == ' ' || s_[end - 1] == '\t')) --end;
    item = s_.substr(start, end - start);
  }
  if (pos_ < size && s_[pos_] == ',') ++pos_;
  else skipLineEnd(s_, pos_);
  return item;
}

std::optional<double> wholeNumber(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  // Only digits may begin it (after a sign): "inf" and "nan" are no numbers of a file.
  const std::size_t first = !text.empty() && text.front() == '-' ? 1 : 0;
  if (first >= text.size() || !((text[first] >= '0' && text[first] <= '9') || text[first] == '.')) return std::nullopt;
  double value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::string_view LineReader::next() {
  const std::size_t start = pos_;
  while (pos_ < s_.size() && !isLineEnd(s_[pos_])) ++pos_;
  const std::string_view line = s_.substr(start, pos_ - start);
  skipLineEnd(s_, pos_);
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
