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

// Small folders made for one rule each (tests/fixtures/keys/<rule>), listed as in
// tests/golden/keys/<rule>.txt and, as JSON, <rule>.json: how the console splits commands and
// words, which binding of a key wins, unbind and unbindall, exec, aliases, an alias that runs
// itself, text beyond ASCII.
TEST(cliKeys, ListsWhatTheGameRunsInItsOrder) {
  for (const auto& rule : fs::directory_iterator(test::fixtureDir() / "keys")) {
    test::TempDir dir;
    fs::copy(rule.path(), dir.path(), fs::copy_options::recursive);
    for (bool json : {false, true}) {
      const CliRun r = json ? cli({"keys", dir.str(), "--json"}) : cli({"keys", dir.str()});
      EXPECT_EQ(r.code, kExitOk) << rule.path() << r.err;
      EXPECT_EQ(test::goldenDiff("keys/" + rule.path().filename().string() + (json ? ".json" : ".txt"), r.out), "");
    }
  }
}

// The players' own files, each alone in a folder, against the lists checked once by hand.
TEST(cliKeys, PlayersFilesListAsCheckedByHand) {
  QUILLET_SKIP_WITHOUT_CORPUS();
  for (const char* kind : {"config", "autoexec"}) {
    for (const auto& file : fs::directory_iterator(fs::path(QUILLET_CORPUS_DIR) / kind)) {
      test::TempDir dir;
      fs::copy_file(file.path(), dir / (std::string(kind) + ".cfg"));
      EXPECT_EQ(test::goldenDiff("keys/" + std::string(kind) + "-" + file.path().stem().string() + ".txt",
                                 cli({"keys", dir.str()}).out),
                "");
    }
  }
}

// After a first save (which makes the folder a fixed point of Save), an edit changes its own
// lines only, and a save more changes nothing: tests/golden/keys/edits.txt holds, for each edit,
// the diffs of config.cfg and autoexec.cfg and what keys then lists.
TEST(cliKeys, EditsChangeTheirOwnLinesAndReadBackAsSet) {
  struct Case {
    const char* rule;
    bool keep;  // "Keep my own lines"
    std::vector<std::string> edit;
    std::map<std::string, std::string> files = {
        {"config.cfg", "bind \"w\" \"+forward\"\r\nbind x a; bind y b\r\nalias \"go\" \"say 1\"\r\nexec user.cfg\r\n"},
        {"autoexec.cfg", "bind f1 buy\r\nexec late.cfg\r\n"},
        {"user.cfg", "bind g drop\r\n"},
        {"late.cfg", "bind h x\r\n"}};
  };
  const Case cases[] = {
      {"a binding of config.cfg changes on its own line", false, {"bind", "W", "+back"}},
      {"a new key goes after config.cfg's own lines, with ; kept inside its quotes",
       false,
       {"bind", "mouse3", "say hi; kill"}},
      {"a binding that shares its line is followed by the new one", false, {"bind", "y", "c"}},
      {"unbind takes the line out", false, {"unbind", "w"}},
      {"a key bound by a file Quillet does not rewrite gets an unbind line after it", false, {"unbind", "g"}},
      {"an alias changes where it is defined", false, {"alias", "go", "say 2; kill"}},
      {"unbind of a key bound twice in a file puts the unbind in the last one's place",
       false,
       {"unbind", "w"},
       {{"config.cfg", "bind w a\r\nbind w b\r\n"}}},
      {"keep mode: a binding of autoexec.cfg changes there", true, {"bind", "F1", "buy2"}},
      {"keep mode: a key bound by a file autoexec.cfg runs is unbound after it", true, {"unbind", "h"}},
  };
  std::string all;
  for (const Case& c : cases) {
    test::TempDir dir;
    for (const auto& [name, bytes] : c.files) dir.write(name, bytes);
    auto run = [&](std::vector<std::string> args) {
      args.insert(args.begin() + 1, dir.str());
      args.insert(args.end(),
                  {"--store", (dir / "store.ini").string(), c.keep ? "--keep-own-lines" : "--replace", "--no-backup"});
      return cli(args).code;
    };
    auto both = [&] { return std::pair{dir.read("config.cfg"), dir.read("autoexec.cfg")}; };
    ASSERT_EQ(run({"save"}), kExitOk) << c.rule;
    const auto saved = both();
    ASSERT_EQ(run(c.edit), kExitOk) << c.rule;
    const auto changed = both();
    ASSERT_EQ(run({"save"}), kExitOk) << c.rule;
    EXPECT_EQ(both(), changed) << c.rule;
    all += std::string("== ") + c.rule + "\n" + unifiedDiff("config.cfg", saved.first, changed.first) +
           unifiedDiff("autoexec.cfg", saved.second, changed.second) + cli({"keys", dir.str()}).out;
  }
  EXPECT_EQ(test::goldenDiff("keys/edits.txt", all), "");
}

}  // namespace
}  // namespace quillet
