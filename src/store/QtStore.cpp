#include "store/QtStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <map>

#include "platform/FileLayer.h"

namespace quillet {
namespace {

QString toQ(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
std::string fromQ(const QString& s) { return s.toStdString(); }

// The registry key under which the Windows runtime of the original settings store keeps
// per-user program settings; applications are its subkeys.
constexpr const char* kRegistryRoot = "HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings";

}  // namespace

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
  // QSettings parses the file once; from then on the values live here, and commit writes
  // them all through the file layer (QSettings itself was seen to leave an empty store
  // behind when the disk filled during its write, and to report success).
  QSettings parsed(file, QSettings::IniFormat);
  if (parsed.status() == QSettings::FormatError) {
    error_ = "the store " + path + " is not a readable INI file";
    unreadable_ = true;
    return;
  }
  for (const QString& key : parsed.allKeys()) {
    const QVariant v = parsed.value(key);
    values_[lowerAscii(fromQ(key))] =
        v.typeId() == QMetaType::QStringList ? fromQ(v.toStringList().join(QLatin1Char(','))) : fromQ(v.toString());
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

std::optional<std::string> QtStore::commit() {
  if (ini_ && unreadable_) return error_;
  if (!pending_) return std::nullopt;
  pending_ = false;
  if (ini_) {
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
