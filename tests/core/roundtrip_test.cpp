// Load and Save are each other's inverse: one round reaches a fixed point, on the players' own
// files and on generated nasty ones, and nothing of the user's own config.cfg lines is lost.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>

#include "Checkpath/Checkpath.h"
#include "Stringconverter/StoredPreferences.h"
#include "Stringconverter/Filereader.h"
#include "Stringconverter/Readers.h"
#include "test_support.h"
#include "save/Save.h"

namespace quillet {
namespace {

using test::TempDir;

using Files = std::map<std::string, std::string>;

// The six game files' bytes ("" for a missing one).
Files readAll(const TempDir& dir) {
  Files out;
  for (std::string_view name : test::gameFiles()) out[std::string(name)] = dir.read(name);
  return out;
}

Files loadAndSave(const TempDir& dir, Store& store) {
  Model model;
  runLoadSequence(model, dir.str(), store);
  EXPECT_FALSE(saveFiles(model, dir.str(), store).has_value()) << dir.str();
  return readAll(dir);
}

void expectFixedPoint(const TempDir& dir, const std::string& what) {
  MemoryStore store;
  const Files first = loadAndSave(dir, store);
  const Files second = loadAndSave(dir, store);
  for (const auto& [name, bytes] : first)
    EXPECT_EQ(second.at(name), bytes) << name << " changed in the second round of " << what;
}

// The files of one kind ("config", "mapcycle") under a root laid out like the corpus.
std::vector<std::filesystem::path> filesOfKind(const std::filesystem::path& root, const std::string& kind) {
  std::vector<std::filesystem::path> files;
  for (const auto& e : std::filesystem::directory_iterator(root / kind)) files.push_back(e.path());
  std::sort(files.begin(), files.end());
  return files;
}

// Each file in its place in a game folder of its own: Load and Save reach a fixed point.
int expectEveryFileAFixedPoint(const std::filesystem::path& root) {
  const std::pair<std::string, std::string> roles[] = {
      {"config", "config.cfg"},          {"autoexec", "autoexec.cfg"},
      {"server", "server.cfg"},          {"listenserver", "listenserver.cfg"},
      {"mapcycle", "mapcycle.txt"},      {"motd", "motd.txt"},
      {"briefing", "maps/as_forest.txt"}};
  int seen = 0;
  for (const auto& [kind, name] : roles) {
    for (const auto& file : filesOfKind(root, kind)) {
      TempDir dir;
      dir.write(name, TempDir::readFile(file));
      expectFixedPoint(dir, file.string());
      ++seen;
    }
  }
  return seen;
}

// Every config.cfg with the first of the other kinds beside it: a fixed point, and every line
// whose first word Quillet does not own is still there, as written.
void expectTheUsersLinesKept(const std::filesystem::path& root) {
  for (const auto& config : filesOfKind(root, "config")) {
    TempDir dir;
    const std::string original = TempDir::readFile(config);
    dir.write("config.cfg", original);
    dir.write("autoexec.cfg", TempDir::readFile(filesOfKind(root, "autoexec").front()));
    dir.write("mapcycle.txt", TempDir::readFile(filesOfKind(root, "mapcycle").front()));
    dir.write("motd.txt", TempDir::readFile(filesOfKind(root, "motd").front()));
    expectFixedPoint(dir, config.string());
    const std::string saved = dir.read("config.cfg");
    LineReader lines(original);
    while (!lines.atEnd()) {
      std::string_view line = lines.next();
      std::string_view rest = line;
      while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t')) rest.remove_prefix(1);
      if (rest.empty() || configOwnsName(lowerAscii(rest.substr(0, rest.find(' '))))) continue;
      EXPECT_NE(saved.find(std::string(rest)), std::string::npos) << config << " lost: " << line;
    }
  }
}

TEST(RoundTrip, EveryFixtureFileInItsPlace) { EXPECT_EQ(expectEveryFileAFixedPoint(test::fixtureDir()), 7); }

TEST(RoundTrip, EveryCorpusFileInItsPlace) {
  QUILLET_SKIP_WITHOUT_CORPUS();
  EXPECT_GE(expectEveryFileAFixedPoint(QUILLET_CORPUS_DIR), 14);
}

TEST(RoundTrip, AllFilesTogetherKeepTheUsersLines) {
  expectTheUsersLinesKept(test::fixtureDir());
  if (test::haveCorpus()) expectTheUsersLinesKept(QUILLET_CORPUS_DIR);
}

// Random game files made of the pieces players' files are made of, and worse.
class NastyFiles {
 public:
  explicit NastyFiles(unsigned seed, bool serverNames = false) : serverNames_(serverNames), rng_(seed) {}

