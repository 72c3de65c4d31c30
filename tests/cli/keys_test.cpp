// The key bindings and aliases the game runs, as `quillet-cli keys` lists them: players' own
// files against the lists checked once by hand (tests/fixtures/keys), and small folders made
// for one rule each.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
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

// A game folder holding `files` (name -> bytes); `keys` lists what it binds.
CliRun keysOf(const std::map<std::string, std::string>& files, bool json = false) {
  test::TempDir dir;
  for (const auto& [name, bytes] : files) dir.write(name, bytes);
  std::vector<std::string> args{"keys", dir.str()};
  if (json) args.push_back("--json");
  return cli(args);
}

struct Case {
  const char* rule;
  std::map<std::string, std::string> files;
  const char* listed;
};

TEST(cliKeys, ListsWhatTheGameRunsInItsOrder) {
  const Case cases[] = {
      {"quotes, ; and blanks end commands and words as the console reads them",
       {{"config.cfg", "bind \"W\" \"+forward\"\r\nbind x say hi; bind y \"say a; b\"\r\n// bind z no\r\n"}},
       "bind\tw\t+forward\tconfig.cfg:1\tin force\n"
       "bind\tx\tsay hi\tconfig.cfg:2\tin force\n"
       "bind\ty\tsay a; b\tconfig.cfg:2\tin force\n"},
      {"a key bound again wins, names in any case; config.cfg runs before autoexec.cfg",
       {{"autoexec.cfg", "bind mouse1 c\n"}, {"config.cfg", "bind MOUSE1 a\nbind Mouse1 b\nbind x\n"}},
       "bind\tMOUSE1\ta\tconfig.cfg:1\toverridden at config.cfg:2\n"
       "bind\tMOUSE1\tb\tconfig.cfg:2\toverridden at autoexec.cfg:1\n"
       "bind\tMOUSE1\tc\tautoexec.cfg:1\tin force\n"},
      {"unbind and unbindall end bindings; unknown keys do nothing",
       {{"config.cfg", "bind a x\nbind B y\nunbind A\nbind foo z\nbind \";\" w\n"},
        {"autoexec.cfg", "unbindall\nbind c z"}},
       "bind\ta\tx\tconfig.cfg:1\tunbound at config.cfg:3\n"
       "bind\tb\ty\tconfig.cfg:2\tunbound at autoexec.cfg:1\n"
       "bind\tSEMICOLON\tw\tconfig.cfg:5\tunbound at autoexec.cfg:1\n"
       "bind\tc\tz\tautoexec.cfg:2\tin force\n"
       "note\tconfig.cfg line 4: \"foo\" is no key the game knows; the line does nothing\n"},
      {"exec runs a file of the game folder in place, never itself again, never outside the folder",
       {{"config.cfg", "exec cfg/buy.cfg\n"},
        {"cfg/buy.cfg", "bind F1 buyammo1\nexec CFG\\Buy.cfg\n"},
        {"autoexec.cfg", "exec CFG\\Buy.cfg\nbind f1 late\nexec missing.cfg\nexec ../out.cfg\n"}},
       "bind\tF1\tbuyammo1\tcfg/buy.cfg:1\toverridden at CFG/Buy.cfg:1\n"
       "bind\tF1\tbuyammo1\tCFG/Buy.cfg:1\toverridden at autoexec.cfg:2\n"
       "bind\tF1\tlate\tautoexec.cfg:2\tin force\n"
       "note\tcfg/buy.cfg line 2: exec CFG\\\\Buy.cfg: already running (a loop), not followed again\n"
       "note\tCFG/Buy.cfg line 2: exec CFG\\\\Buy.cfg: already running (a loop), not followed again\n"
       "note\tautoexec.cfg line 3: exec missing.cfg: not found in the game folder\n"
       "note\tautoexec.cfg line 4: exec ../out.cfg: outside the game folder, not followed\n"},
      {"aliases: used through bindings and other aliases (+name brings -name), run from a file",
       {{"config.cfg",
         "alias +cj \"+jump; +duck\"\nalias -cj \"-duck; -jump\"\nbind space +cj\n"
         "alias setup \"bind k kill\"\nsetup\nalias spare a\nalias spare b\nalias buy1 m4a1\nalias buys buy1\n"
         "bind b \"buys; say bought\"\n"}},
       "bind\tSPACE\t+cj\tconfig.cfg:3\tin force\n"
       "bind\tk\tkill\tconfig.cfg:5\tin force (run by alias setup)\n"
       "bind\tb\tbuys; say bought\tconfig.cfg:10\tin force\n"
       "alias\t+cj\t+jump; +duck\tconfig.cfg:1\tin force, used\n"
       "alias\t-cj\t-duck; -jump\tconfig.cfg:2\tin force, used\n"
       "alias\tsetup\tbind k kill\tconfig.cfg:4\tin force, unused\n"
       "alias\tspare\ta\tconfig.cfg:6\treplaced\n"
       "alias\tspare\tb\tconfig.cfg:7\tin force, unused\n"
       "alias\tbuy1\tm4a1\tconfig.cfg:8\tin force, used\n"
       "alias\tbuys\tbuy1\tconfig.cfg:9\tin force, used\n"},
      {"an alias that runs itself twice ends (the game would never)",
       {{"config.cfg", "bind x y\nalias a \"a; a\"\na\n"}},
       "bind\tx\ty\tconfig.cfg:1\tin force\n"
       "alias\ta\ta; a\tconfig.cfg:2\tin force, unused\n"
       "note\tconfig.cfg line 3: more than 200000 commands run (an alias or exec that runs itself again and again); "
       "the rest is not followed\n"},
  };
  for (const Case& c : cases) {
    const CliRun r = keysOf(c.files);
    EXPECT_EQ(r.code, kExitOk) << c.rule << r.err;
    EXPECT_EQ(r.out, c.listed) << c.rule;
  }
}

