#include "store/QtStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace quillet {
namespace {

QString toQ(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
std::string fromQ(const QString& s) { return s.toStdString(); }

// The registry key under which the Windows runtime of the original settings store keeps
// per-user program settings; applications are its subkeys.
constexpr const char* kRegistryRoot = "HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings";

}  // namespace

QtStore::QtStore() {
  const QByteArray named = qgetenv("QUILLET_STORE");
  if (!named.isEmpty()) {
    openIni(QString::fromLocal8Bit(named).toStdString());
    return;
  }
#ifdef Q_OS_WIN
  ini_ = false;
  settings_ = std::make_unique<QSettings>(QString::fromLatin1(kRegistryRoot), QSettings::NativeFormat);
#else
  openIni(defaultIniPath());
#endif
}

QtStore::QtStore(const std::string& iniPath) { openIni(iniPath); }

QtStore::~QtStore() = default;

std::string QtStore::defaultIniPath() {
  QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  if (base.isEmpty()) base = QDir::homePath() + QStringLiteral("/.config");
  return fromQ(QDir(base).filePath(QStringLiteral("quillet/quillet.ini")));
}

void QtStore::openIni(const std::string& path) {
  ini_ = true;
  const QString file = QString::fromStdString(path);
  const QFileInfo info(file);
  if (info.isDir()) {
    error_ = "the store " + path + " is a folder, not a file";
  } else if (!info.exists()) {
    // Create the folder and an empty file now, so that a path that cannot be written is
    // reported before anything else happens.
    if (!QDir().mkpath(info.absolutePath())) {
      error_ = "cannot create the folder " + fromQ(QDir::toNativeSeparators(info.absolutePath())) +
               " for the store";
    } else {
      QFile f(file);
      if (!f.open(QIODevice::WriteOnly)) error_ = "cannot create the store " + path + ": " + fromQ(f.errorString());
    }
  }
  settings_ = std::make_unique<QSettings>(file, QSettings::IniFormat);
  if (error_.empty()) checkStatus("read");
}

std::string QtStore::location() const {
#ifdef Q_OS_WIN
  if (!ini_) return kRegistryRoot;
#endif
  return fromQ(QDir::toNativeSeparators(settings_->fileName()));
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
  if (!error_.empty()) return;
  switch (settings_->status()) {
    case QSettings::NoError: break;
    case QSettings::AccessError:
      error_ = std::string("cannot ") + action + " the store " + location();
      break;
    case QSettings::FormatError:
      error_ = "the store " + location() + " is not a readable INI file";
      break;
  }
}

std::string QtStore::read(std::string_view app, std::string_view section, std::string_view key) {
  const QVariant v = settings_->value(toQ(keyFor(app, section, key)));
  if (!v.isValid()) return {};
  // A hand-edited file may hold an unquoted "a,b", which QSettings reads as a list; the text
  // was the items joined by commas.
  if (v.typeId() == QMetaType::QStringList) return fromQ(v.toStringList().join(QLatin1Char(',')));
  return fromQ(v.toString());
}

void QtStore::save(std::string_view app, std::string_view section, std::string_view key,
                   std::string_view value) {
  settings_->setValue(toQ(keyFor(app, section, key)), toQ(value));
}

std::optional<std::string> QtStore::commit() {
  // One write of the whole store (QSettings writes a temporary file and renames it).
  settings_->sync();
  checkStatus("write");
  if (settings_->status() != QSettings::NoError) return error_.empty() ? "cannot write the store " + location() : error_;
  return std::nullopt;
}

}  // namespace quillet