  std::string file() {
    std::string out;
    const int lines = pick(0, 40);
    for (int i = 0; i < lines; ++i) out += line() + eol();
    if (chance(4)) out += line();  // no line end at the very end
    return out;
  }

 private:
  std::string line() {
    switch (pick(0, 9)) {
      case 0: return "";
      case 1: return blanks() + "bind \"" + word() + "\" \"" + word() + "\"";
      case 2: return std::string("// ").append(junk());
      case 3: return item() + "," + item();
      case 4: return std::string("\"").append(item());
      default: return blanks() + item();
    }
  }
  std::string item() {
    static const std::vector<std::string> names = {"gamma",       "brightness",      "name",
                                                   "team",        "hostname",        "crosshair",
                                                   "gl_dither",   "setinfo ah",      "setinfo \"ghosts\"",
                                                   "setinfo dm",  "volume",          "suitvolume",
                                                   "fastsprites", "net_graphpos",    "+mlook",
                                                   "-mlook",      "+jlook",          "drawradar",
                                                   "hideradar",   "console",         "pushlatency",
                                                   "mp_decals",   "gl_texturemode",  "gl_polyoffset",
                                                   "rate",        "cl_allowupload",  "allowupload",
                                                   "sensitivity", "mp_friendlyfire", "mp_ghostfrequency",
                                                   "con_color",   "bgmvolume",       "5",
                                                   "echo",        "de_dust",         "cs_italy"};
    // Server files' names, the own block's lines and Quillet's frame lines as well.
    static const std::vector<std::string> more = {"fps_max",
                                                  "mp_timelimit",
                                                  "rcon_password",
                                                  "setinfo _pw",
                                                  "//Video settings",
                                                  "mp_flashlight",
                                                  "//Your own lines, kept by Quillet",
                                                  "hostname",
                                                  "net_graphpos",
                                                  "gl_texturemode"};
    const bool fromMore = serverNames_ && chance(3);
    const auto& from = fromMore ? more : names;
    std::string n = from[pick(0, static_cast<int>(from.size()) - 1)];
    for (char& c : n)
      if (chance(5) && c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    if (chance(6)) return n;
    return n + (chance(5) ? "  " : chance(6) ? "\t" : " ") + value();
  }
  std::string value() {
    static const std::vector<std::string> values = {
        "1",       "0",     "1.0",  "2.5",   "2.25", ".5",    "5.",
        "-50",     "1e400", "&H10", "99999", "-1",   "20",    "gl_linear_mipmap_linear",
        "Red Fox", "x\"",   "\"\"", "\"",    "a'b",  ";quit", "1,2,3"};
    std::string v = values[pick(0, static_cast<int>(values.size()) - 1)];
    if (chance(3)) v = "\"" + v + "\"";
    if (chance(8)) v += junk();
    return v;
  }
  std::string word() { return junk().substr(0, 6); }
  std::string junk() {
    std::string s;
    const int n = pick(0, 12);
    for (int i = 0; i < n; ++i) {
      const int kind = pick(0, 5);
      s += kind == 0 ? static_cast<char>(pick(0x80, 0xFF)) : kind == 1 ? ' ' : static_cast<char>(pick('a', 'z'));
    }
    return s;
  }
  std::string blanks() { return chance(4) ? std::string(pick(1, 3), chance(2) ? ' ' : '\t') : ""; }
  std::string eol() {
    const int k = pick(0, 3);
    return k == 0 ? "\n" : k == 1 ? "\r" : "\r\n";
  }
  int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
  bool chance(int oneIn) { return pick(1, oneIn) == 1; }
  bool serverNames_;
  std::mt19937 rng_;
};

TEST(RoundTrip, GeneratedNastyFolders) {
  for (unsigned seed = 1; seed <= 150; ++seed) {
    NastyFiles gen(seed);
    TempDir dir;
    for (std::string_view name : {"autoexec.cfg", "config.cfg", "mapcycle.txt", "motd.txt"})
      if (seed % 7 != name.size() % 7) dir.write(name, gen.file());  // now and then a file is missing
    expectFixedPoint(dir, "seed " + std::to_string(seed));
    if (HasFailure()) break;
  }
}

// ---------------------------------------------------------------- "Keep my own lines"

// One load and Save with the mode on, checking what the issue promises of it: (a) every old
// line stands verbatim in the new file or is a line Quillet writes there, (c) every value kept
// as it was stands in every file that carries its variable; and (d) a second round changes
// nothing.
void expectKeptAndFixed(const TempDir& dir, const std::string& what) {
  MemoryStore store;
  storeKeepOwnLines(store, true);
  const Files before = readAll(dir);
  Model model;
  runLoadSequence(model, dir.str(), store);
  ASSERT_TRUE(model.keepOwnLines);
  ASSERT_FALSE(saveFiles(model, dir.str(), store).has_value()) << what;
  const Files after = readAll(dir);

  const auto lines = [](std::string_view bytes) {
    std::vector<std::string_view> out;
    for (LineReader r(bytes); !r.atEnd();) out.push_back(r.next());
    return out;
  };
  const auto holds = [&](const std::string& file, std::string_view line) {
    const auto l = lines(after.at(file));
    return std::find(l.begin(), l.end(), line) != l.end();
  };
  for (GameFile f : kGameFiles)
    for (std::string_view line : lines(before.at(std::string(fileName(f)))))
      if (!isQuilletLine(f, line)) {
        EXPECT_TRUE(holds(std::string(fileName(f)), line)) << what << ": " << fileName(f) << " lost " << line;
      }
  for (std::string_view line : lines(before.at("mapcycle.txt"))) {
    std::string_view name = line;
    while (!name.empty() && (name.front() == ' ' || name.front() == '\t')) name.remove_prefix(1);
    while (!name.empty() && (name.back() == ' ' || name.back() == '\t')) name.remove_suffix(1);
    if (std::find(kMaps.begin(), kMaps.end(), name) == kMaps.end()) {
      EXPECT_TRUE(holds("mapcycle.txt", line)) << what << ": mapcycle.txt lost " << line;
    }
  }
  for (const KeptValue& k : model.keptValues)
    for (GameFile f : kGameFiles)
      if (!keysIn(*k.option, f).empty()) {
        EXPECT_TRUE(holds(std::string(fileName(f)), k.item)) << what << ": " << fileName(f) << " lacks " << k.item;
      }

  EXPECT_EQ(loadAndSave(dir, store), after) << "a second round changed " << what;
}

// Every folder that the files of a root laid out like the corpus make, one of each kind.
int expectEveryFolderKept(const std::filesystem::path& root) {
  const auto listens = filesOfKind(root, "listenserver");
  int folders = 0;
  for (const auto& a : filesOfKind(root, "autoexec"))
    for (const auto& c : filesOfKind(root, "config"))
      for (const auto& s : filesOfKind(root, "server")) {
        TempDir dir;
        dir.write("autoexec.cfg", TempDir::readFile(a));
        dir.write("config.cfg", TempDir::readFile(c));
        dir.write("server.cfg", TempDir::readFile(s));
        dir.write("listenserver.cfg", TempDir::readFile(listens[folders % listens.size()]));
        dir.write("mapcycle.txt", TempDir::readFile(filesOfKind(root, "mapcycle").front()));
        dir.write("motd.txt", TempDir::readFile(filesOfKind(root, "motd").front()));
        expectKeptAndFixed(dir, a.filename().string() + " " + c.filename().string() + " " + s.filename().string());
        ++folders;
      }
  return folders;
}

TEST(KeepOwnLines, EveryFixtureFolder) { EXPECT_EQ(expectEveryFolderKept(test::fixtureDir()), 1); }

TEST(KeepOwnLines, EveryCorpusFolder) {
  QUILLET_SKIP_WITHOUT_CORPUS();
  EXPECT_GE(expectEveryFolderKept(QUILLET_CORPUS_DIR), 30);
}

TEST(KeepOwnLines, GeneratedNastyFolders) {
  for (unsigned seed = 1; seed <= 120; ++seed) {
    NastyFiles gen(seed, true);
    TempDir dir;
    for (std::string_view name : {"autoexec.cfg", "config.cfg", "server.cfg", "listenserver.cfg", "mapcycle.txt"})
      if (seed % 5 != name.size() % 5) dir.write(name, gen.file());
    expectKeptAndFixed(dir, "seed " + std::to_string(seed));
    if (HasFailure()) break;
  }
}

// (b): the values in force, a later file winning, toggles both ways; what a control cannot show
// is listed instead.
TEST(KeepOwnLines, ValuesInForce) {
  struct Case {
    Files files;
    std::vector<std::pair<std::string_view, std::string>> shown;  // control, value as text
    std::vector<std::string> kept;                                // "item (file)"
  };
  const Case cases[] = {
      {{{"autoexec.cfg", "fps_max 60\r\n"}, {"config.cfg", "fps_max \"80\"\r\necho x, fps_max 90\r\n"}},
       {{"scrollmaxfps", "80"}},
       {}},
      {{{"listenserver.cfg", "mp_timelimit 20\r\n"}, {"server.cfg", "mp_timelimit 45\r\n"}},
       {{"scrolltimelimit", "45"}},
       {}},
      {{{"server.cfg", "hostname \"My Server\"\r\ncl_updaterate 30\r\n"}, {"config.cfg", "rate 25000\r\n"}},
       {{"txtservername", "My Server"}, {"scrollfromserverrate", "30"}, {"scrollrate", "1500"}},
       {"rate 25000 (config.cfg)"}},
      {{{"autoexec.cfg", "crosshair 1\r\ndrawradar\r\nhud_centerid 1\r\n"},
        {"config.cfg", "crosshair 0\r\nhideradar\r\nhud_centerid 2\r\n"}},
       {{"img_video(2)", "0"}, {"img_video(3)", "0"}, {"img_client(2)", "0"}},
       {}},
      {{{"autoexec.cfg", "setinfo \"ah\" \"0\"\r\nsetinfo ghosts 1\r\n+mlook\r\nallowupload 0\r\n"}},
       {{"img_client(0)", "0"}, {"img_client(4)", "1"}, {"img_controls(1)", "1"}, {"img_client(12)", "0"}},
       {}},
      {{{"autoexec.cfg", "net_graphpos 4\r\ngl_polyoffset 0.1\r\nfastsprites 1\r\ngamma abc\r\n"}},
       {{"cmbnetgraphpos", "Bottom right"}, {"img_video(9)", "0"}, {"scrollsmoke", "1"}, {"scrollgamma", "0"}},
       {"net_graphpos 4 (autoexec.cfg)", "gl_polyoffset 0.1 (autoexec.cfg)", "gamma abc (autoexec.cfg)"}},
      {{{"autoexec.cfg", "volume 25\r\nfps_max 300\r\n"}, {"server.cfg", "fps_max 90\r\n"}},
       {{"scrollvolume", "10"}, {"scrollmaxfps", "90"}},
       {}},
  };
  for (const Case& c : cases) {
    TempDir dir;
    for (const auto& [name, bytes] : c.files) dir.write(name, bytes);
    MemoryStore store;
    storeKeepOwnLines(store, true);
    Model model;
    runLoadSequence(model, dir.str(), store);
    const std::string where = c.files.begin()->second;
    for (const auto& [control, want] : c.shown) {
      EXPECT_EQ(test::valueText(model, option(control)), want) << control << " after " << where;
    }
    std::vector<std::string> kept;
    for (const KeptValue& k : model.keptValues) kept.push_back(k.item + " (" + std::string(k.file) + ")");
    EXPECT_EQ(kept, c.kept) << where;
  }
}

// The merges over text, and which lines are Quillet's own.
TEST(KeepOwnLines, MergesAndOwnLines) {
  const std::string echo = "echo    **Quillet generated config-file successfully loaded**\r\n";
  const std::string title = "\r\n//Your own lines, kept by Quillet\r\n";
  EXPECT_EQ(mergeOwnLines(GameFile::Server, "rcon_password x\nmp_timelimit 9\n\n//mine\r", "a\r\n" + echo),
            "a\r\n" + title + "rcon_password x\r\n//mine\r\n" + echo);
  EXPECT_EQ(mergeOwnLines(GameFile::Autoexec, "bind q quit\r\n", "a\r\n"), "a\r\n" + title + "bind q quit\r\n");
  EXPECT_EQ(mergeOwnLines(GameFile::Autoexec, "fps_max 5\r\n//Video settings\r\n", "a\r\n"), "a\r\n");
  // A checked map stays where it stands, an unchecked one goes, a new one is appended.
  EXPECT_EQ(mergeMapcycle("my_map\nde_dust\n cs_italy\n//x\n", "cs_italy\r\n\r\nde_nuke\r\n\r\n"),
            "my_map\r\n cs_italy\r\n//x\r\nde_nuke\r\n\r\n");

  struct Row {
    GameFile file;
    std::string_view line;
    bool own;
  };
  const Row rows[] = {
      {GameFile::Autoexec, "  FPS_MAX 100", true},
      {GameFile::Autoexec, "allowupload 1", true},
      {GameFile::Autoexec, "setinfo \"ah\" 1", true},
      {GameFile::Autoexec, "setinfo _pw x", false},
      {GameFile::Autoexec, "hideradar", true},
      {GameFile::Autoexec, "rcon_password x", false},
      {GameFile::Listenserver, "mp_decals 5", false},
      {GameFile::Server, "mp_decals 5", true},
      {GameFile::Config, "bgmvolume 1", false},
      {GameFile::Config, "-jlook", true},
      {GameFile::Config, "setinfo dm 1", false},
      {GameFile::Config, "mp_flashlight 1", true},
      {GameFile::Server, "//Your own lines, kept by Quillet", true},
      {GameFile::Server, " ", false},
  };
  for (const Row& r : rows) EXPECT_EQ(isQuilletLine(r.file, r.line), r.own) << r.line;
}

}  // namespace
}  // namespace quillet
