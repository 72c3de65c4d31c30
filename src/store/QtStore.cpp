#include "store/QtStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <cerrno>
#include <cstring>
#include <map>

#include "platform/FileLayer.h"

namespace quillet {
namespace {

QString toQ(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
std::string fromQ(const QString& s) { return s.toStdString(); }

// The registry key under which the Windows runtime of the original settings store keeps
// per-user program settings; applications are its subkeys.
constexpr const char* kRegistryRoot = "HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings";

// A key or section name as QSettings' INI files spell it: "\" stands for "/", "%XX" and
// "%UXXXX" for one character.
QString iniKey(QByteArrayView text) {
  const QString decoded = QString::fromUtf8(text.trimmed());
  QString out;
  for (qsizetype i = 0; i < decoded.size();) {
    const QChar c = decoded.at(i);
    if (c == u'\\') {
      out += u'/';
      ++i;
      continue;
    }
    if (c == u'%' && i + 1 < decoded.size()) {
      const qsizetype first = decoded.at(i + 1) == u'U' ? i + 2 : i + 1;
      const int digits = first == i + 2 ? 4 : 2;
      bool ok = false;
      const ushort code = first + digits <= decoded.size() ? decoded.mid(first, digits).toUShort(&ok, 16) : 0;
      if (ok) {
        out += QChar(code);
        i = first + digits;
        continue;
      }
    }
    out += c;
    ++i;
  }
  return out;
}

// A value as QSettings reads it: quoted parts, C escapes, blanks around unquoted parts dropped;
// a list (items parted by commas outside quotes) as its items joined by commas.
QString iniValue(QByteArrayView text) {
  static constexpr char kEscapes[][2] = {{'a', '\a'}, {'b', '\b'}, {'f', '\f'}, {'n', '\n'},  {'r', '\r'}, {'t', '\t'},
                                         {'v', '\v'}, {'"', '"'},  {'?', '?'},  {'\'', '\''}, {'\\', '\\'}};
  QStringList items;
  QString current;
  bool quoted = false;     // inside "..."
  bool wasQuoted = false;  // the current item had a quoted part: its blanks stay
  qsizetype keep = 0;      // blanks before this point in `current` are not trailing ones
  const auto chop = [&] {
    if (wasQuoted) return;
    while (current.size() > keep && (current.back() == u' ' || current.back() == u'\t')) current.chop(1);
  };
  const auto skipBlanks = [&](qsizetype i) {
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    return i;
  };
  qsizetype i = skipBlanks(0);
  while (i < text.size()) {
    const char c = text[i];
    if (c == '\\') {
      if (++i >= text.size()) break;
      const char e = text[i++];
      bool simple = false;
      for (const auto& pair : kEscapes)
        if (e == pair[0]) {
          current += QLatin1Char(pair[1]);
          simple = true;
        }
      if (!simple) {
        const bool hex = e == 'x';
        const int base = hex ? 16 : 8;
        qsizetype end = hex ? i : i - 1;
        if (hex || (e >= '0' && e <= '7')) {
          char32_t code = 0;
          while (end < text.size()) {
            const char d = text[end];
            const int v = (d >= '0' && d <= '9')          ? d - '0'
                          : hex && (d >= 'a' && d <= 'f') ? d - 'a' + 10
                          : hex && (d >= 'A' && d <= 'F') ? d - 'A' + 10
                                                          : -1;
            if (v < 0 || v >= base || code > 0x10FFFF / 16) break;
            code = code * base + static_cast<char32_t>(v);
            ++end;
          }
          if (end > (hex ? i : i - 1)) current += QString::fromUcs4(&code, 1);
          i = end;
        } else if ((e == '\n' || e == '\r') && i < text.size() && (text[i] == '\n' || text[i] == '\r') &&
                   text[i] != e) {
          ++i;  // an escaped line end continues the value
        }
      }
      keep = current.size();
    } else if (c == '"') {
      ++i;
      wasQuoted = true;
      quoted = !quoted;
      if (!quoted) i = skipBlanks(i);
    } else if (c == ',' && !quoted) {
      chop();
      items.append(current);
      current.clear();
      wasQuoted = false;
      keep = 0;
      i = skipBlanks(i + 1);
    } else {
      qsizetype j = i + 1;
      while (j < text.size() && text[j] != '\\' && text[j] != '"' && (quoted || text[j] != ',')) ++j;
      current += QString::fromUtf8(text.sliced(i, j - i));
      i = j;
    }
  }
  chop();
  items.append(current);
  QString value = items.join(QLatin1Char(','));
  // A leading "@" marks a typed value: "@@" stands for "@", a byte array or string for its
  // text; the other types (points, sizes, serialised data) hold no text Quillet could use.
  if (value.startsWith(QLatin1String("@@"))) return value.mid(1);
  for (const char* type : {"@ByteArray(", "@String("})
    if (value.startsWith(QLatin1String(type)) && value.endsWith(u')'))
      return value.mid(qsizetype(std::strlen(type)), value.size() - qsizetype(std::strlen(type)) - 1);
  if (value.startsWith(u'@') && value.endsWith(u')') && value.indexOf(u'(') > 1) return {};
  return value;
}

}  // namespace

// Reads the INI text as QSettings would: "[section]" lines, "key=value" lines, ";" comments,
// quoted values that may run over line ends, a backslash before a line end continuing the line.
// False when a line is neither (QSettings' format error).
bool QtStore::parseIni(std::string_view bytes, std::map<std::string, std::string>& values) {
  // A byte order mark is no part of the syntax: the first line then holds it (as for QSettings).
  const QByteArrayView data(bytes.data(), static_cast<qsizetype>(bytes.size()));
  QString section;
  bool ok = true;
  const auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; };
  qsizetype pos = 0;
  while (pos < data.size()) {
    // One logical line: from its first non-blank byte to a line end or ";" outside quotes.
    while (pos < data.size() && isSpace(data[pos])) ++pos;
    if (pos >= data.size()) break;
    if (data[pos] == ';') {
      while (pos < data.size() && data[pos] != '\n' && data[pos] != '\r') ++pos;
      continue;
    }
    const qsizetype start = pos;
    qsizetype equals = -1;
    bool quoted = false;
    while (pos < data.size()) {
      const char c = data[pos];
      if (c == '=' && !quoted && equals < 0) equals = pos;
      else if ((c == '\n' || c == '\r' || c == ';') && !quoted) break;
      else if (c == '"') quoted = !quoted;
      else if (c == '\\' && pos + 1 < data.size()) {
        ++pos;
        if (pos + 1 < data.size() &&
            ((data[pos] == '\n' && data[pos + 1] == '\r') || (data[pos] == '\r' && data[pos + 1] == '\n')))
          ++pos;
      }
      ++pos;
    }
    const QByteArrayView line = data.sliced(start, pos - start);
    if (line.startsWith('[')) {
      const qsizetype close = line.indexOf(']');
      if (close < 0) ok = false;
      const QByteArrayView name = line.sliced(1, (close < 0 ? line.size() : close) - 1).trimmed();
      if (QString::fromUtf8(name).compare(QLatin1String("general"), Qt::CaseInsensitive) == 0) section.clear();
      else if (QString::fromUtf8(name).compare(QLatin1String("%general"), Qt::CaseInsensitive) == 0)
        section = QStringLiteral("general/");
      else section = iniKey(name) + u'/';
      continue;
    }
    if (equals < 0) {
      ok = false;
      continue;
    }
    const QString key = iniKey(data.sliced(start, equals - start));
    if (key.isEmpty()) continue;
    values[lowerAscii(fromQ(section + key))] = fromQ(iniValue(data.sliced(equals + 1, pos - equals - 1)));
  }
  return ok;
}

QtStore::QtStore(bool createWhenMissing) {
  const QByteArray named = qgetenv("QUILLET_STORE");
  if (!named.isEmpty()) {
    openIni(QString::fromLocal8Bit(named).toStdString(), createWhenMissing);
    return;
  }
#ifdef Q_OS_WIN
  ini_ = false;
  settings_ = std::make_unique<QSettings>(QString::fromLatin1(kRegistryRoot), QSettings::NativeFormat);
#else
  openIni(defaultIniPath(), createWhenMissing);
#endif
}

QtStore::QtStore(const std::string& iniPath, bool createWhenMissing) { openIni(iniPath, createWhenMissing); }

QtStore::~QtStore() = default;

std::string QtStore::defaultIniPath() {
  QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  if (base.isEmpty()) base = QDir::homePath() + QStringLiteral("/.config");
  return fromQ(QDir(base).filePath(QStringLiteral("quillet/quillet.ini")));
}

void QtStore::openIni(const std::string& path, bool createWhenMissing) {
  ini_ = true;
  path_ = path;
  const QString file = QString::fromStdString(path);
  const QFileInfo info(file);
  // Read through the file layer first: it never waits on a FIFO and tells an unreadable store
  // from a missing one. A store that cannot be read is never written over.
  const files::ReadResult existing = files::readFile(std::filesystem::path(std::u8string(path.begin(), path.end())));
  if (info.isDir()) {
    error_ = "the store " + path + " is a folder, not a file";
  } else if (existing.status == files::ReadResult::Status::Unreadable) {
    error_ = "cannot read the store " + path + ": " + files::causeText(existing.error);
  } else if (!info.exists() && createWhenMissing) {
    // Create the folder and an empty file now, so that a path that cannot be written is
    // reported before anything else happens.
    if (!QDir().mkpath(info.absolutePath())) {
      error_ = "cannot create the folder " + fromQ(QDir::toNativeSeparators(info.absolutePath())) + " for the store";
    } else {
      if (const int error = files::writeFile(std::filesystem::path(std::u8string(path.begin(), path.end())), ""))
        error_ = "cannot create the store " + path + ": " + files::causeText(error);
    }
  }
  if (!error_.empty()) {
    unreadable_ = true;
    return;
  }
  // The one reading is parsed here: QSettings would open and read the file once more, and a
  // second reading that failed would leave an empty store to be written over the old one.
  if (!parseIni(existing.bytes, values_)) {
    error_ = "the store " + path + " is not a readable INI file";
    unreadable_ = true;
    values_.clear();
  }
}

// The values as an INI file that QSettings reads back exactly: one group per section; a value
// that holds anything the syntax would read otherwise is quoted, its backslashes, quotes and
// line ends escaped.
std::string QtStore::iniText() const {
  std::map<std::string, std::map<std::string, std::string>> sections;
  for (const auto& [key, value] : values_) {
    const std::size_t slash = key.find('/');
    std::string section = slash == std::string::npos ? "General" : key.substr(0, slash);
    std::string name = slash == std::string::npos ? key : key.substr(slash + 1);
    for (char& c : name)
      if (c == '/') c = '\\';
    sections[section][name] = value;
  }
  std::string out;
  for (const auto& [section, entries] : sections) {
    if (!out.empty()) out += '\n';
    out += "[" + section + "]\n";
    for (const auto& [name, value] : entries) {
      out += name + "=";
      // A leading "@" marks a typed value in QSettings' files; doubled it stays text.
      if (value.starts_with('@')) out += '@';
      // Plain text stands as it is; anything the INI syntax would read otherwise is quoted.
      const bool plain = value.find_first_of(";,=\"\\#\r\n\t") == std::string::npos && !value.starts_with(' ') &&
                         !value.ends_with(' ');
      if (plain) {
        (out += value) += '\n';
        continue;
      }
      out += '"';
      for (char c : value) {
        switch (c) {
          case '\\': out += "\\\\"; break;
          case '"': out += "\\\""; break;
          case '\n': out += "\\n"; break;
          case '\r': out += "\\r"; break;
          case '\t': out += "\\t"; break;
          default: out += c;
        }
      }
      out += "\"\n";
    }
  }
  return out;
}

std::string QtStore::location() const {
#ifdef Q_OS_WIN
  if (!ini_) return kRegistryRoot;
#endif
  return fromQ(QDir::toNativeSeparators(QString::fromStdString(path_)));
}

std::string QtStore::keyFor(std::string_view app, std::string_view section, std::string_view key) const {
  if (!ini_) {
    // Registry names are matched without regard to case by the registry itself.
    return std::string(app) + '/' + std::string(section) + '/' + std::string(key);
  }
  // The INI file belongs to Quillet, so its own application name is left out; any other
  // application gets a group of its own around its sections.
  std::string k;
  if (!equalsNoCase(app, kStoreApp)) k = lowerAscii(app) + '/';
  k += lowerAscii(section) + '/' + lowerAscii(key);
  return k;
}

void QtStore::checkStatus(const char* action) {
  if (!error_.empty() || !settings_) return;
  switch (settings_->status()) {
    case QSettings::NoError: break;
    case QSettings::AccessError: error_ = std::string("cannot ") + action + " the store " + location(); break;
    case QSettings::FormatError: error_ = "the store " + location() + " is not a readable INI file"; break;
  }
}

std::string QtStore::read(std::string_view app, std::string_view section, std::string_view key) {
  if (ini_) {
    const auto it = values_.find(keyFor(app, section, key));
    return it == values_.end() ? std::string() : it->second;
  }
  const QVariant v = settings_->value(toQ(keyFor(app, section, key)));
  if (!v.isValid()) return {};
  // A hand-edited file may hold an unquoted "a,b", which QSettings reads as a list; the text
  // was the items joined by commas.
  if (v.typeId() == QMetaType::QStringList) return fromQ(v.toStringList().join(QLatin1Char(',')));
  return fromQ(v.toString());
}

void QtStore::save(std::string_view app, std::string_view section, std::string_view key, std::string_view value) {
  const std::string k = keyFor(app, section, key);
  // A value the store already holds is not written again: the start-up stores the game folder
  // it has just read, and an unchanged store costs no write (and no wait for the disk).
  if (ini_) {
    if (const auto it = values_.find(k); it != values_.end() && it->second == value) return;
    values_[k] = std::string(value);
  } else {
    if (settings_->contains(toQ(k)) && read(app, section, key) == value) return;
    settings_->setValue(toQ(k), toQ(value));
  }
  pending_ = true;
}

std::optional<std::string> QtStore::problem() {
  if (unreadable_ || (!ini_ && !error_.empty())) return error_;
  if (!ini_) return std::nullopt;
  const files::ReplaceCheck check =
      files::checkReplace(std::filesystem::path(std::u8string(path_.begin(), path_.end())));
  // A folder that is not there yet is made by the commit.
  if (check.ok() || (check.atFolder && check.error == ENOENT)) return std::nullopt;
  return "cannot write the store " + location() + ": " + files::causeText(check.error) +
         (check.atFolder ? " (its folder cannot be written to)" : "");
}

std::optional<std::string> QtStore::commit() {
  if (ini_ && unreadable_) return error_;
  if (!pending_) return std::nullopt;
  pending_ = false;
  if (ini_) {
    // A store not made yet is made now, its folder first.
    const QFileInfo info(QString::fromStdString(path_));
    if (!info.exists() && !QDir().mkpath(info.absolutePath())) {
      error_ = "cannot create the folder " + fromQ(QDir::toNativeSeparators(info.absolutePath())) + " for the store";
      pending_ = true;
      return error_;
    }
    if (const int error =
            files::writeFile(std::filesystem::path(std::u8string(path_.begin(), path_.end())), iniText())) {
      error_ = "cannot write the store " + location() + ": " + files::causeText(error);
      pending_ = true;
      return error_;
    }
    return std::nullopt;
  }
  // The registry: one sync of every value, its status checked.
  settings_->sync();
  checkStatus("write");
  if (settings_->status() != QSettings::NoError)
    return error_.empty() ? "cannot write the store " + location() : error_;
  return std::nullopt;
}

}  // namespace quillet
