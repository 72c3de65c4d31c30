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

struct Outcome {
  std::string_view control;  // a toggle, slider or text
  std::string want;          // as test::valueText shows it
};

struct ReaderCase {
  std::string_view file;  // autoexec.cfg or config.cfg
  std::string_view content;
  std::vector<Outcome> outcomes;
};

void runReaderCases(const std::vector<ReaderCase>& cases) {
  for (const ReaderCase& c : cases) {
    TempDir dir;
    dir.write(c.file, c.content);
    Model model;
    std::string errors;
    if (c.file == "autoexec.cfg") LoadAutoexec(dir / "autoexec.cfg", model, errors);
    else LoadConfig(std::string(c.content), model, errors);
    EXPECT_EQ(errors, "") << c.content;
    for (const Outcome& o : c.outcomes)
      EXPECT_EQ(test::valueText(model, option(o.control)), o.want) << c.file << " holding: " << c.content;
  }
}

TEST(LoadAutoexec, AppliesItsVocabulary) {
  runReaderCases({
      {"autoexec.cfg", "crosshair 0", {{"img_video(2)", "0"}}},
      {"autoexec.cfg", "crosshair 1\r\ncrosshair 0\r\n", {{"img_video(2)", "0"}}},
      {"autoexec.cfg", "cl_showfps 0", {{"img_video(1)", "0"}}},
      {"autoexec.cfg", "cl_showfps 1.0", {{"img_video(1)", "1"}}},
      {"autoexec.cfg", "cl_showfps 1.5", {{"img_video(1)", "0"}}},
      {"autoexec.cfg", "gamma 2.25", {{"scrollgamma", "22"}}},
      {"autoexec.cfg", "gamma 2.75", {{"scrollgamma", "28"}}},
      {"autoexec.cfg", "gamma 5", {{"scrollgamma", "0"}}},
      {"autoexec.cfg", "GAMMA \"2.5\"", {{"scrollgamma", "25"}}},
      {"autoexec.cfg", "Gamma 2.5", {{"scrollgamma", "25"}}},
      {"autoexec.cfg", "gamma 99\r\nfps_max 50", {{"scrollgamma", "0"}, {"scrollmaxfps", "50"}}},
      {"autoexec.cfg", "pushlatency -50", {{"scrolllatency", "50"}}},
      {"autoexec.cfg", "pushlatency 50", {{"scrolllatency", "10"}}},
      {"autoexec.cfg", "volume 25", {{"scrollvolume", "10"}}},
      {"autoexec.cfg", "volume 0.6", {{"scrollvolume", "1"}}},
      {"autoexec.cfg", "volume -2", {{"scrollvolume", "0"}}},
      {"autoexec.cfg", "mp_ghostfrequency 0.5", {{"scrollghostfreq", "5"}}},
      {"autoexec.cfg", "rate 99999999999", {{"scrollrate", "1500"}}},
      {"autoexec.cfg", "setinfo ghosts 1", {{"img_client(4)", "1"}}},
      {"autoexec.cfg", "setinfo ghosts \"1\"", {{"img_client(4)", "0"}}},
      {"autoexec.cfg", "setinfo \"ghosts\" 1", {{"img_client(4)", "1"}}},
      {"autoexec.cfg", "drawradar", {{"img_video(3)", "1"}}},
      {"autoexec.cfg", "hideradar", {{"img_video(3)", "0"}}},
      {"autoexec.cfg", "+mlook\r\n+jlook", {{"img_controls(1)", "1"}, {"img_controls(3)", "1"}}},
      {"autoexec.cfg", "gl_polyoffset 20", {{"img_video(9)", "1"}}},
      {"autoexec.cfg", "gl_polyoffset 1", {{"img_video(9)", "0"}}},
      {"autoexec.cfg", "gl_texturemode GL_LINEAR_MIPMAP_LINEAR", {{"img_video(8)", "1"}}},
      {"autoexec.cfg", "setinfo ah 1\r\ndm 1", {{"img_client(0)", "0"}, {"img_client(1)", "1"}}},
      {"autoexec.cfg", "console 1", {{"ClientOptions(6)", "1"}}},
      {"autoexec.cfg", "net_graphpos 2", {{"cmbnetgraphpos", "Center"}}},
      {"autoexec.cfg", "net_graphpos 4", {{"cmbnetgraphpos", "Bottom right"}}},
      {"autoexec.cfg", "name \"Red Fox\"", {{"txtname", "Red Fox"}}},
      {"autoexec.cfg", "name Red Fox", {{"txtname", "Red Fox"}}},
      {"autoexec.cfg", "name", {{"txtname", ""}}},
      {"autoexec.cfg", "name \"a, b\"", {{"txtname", "a"}}},
      {"autoexec.cfg", "\"name Smith, John\"", {{"txtname", "Smith, John"}}},
      {"config.cfg", "\"name Smith, John\"", {{"txtname", "Smith, John"}}},
      {"autoexec.cfg", "hostname \"My Server\"\r\nteam CT", {{"txtservername", "My Server"}, {"txtteam", "CT"}}},
      {"autoexec.cfg", "con_color 255,180,30", {{"scrollred", "0"}}},
      {"autoexec.cfg", "allowupload 1", {{"img_client(12)", "0"}}},
      {"autoexec.cfg", "mp_friendlyfire 1,sv_cheats 1", {{"img_server(4)", "1"}, {"img_moreserver(3)", "1"}}},
      {"autoexec.cfg", " \tmp_c4timer 60  ", {{"scrollbombtimer", "60"}}},
      {"autoexec.cfg", "mp_c4timer\t60", {{"scrollbombtimer", "15"}}},
  });
}

