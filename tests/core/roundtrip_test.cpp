// Load and Save are each other's inverse: one round reaches a fixed point, on the players' own
// files and on generated nasty ones, and nothing of the user's own config.cfg lines is lost.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>

#include "Checkpath/Checkpath.h"
#include "Stringconverter/Filereader.h"
#include "Stringconverter/Readers.h"
#include "TestSupport.h"
#include "save/Save.h"

namespace quillet {
namespace {

using test::TempDir;

using Files = std::map<std::string, std::string>;

Files loadAndSave(const TempDir& dir, Store& store) {
  Model model;
  runLoadSequence(model, dir.str(), store);
  EXPECT_FALSE(saveFiles(model, dir.str(), store).has_value()) << dir.str();
  Files out;
  for (std::string_view name : test::gameFiles()) out[std::string(name)] = dir.read(name);
  return out;
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
      {"config", "config.cfg"},     {"autoexec", "autoexec.cfg"}, {"server", "server.cfg"},
      {"listenserver", "listenserver.cfg"}, {"mapcycle", "mapcycle.txt"}, {"motd", "motd.txt"},
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

TEST(RoundTrip, AMapCycleComesBack) {
  const std::pair<std::filesystem::path, const char*> cycles[] = {
      {test::fixtureDir() / "mapcycle/1-hand-written.txt", "fixture"},
      {std::filesystem::path(QUILLET_CORPUS_DIR) / "mapcycle/1-counterstrike-betas.txt", "corpus"}};
  for (const auto& [file, what] : cycles) {
    if (!std::filesystem::exists(file)) continue;
    TempDir dir;
    dir.write("mapcycle.txt", TempDir::readFile(file));
    MemoryStore store;
    Model model;
    runLoadSequence(model, dir.str(), store);
    EXPECT_TRUE(model.checked(Table::Map, 5)) << what;   // cs_backalley
    EXPECT_TRUE(model.checked(Table::Map, 17)) << what;  // de_train
  }
}

// Random game files made of the pieces players' files are made of, and worse.
class NastyFiles {
 public:
  explicit NastyFiles(unsigned seed) : rng_(seed) {}

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
    static const std::vector<std::string> names = {
        "gamma", "brightness", "name", "team", "hostname", "crosshair", "gl_dither", "setinfo ah",
        "setinfo \"ghosts\"", "setinfo dm", "volume", "suitvolume", "fastsprites", "net_graphpos",
        "+mlook", "-mlook", "+jlook", "drawradar", "hideradar", "console", "pushlatency", "mp_decals",
        "gl_texturemode", "gl_polyoffset", "rate", "cl_allowupload", "allowupload", "sensitivity",
        "mp_friendlyfire", "mp_ghostfrequency", "con_color", "bgmvolume", "5", "echo", "de_dust", "cs_italy"};
    std::string n = names[pick(0, static_cast<int>(names.size()) - 1)];
    for (char& c : n)
      if (chance(5) && c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    if (chance(6)) return n;
    return n + (chance(5) ? "  " : chance(6) ? "\t" : " ") + value();
  }
  std::string value() {
    static const std::vector<std::string> values = {
        "1", "0", "1.0", "2.5", "2.25", ".5", "5.", "-50", "1e400", "&H10", "99999", "-1",
        "20", "gl_linear_mipmap_linear", "Red Fox", "x\"", "\"\"", "\"", "a'b", ";quit", "1,2,3"};
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

}  // namespace
}  // namespace quillet
