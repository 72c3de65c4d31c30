// Save as a whole: the confirmation, every failure at every file, planted files and links,
// files that could not be read, the stored preferences.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <cerrno>
#include <map>

#include "Checkpath/Checkpath.h"
#include "test_support.h"
#include "frmmain/MoreFunctions.h"
#include "platform/FileLayer.h"
#include "save/Backups.h"
#include "save/Diff.h"
#include "save/Save.h"

namespace quillet {
namespace {

namespace fs = std::filesystem;
using test::StagedStore;
using test::TempDir;

void writeOldFiles(const TempDir& dir) {
  for (std::string_view name : test::gameFiles()) dir.write(name, "old " + std::string(name));
}

// A folder holding every game file as "old <name>", a fresh model and store; no file fault
// outlives the test.
struct OldFolder : ::testing::Test {
  OldFolder() { writeOldFiles(dir); }
  void TearDown() override { files::clearFaults(); }
  TempDir dir;
  Model model;
  StagedStore store;
};

// Every name in the folder, with what each holds; a folder shows as "<folder>".
std::map<std::string, std::string> snapshot(const fs::path& folder) {
  std::map<std::string, std::string> out;
  for (const auto& e : fs::directory_iterator(folder)) {
    const std::string name = e.path().filename().string();
    if (e.is_symlink()) out[name] = "-> " + fs::read_symlink(e.path()).string();
    else if (e.is_directory()) out[name] = "<folder>";
    else if (e.is_regular_file()) out[name] = TempDir::readFile(e.path());
    else out[name] = "<special>";
  }
  return out;
}

std::string errorText(const TempDir& dir) { return saveErrorMessage(dir.str()).text; }

// ---------------------------------------------------------------- each operation failing

struct FaultRow {
  files::Op op;
  int nth;  // each file is backed up, then written: the odd calls copy, the even ones write
  int error;
  bool onward;  // that call and every later one fail
};

bool isRead(files::Op op) { return op == files::Op::OpenRead || op == files::Op::Read; }

std::vector<FaultRow> faultRows() {
  std::vector<FaultRow> rows;
  for (int error : {EIO, ENOSPC}) {
    for (bool onward : {false, true}) {
      for (files::Op op :
           {files::Op::Open, files::Op::Write, files::Op::Flush, files::Op::Sync, files::Op::Close, files::Op::Rename})
        for (int nth = 1; nth <= 12; ++nth) rows.push_back({op, nth, error, onward});
      // The reading of each old file for its backup copy, after the preview's: six opens, and
      // two reads of each file (its bytes, then its end).
      for (int file = 0; file < 6; ++file) {
        rows.push_back({files::Op::OpenRead, 7 + file, error, onward});
        rows.push_back({files::Op::Read, 13 + 2 * file, error, onward});
      }
    }
    rows.push_back({files::Op::Open, 0, error, false});  // the store's commit fails
  }
  return rows;
}

// The one backup folder's files and what they hold.
std::map<std::string, std::string> backupFiles(const TempDir& dir) {
  std::map<std::string, std::string> out;
  if (!dir.exists("quillet-backups")) return out;
  for (const auto& folder : fs::directory_iterator(dir / "quillet-backups"))
    for (const auto& [name, bytes] : snapshot(folder.path())) out[name] = bytes;
  return out;
}

struct SaveFault : OldFolder, ::testing::WithParamInterface<FaultRow> {};

TEST_P(SaveFault, FilesBeforeAreNewTheRestOldTheStoreWholeNothingLeftOver) {
  const FaultRow row = GetParam();
  const auto& names = test::gameFiles();
  store.MemoryStore::save("Quillet", "settings", "Lan", "old");
  model.setText(option("txtmotd"), "new message");
  test::FakeDialogs dialogs;
  if (row.nth > 0) files::failNth(row.op, row.nth, row.error, row.onward);
  else store.failWith = row.error;

  EXPECT_FALSE(saveCommand(model, dir.str(), store, dialogs));

  // The store is written with autoexec.cfg: its failure leaves autoexec.cfg old.
  const std::size_t firstOld = row.nth == 0                    ? 3
                               : row.op == files::Op::OpenRead ? static_cast<std::size_t>(row.nth - 7)
                               : row.op == files::Op::Read     ? static_cast<std::size_t>(row.nth - 13) / 2
                                                               : static_cast<std::size_t>(row.nth - 1) / 2;
  const bool atBackup = isRead(row.op) || row.nth % 2 == 1;
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(dialogs.shown[1].text, errorText(dir));
  // The detail names the file and the cause, then which files are new and which are old.
  std::string written, old;
  for (std::size_t i = 0; i < names.size(); ++i) {
    std::string& list = i < firstOld ? written : old;
    (list += list.empty() ? "" : ", ") += names[i];
  }
  EXPECT_EQ(dialogs.shown[1].detail, std::string(names[firstOld]) + ": " +
                                         (row.nth == 0     ? "the launch options and text colour could not be stored: "
                                          : isRead(row.op) ? ""
                                          : atBackup       ? "the old file could not be backed up: "
                                                           : "") +
                                         files::causeText(row.error) +
                                         "\nWritten: " + (written.empty() ? "none" : written) +
                                         "\nNot written, old bytes kept: " + old);
  auto expected = snapshot(dir.path());
  std::map<std::string, std::string> backedUp;
  for (std::size_t i = 0; i < names.size(); ++i) {
    const std::string name(names[i]);
    expected[name] = i < firstOld ? test::kSavedTexts[i](model) : "old " + name;
    if (i < firstOld || (i == firstOld && !atBackup)) backedUp[name] = "old " + name;
  }
  EXPECT_EQ(snapshot(dir.path()), expected);
  EXPECT_EQ(backupFiles(dir), backedUp);
  // The store is committed just before autoexec.cfg takes the old one's place.
  const bool storeNew = firstOld > 3 || (row.nth == 8 && row.op == files::Op::Rename);
  EXPECT_EQ(store.read("Quillet", "settings", "Lan"), storeNew ? "False" : "old");
}

INSTANTIATE_TEST_SUITE_P(EveryOperationAtEveryFile, SaveFault, ::testing::ValuesIn(faultRows()));

// ---------------------------------------------------------------- planted files and links

enum class Plant { File, LinkOutside, DanglingLink, Folder, Fifo, ReadOnly };

void plant(Plant what, const fs::path& at, const fs::path& outside) {
  switch (what) {
    case Plant::File: std::ofstream(at) << "planted"; break;
    case Plant::LinkOutside: fs::create_symlink(outside / "victim", at); break;
    case Plant::DanglingLink: fs::create_symlink(outside / "nothing", at); break;
    case Plant::Folder: fs::create_directory(at); break;
    case Plant::Fifo:
#ifndef _WIN32
      ASSERT_EQ(::mkfifo(at.c_str(), 0644), 0);
#endif
      break;
    case Plant::ReadOnly:
      std::ofstream(at) << "planted";
      fs::permissions(at, fs::perms::owner_read | fs::perms::group_read);
      break;
  }
}

struct PlantRow {
  Plant what;
  bool inPlace;        // in the game file's place, else at a temporary-looking name beside it
  std::string detail;  // the failure's cause, or "" when Save succeeds
};

TEST(Save, PlantedThingsAreNeverFollowedOpenedOrRemoved) {
  const PlantRow rows[] = {
      {Plant::File, false, ""},
      {Plant::LinkOutside, false, ""},
      {Plant::DanglingLink, false, ""},
      {Plant::Folder, false, ""},
      {Plant::Fifo, false, ""},
      {Plant::DanglingLink, true, "No such file or directory (it is a link to a file that is not there)"},
      {Plant::Folder, true, "not a regular file (a folder or other special file stands in its place; move it away)"},
      {Plant::Fifo, true, "not a regular file (a folder or other special file stands in its place; move it away)"},
      {Plant::ReadOnly, true, "Permission denied (the file is write-protected; clear its read-only mark)"},
  };
  const auto& names = test::gameFiles();
  for (const PlantRow& row : rows) {
#ifdef _WIN32
    // Windows has no FIFOs, and symbolic links need rights a user does not normally have.
    if (row.what == Plant::Fifo || row.what == Plant::LinkOutside || row.what == Plant::DanglingLink) continue;
#endif
    for (std::size_t at = 0; at < names.size(); ++at) {
      const std::string name(names[at]);
      TempDir dir, outside;
      writeOldFiles(dir);
      outside.write("victim", "keep me");
      if (row.inPlace) {
        fs::remove(dir / name);
        plant(row.what, dir / name, outside.path());
      } else {
        for (const std::string& temp : {"." + name + ".quillet-tmp", "." + name + ".tmp", name + ".tmp", name + "~"})
          plant(row.what, dir / temp, outside.path());
      }
      const auto before = snapshot(dir.path());
      const auto outsideBefore = snapshot(outside.path());
      Model model;
      MemoryStore store;
      const auto failure = saveFiles(model, dir.str(), store, {.backup = false});
      const std::string where =
          name + " row " + std::to_string(static_cast<int>(row.what)) + (row.inPlace ? " in place" : " beside");
      EXPECT_EQ(snapshot(outside.path()), outsideBefore) << where;
      // Every target is checked first: a failed check, and nothing is written.
      auto expected = before;
      if (row.detail.empty())
        for (std::size_t i = 0; i < names.size(); ++i) expected[std::string(names[i])] = test::kSavedTexts[i](model);
      EXPECT_EQ(snapshot(dir.path()), expected) << where;
      EXPECT_EQ(failure ? failure->detail : "",
                row.detail.empty() ? "" : name + ": " + row.detail + "; nothing was written")
          << where;
    }
  }
}

TEST(Save, ALinkedGameFileOrFolderIsWrittenThroughAndStaysALink) {
#ifdef _WIN32
  GTEST_SKIP() << "symbolic links need rights on Windows that a user does not normally have";
#endif
  struct LinkRow {
    std::string_view name;
    bool relative, linkFolder;
  };
  const LinkRow rows[] = {{"config.cfg", false, false}, {"server.cfg", true, false}, {"motd.txt", false, true}};
  for (const LinkRow& row : rows) {
    TempDir real, elsewhere(false), links;
    elsewhere.write("real.cfg", "old");
    fs::path game = real.path();
    if (row.linkFolder) {
      game = links / "game";
      fs::create_directory_symlink(real.path(), game);
    }
    if (row.relative) fs::create_symlink(fs::relative(elsewhere / "real.cfg", real.path()), real / row.name);
    else fs::create_symlink(elsewhere / "real.cfg", real / row.name);
    Model model;
    MemoryStore store;
    ASSERT_FALSE(saveFiles(model, game.string(), store).has_value()) << row.name;
    EXPECT_TRUE(fs::is_symlink(real / row.name)) << row.name;
    EXPECT_EQ(elsewhere.read("real.cfg"), TempDir::readFile(real / row.name)) << row.name;
    EXPECT_NE(elsewhere.read("real.cfg"), "old") << row.name;
    EXPECT_EQ(snapshot(elsewhere.path()).size(), 1u) << row.name << ": a temporary was left beside the target";
  }
}

// ---------------------------------------------------------------- files that could not be read

TEST(Save, AFileThatCouldNotBeReadBlocksSaveUntilReadAgain) {
  // Its opening fails (the file's place among the load's openings), or the first read of the
  // file, or the one after its bytes (before its end was seen); with either error.
  for (const auto& [name, opening] :
       {std::pair<std::string_view, int>{"autoexec.cfg", 1}, {"config.cfg", 2}, {"mapcycle.txt", 3}, {"motd.txt", 5}}) {
    for (const auto& [op, nth] : {std::pair{files::Op::Read, 1}, {files::Op::Read, 2}, {files::Op::OpenRead, opening}})
      for (int error : {EIO, ENOSPC}) {
        TempDir dir;
        dir.write(name, "mp_timelimit 45\r\nbind \"w\" \"+forward\"\r\nde_dust\r\n");
        MemoryStore store;
        Model model;
        files::failNth(op, nth, error);
        runLoadSequence(model, dir.str(), store);
        files::clearFaults();
        const auto before = snapshot(dir.path());
        test::FakeDialogs dialogs;
        EXPECT_FALSE(saveCommand(model, dir.str(), store, dialogs)) << name;
        ASSERT_EQ(dialogs.shown.size(), 2u);
        EXPECT_EQ(dialogs.shown[1].text, errorText(dir));
        EXPECT_EQ(dialogs.shown[1].detail, std::string(name) + ": " + files::causeText(error) +
                                               " (when the settings were loaded; nothing was written)");
        EXPECT_EQ(snapshot(dir.path()), before) << name;
        EXPECT_EQ(store.size(), 0u);
        runLoadSequence(model, dir.str(), store);
        EXPECT_FALSE(saveFiles(model, dir.str(), store).has_value()) << name << ": reading it again lifts the block";
      }
  }
}

// ---------------------------------------------------------------- the command as the user sees it

TEST_F(OldFolder, ConfirmationDecidesAndSuccessIsReported) {
  test::FakeDialogs dialogs;
  dialogs.otherwise = Answer::No;
  EXPECT_FALSE(saveCommand(model, dir.str(), store, dialogs));
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, saveConfirmMessage().text);
  EXPECT_TRUE(dialogs.shown[0].detail.starts_with(
      "--- mapcycle.txt\n+++ mapcycle.txt\n@@ -1,1 +1,0 @@\n-old mapcycle.txt  (no line end)\n--- motd.txt"))
      << dialogs.shown[0].detail;
  EXPECT_EQ(dir.read("config.cfg"), "old config.cfg");