TEST(LoadConfig, AppliesItsVocabulary) {
  runReaderCases({
      {"config.cfg", "+mlook", {{"img_controls(1)", "1"}}},
      {"config.cfg", "-mlook", {{"img_controls(1)", "0"}}},
      {"config.cfg", "sensitivity \"3.5\"", {{"scrollsensity", "4"}}},
      {"config.cfg", "sensitivity \"2.5\"", {{"scrollsensity", "2"}}},
      {"config.cfg", "volume \"0.800000\"", {{"scrollvolume", "1"}}},
      {"config.cfg", "volume \"25\"", {{"scrollvolume", "0"}}},
      {"config.cfg", "crosshair 0", {{"img_video(2)", "0"}}},
      {"config.cfg", "crosshair \"1\"", {{"img_video(2)", "1"}}},
      {"config.cfg", "setinfo \"ah\" \"1\"", {{"img_client(0)", "1"}}},
      {"config.cfg", "setinfo ah 1", {{"img_client(0)", "1"}}},
      {"config.cfg", "setinfo ah 1.0", {{"img_client(0)", "0"}}},
      {"config.cfg", "setinfo dm 1\r\nsetinfo \"ghosts\" \"1\"", {{"img_client(1)", "1"}, {"img_client(4)", "1"}}},
      {"config.cfg", "console \"1\"", {{"ClientOptions(6)", "1"}}},
      {"config.cfg", "name \"Player\"\r\nteam \"x\"", {{"txtname", "Player"}, {"txtteam", ""}}},
      {"config.cfg", "fastsprites 1", {{"scrollsmoke", "1"}}},
      {"config.cfg", "cl_showfps 1\r\nhud_fastswitch 1", {{"img_video(1)", "0"}, {"img_moreclient(0)", "0"}}},
      {"config.cfg", "  gamma 2", {{"scrollgamma", "20"}}},
  });
}

TEST(LoadAutoexec, SmokeLabelWordsAndNotifications) {
  struct Case {
    std::string_view content;
    std::vector<std::string> events;
  };
  const Case cases[] = {
      {"fastsprites 1", {"lblsmoke=Medium", "scrollsmoke"}},  // moves: the slider then says "Med"
      {"fastsprites 2", {"lblsmoke=Low"}},                    // already at 0: the word stays
      {"fastsprites 3", {}},
      {"gamma 0", {}},  // the current position is no change
      {"gamma 1\r\ngamma 1", {"scrollgamma"}},
  };
  for (const Case& c : cases) {
    TempDir dir;
    dir.write("autoexec.cfg", c.content);
    Model model;
    Recorder recorder;
    model.setObserver(&recorder);
    std::string errors;
    LoadAutoexec(dir / "autoexec.cfg", model, errors);
    EXPECT_EQ(recorder.events, c.events) << c.content;
  }
}

TEST(CollectConfigLines, KeepsForeignLinesAsWritten) {
  struct Case {
    std::string_view content, kept;
  };
  const Case cases[] = {
      {"", ""},
      {"bind \"W\" \"+FORWARD\"\r\ngamma 2\r\n", "bind \"W\" \"+FORWARD\"\r\n"},
      {"echo a,b\n", "echo a,b\r\n"},
      {"Gamma 1\nSETINFO x 1\n-MLOOK\n5 x\nbgmvolume 1\n", ""},
      {" gamma 2\n\tcrosshair 1\n", ""},
      {"\n\nalias x y\r", "\r\n\r\nalias x y\r\n"},
      {"gamma\t2\n", "gamma\t2\r\n"},
  };
  for (const Case& c : cases) {
    Model model;
    CollectConfigLines(std::string(c.content), model);
    EXPECT_EQ(model.configKeptLines, c.kept) << c.content;
  }
}

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

TEST(MapcycleAndMotd, ReadBack) {
  TempDir dir;
  dir.write("mapcycle.txt", "de_dust\ncs_italy,as_oilrig\nDE_NUKE\ncustom_map\nde_dust  \n");
  Model model;
  std::string errors;
  LoadMapcycle(dir / "mapcycle.txt", model, errors);
  std::vector<int> on;
  for (std::size_t i = 0; i < kMaps.size(); ++i)
    if (model.checked(Table::Map, static_cast<int>(i))) on.push_back(static_cast<int>(i));
  EXPECT_EQ(on, (std::vector<int>{1, 8, 13}));

  struct Motd {
    std::string bytes, text;
  };
  const Motd motds[] = {{"", ""},
                        {"hi\r\n", "hi"},
                        {"hi\n", "hi"},
                        {"hi\r\n\r\n", "hi\r\n"},
                        {"a\rb\r", "a\rb\r"},
                        {std::string(25000, 'x'), std::string(25000, 'x')},
                        {std::string(40000, '\x93'), std::string(40000, '\x93')}};
  for (const Motd& m : motds) {
    dir.write("motd.txt", m.bytes);
    LoadMotd(dir / "motd.txt", model, errors);
    EXPECT_EQ(model.text(option("txtmotd")), m.text) << m.bytes.substr(0, 20);
  }
  EXPECT_EQ(errors, "");
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
  struct Pictures : PictureLoader {
    std::vector<std::filesystem::path> asked;
    bool ok = false;
    bool loadPreview(const std::filesystem::path& p) override {
      asked.push_back(p);
      return ok;
    }
  } pictures;
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
