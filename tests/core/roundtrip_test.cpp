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

std::string corpus(const std::string& relative) {
  return TempDir::readFile(std::filesystem::path(QUILLET_CORPUS_DIR) / relative);
}

std::vector<std::string> corpusFiles(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(std::filesystem::path(QUILLET_CORPUS_DIR) / folder))
    names.push_back(folder + "/" + e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(RoundTrip, EveryCorpusFileInItsPlace) {
  const std::pair<std::string, std::string> roles[] = {
      {"config", "config.cfg"},     {"autoexec", "autoexec.cfg"}, {"server", "server.cfg"},
      {"listenserver", "listenserver.cfg"}, {"mapcycle", "mapcycle.txt"}, {"motd", "motd.txt"},
      {"briefing", "maps/as_forest.txt"}};
  int seen = 0;
  for (const auto& [folder, name] : roles) {
    for (const std::string& file : corpusFiles(folder)) {
      TempDir dir;
      dir.write(name, corpus(file));
      expectFixedPoint(dir, file);
      ++seen;
    }
  }
  EXPECT_GE(seen, 14);
}

TEST(RoundTrip, AllCorpusFilesTogetherKeepTheUsersLines) {
  for (const std::string& config : corpusFiles("config")) {
    TempDir dir;
    const std::string original = corpus(config);
    dir.write("config.cfg", original);
    dir.write("autoexec.cfg", corpus(corpusFiles("autoexec").front()));
    dir.write("mapcycle.txt", corpus(corpusFiles("mapcycle").front()));
    dir.write("motd.txt", corpus(corpusFiles("motd").front()));
    expectFixedPoint(dir, config);
    // Every line whose first word Quillet does not own is still there, as written.
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

TEST(RoundTrip, AMapCycleOfCorpusMapsComesBack) {
  TempDir dir;
  dir.write("mapcycle.txt", corpus("mapcycle/1-counterstrike-betas.txt"));
  MemoryStore store;
  Model model;
  runLoadSequence(model, dir.str(), store);
  EXPECT_TRUE(model.checked(Table::Map, 5));   // cs_backalley
  EXPECT_TRUE(model.checked(Table::Map, 17));  // de_train
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
