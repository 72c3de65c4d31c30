// The game's texts are Windows-1252 bytes; the widgets hold Unicode. Every byte maps to one
// character and back, so a text the user never edits returns to the files byte for byte.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace quillet::qt {

// One character per byte.
QString fromGameBytes(std::string_view bytes);
// One byte per character; a character Windows-1252 lacks becomes "?".
std::string toGameBytes(const QString& text);

// For multi-line fields: the game writes CR LF, the widgets break lines on LF alone.
QString fromGameLines(std::string_view bytes);
std::string toGameLines(const QString& text);

// UTF-8 texts of the program itself (captions, messages) for display.
inline QString fromUtf8(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace quillet::qt
