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

}  // namespace
}  // namespace quillet
