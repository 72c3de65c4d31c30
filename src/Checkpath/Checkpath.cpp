#include "Checkpath/Checkpath.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <system_error>

#include "Stringconverter/Filereader.h"
#include "Stringconverter/Readers.h"
#include "Stringconverter/StoredPreferences.h"

namespace quillet {
bool hasClDlls(const std::string& gamePath) {
  std::error_code ec;
  if (std::filesystem::exists(gameFile(gamePath, "cl_dlls"), ec)) return true;
  // On a case-sensitive file system the folder may be spelled CL_DLLS or Cl_Dlls.
  // Compared in the platform's own spelling: a name it cannot convert to text (on Windows) is
  // no reason to fail.
  constexpr std::string_view kName = "cl_dlls";
  for (std::filesystem::directory_iterator it(gameFolder(gamePath), ec), end; !ec && it != end; it.increment(ec)) {
    const std::filesystem::path file = it->path().filename();
    const auto& name = file.native();
    if (name.size() == kName.size() && std::equal(name.begin(), name.end(), kName.begin(), [](auto c, char k) {
          return c == static_cast<decltype(c)>(k) || (k >= 'a' && k <= 'z' && c == static_cast<decltype(c)>(k - 32));
        }))
      return true;
  }
  return false;
}

std::filesystem::path pictureHome(const std::filesystem::path& executableDir) {
  std::error_code ec;
  if (std::filesystem::is_directory(executableDir / "img", ec)) return executableDir;
  const std::filesystem::path installed = executableDir / ".." / "share" / "quillet";
  if (std::filesystem::is_directory(installed / "img", ec)) return installed.lexically_normal();
  return executableDir;
}

std::string runLoadSequence(Model& model, const std::string& gamePath, Store& store, PictureLoader* pictures,
                            const std::filesystem::path& programDir) {
  std::string errors;
  // Every load starts from the values a first start starts from: a new folder never inherits
  // the values of the one read before.
  model.resetToDesign();
  model.configKeptLines.clear();
  model.unreadable.clear();
  // Changes of key bindings are for the files they were made on.
  model.keyEdits.clear();
  // A step that fails (out of memory on a huge file, a path the system cannot spell) is skipped
  // and the sequence goes on; its cause is listed with the files that could not be read, which
  // also keeps Save from writing over what the pages may not hold.
  const auto step = [&](std::string_view what, auto&& run) {
    try {
      run();
    } catch (const std::exception& e) {
      model.unreadable.push_back(std::string(what) + ": " + e.what());
    }
  };
  step("the stored settings",
       [&] { model.keepOwnLines = model.keepOwnLinesForRun.value_or(storedKeepOwnLines(store)); });

  // autoexec.cfg and config.cfg are read once: the values in force read the same bytes.
  std::optional<std::string> autoexec, config;
  step("autoexec.cfg", [&] {
    autoexec = readFileBytes(gameFile(gamePath, "autoexec.cfg"), &model.unreadable);
    LoadAutoexec(autoexec, model, errors);
    if (!model.keepOwnLines) autoexec.reset();  // nothing else reads it
  });
  step("config.cfg", [&] {
    config = readFileBytes(gameFile(gamePath, "config.cfg"), &model.unreadable);
    // The kept lines of config.cfg are gathered in the same scan: they change no option, and
    // nothing before Save reads them.
    LoadConfigWithKeptLines(config, model, errors);
  });
  if (model.keepOwnLines) {
    step("the values in force", [&] {
      // A server file that is there but cannot be read is reported like the others: Save would
      // lose its lines. (autoexec.cfg's reader has reported its own already.)
      const auto server = readFileBytes(gameFile(gamePath, "server.cfg"), &model.unreadable);
      const auto listen = readFileBytes(gameFile(gamePath, "listenserver.cfg"), &model.unreadable);
      const auto at = [](const std::optional<std::string>& bytes) { return bytes ? &*bytes : nullptr; };
      LoadValuesInForce({at(autoexec), at(config), at(server), at(listen)}, model);
    });
  }
  step("mapcycle.txt", [&] { LoadMapcycle(gameFile(gamePath, "mapcycle.txt"), model, errors); });
  step("maps/as_forest.txt", [&] { LoadMapBriefing(gameFile(gamePath, "maps/as_forest.txt"), model); });
  step("motd.txt", [&] { LoadMotd(gameFile(gamePath, "motd.txt"), model, errors); });
  step("the stored settings", [&] { LoadStoredPreferences(model, store); });
  if (pictures && !pictures->loadPreview(programDir / "img" / "as_forest.jpg")) errors += kPictureError;
  return errors;
}

}  // namespace quillet