  dialogs.otherwise = Answer::Yes;
  EXPECT_TRUE(saveCommand(model, dir.str(), store, dialogs));
  ASSERT_EQ(dialogs.shown.size(), 3u);
  EXPECT_EQ(dialogs.shown[2], saveSuccessMessage());
  const std::string first = dir.read("autoexec.cfg");
  EXPECT_TRUE(saveCommand(model, dir.str(), store, dialogs));
  EXPECT_EQ(dir.read("autoexec.cfg"), first);

  // A missing folder: the error at the first file, nothing created.
  EXPECT_FALSE(saveCommand(model, (dir / "nowhere").string(), store, dialogs));
  EXPECT_EQ(
      dialogs.shown.back(),
      saveErrorMessage((dir / "nowhere").string(),
                       {"mapcycle.txt: No such file or directory (its folder is not there); nothing was written"}));
  EXPECT_FALSE(dir.exists("nowhere"));
}

// ---------------------------------------------------------------- backups and restore

TEST_F(OldFolder, BackupsListOnlyTheirOwnAndRestoreTheMomentBeforeASave) {
  // Entries that are not Quillet's backups: listed never, and never a reason to fail.
  for (std::string_view odd : {"2024-01-01_000000-99999999999999999999", "2024-01-01_000000-x", "2024-01-01_00000",
                               "2024-01-01_000000--2", "2024-01-01_000000-restore-restore", "notes"})
    fs::create_directories(dir / "quillet-backups" / odd);
  test::writeFile(dir / "quillet-backups" / "2024-01-01_000001", "a file, not a folder");
  // A link to a folder (where the system can make one: not under Wine).
  std::error_code noLinks;
  fs::create_directory_symlink(dir / "cl_dlls", dir / "quillet-backups" / "2024-01-01_000002", noLinks);
  // Foreign folders of the right form sort by time, then number.
  for (std::string_view own : {"2024-01-01_000000", "2024-01-01_000000-10", "2024-01-01_000000-9-restore"})
    fs::create_directories(dir / "quillet-backups" / own);
  std::vector<std::string> listed;
  for (const Backup& b : listBackups(dir.str())) listed.push_back(b.name + (b.ofRestore ? " r" : ""));
  EXPECT_EQ(listed,
            (std::vector<std::string>{"2024-01-01_000000-10", "2024-01-01_000000-9-restore r", "2024-01-01_000000"}));

  // Three Saves, each changing other files; each restore brings the six files back to what they
  // were just before that Save, from whichever later backup holds each file.
  std::vector<std::map<std::string, std::string>> before;
  for (const auto& [name, value] : {std::pair{"txtmotd", "one"}, {"txtmotd", "two"}, {"txtname", "three"}}) {
    before.push_back(test::gameFileBytes(dir));
    model.setText(option(name), value);
    ASSERT_FALSE(saveFiles(model, dir.str(), store).has_value());
  }
  std::vector<std::string> saves;
  for (const Backup& b : listBackups(dir.str()))
    if (!b.name.starts_with("2024")) saves.insert(saves.begin(), b.name);
  ASSERT_EQ(saves.size(), 3u);
  for (std::size_t i = 3; i-- > 0;) {
    const RestoreResult result = restoreBackup(dir.str(), saves[i]);
    EXPECT_FALSE(result.failure.has_value()) << *result.failure;
    EXPECT_EQ(test::gameFileBytes(dir), before[i]) << i;
  }

  // A restore that a check stops changes nothing; the next plain restore takes the newest
  // Save's backup (not the restores' own) and finishes it.
  ASSERT_FALSE(saveFiles(model, dir.str(), store).has_value());
  const auto latest = test::gameFileBytes(dir);
  model.setText(option("txtname"), "four");
  ASSERT_FALSE(saveFiles(model, dir.str(), store).has_value());
  const auto saved = test::gameFileBytes(dir);
  fs::permissions(dir / "autoexec.cfg", fs::perms::owner_read);
  const RestoreResult stopped = restoreBackup(dir.str());
  ASSERT_TRUE(stopped.failure.has_value());
  EXPECT_EQ(
      *stopped.failure,
      "autoexec.cfg: Permission denied (the file is write-protected; clear its read-only mark); nothing was restored")
      << "the first write-protected file it would replace";
  EXPECT_EQ(test::gameFileBytes(dir), saved);
  fs::permissions(dir / "autoexec.cfg", fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_FALSE(restoreBackup(dir.str()).failure.has_value());
  EXPECT_EQ(test::gameFileBytes(dir), latest);
}

// A big old file (compared piece by piece) is backed up when Save changes it, not when it stays.
TEST_F(OldFolder, ABigOldFileIsBackedUpOnlyWhenChanged) {
  const std::string big(3 << 19, 'x');
  model.setText(option("txtmotd"), big);
  dir.write("motd.txt", motdText(model));
  ASSERT_FALSE(saveFiles(model, dir.str(), store).has_value());
  EXPECT_EQ(backupFiles(dir).count("motd.txt"), 0u);
  // Another file of the same size, every piece of it different.
  const std::string other = std::string(big.size(), 'y') + "ab";
  dir.write("motd.txt", other);
  ASSERT_FALSE(saveFiles(model, dir.str(), store).has_value());
  EXPECT_EQ(backupFiles(dir)["motd.txt"], other);
}

// Every operation of a restore failing, once or from then on, with either error: each file is
// either as it was or restored, the result lists exactly the restored ones and names the cause,
// and success is reported only when every file is restored.
TEST(Save, ARestoreThatFailsPartWayLeavesEachFileOldOrRestoredAndSaysWhich) {
  const auto& names = test::gameFiles();
  for (files::Op op : {files::Op::Open, files::Op::Write, files::Op::Flush, files::Op::Sync, files::Op::Close,
                       files::Op::Rename, files::Op::OpenRead, files::Op::Read}) {
    for (int error : {EIO, ENOSPC}) {
      for (bool onward : {false, true}) {
        for (int nth = 1;; ++nth) {
          TempDir dir;
          writeOldFiles(dir);
          MemoryStore store;
          Model model;
          ASSERT_FALSE(saveFiles(model, dir.str(), store).has_value());
          auto now = test::gameFileBytes(dir), target = now;
          for (auto& [name, bytes] : target) bytes = "old " + name;
          files::failNth(op, nth, error, onward);
          const RestoreResult result = restoreBackup(dir.str());
          files::clearFaults();
          std::vector<std::string> restored;
          for (std::string_view name : names) {
            const std::string file(name), bytes = dir.read(name);
            EXPECT_TRUE(bytes == now[file] || bytes == target[file]) << file;
            if (bytes == target[file]) restored.push_back(file);
          }
          EXPECT_EQ(result.restored, restored);
          if (!result.failure) {
            EXPECT_EQ(restored.size(), names.size());
            break;  // the fault lies beyond the restore's last call
          }
          EXPECT_NE(result.failure->find(files::causeText(error)), std::string::npos) << *result.failure;
          ASSERT_LT(nth, 40) << "the restore keeps failing";
        }
      }
    }
  }
}

TEST_F(OldFolder, StoresThePreferencesInOrderInOneCommit) {
  LoadDefaults(model);
  model.setPosition(option("scrollgreen"), 180);
  model.setText(option("txtport"), "27016");
  model.setText(option("cmbdeafultmap"), "de_d\xFCst");
  ASSERT_FALSE(saveFiles(model, dir.str(), store).has_value());
  EXPECT_EQ(store.keys,
            (std::vector<std::string>{
                "Quillet/settings/scrollred=255", "Quillet/settings/scrollgreen=180", "Quillet/settings/scrollblue=255",
                "Quillet/settings/NumericPing=False", "Quillet/settings/NoIPX=False", "Quillet/settings/NoJoy=False",
                "Quillet/settings/Console=False", "Quillet/settings/32bit=False", "Quillet/settings/Players=16",
                "Quillet/settings/Ip=", "Quillet/settings/Port=27016", "Quillet/settings/Map=de_d\xC3\xBCst",
                "Quillet/settings/Lan=False", "Quillet/settings/Master=True"}));
}

// Each case of tests/golden/diffs.txt: the bytes before, " -> ", the bytes after.
std::string diffOf(const std::string& input) {
  const std::size_t arrow = input.find(" -> ");
  return unifiedDiff("f", std::string_view(input).substr(0, arrow), std::string_view(input).substr(arrow + 4));
}

TEST(UnifiedDiff, ShowsLinesWithoutTheirEnds) { EXPECT_EQ(test::goldenCasesDiff("diffs.txt", diffOf), ""); }

}  // namespace
}  // namespace quillet
