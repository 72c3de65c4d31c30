// Save as a whole: order, failures at each file, atomic replacement, stored preferences.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "frmmain/MoreFunctions.h"
#include "save/Save.h"

namespace quillet {
namespace {

using test::TempDir;

struct ScriptedDialogs : Dialogs {
  Answer answer = Answer::Yes;
  std::vector<Message> shown;
  Answer show(const Message& m) override {
    shown.push_back(m);
    return m.buttons == Buttons::YesNo ? answer : Answer::Ok;
  }
};

// Fails the write of one named file after opening it, as a full disk would.
struct FailingCommit : FileLayer {
  std::string failAt;
  std::unique_ptr<OutFile> open(const std::filesystem::path& file) override {
    auto real = atomicFiles().open(file);
    if (!real || file.filename() != failAt) return real;
    struct Failing : OutFile {
      std::unique_ptr<OutFile> real;
      bool commit(std::string_view bytes) override { return real && !bytes.data(); }
    };
    auto f = std::make_unique<Failing>();
    f->real = std::move(real);
    return f;
  }
};

void writeOldFiles(const TempDir& dir) {
  for (std::string_view name : test::gameFiles()) dir.write(name, "old " + std::string(name));
}

std::vector<std::string> leftovers(const TempDir& dir) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(dir.path()))
    if (e.path().filename().string().find("quillet-tmp") != std::string::npos)
      names.push_back(e.path().filename().string());
  return names;
}

TEST(Save, FailureAtEachFileKeepsItsOldBytesAndStopsThere) {
  const auto& names = test::gameFiles();
  for (std::size_t failing = 0; failing < names.size(); ++failing) {
    for (bool folderInPlace : {true, false}) {
      TempDir dir;
      writeOldFiles(dir);
      if (folderInPlace) {
        std::filesystem::remove(dir / names[failing]);
        std::filesystem::create_directory(dir / names[failing]);
      }
      FailingCommit files;
      if (!folderInPlace) files.failAt = names[failing];
      Model model;
      MemoryStore store;
      const auto error = saveFiles(model, dir.str(), store, files);
      const std::string where = std::string(names[failing]) + (folderInPlace ? " (a folder)" : " (write fails)");
      ASSERT_TRUE(error.has_value()) << where;
      EXPECT_EQ(*error, "Quillet was for some reason unable to save your settings.\rMost likely one or more "
                        "of the files in " + dir.str() + " are writeprotected") << where;
      for (std::size_t i = 0; i < names.size(); ++i) {
        if (i == failing && folderInPlace) continue;
        const bool rewritten = i < failing;
        EXPECT_EQ(dir.read(names[i]) == "old " + std::string(names[i]), !rewritten)
            << names[i] << " when failing at " << where;
      }
      // The preferences are stored once autoexec.cfg could be opened.
      const bool stored = failing > 3 || (failing == 3 && !folderInPlace);
      EXPECT_EQ(store.size() > 0, stored) << where;
      EXPECT_TRUE(leftovers(dir).empty()) << where;
    }
  }
}

TEST(Save, MissingFolderWritesNothing) {
  TempDir dir;
  Model model;
  MemoryStore store;
  EXPECT_TRUE(saveFiles(model, (dir / "nowhere").string(), store).has_value());
  EXPECT_FALSE(dir.exists("nowhere"));
  EXPECT_EQ(store.size(), 0u);
}

TEST(Save, ReadOnlyFileIsNotReplaced) {
  TempDir dir;
  writeOldFiles(dir);
  std::filesystem::permissions(dir / "server.cfg", std::filesystem::perms::owner_read |
                                                       std::filesystem::perms::group_read);
  Model model;
  MemoryStore store;
  EXPECT_TRUE(saveFiles(model, dir.str(), store).has_value());
  EXPECT_EQ(dir.read("server.cfg"), "old server.cfg");
  EXPECT_EQ(dir.read("listenserver.cfg"), "old listenserver.cfg");
  EXPECT_NE(dir.read("autoexec.cfg"), "old autoexec.cfg");
}

TEST(Save, ConfirmationDecidesAndSuccessIsReported) {
  TempDir dir;
  writeOldFiles(dir);
  Model model;
  MemoryStore store;
  ScriptedDialogs dialogs;
  dialogs.answer = Answer::No;
  EXPECT_FALSE(saveCommand(model, dir.str(), store, dialogs));
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0], saveConfirmMessage());
  EXPECT_EQ(dialogs.shown[0].text,
            "This will overwrite your old:\r\nautoexec.cfg\r\nserver.cfg\r\nlistenserver.cfg\r\nmapcycle.txt\r\n"
            "If you want to keep it, please take a backup of this file now.\r\nContinue?");
  EXPECT_EQ(dir.read("config.cfg"), "old config.cfg");

  dialogs.answer = Answer::Yes;
  EXPECT_TRUE(saveCommand(model, dir.str(), store, dialogs));
  ASSERT_EQ(dialogs.shown.size(), 3u);
  EXPECT_EQ(dialogs.shown[2], (Message{"Success", "Settings saved!", Buttons::Ok, Icon::Information}));
  const std::string first = dir.read("autoexec.cfg");
  EXPECT_TRUE(saveCommand(model, dir.str(), store, dialogs));
  EXPECT_EQ(dir.read("autoexec.cfg"), first);

  std::filesystem::remove(dir / "mapcycle.txt");
  std::filesystem::create_directory(dir / "mapcycle.txt");
  EXPECT_FALSE(saveCommand(model, dir.str(), store, dialogs));
  EXPECT_EQ(dialogs.shown.back().title, "Error saving file");
  EXPECT_EQ(dialogs.shown.back().icon, Icon::Exclamation);
}

TEST(Save, StoresThePreferencesInOrder) {
  struct Recording : Store {
    std::vector<std::string> saved;
    std::string read(std::string_view, std::string_view, std::string_view) override { return {}; }
    void save(std::string_view app, std::string_view section, std::string_view key, std::string_view value) override {
      saved.push_back(std::string(app) + "/" + std::string(section) + "/" + std::string(key) + "=" + std::string(value));
    }
  } store;
  TempDir dir;
  Model model;
  LoadDefaults(model);
  model.setPosition(option("scrollgreen"), 180);
  model.setText(option("txtport"), "27016");
  model.setText(option("cmbdeafultmap"), "de_d\xFCst");
  ASSERT_FALSE(saveFiles(model, dir.str(), store).has_value());
  EXPECT_EQ(store.saved, (std::vector<std::string>{
                             "Quillet/settings/scrollred=255", "Quillet/settings/scrollgreen=180",
                             "Quillet/settings/scrollblue=255", "Quillet/settings/NumericPing=False",
                             "Quillet/settings/NoIPX=False", "Quillet/settings/NoJoy=False",
                             "Quillet/settings/Console=False", "Quillet/settings/32bit=False",
                             "Quillet/settings/Players=16", "Quillet/settings/Ip=",
                             "Quillet/settings/Port=27016", "Quillet/settings/Map=de_d\xC3\xBCst",
                             "Quillet/settings/Lan=False", "Quillet/settings/Master=True"}));
}

TEST(Save, WritesThroughALink) {
  TempDir dir, elsewhere;
  elsewhere.write("real.cfg", "old");
  std::filesystem::create_symlink(elsewhere / "real.cfg", dir / "server.cfg");
  Model model;
  MemoryStore store;
  ASSERT_FALSE(saveFiles(model, dir.str(), store).has_value());
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "server.cfg"));
  EXPECT_TRUE(elsewhere.read("real.cfg").ends_with("successfully loaded**\r\n"));
}

}  // namespace
}  // namespace quillet
