// The start-up readers: what each file's lines do to the model.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "Checkpath/Checkpath.h"
#include "Stringconverter/Filereader.h"
#include "Stringconverter/Readers.h"
#include "test_support.h"
#include "save/Save.h"
#include "settings/ValueForms.h"

namespace quillet {
namespace {

using test::TempDir;

// Records what a view would be told.
struct Recorder : ModelObserver {
  std::vector<std::string> events;
  void sliderChanged(const Option& o) override { events.push_back(std::string(o.control)); }
  void valueLabelWritten(const Option& o, std::string_view t) override {
    events.push_back(std::string(o.valueLabel) + "=" + std::string(t));
  }
};

// Each case of tests/golden/readers.txt: a file's name, a blank and its bytes; then every value
// that reading the file into a fresh model sets otherwise, the lines config.cfg keeps as the
// user's, what a view would be told (a slider that moved, a value label's word), the load errors.
std::string readResult(const std::string& input) {
  static const Model fresh;
  const std::string name = input.substr(0, input.find(' ')), bytes = input.substr(name.size() + 1);
  TempDir dir;
  dir.write(name, bytes);
  Model model;
  Recorder recorder;
  model.setObserver(&recorder);
  std::string errors, out;
  if (name == "autoexec.cfg") LoadAutoexec(dir / name, model, errors);
  if (name == "mapcycle.txt") LoadMapcycle(dir / name, model, errors);
  if (name == "motd.txt") LoadMotd(dir / name, model, errors);
  if (name == "config.cfg") LoadConfig(bytes, model, errors);
  if (name == "config.cfg") CollectConfigLines(bytes, model);
  for (const Option& o : catalogue())
    if (test::valueText(model, o) != test::valueText(fresh, o))
      out += std::string(o.control) + "=" + test::valueText(model, o) + "; ";
  if (!model.configKeptLines.empty()) out += "kept " + model.configKeptLines;
  for (const std::string& e : recorder.events) out += "[" + e + "]";
  return (out.empty() ? "unchanged" : out) + errors;
}

TEST(Readers, WhatEachFilesLinesDo) { EXPECT_EQ(test::goldenCasesDiff("readers.txt", readResult), ""); }

// The names config.cfg is written with, and those it is only read with, are Quillet's own: such
// lines are never kept as the user's.
TEST(CollectConfigLines, OwnsTheNamesConfigIsWrittenAndReadWith) {
  std::vector<std::string> owned = {"gl_polyoffset", "bgmvolume", "-mlook", "+jlook", "5"};
  const std::string config = configText(Model());
  for (LineReader r(config); !r.atEnd();)
    if (const std::string_view line = r.next(); !line.empty()) owned.emplace_back(line.substr(0, line.find(' ')));
  for (std::string_view n : owned) EXPECT_TRUE(configOwnsName(n)) << n;
  for (std::string_view n : {"bind", "", "allowupload", "cl_showfps", "hostname", "dm", "drawradar", "hideradar"})
    EXPECT_FALSE(configOwnsName(n)) << n;
}

// Long messages are read whole (the short ones: tests/golden/readers.txt).
TEST(LoadMotd, ReadsLongMessagesWhole) {
  TempDir dir;
  for (const std::string& text : {std::string(25000, 'x'), std::string(40000, '\x93')}) {
    dir.write("motd.txt", text);
    Model model;
    std::string errors;
    LoadMotd(dir / "motd.txt", model, errors);
    EXPECT_EQ(model.text(option("txtmotd")), text);
    EXPECT_EQ(errors, "");
  }
}

TEST(LoadErrors, EachMissingFileReportsOnce) {
  TempDir dir;
  Model model;
  MemoryStore store;
  std::string errors = runLoadSequence(model, dir.str(), store);
  EXPECT_EQ(errors, std::string(kAutoexecError) + std::string(kConfigError) + std::string(kMapcycleError) +
                        std::string(kMotdError));
  EXPECT_FALSE(dir.exists("motd.txt"));
  // A second load in the same run does not report the map cycle again.
  errors = runLoadSequence(model, dir.str(), store);
  EXPECT_EQ(errors.find("mapcycle"), std::string::npos);
  // A folder in a file's place cannot be opened either.
  std::filesystem::create_directory(dir / "autoexec.cfg");
  EXPECT_TRUE(runLoadSequence(model, dir.str(), store).starts_with(kAutoexecError));
}

TEST(LoadSequence, ClearsWhatThePreviousFolderSet) {
  TempDir first, second;
  first.write("autoexec.cfg", "crosshair 1\r\nmp_cheats 1\r\nhostname Mine\r\nmp_c4timer 45\r\n");
  first.write("config.cfg", "bind a b\r\n");
  first.write("mapcycle.txt", "de_dust\r\n");
  first.write("motd.txt", "Welcome\r\n");
  second.write("config.cfg", "bind c d\r\n");
  for (const bool keep : {false, true}) {
    Model fresh, model;
    fresh.keepOwnLinesForRun = model.keepOwnLinesForRun = keep;
    MemoryStore store;
    runLoadSequence(fresh, second.str(), store);
    runLoadSequence(model, first.str(), store);
    ASSERT_TRUE(model.checked(option("img_video(2)")));
    ASSERT_EQ(model.text(option("txtservername")), "Mine");
    runLoadSequence(model, second.str(), store);
    // Every value is the one a first start on the second folder shows.
    for (const Option& o : catalogue())
      EXPECT_EQ(test::valueText(model, o), test::valueText(fresh, o)) << o.control << (keep ? " (keep)" : "");
    EXPECT_EQ(model.configKeptLines, "bind c d\r\n");
  }
}

TEST(LoadSequence, BriefingAndPicture) {
  test::FakePictures pictures;
  TempDir dir;
  dir.write("maps/as_forest.txt", std::string(45000, 'b'));
  Model model;
  MemoryStore store;
  const std::string errors = runLoadSequence(model, dir.str(), store, &pictures, "/opt/quillet");
  EXPECT_EQ(model.mapInfo, std::string(45000, 'b'));
  ASSERT_EQ(pictures.asked.size(), 1u);
  EXPECT_EQ(pictures.asked[0], std::filesystem::path("/opt/quillet/img/as_forest.jpg"));
  EXPECT_TRUE(errors.ends_with(kPictureError));
}

TEST(CheckPath, ClDllsEntry) {
  TempDir none(false);
  EXPECT_FALSE(hasClDlls(none.str()));
  none.write("cl_dlls", "a file passes too");
  EXPECT_TRUE(hasClDlls(none.str()));
  EXPECT_TRUE(hasClDlls(none.str() + "/"));
  TempDir upper(false);
  std::filesystem::create_directory(upper / "CL_DLLS");
  EXPECT_TRUE(hasClDlls(upper.str()));
  EXPECT_FALSE(hasClDlls(upper.str() + "/missing"));
}

#ifdef _WIN32
// Game folders typed as Windows users type them: backslashes, a trailing separator, forward
// slashes, a lower-case drive letter, and a folder name beyond ASCII (reached through the
// wide-character calls). Save writes into each and the readers find the files again.
TEST(CheckPath, WindowsPathForms) {
  TempDir root(false);
  const std::filesystem::path game = root.path() / std::filesystem::path(u8"Spiele Caf\u00e9 \u03a9") / "cstrike";
  std::filesystem::create_directories(game / "cl_dlls");
  const std::u8string wide = game.u8string();
  std::string typed(wide.begin(), wide.end());
  ASSERT_NE(typed.find('\\'), std::string::npos) << typed;
  std::string forward = typed, lowerDrive = typed;
  std::replace(forward.begin(), forward.end(), '\\', '/');
  lowerDrive[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(lowerDrive[0])));
  for (const std::string& folder : {typed, typed + "\\", forward, lowerDrive}) {
    SCOPED_TRACE(folder);
    EXPECT_TRUE(hasClDlls(folder));
    std::filesystem::remove(game / "autoexec.cfg");
    Model model;
    model.setPosition(option("scrollgamma"), 25);
    MemoryStore store;
    ASSERT_FALSE(saveFiles(model, folder, store).has_value());
    EXPECT_TRUE(std::filesystem::is_regular_file(game / "autoexec.cfg"));
    Model again;
    EXPECT_EQ(runLoadSequence(again, folder, store), "");
    EXPECT_EQ(again.position(option("scrollgamma")), 25);
  }
  EXPECT_FALSE(hasClDlls(typed + "\\missing"));
}
#endif

}  // namespace
}  // namespace quillet
