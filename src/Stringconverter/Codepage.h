// Windows-1252, the code page of the game's text files, to and from UTF-8.
// All 256 byte values map to a character and back, so text the user does not edit
// is written back byte for byte.
#pragma once

#include <string>
#include <string_view>

namespace quillet {

// Each byte becomes one character (the five bytes Windows-1252 leaves undefined become the
// control characters of the same number).
std::string cp1252ToUtf8(std::string_view bytes);
// Each character becomes one byte; a character outside Windows-1252, or a malformed UTF-8
// sequence, becomes "?".
std::string utf8ToCp1252(std::string_view utf8);

// One character each way, for the window's own conversion.
char32_t cp1252ToUnicode(unsigned char byte);
// The byte for a code point, or '?' when it has none.
char unicodeToCp1252(char32_t codePoint);

}  // namespace quillet
