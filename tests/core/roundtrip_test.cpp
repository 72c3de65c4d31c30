// Load and Save are each other's inverse: one round reaches a fixed point on the players' own
// files, and nothing of the user's own config.cfg lines is lost. (Generated nasty folders,
// tests/fixtures/fuzz/roundtrip/nasty-folder-*, go through the fuzz round trip, both modes.)
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>

#include "Checkpath/Checkpath.h"
#include "Stringconverter/Console.h"
#include "Stringconverter/StoredPreferences.h"
#include "Stringconverter/Filereader.h"
#include "Stringconverter/Readers.h"
#include "test_support.h"
#include "save/Save.h"

namespace quillet {
namespace {

using test::TempDir;

using Files = std::map<std::string, std::string>;

Files loadAndSave(const TempDir& dir, Store& store) {
  Model model;
  runLoadSequence(model, dir.str(), store);
  EXPECT_FALSE(saveFiles(model, dir.str(), store).has_value()) << dir.str();
  return test::gameFileBytes(dir);
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
    for (LineReader lines(original); !lines.atEnd();) {
      const std::string_view line = lines.next(),
                             rest = line.substr(std::min(line.find_first_not_of(" \t"), line.size()));
      if (rest.empty() || configOwnsName(lowerAscii(rest.substr(0, rest.find(' '))))) continue;
      EXPECT_NE(saved.find(std::string(rest)), std::string::npos) << config << " lost: " << line;
    }
  }
}

TEST(RoundTrip, AllFilesTogetherKeepTheUsersLines) {
  expectTheUsersLinesKept(test::fixtureDir());
  if (test::haveCorpus()) expectTheUsersLinesKept(QUILLET_CORPUS_DIR);
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
    static const auto names = test::pieces(
        "gamma | brightness | name | team | hostname | crosshair | gl_dither | setinfo ah | setinfo \"ghosts\" | "
        "setinfo dm | volume | suitvolume | fastsprites | net_graphpos | +mlook | -mlook | +jlook | drawradar | "
        "hideradar | console | pushlatency | mp_decals | gl_texturemode | gl_polyoffset | rate | cl_allowupload | "
        "allowupload | sensitivity | mp_friendlyfire | mp_ghostfrequency | con_color | bgmvolume | 5 | echo | de_dust "
        "| cs_italy");
    // Server files' names, the own block's lines and Quillet's frame lines as well.
    static const auto more = test::pieces(
        "fps_max | mp_timelimit | rcon_password | setinfo _pw | //Video settings | mp_flashlight | //Your own lines, "
        "kept by Quillet | hostname | net_graphpos | gl_texturemode");
    const auto& from = chance(3) ? more : names;
    std::string n(from[pick(0, static_cast<int>(from.size()) - 1)]);
    for (char& c : n)
      if (chance(5) && c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    if (chance(6)) return n;
    return n + (chance(5) ? "  " : chance(6) ? "\t" : " ") + value();
  }
  std::string value() {
    static const auto values = test::pieces(
        "1 | 0 | 1.0 | 2.5 | 2.25 | .5 | 5. | -50 | 1e400 | &H10 | 99999 | -1 | 20 | gl_linear_mipmap_linear | Red Fox "
        "| x\" | \"\" | \" | a'b | ;quit | 1,2,3");
    std::string v(values[pick(0, static_cast<int>(values.size()) - 1)]);
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

// ---------------------------------------------------------------- "Keep my own lines"

// What the game ends with, file by file: each variable's value by the console's rules (the first
// argument of the last command that names it with one; for "setinfo <key>", the one after it).
// A command's name: its first word lower-cased, for "setinfo" with the info key.
std::string keyOf(const console::Command& c) {
  std::string key = lowerAscii(c.words[0]);
  if (key == "setinfo" && c.words.size() > 1) (key += ' ') += lowerAscii(c.words[1]);
  return key;
}

std::map<std::string, std::string> endValues(std::string_view bytes) {
  std::map<std::string, std::string> out;
  for (const console::Command& c : console::commands(bytes)) {
    const std::size_t arg = keyOf(c).starts_with("setinfo ") ? 2 : 1;
    if (c.words.size() > arg) out[keyOf(c)] = c.words[arg];
  }
  return out;
}

// The lines (split at line feeds, as the console splits them) that differ between two texts:
// what lies between their common first and last lines.
std::pair<std::vector<std::string_view>, std::vector<std::string_view>> differingLines(std::string_view a,
                                                                                       std::string_view b) {
  const auto lines = [](std::string_view s) {
    std::vector<std::string_view> out;
    for (std::size_t pos = 0; pos < s.size();) {
      // A last line that gains its line end (a line is added after it) is the same line.
      const std::size_t end = std::min(s.find('\n', pos), s.size());
      std::string_view line = s.substr(pos, end - pos);
      if (line.ends_with('\r')) line.remove_suffix(1);
      out.push_back(line);
      pos = end + 1;
    }
    return out;
  };
  auto la = lines(a), lb = lines(b);
  std::size_t head = 0;
  while (head < la.size() && head < lb.size() && la[head] == lb[head]) ++head;
  std::size_t tail = 0;
  while (tail < la.size() - head && tail < lb.size() - head && la[la.size() - 1 - tail] == lb[lb.size() - 1 - tail])
    ++tail;
  return {{la.begin() + head, la.end() - tail}, {lb.begin() + head, lb.end() - tail}};
}

// The user's change of one option, as a click, a drag or typing would make it.
void change(Model& model, const Option& o) {
  Model::UserChange user(model);
  if (o.isToggle()) model.setChecked(o, !model.checked(o));
  else if (o.kind == Kind::Slider) model.setPosition(o, model.position(o) == o.max ? o.min : o.max);
  else model.setText(o, model.text(o) == "Changed" ? "Other" : "Changed");
}

Model loadKeeping(const TempDir& dir, Store& store) {
  Model model;
  runLoadSequence(model, dir.str(), store);
  EXPECT_TRUE(model.keepOwnLines);
  return model;
}

// The mode's promises on one folder: a Save with no change leaves every existing file byte for
// byte and makes no backup; a Save after the change of one option (each row below in turn)
// changes only lines of that option's variables, every other variable ending, file by file, as
// it did, and the pages read the new value back; a second Save writes nothing.
// Of many folders, each takes every `stride`-th change, from the `first`.
void expectEditedInPlace(const TempDir& dir, const std::string& what, std::size_t first = 0, std::size_t stride = 1) {
  static constexpr std::string_view kChanges[] = {
      "scrollmaxfps", "txtservername", "img_server(4)",   "img_video(3)", "scrollgreen",  "img_client(0)", "txtname",
      "scrollgamma",  "img_map(13)",   "img_controls(1)", "txtmotd",      "scrolldecals", "img_video(9)"};
  MemoryStore store;
  storeKeepOwnLines(store, true);
  const Files original = test::gameFileBytes(dir);
  {
    Model model = loadKeeping(dir, store);
    ASSERT_FALSE(saveFiles(model, dir.str(), store).has_value()) << what;
    for (const auto& [name, bytes] : test::gameFileBytes(dir))
      if (!original.at(name).empty()) {
        EXPECT_EQ(bytes, original.at(name)) << what << ": " << name << " changed";
      }
    EXPECT_FALSE(dir.exists("quillet-backups")) << what << ": a Save that changed nothing made a backup";
  }
  const Files before = test::gameFileBytes(dir);  // now with every file there
  for (std::size_t i = first % stride; i < std::size(kChanges); i += stride) {
    const std::string_view control = kChanges[i];
    const Option& o = option(control);
    const std::string where = what + ", " + std::string(control);
    for (const auto& [name, bytes] : before) dir.write(name, bytes);
    Model model = loadKeeping(dir, store);
    change(model, o);
    const std::string want = test::valueText(model, o);
    ASSERT_FALSE(saveFiles(model, dir.str(), store, {.backup = false}).has_value()) << where;
    const Files after = test::gameFileBytes(dir);
    for (const auto& [name, bytes] : after) {
      const auto file = std::ranges::find_if(kGameFiles, [&](GameFile f) { return fileName(f) == name; });
      if (file == std::end(kGameFiles)) {
        const bool its = name == (o.table == Table::Map ? "mapcycle.txt" : control == "txtmotd" ? "motd.txt" : "");
        if (!its) {
          EXPECT_EQ(bytes, before.at(name)) << where << ": " << name << " changed";
        }
        continue;
      }
      const std::vector<std::string> keys = keysIn(o.form == Form::Colour ? option("scrollred") : o, *file);
      // A line of the option's: one that holds a command of its variables (or none at all).
      const auto its = [&](std::string_view line) {
        const auto commands = console::commands(line);
        return commands.empty() || std::ranges::any_of(commands, [&](const console::Command& c) {
                 return std::find(keys.begin(), keys.end(), keyOf(c)) != keys.end();
               });
      };
      const auto [gone, come] = differingLines(before.at(name), bytes);
      for (const auto& side : {gone, come})
        for (std::string_view line : side) EXPECT_TRUE(its(line)) << where << ": " << name << " changed " << line;
      auto was = endValues(before.at(name)), is = endValues(bytes);
      for (const std::string& key : keys) was.erase(key), is.erase(key);
      EXPECT_EQ(is, was) << where << ": another variable of " << name << " ends otherwise";
    }
    EXPECT_EQ(test::valueText(loadKeeping(dir, store), o), want) << where << ": the new value is not in force";
    ASSERT_FALSE(saveFiles(model, dir.str(), store).has_value()) << where;
    EXPECT_EQ(test::gameFileBytes(dir), after) << where << ": the second Save wrote again";
    if (::testing::Test::HasFailure()) return;
  }
}

// Every folder that the files of a root laid out like the corpus make, one of each kind.
int expectEveryFolderEditedInPlace(const std::filesystem::path& root, std::size_t stride) {
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
        expectEditedInPlace(dir, a.filename().string() + " " + c.filename().string() + " " + s.filename().string(),
                            folders, stride);
        ++folders;
      }
  return folders;
}

TEST(KeepOwnLines, EveryFixtureFolder) { EXPECT_GT(expectEveryFolderEditedInPlace(test::fixtureDir(), 1), 0); }

TEST(KeepOwnLines, EveryCorpusFolder) {
  QUILLET_SKIP_WITHOUT_CORPUS();
  EXPECT_GT(expectEveryFolderEditedInPlace(QUILLET_CORPUS_DIR, 3), 0);
}

TEST(KeepOwnLines, GeneratedNastyFolders) {
  for (unsigned seed = 1; seed <= 40; ++seed) {
    NastyFiles gen(seed);
    TempDir dir;
    for (std::string_view name : {"autoexec.cfg", "config.cfg", "server.cfg", "listenserver.cfg", "mapcycle.txt"})
      if (seed % 5 != name.size() % 5) dir.write(name, gen.file());
    expectEditedInPlace(dir, "seed " + std::to_string(seed), seed, 3);
    if (HasFailure()) break;
  }
}

// A text longer than the game takes whole, read from a file, is refused only where Save would
// write it: in a new file, or once the user changed it.
TEST(KeepOwnLines, ALongTextIsRefusedOnlyWhereWritten) {
  TempDir dir;
  for (std::string_view name : test::gameFiles()) dir.write(name, "");
  dir.write("server.cfg", "hostname " + std::string(200, 'x') + "\r\n");
  MemoryStore store;
  storeKeepOwnLines(store, true);
  Model model = loadKeeping(dir, store);
  EXPECT_FALSE(saveFiles(model, dir.str(), store).has_value());
  std::filesystem::remove(dir / "listenserver.cfg");
  EXPECT_TRUE(saveFiles(model, dir.str(), store).has_value());
}

// Each case of tests/golden/values-in-force.txt: the values in force, a client option's from
// config.cfg then autoexec.cfg, a server option's from server.cfg; what a control cannot show, and
// other files' values where they disagree, are listed with their file and line.
std::string inForce(const std::string& input) {
  const auto load = [](const TempDir& dir) {
    MemoryStore store;
    storeKeepOwnLines(store, true);
    return loadKeeping(dir, store);
  };
  static const Model empty = load(TempDir());
  TempDir dir;
  for (std::string_view file : test::pieces(input))
    dir.write(file.substr(0, file.find(' ')), file.substr(file.find(' ') + 1));
  const Model model = load(dir);
  std::string out;
  for (const Option& o : catalogue())
    if (test::valueText(model, o) != test::valueText(empty, o))
      out += std::string(o.control) + "=" + test::valueText(model, o) + "; ";
  for (const KeptValue& k : model.keptValues)
    out += "[" + k.item + " (" + std::string(k.file) + " " + std::to_string(k.line) + (k.other ? " other)]" : ")]");
  return out;
}

TEST(KeepOwnLines, ValuesInForce) { EXPECT_EQ(test::goldenCasesDiff("values-in-force.txt", inForce), ""); }

// Each case of tests/golden/edits-in-place.txt: a file edited in place after one change.
std::string editedInPlace(const std::string& input) {
  const std::size_t blank = input.find(' '), second = input.find(' ', blank + 1);
  Model model;
  model.setChanged(option(input.substr(blank + 1, second - blank - 1)));
  const auto file = std::ranges::find_if(kGameFiles, [&](GameFile f) { return input.starts_with(fileName(f)); });
  return editInPlace(*file, input.substr(second + 1), model);
}

TEST(KeepOwnLines, EditsInPlace) {
  EXPECT_EQ(test::goldenCasesDiff("edits-in-place.txt", editedInPlace), "");
  // A map the user unchecked goes, one he checked is added; every other line stays as it is.
  Model model;
  for (int i : {8, 13, 14}) model.setChanged(*findToggle(Table::Map, i));
  model.setToggle(Table::Map, 14, true);
  EXPECT_EQ(editMapcycle("my_map\nde_dust\n cs_italy\r\n//x", model), "my_map\n//x\nde_nuke\n\n");
  EXPECT_EQ(editMapcycle("", model), "de_nuke\r\n\r\n");
}

}  // namespace
}  // namespace quillet
