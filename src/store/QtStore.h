// The per-user settings store on QSettings.
//
// On Windows the values live in the registry under
// HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<application>\<section>, where an
// existing installation already keeps its game folder. Elsewhere, or when QUILLET_STORE names
// a file, they live in an INI file with one group per section and every name in lower case
// (the game folder is `cspath=` under `[init]`).
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Platform.h"

class QSettings;

namespace quillet {

class QtStore : public Store {
 public:
  // The user's own store: the file named by QUILLET_STORE when it is set, else the registry
  // (Windows) or quillet/quillet.ini in the user's configuration folder.
  // With `createWhenMissing` false a missing file stays missing until commit.
  explicit QtStore(bool createWhenMissing = true);
  // An INI file at `iniPath`; the file and its folder are created when missing.
  explicit QtStore(const std::string& iniPath, bool createWhenMissing = true);
  ~QtStore() override;

  QtStore(const QtStore&) = delete;
  QtStore& operator=(const QtStore&) = delete;

  std::string read(std::string_view app, std::string_view section, std::string_view key) override;
  // Keeps the value; commit puts every kept value on disk in one write.
  void save(std::string_view app, std::string_view section, std::string_view key, std::string_view value) override;
  std::optional<std::string> commit() override;
  std::optional<std::string> problem() override;

  // Where the values are kept: the INI file's path, or the registry key.
  std::string location() const;
  // Empty while all is well; otherwise what went wrong with the file (it could not be created,
  // read or written). Once set it stays set.
  const std::string& error() const { return error_; }

  // The INI file used when no other is named: quillet/quillet.ini in the user's configuration
  // folder.
  static std::string defaultIniPath();

  // Parses an INI file's bytes as QSettings reads them into `values` (keys "section/name" in
  // lower case, the General section's without a section). False when a line is malformed.
  static bool parseIni(std::string_view bytes, std::map<std::string, std::string>& values);

 private:
  void openIni(const std::string& path, bool createWhenMissing);
  std::string keyFor(std::string_view app, std::string_view section, std::string_view key) const;
  void checkStatus(const char* action);

  std::string iniText() const;

  std::unique_ptr<QSettings> settings_;  // the registry; an INI file is read into values_
  bool ini_ = true;
  std::string path_;
  std::map<std::string, std::string> values_;
  bool unreadable_ = false;  // the INI file is there but could not be read: never written
  bool pending_ = false;     // values saved since the last commit
  std::string error_;
};

}  // namespace quillet
