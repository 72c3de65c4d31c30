#include "qt/GameText.h"

#include "Stringconverter/Codepage.h"

namespace quillet::qt {

QString fromGameBytes(std::string_view bytes) {
  QString out;
  out.reserve(static_cast<qsizetype>(bytes.size()));
  for (char c : bytes) out.append(QChar(static_cast<char16_t>(cp1252ToUnicode(static_cast<unsigned char>(c)))));
  return out;
}

std::string toGameBytes(const QString& text) {
  std::string out;
  out.reserve(static_cast<std::size_t>(text.size()));
  for (QChar c : text) {
    // Half of a surrogate pair names no Windows-1252 character.
    out.push_back(c.isSurrogate() ? '?' : unicodeToCp1252(c.unicode()));
  }
  return out;
}

QString fromGameLines(std::string_view bytes) {
  QString text = fromGameBytes(bytes);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return text;
}

std::string toGameLines(const QString& text) {
  QString crlf = text;
  crlf.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  crlf.replace(QChar(u'\n'), QStringLiteral("\r\n"));
  return toGameBytes(crlf);
}

}  // namespace quillet::qt
