// The QSettings store: exact round-trips, names without regard to case, files on disk.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <random>

#include "../core/test_support.h"
#include "platform/FileLayer.h"
#include "store/QtStore.h"

#include <QSettings>
#include <QStringList>
#include <QVariant>

namespace quillet {
namespace {

namespace fs = std::filesystem;

class cliQtStore : public testing::Test {
 protected:
  std::string fileText() { return test::TempDir::readFile(file_); }
  // The store's file parses to what QSettings reads from it: the same keys (lower-cased) and
  // values (a list joined with ","), and an error where QSettings reports one.
  void expectReadAsQSettingsReadsIt() {
    std::map<std::string, std::string> ours, theirs;
    const bool ok = QtStore::parseIni(fileText(), ours);
    QSettings qt(QString::fromStdString(file_), QSettings::IniFormat);
    for (const QString& key : qt.allKeys()) {
      const QVariant v = qt.value(key);
      theirs[lowerAscii(key.toStdString())] =
          (v.typeId() == QMetaType::QStringList ? v.toStringList().join(',') : v.toString()).toStdString();
    }
    EXPECT_EQ(ok, qt.status() == QSettings::NoError) << fileText();
    EXPECT_EQ(ours, theirs) << fileText();
  }
  test::TempDir temp_{false};
  const fs::path dir_ = temp_.path();
  const std::string file_ = (dir_ / "store.ini").string();
};

// Any text made of the pieces an INI file treats specially comes back exactly from the file,
// and QSettings reads the file alike.
TEST_F(cliQtStore, AnyTextComesBackExactlyFromTheFile) {
  const std::string_view pieces[] = {
      ",",           " ", "\"",   "\\", ";",  "=",  "#",    "@",           "@Variant(",
      "@ByteArray(", ")", "True", "\t", "\r", "\n", "\x01", "Caf\xC3\xA9", "\xE2\x82\xAC",
      "a",           "[", "]",    "%"};
  std::mt19937 random(1);
  std::vector<std::string> values(400);
  for (std::string& v : values)
    for (auto n = random() % 7; n-- > 0;) v += pieces[random() % std::size(pieces)];
  {
    QtStore store(file_);
    for (std::size_t i = 0; i < values.size(); ++i)
      store.save("Quillet", "settings", std::to_string(i) + "k", values[i]);
    EXPECT_EQ(store.commit(), std::nullopt);
  }
  expectReadAsQSettingsReadsIt();
  QtStore again(file_);
  for (std::size_t i = 0; i < values.size(); ++i)
    EXPECT_EQ(again.read("Quillet", "settings", std::to_string(i) + "k"), values[i]) << i;
}

TEST_F(cliQtStore, TheOneReadingIsParsedAsQSettingsReadsIt) {
  const std::string texts[] = {
      "[init]\ncspath=/games/cstrike\n[settings]\nLan=True\n",
      "\xEF\xBB\xBF[General]\nx = a, b ,\" c \" \n; comment\n[%General]\ny=1\n",
      "[a%20b]\nk\\sub=\"line\\nbreak\\t\\x4a\\x4B\\101\\\"\"\nj=v;comment\nl=\"multi\nline\"\n",
      "[s]\r\nat=@@x\r\nba=@ByteArray(bytes)\r\np=@(x)\r\ncont=one\\\r\ntwo\r\nq=\"a,b\",c\r\ne=\r\n",
      "[s]\nno equals sign\n",
      "[s\nk=v\n",
      "[s]\n%U00e9=\xC3\xA9\n"};
  for (const std::string& text : texts) {
    test::writeFile(file_, text);
    expectReadAsQSettingsReadsIt();
  }
}

// The store QUILLET_STORE names: names match without regard to case and are kept in lower case,
// and nothing reaches the file before the one commit. A missing folder on the way is made; a
// folder in the file's place is an error.
TEST_F(cliQtStore, NamesPlacesAndTheOneCommit) {
  setenv("QUILLET_STORE", file_.c_str(), 1);
  QtStore store;
  unsetenv("QUILLET_STORE");
  EXPECT_EQ(store.location(), file_);
  store.save("Quillet", "settings", "NoIPX", "True");
  store.save("Quillet", "init", "cspath", "/games/cstrike");
  EXPECT_EQ(store.read("quillet", "SETTINGS", "noipx"), "True");
  EXPECT_EQ(store.read("QUILLET", "Init", "CSPath"), "/games/cstrike");
  EXPECT_EQ(store.read("Quillet", "settings", "NoJoy"), "");  // never written
  EXPECT_EQ(store.read("Quillet", "other", "NoIPX"), "");
  EXPECT_EQ(fileText(), "");
  EXPECT_EQ(store.commit(), std::nullopt);
  EXPECT_NE(fileText().find("[init]\ncspath=/games/cstrike"), std::string::npos) << fileText();
  EXPECT_NE(fileText().find("noipx=True"), std::string::npos) << fileText();

  const fs::path nested = dir_ / "a" / "b" / "store.ini";
  QtStore created(nested.string());
  EXPECT_EQ(created.error(), "");
  EXPECT_TRUE(fs::is_regular_file(nested));
  QtStore folder(dir_.string());
  EXPECT_NE(folder.error().find("is a folder"), std::string::npos) << folder.error();
}

TEST_F(cliQtStore, AFailedWriteKeepsTheOldStoreWholeAndAnUnreadableOneIsNeverWritten) {
  const std::string old = "[init]\ncspath=/games/old\n";
  test::writeFile(file_, old);
  for (files::Op op :
       {files::Op::Open, files::Op::Write, files::Op::Flush, files::Op::Sync, files::Op::Close, files::Op::Rename}) {
    for (int error : {EIO, ENOSPC}) {
      QtStore store(file_);
      store.save("Quillet", "init", "cspath", "/games/new");
      store.save("Quillet", "settings", "Lan", "True");
      files::failNth(op, 1, error);
      const auto failure = store.commit();
      files::clearFaults();
      ASSERT_TRUE(failure.has_value());
      EXPECT_TRUE(failure->ends_with(files::causeText(error))) << *failure;
      EXPECT_EQ(fileText(), old);
      EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
    }
  }
  // A store whose opening or reading fails is reported and never written: its keys would be lost.
  for (files::Op op : {files::Op::OpenRead, files::Op::Read}) {
    for (int error : {EIO, ENOSPC}) {
      files::failNth(op, 1, error, true);
      QtStore store(file_);
      files::clearFaults();
      EXPECT_EQ(store.error(), "cannot read the store " + file_ + ": " + files::causeText(error));
      store.save("Quillet", "settings", "Lan", "True");
      EXPECT_TRUE(store.commit().has_value());
      EXPECT_EQ(fileText(), old);
    }
  }
  // A FIFO in the store's place: reported at once, never waited on, never replaced.
  fs::remove(file_);
  ASSERT_EQ(::mkfifo(file_.c_str(), 0644), 0);
  QtStore fifo(file_);
  EXPECT_EQ(fifo.error(), "cannot read the store " + file_ + ": not a regular file");
  fifo.save("Quillet", "init", "cspath", "/games/new");
  EXPECT_TRUE(fifo.commit().has_value());
  EXPECT_EQ(fs::status(file_).type(), fs::file_type::fifo);
  // A link to nothing in its place: a write would create a file wherever it points, so the check
  // made before a Save reports it (a missing folder alone is no problem: the commit makes it).
  fs::remove(file_);
  fs::create_symlink(dir_ / "gone" / "store.ini", file_);
  EXPECT_NE(QtStore(file_, false).problem(), std::nullopt);
  EXPECT_EQ(QtStore((dir_ / "new" / "store.ini").string(), false).problem(), std::nullopt);
}

}  // namespace
}  // namespace quillet