TEST(cliKeys, PlayersFilesListAsCheckedByHand) {
  QUILLET_SKIP_WITHOUT_CORPUS();
  for (const char* kind : {"config", "autoexec"}) {
    for (const auto& file : fs::directory_iterator(fs::path(QUILLET_CORPUS_DIR) / kind)) {
      const fs::path listed =
          test::fixtureDir() / "keys" / (std::string(kind) + "-" + file.path().stem().string() + ".txt");
      ASSERT_TRUE(fs::exists(listed)) << listed;
      const CliRun r = keysOf({{std::string(kind) + ".cfg", test::TempDir::readFile(file.path())}});
      EXPECT_EQ(r.out, test::TempDir::readFile(listed)) << file.path();
    }
  }
}

TEST(cliKeys, JsonMarksTheWinnerAndWhereTheOthersEnded) {
  const CliRun r = keysOf({{"config.cfg", "bind w a\nalias go \"say \xe9\"\n"}, {"autoexec.cfg", "bind W go\n"}}, true);
  ASSERT_EQ(r.code, kExitOk) << r.err;
  const QJsonObject all = QJsonDocument::fromJson(QByteArray::fromStdString(r.out)).object();
  const QJsonArray b = all["bindings"].toArray();
  ASSERT_EQ(b.size(), 2);
  EXPECT_FALSE(b[0]["wins"].toBool());
  EXPECT_EQ(b[0]["overridden_by"]["file"].toString(), "autoexec.cfg");
  EXPECT_EQ(b[1]["key"].toString(), "w");
  EXPECT_EQ(b[1]["line"].toInt(), 1);
  EXPECT_TRUE(b[1]["wins"].toBool());
  EXPECT_EQ(all["aliases"][0]["commands"].toString(), QString::fromUtf8("say \xc3\xa9"));
  EXPECT_TRUE(all["aliases"][0]["used"].toBool());
  EXPECT_EQ(cli({"keys", "/no/such/folder"}).code, kExitUsage);
}

// The lines that differ between two texts: the block left between their common first and last
// lines, as "-line" and "+line" (CR LF ends taken off).
std::string changedLines(const std::string& before, const std::string& after) {
  auto lines = [](const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) out.push_back(l.ends_with('\r') ? l.substr(0, l.size() - 1) : l);
    return out;
  };
  const std::vector<std::string> a = lines(before), b = lines(after);
  std::size_t head = 0, tail = 0;
  while (head < a.size() && head < b.size() && a[head] == b[head]) ++head;
  while (tail < a.size() - head && tail < b.size() - head && a[a.size() - 1 - tail] == b[b.size() - 1 - tail]) ++tail;
  std::string out;
  for (std::size_t i = head; i < a.size() - tail; ++i) out += "-" + a[i] + "\n";
  for (std::size_t i = head; i < b.size() - tail; ++i) out += "+" + b[i] + "\n";
  return out;
}

struct EditCase {
  const char* rule;
  bool keep;  // "Keep my own lines"
  std::map<std::string, std::string> files;
  std::vector<std::string> edit;  // the command and its words after GAMEDIR
  const char* config;             // the lines that change in config.cfg
  const char* autoexec;           // in autoexec.cfg
  // The key's binding or the alias in force afterwards, as keys lists it; after "-", the key
  // and its field that no binding in force may begin with.
  const char* listed;
};

