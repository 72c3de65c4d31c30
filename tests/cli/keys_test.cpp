// The key bindings and aliases the game runs, as `quillet-cli keys` lists them: players' own
// files and small folders made for one rule each (tests/fixtures/keys) against the lists
// checked once by hand (tests/golden/keys); the edits of bind, unbind and alias.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "../core/test_support.h"
#include "cli/Cli.h"

namespace quillet {
namespace {

namespace fs = std::filesystem;

struct CliRun {
  int code;
  std::string out, err;
};

CliRun cli(const std::vector<std::string>& args) {
  std::ostringstream o, e;
  const int code = runCli(args, o, e);
  return {code, o.str(), e.str()};
}

// What `keys` lists for the game folder `dir`, as text or as JSON.
CliRun keys(const std::string& dir, bool json = false) {
  std::vector<std::string> args{"keys", dir};
  if (json) args.push_back("--json");
  return cli(args);
}

// Small folders made for one rule each (tests/fixtures/keys/<rule>), listed as in
// tests/golden/keys/<rule>.txt and, as JSON, <rule>.json: how the console splits commands and
// words, which binding of a key wins, unbind and unbindall, exec, aliases, an alias that runs
// itself, text beyond ASCII.
TEST(cliKeys, ListsWhatTheGameRunsInItsOrder) {
  for (const auto& rule : fs::directory_iterator(test::fixtureDir() / "keys")) {
    test::TempDir dir;
    fs::copy(rule.path(), dir.path(), fs::copy_options::recursive);
    for (bool json : {false, true}) {
      const CliRun r = keys(dir.str(), json);
      EXPECT_EQ(r.code, kExitOk) << rule.path() << r.err;
      const std::string diff =
          test::goldenDiff("keys/" + rule.path().filename().string() + (json ? ".json" : ".txt"), r.out);
      EXPECT_TRUE(diff.empty()) << diff;
    }
  }
  EXPECT_EQ(keys("/no/such/folder").code, kExitUsage);
}

// The players' own files, each alone in a folder, against the lists checked once by hand.
TEST(cliKeys, PlayersFilesListAsCheckedByHand) {
  QUILLET_SKIP_WITHOUT_CORPUS();
  for (const char* kind : {"config", "autoexec"}) {
    for (const auto& file : fs::directory_iterator(fs::path(QUILLET_CORPUS_DIR) / kind)) {
      test::TempDir dir;
      fs::copy_file(file.path(), dir / (std::string(kind) + ".cfg"));
      const CliRun r = keys(dir.str());
      const std::string diff =
          test::goldenDiff("keys/" + std::string(kind) + "-" + file.path().stem().string() + ".txt", r.out);
      EXPECT_TRUE(diff.empty()) << diff;
    }
  }
}

// The lines that changed in config.cfg and in autoexec.cfg since `before` (their bytes, joined):
// for each file that changed, its name, then the block between the lines both texts begin and
// end with, as "-line" and "+line" (CR LF ends taken off).
std::string changedLines(const std::pair<std::string, std::string>& before, const test::TempDir& dir) {
  auto lines = [](const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) out.push_back(l.ends_with('\r') ? l.substr(0, l.size() - 1) : l);
    return out;
  };
  std::string out;
  for (const auto& [name, old] : {std::pair("config.cfg", before.first), std::pair("autoexec.cfg", before.second)}) {
    const std::vector<std::string> a = lines(old), b = lines(dir.read(name));
    const auto head = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    const auto tail = std::mismatch(a.rbegin(), std::make_reverse_iterator(head.first), b.rbegin(),
                                    std::make_reverse_iterator(head.second));
    if (a == b) continue;
    out += std::string(name) + "\n";
    for (auto i = head.first; i != tail.first.base(); ++i) out += "-" + *i + "\n";
    for (auto i = head.second; i != tail.second.base(); ++i) out += "+" + *i + "\n";
  }
  return out;
}

// After a first save (which makes the folder a fixed point of Save), an edit changes its own
// lines only; keys then lists it in force, and a save more changes nothing.
TEST(cliKeys, EditsChangeTheirOwnLinesAndReadBackAsSet) {
  struct Case {
    const char* rule;
    bool keep;         // "Keep my own lines"
    const char* edit;  // the command and its words after GAMEDIR, tab-separated
    const char* changes;
    // The key's binding or the alias in force afterwards, as keys lists it; after "-", the key
    // and its field that no binding in force may begin with.
    const char* listed;
    const char* config = nullptr;  // config.cfg alone, instead of the folder below
  };
  const std::map<std::string, std::string> folder{
      {"config.cfg", "bind \"w\" \"+forward\"\r\nbind x a; bind y b\r\nalias \"go\" \"say 1\"\r\nexec user.cfg\r\n"},
      {"autoexec.cfg", "bind f1 buy\r\nexec late.cfg\r\n"},
      {"user.cfg", "bind g drop\r\n"},
      {"late.cfg", "bind h x\r\n"}};
  const Case cases[] = {
      {"a binding of config.cfg changes on its own line", false, "bind\tW\t+back",
       "config.cfg\n-bind \"w\" \"+forward\"\n+bind \"w\" \"+back\"\n", "bind\tw\t+back\tconfig.cfg:2\tin force"},
      {"a new key goes after config.cfg's own lines, with ; kept inside its quotes", false,
       "bind\tmouse3\tsay hi; kill", "config.cfg\n+bind \"MOUSE3\" \"say hi; kill\"\n",
       "bind\tMOUSE3\tsay hi; kill\tconfig.cfg:6\tin force"},
      {"a binding that shares its line is followed by the new one", false, "bind\ty\tc",
       "config.cfg\n+bind \"y\" \"c\"\n", "bind\ty\tc\tconfig.cfg:4\tin force"},
      {"unbind takes the line out", false, "unbind\tw", "config.cfg\n-bind \"w\" \"+forward\"\n", "-bind\tw\t"},
      {"a key bound by a file Quillet does not rewrite gets an unbind line after it", false, "unbind\tg",
       "config.cfg\n+unbind \"g\"\n", "-bind\tg\t"},
      {"an alias changes where it is defined", false, "alias\tgo\tsay 2; kill",
       "config.cfg\n-alias \"go\" \"say 1\"\n+alias \"go\" \"say 2; kill\"\n",
       "alias\tgo\tsay 2; kill\tconfig.cfg:4\tin force, unused"},
      {"unbind of a key bound twice in a file puts the unbind in the last one's place", false, "unbind\tw",
       "config.cfg\n-bind w b\n+unbind \"w\"\n", "-bind\tw\t", "bind w a\r\nbind w b\r\n"},
      {"keep mode: a binding of autoexec.cfg changes there", true, "bind\tF1\tbuy2",
       "autoexec.cfg\n-bind f1 buy\n+bind \"F1\" \"buy2\"\n", "bind\tF1\tbuy2\tautoexec.cfg:"},
      {"keep mode: a key bound by a file autoexec.cfg runs is unbound after it", true, "unbind\th",
       "autoexec.cfg\n+unbind \"h\"\n", "-bind\th\t"},
  };
  for (const Case& c : cases) {
    test::TempDir dir;
    if (c.config) dir.write("config.cfg", c.config);
    for (const auto& [name, bytes] : folder) {
      if (!c.config) dir.write(name, bytes);
    }
    const std::vector<std::string> mode{"--store", (dir / "store.ini").string(),
                                        c.keep ? "--keep-own-lines" : "--replace", "--no-backup"};
    std::vector<std::string> save{"save", dir.str()}, edit{dir.str()};
    save.insert(save.end(), mode.begin(), mode.end());
    ASSERT_EQ(cli(save).code, kExitOk) << c.rule;
    std::istringstream words(c.edit);
    std::string word;
    for (; std::getline(words, word, '\t');) edit.push_back(word);
    std::swap(edit[0], edit[1]);  // the command, then GAMEDIR
    edit.insert(edit.end(), mode.begin(), mode.end());
    auto both = [&] { return std::pair{dir.read("config.cfg"), dir.read("autoexec.cfg")}; };
    const auto saved = both();
    const CliRun r = cli(edit);
    ASSERT_EQ(r.code, kExitOk) << c.rule << r.err;
    EXPECT_EQ(changedLines(saved, dir), c.changes) << c.rule;
    // Read back by the console's rules, and kept by a load and a save.
    const auto changed = both();
    ASSERT_EQ(cli(save).code, kExitOk) << c.rule;
    EXPECT_EQ(both(), changed) << c.rule;
    const std::string listed = keys(dir.str()).out;
    const bool absent = c.listed[0] == '-';
    const std::string want = c.listed + absent;  // a binding in force begins so, or none may
    bool found = false;
    for (std::istringstream l(listed); std::getline(l, word);)
      found = found || (word.starts_with(want) && word.find("\tin force") != std::string::npos);
    EXPECT_NE(found, absent) << c.rule << "\n" << listed;
  }
}

// Refused by the console's rules or because nothing is there to change: exit 2, and the folder
// is as it was.
TEST(cliKeys, RefusedEditsWriteNothing) {
  test::TempDir dir;
  dir.write("config.cfg", "bind w +forward\r\n");
  const std::vector<std::vector<std::string>> refused = {{"bind", "w", "say \"hi\""},
                                                         {"bind", "foo", "jump"},
                                                         {"bind", "w", "say a\nquit"},
                                                         {"bind", "w", std::string(515, 'a')},
                                                         {"bind", "w", ""},
                                                         {"unbind", "x"},
                                                         {"alias", "two words", "say"},
                                                         {"alias", "bind", "say"},
                                                         {"bind", "w", "say", "hi"},
                                                         {"alias", "x:y", "say"},
                                                         {"unbind", "MOUSE9"}};
  const auto before = test::TempDir::readFile(dir / "config.cfg");
  for (const auto& words : refused) {
    std::vector<std::string> args{words.front(), dir.str(), "--store", (dir / "s.ini").string()};
    args.insert(args.begin() + 2, words.begin() + 1, words.end());
    const CliRun r = cli(args);
    EXPECT_EQ(r.code, kExitUsage) << words.front() << ' ' << words.back();
    EXPECT_FALSE(dir.exists("autoexec.cfg") || dir.exists("s.ini")) << words.front() << ' ' << words.back();
  }
  EXPECT_EQ(test::TempDir::readFile(dir / "config.cfg"), before);
}

}  // namespace
}  // namespace quillet
