// The QSettings store: exact round-trips, names without regard to case, files on disk.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "qt/store/QtStore.h"

namespace quillet {
namespace {

namespace fs = std::filesystem;

class cliQtStore : public testing::Test {
 protected:
  void SetUp() override {
    std::string tmpl = (fs::temp_directory_path() / "quillet-store-XXXXXX").string();
    ASSERT_NE(mkdtemp(tmpl.data()), nullptr);
    dir_ = tmpl;
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string fileText(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  fs::path dir_;
};

TEST_F(cliQtStore, AnyTextComesBackExactlyInAnotherStoreOnTheSameFile) {
  const std::string values[] = {"a,b",        "a, b ,c",  "\"quoted\"", "back\\slash\\", "  lead",
                                "trail  ",    "",         "Caf\xC3\xA9 \xE2\x82\xAC", "True",
                                "line\nbreak\r\n", "@Variant(x)", "semi;colon", "=eq", "#hash", "tab\there",
                                "c:\\games\\half-life\\cstrike"};
  const std::string file = (dir_ / "store.ini").string();
  {
    QtStore store(file);
    for (std::size_t i = 0; i < std::size(values); ++i)
      store.save("Quillet", "settings", "key" + std::to_string(i), values[i]);
    EXPECT_EQ(store.error(), "");
  }
  QtStore again(file);
  for (std::size_t i = 0; i < std::size(values); ++i)
    EXPECT_EQ(again.read("Quillet", "settings", "key" + std::to_string(i)), values[i]) << i;
}

TEST_F(cliQtStore, NamesMatchWithoutRegardToCaseAndAreKeptInLowerCase) {
  const fs::path file = dir_ / "store.ini";
  QtStore store(file.string());
  store.save("Quillet", "settings", "NoIPX", "True");
  store.save("Quillet", "init", "cspath", "/games/cstrike");
  EXPECT_EQ(store.read("quillet", "SETTINGS", "noipx"), "True");
  EXPECT_EQ(store.read("QUILLET", "Init", "CSPath"), "/games/cstrike");
  EXPECT_EQ(store.read("Quillet", "settings", "NoJoy"), "");  // never written
  EXPECT_EQ(store.read("Quillet", "other", "NoIPX"), "");
  const std::string text = fileText(file);
  EXPECT_NE(text.find("[init]\ncspath=/games/cstrike"), std::string::npos) << text;
  EXPECT_NE(text.find("noipx=True"), std::string::npos) << text;
}

TEST_F(cliQtStore, CreatesAMissingFileAndFolder) {
  const fs::path file = dir_ / "a" / "b" / "store.ini";
  QtStore store(file.string());
  EXPECT_EQ(store.error(), "");
  EXPECT_TRUE(fs::is_regular_file(file));
  EXPECT_EQ(store.location(), file.string());
}

TEST_F(cliQtStore, AFolderInPlaceOfTheFileIsReported) {
  QtStore store(dir_.string());
  EXPECT_NE(store.error().find("is a folder"), std::string::npos) << store.error();
}

TEST_F(cliQtStore, TheEnvironmentNamesTheUsersStore) {
  const fs::path file = dir_ / "env.ini";
  setenv("QUILLET_STORE", file.c_str(), 1);
  QtStore store;
  unsetenv("QUILLET_STORE");
  EXPECT_EQ(store.location(), file.string());
  store.save("Quillet", "settings", "Port", "27015");
  EXPECT_NE(fileText(file).find("port=27015"), std::string::npos);
}

}  // namespace
}  // namespace quillet