// After a first save (which makes the folder a fixed point of Save), an edit changes its own
// lines only; keys then lists it in force, and a save more changes nothing.
TEST(cliKeys, EditsChangeTheirOwnLinesAndReadBackAsSet) {
  const std::string cfg =
      "bind \"w\" \"+forward\"\r\nbind x a; bind y b\r\nalias \"go\" \"say 1\"\r\nexec user.cfg\r\n";
  const std::map<std::string, std::string> folder{{"config.cfg", cfg},
                                                  {"autoexec.cfg", "bind f1 buy\r\nexec late.cfg\r\n"},
                                                  {"user.cfg", "bind g drop\r\n"},
                                                  {"late.cfg", "bind h x\r\n"}};
  const EditCase cases[] = {
      {"a binding of config.cfg changes on its own line",
       false,
       folder,
       {"bind", "W", "+back"},
       "-bind \"w\" \"+forward\"\n+bind \"w\" \"+back\"\n",
       "",
       "bind\tw\t+back\tconfig.cfg:2\tin force"},
      {"a new key goes after config.cfg's own lines, with ; kept inside its quotes",
       false,
       folder,
       {"bind", "mouse3", "say hi; kill"},
       "+bind \"MOUSE3\" \"say hi; kill\"\n",
       "",
       "bind\tMOUSE3\tsay hi; kill\tconfig.cfg:6\tin force"},
      {"a binding that shares its line is followed by the new one",
       false,
       folder,
       {"bind", "y", "c"},
       "+bind \"y\" \"c\"\n",
       "",
       "bind\ty\tc\tconfig.cfg:4\tin force"},
      {"unbind takes the line out", false, folder, {"unbind", "w"}, "-bind \"w\" \"+forward\"\n", "", "-bind\tw\t"},
      {"a key bound by a file Quillet does not rewrite gets an unbind line after it",
       false,
       folder,
       {"unbind", "g"},
       "+unbind \"g\"\n",
       "",
       "-bind\tg\t"},
      {"an alias changes where it is defined",
       false,
       folder,
       {"alias", "go", "say 2; kill"},
       "-alias \"go\" \"say 1\"\n+alias \"go\" \"say 2; kill\"\n",
       "",
       "alias\tgo\tsay 2; kill\tconfig.cfg:4\tin force, unused"},
      {"unbind of a key bound twice in a file puts the unbind in the last one's place",
       false,
       {{"config.cfg", "bind w a\r\nbind w b\r\n"}},
       {"unbind", "w"},
       "-bind w b\n+unbind \"w\"\n",
       "",
       "-bind\tw\t"},
      {"keep mode: a binding of autoexec.cfg changes there",
       true,
       folder,
       {"bind", "F1", "buy2"},
       "",
       "-bind f1 buy\n+bind \"F1\" \"buy2\"\n",
       "bind\tF1\tbuy2\tautoexec.cfg:"},
      {"keep mode: a key bound by a file autoexec.cfg runs is unbound after it",
       true,
       folder,
       {"unbind", "h"},
       "",
       "+unbind \"h\"\n",
       "-bind\th\t"},
  };
  for (const EditCase& c : cases) {
    test::TempDir dir;
    for (const auto& [name, bytes] : c.files) dir.write(name, bytes);
    const std::string store = (dir / "store.ini").string();
    std::vector<std::string> mode{"--store", store, c.keep ? "--keep-own-lines" : "--replace", "--no-backup"};
    std::vector<std::string> save{"save", dir.str()};
    save.insert(save.end(), mode.begin(), mode.end());
    ASSERT_EQ(cli(save).code, kExitOk) << c.rule;
    const std::string config = dir.read("config.cfg"), autoexec = dir.read("autoexec.cfg");
    std::vector<std::string> edit{c.edit.front(), dir.str()};
    edit.insert(edit.end(), c.edit.begin() + 1, c.edit.end());
    edit.insert(edit.end(), mode.begin(), mode.end());
    const CliRun r = cli(edit);
    ASSERT_EQ(r.code, kExitOk) << c.rule << r.err;
    EXPECT_EQ(changedLines(config, dir.read("config.cfg")), c.config) << c.rule;
    EXPECT_EQ(changedLines(autoexec, dir.read("autoexec.cfg")), c.autoexec) << c.rule;
    // Read back by the console's rules, and kept by a load and a save.
    const std::string changed = dir.read("config.cfg") + dir.read("autoexec.cfg");
    ASSERT_EQ(cli(save).code, kExitOk) << c.rule;
    EXPECT_EQ(dir.read("config.cfg") + dir.read("autoexec.cfg"), changed) << c.rule;
    const std::string listed = cli({"keys", dir.str()}).out;
    const bool absent = c.listed[0] == '-';
    const std::string want = c.listed + (absent ? 1 : 0);
    const std::string prefix = want.substr(0, want.find('\t', want.find('\t') + 1) + 1);
    std::string found;
    for (std::istringstream l(listed); std::getline(l, found);)
      if (found.starts_with(prefix) && found.find("\tin force") != std::string::npos) break;
    if (!found.starts_with(prefix)) found.clear();
    EXPECT_TRUE(absent ? found.empty() : found.starts_with(want)) << c.rule << "\n" << listed;
  }
}

// Refused by the console's rules or because nothing is there to change: exit 2, and the folder
// is as it was.
TEST(cliKeys, RefusedEditsWriteNothing) {
  test::TempDir dir;
  dir.write("config.cfg", "bind w +forward\r\n");
  const std::vector<std::vector<std::string>> refused = {
      {"bind", "w", "say \"hi\""},          {"bind", "foo", "jump"},  {"bind", "w", "say a\nquit"},
      {"bind", "w", std::string(515, 'a')}, {"bind", "w", ""},        {"unbind", "x"},
      {"alias", "two words", "say"},        {"alias", "bind", "say"}, {"bind", "w"},
      {"bind", "w", "say", "hi"},           {"alias", "x:y", "say"},  {"unbind", "MOUSE9"}};
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
