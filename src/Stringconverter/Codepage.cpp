#include "Stringconverter/Codepage.h"

#include <array>

namespace quillet {
namespace {

// 0x80..0x9F; the undefined five map to themselves.
constexpr std::array<char16_t, 32> kHigh = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                            0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

char32_t cp1252ToUnicode(unsigned char byte) { return byte >= 0x80 && byte <= 0x9F ? kHigh[byte - 0x80] : byte; }

char unicodeToCp1252(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  for (std::size_t i = 0; i < kHigh.size(); ++i)
    if (kHigh[i] == c) return static_cast<char>(0x80 + i);
  return '?';
}

std::string cp1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 8);
  for (char b : bytes) appendUtf8(out, cp1252ToUnicode(static_cast<unsigned char>(b)));
  return out;
}

std::string utf8ToCp1252(std::string_view s) {
  constexpr char32_t kMinimum[] = {0, 0x80, 0x800, 0x10000};
  std::string out;
  out.reserve(s.size());
  std::size_t i = 0;
  while (i < s.size()) {
    const auto lead = static_cast<unsigned char>(s[i]);
    const int extra = lead < 0x80             ? 0
                      : (lead & 0xE0) == 0xC0 ? 1
                      : (lead & 0xF0) == 0xE0 ? 2
                      : (lead & 0xF8) == 0xF0 ? 3
                                              : -1;
    if (extra == 0) {
      out += static_cast<char>(lead);
      ++i;
      continue;
    }
    bool ok = extra > 0 && i + extra < s.size();
    char32_t c = ok ? lead & (0x3F >> extra) : 0;
    for (int k = 1; ok && k <= extra; ++k) {
      const auto cont = static_cast<unsigned char>(s[i + k]);
      ok = (cont & 0xC0) == 0x80;
      c = (c << 6) | (cont & 0x3F);
    }
    if (!ok || c < kMinimum[extra]) {  // malformed or overlong: one "?" for the lead byte
      out += '?';
      ++i;
      continue;
    }
    out += unicodeToCp1252(c);
    i += extra + 1;
  }
  return out;
}

}  // namespace quillet
