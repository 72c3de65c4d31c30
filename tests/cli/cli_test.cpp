// The command line as a whole: exit codes, messages, show's output, and runs of the built
// program on a game folder made from the project's fixtures.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "../core/test_support.h"
#include "Checkpath/Checkpath.h"
#include "cli/Cli.h"
#include "Stringconverter/Readers.h"
#include "save/Backups.h"
#include "save/Save.h"

namespace quillet {
namespace {

namespace fs = std::filesystem;

std::string fileText(const fs::path& p) { return test::TempDir::readFile(p); }

// A message's first line, without the "- " that leads a load error.
std::string firstLine(std::string_view text) {
  if (text.starts_with("- ")) text.remove_prefix(2);
  return std::string(text.substr(0, text.find_first_of("\r\n")));
}

// Everything under the folder with its bytes and its modification time.
std::map<std::string, std::string> folderContents(const fs::path& dir) {
  std::map<std::string, std::string> files;
  for (const auto& e : fs::recursive_directory_iterator(dir))
    files[e.path().string()] = (e.is_regular_file() ? fileText(e.path()) : "<dir>") + '@' +
                               std::to_string(e.last_write_time().time_since_epoch().count());
  return files;
}

class cliCommand : public testing::Test {
 protected:
  void SetUp() override {
    game_ = root_ / "cstrike";
    store_ = (root_ / "store.ini").string();
    setenv("QUILLET_STORE", store_.c_str(), 1);  // never the user's own, even where --store is left out
    fs::create_directories(game_ / "cl_dlls");
    // The project's own fixtures, one of each kind (tests/fixtures/config/1-hand-written.cfg...).
    for (std::string_view name : test::gameFiles()) {
      const fs::path file(name);
      const std::string bytes =
          fileText(test::fixtureDir() / file.stem() / ("1-hand-written" + file.extension().string()));
      ASSERT_FALSE(bytes.empty()) << name;
      test::writeFile(game_ / file, bytes);
    }
  }

  void TearDown() override { unsetenv("QUILLET_STORE"); }

  // In-process run.
  int cli(std::vector<std::string> args) {
    std::ostringstream o, e;
    const int code = runCli(args, o, e);
    out_ = o.str();
    err_ = e.str();
    return code;
  }
  // A run of the built program; the shell quotes each word. `stdoutTo` replaces the
  // redirection of the standard output (">/dev/full", ">&-").
  int program(const std::vector<std::string>& args, const std::string& stdoutTo = {}) {
    auto quote = [](const std::string& s) {
      std::string q = "'";
      for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
      return q + "'";
    };
    std::string command = quote(QUILLET_CLI);
    for (const auto& a : args) command += ' ' + quote(a);
    command += (stdoutTo.empty() ? " >" + quote((root_ / "out").string()) : " " + stdoutTo) + " 2>" +
               quote((root_ / "err").string());
    const int status = std::system(command.c_str());
    out_ = fileText(root_ / "out");
    err_ = fileText(root_ / "err");
    fs::remove(root_ / "out");
    fs::remove(root_ / "err");
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  test::TempDir dir_{false};
  // Blanks and characters beyond ASCII (UTF-8) on the way to the game folder and the store.
  const fs::path root_ = dir_ / "Half Life Spiele \xC3\xA9t\xC3\xA9 \xE6\xB8\xB8\xE6\x88\x8F";
  fs::path game_;
  std::string store_, out_, err_;
};

// Usage errors (tests/golden/cli/usage.txt): exit 2, every line of the error prefixed with the
// program's name and naming the problems (every refused --set, none that was accepted), and
// nothing written.
TEST_F(cliCommand, UsageErrorsNameTheProblemAndWriteNothing) {
  const std::pair<std::string, std::string> places[] = {
      {game_.string(), "GAME"}, {store_, "STORE"}, {root_.string(), "ROOT"}};
  const auto before = folderContents(root_);
  const auto run = [&](const std::string& line) {
    std::vector<std::string> args;
    std::istringstream words(line + '|');
    for (std::string w; !line.empty() && std::getline(words, w, '|');) {
      for (const auto& [place, name] : places) w = w == name ? place : w;
      args.push_back(w);
    }
    std::string said = std::to_string(cli(args)) + ' ' + err_;
    for (const auto& [place, name] : places)
      for (std::size_t at; (at = said.find(place)) != std::string::npos;) said.replace(at, place.size(), name);
    return said;
  };
  EXPECT_EQ(test::goldenCasesDiff("cli/usage.txt", run), "");
  EXPECT_EQ(folderContents(root_), before);
}

// A run of the built program: the values reach the files (through the code page) and the store
// (never the game folder itself); show lists every option with its value, as text and as JSON
// (tests/golden/cli/show.txt, show.json). How each value is written is tested in tests/core.
TEST_F(cliCommand, SetValuesReachTheFilesTheStoreAndShow) {
  ASSERT_EQ(program({"save", game_.string(), "--store", store_, "--set", "gamma=2.5", "--set", "img_launch(2)=1",
                     "--set", "txtname=Caf\xC3\xA9"}),
            kExitOk)
      << err_;
  EXPECT_NE(fileText(game_ / "autoexec.cfg").find("\r\ngamma 2.5\r\n"), std::string::npos);
  EXPECT_NE(fileText(game_ / "autoexec.cfg").find("\r\nname \"Caf\xE9\"\r\n"), std::string::npos);
  EXPECT_NE(fileText(store_).find("32bit=True"), std::string::npos);
  EXPECT_EQ(fileText(store_).find("cspath"), std::string::npos);
  for (const char* format : {"show.txt", "show.json"}) {
    std::vector<std::string> args = {"show", game_.string(), "--store", store_};
    if (std::string_view(format).ends_with("json")) args.push_back("--json");
    ASSERT_EQ(program(args), kExitOk) << err_;
    EXPECT_EQ(test::goldenDiff(std::string("cli/") + format, out_), "");
  }
}

// "Keep my own lines": the stored choice holds unless --keep-own-lines or --replace overrides it
// for the run, which stores nothing.
TEST_F(cliCommand, KeepOwnLinesFollowsTheStoreOrTheSwitch) {
  struct Case {
    const char* stored;
    const char* flag;
    bool keeps;
  };
  const Case cases[] = {{"", "", false},
                        {"", "--keep-own-lines", true},
                        {"True", "", true},
                        {"True", "--replace", false},
                        {"False", "--keep-own-lines", true}};
  const std::string rcon = "rcon_password \"mine\"";
  for (const Case& c : cases) {
    std::ofstream(game_ / "server.cfg", std::ios::binary) << rcon << "\r\nmp_timelimit 45\r\nfps_max 300\r\n";
    std::ofstream(game_ / "autoexec.cfg", std::ios::binary) << "mp_timelimit 20\r\n";
    std::ofstream(store_, std::ios::trunc)
        << (*c.stored ? std::string("[settings]\nkeepownlines=") + c.stored + "\n" : "");
    std::vector<std::string> args = {"show", game_.string(), "--store", store_};
    if (*c.flag) args.push_back(c.flag);
    ASSERT_EQ(cli(args), kExitOk) << err_;
    EXPECT_EQ(out_.find("scrolltimelimit\tmp_timelimit\t45\t") != std::string::npos, c.keeps) << c.stored << c.flag;
    EXPECT_EQ(err_.find("quillet-cli: kept as it is: ") != std::string::npos, c.keeps) << c.stored << c.flag << err_;
    args[0] = "save";
    ASSERT_EQ(cli(args), kExitOk) << err_;
    EXPECT_EQ(fileText(game_ / "server.cfg").find(rcon) != std::string::npos, c.keeps) << c.stored << c.flag;
    // A second save with no --set: kept mode writes nothing and says so.
    ASSERT_EQ(cli(args), kExitOk) << err_;
    EXPECT_EQ(out_ == std::string(kNothingToSave) + "\n", c.keeps) << c.stored << c.flag << out_;
    const std::string store = fileText(store_);
    EXPECT_EQ(store.find("keepownlines"),
              *c.stored ? store.find("keepownlines=" + std::string(c.stored)) : std::string::npos)
        << "a switch of the command line is not stored: " << store;
  }
}

TEST_F(cliCommand, OutputThatCannotBeWrittenIsAFailure) {
  for (const char* to : {">/dev/full", ">&-"}) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"show", game_.string(), "--store", store_}, std::vector<std::string>{"--help"}}) {
      EXPECT_EQ(program(args, to), kExitSaveFailed) << to << ' ' << args[0];
      EXPECT_NE(err_.find("quillet-cli: cannot write the output"), std::string::npos) << to << ' ' << err_;
    }
  }
}

TEST_F(cliCommand, AFirstSaveWarnsOfTheMissingFilesAndCreatesThem) {
  for (std::string_view f : test::gameFiles()) fs::remove(game_ / f);
  EXPECT_EQ(cli({"save", game_.string(), "--store", store_, "--defaults"}), kExitOk) << err_;
  for (std::string_view message : {kAutoexecError, kConfigError})
    EXPECT_NE(err_.find("quillet-cli: warning: " + firstLine(message) + "\n"), std::string::npos) << err_;
  EXPECT_EQ(err_.find('\r'), std::string::npos);
  for (std::string_view f : test::gameFiles()) EXPECT_TRUE(fs::is_regular_file(game_ / f)) << f;
}

// --version names the version. The help text, the manual page and the bash completion cannot
// fall behind the parser: every command and every option it knows is named in each of them.
TEST(cliText, VersionAndHelpManualAndCompletionNameEveryCommandAndOption) {
  std::ostringstream help, version, unused;
  ASSERT_EQ(runCli({"--version"}, version, unused), kExitOk);
  EXPECT_EQ(version.str(), std::string("quillet-cli ") + QUILLET_VERSION + "\n");
  ASSERT_EQ(runCli({"--help"}, help, unused), kExitOk);
  const std::string manual = test::TempDir::readFile(fs::path(QUILLET_SOURCE_DIR) / "packaging/man/quillet-cli.1");
  const std::string completion =
      test::TempDir::readFile(fs::path(QUILLET_SOURCE_DIR) / "packaging/completion/quillet-cli");
  auto roff = [](std::string s) {  // "--set" as the manual page spells it: \-\-set
    std::string out;
    for (char c : s) out += c == '-' ? std::string("\\-") : std::string(1, c);
    return out;
  };
  // The words of one list of the completion, as in: local commands="save show help".
  auto completed = [&](const std::string& key) {
    const std::size_t at = completion.find(key + "=\"");
    if (at == std::string::npos) return "<no list " + key + ">";
    const std::size_t from = at + key.size() + 2;
    return ' ' + completion.substr(from, completion.find('"', from) - from) + ' ';
  };
  const auto words = commandLineWords();
  ASSERT_GE(words.size(), 3u);
  for (const auto& [command, options] : words) {
    if (!command.empty()) {
      EXPECT_NE(help.str().find(command), std::string::npos) << command;
      EXPECT_NE(manual.find(".B " + command + "\n"), std::string::npos) << command;
      EXPECT_NE(completed("commands").find(' ' + command + ' '), std::string::npos) << command;
    }
    for (const std::string& option : options) {
      if (option == "--help" && !command.empty()) continue;  // shown once, for the program
      EXPECT_NE(help.str().find(option), std::string::npos) << command << ' ' << option;
      EXPECT_NE(manual.find(roff(option)), std::string::npos) << command << ' ' << option;
      EXPECT_NE(completed(command.empty() ? "global" : "[" + command + "]").find(' ' + option + ' '), std::string::npos)
          << command << ' ' << option;
    }
  }
}

TEST(cliText, EscapesForTabSeparatedFields) { EXPECT_EQ(escapeField("a\tb\\c\r\nd"), "a\\tb\\\\c\\r\\nd"); }

TEST_F(cliCommand, DryRunBackupsAndRestore) {
  const std::string g = game_.string();
  ASSERT_EQ(cli({"save", g, "--store", store_}), kExitOk) << err_;
  auto backups = listBackups(g);
  ASSERT_EQ(backups.size(), 1u);

  // A dry run names the new and unchanged files, diffs the changed one, and touches nothing.
  fs::remove(game_ / "server.cfg");
  fs::remove(store_);
  const auto before = folderContents(root_);
  ASSERT_EQ(cli({"save", g, "--store", store_, "--dry-run", "--set", "gamma=2"}), kExitOk) << err_;
  EXPECT_EQ(folderContents(root_), before);
  EXPECT_EQ(test::goldenDiff("cli/dry-run.txt", out_), "");
  // With a write-protected file the dry run says that save would fail, and save writes nothing.
  fs::permissions(game_ / "autoexec.cfg", fs::perms::owner_read);
  for (const char* dry : {"--dry-run", "--no-backup"}) {
    EXPECT_EQ(cli({"save", g, "--store", store_, dry, "--set", "gamma=2"}), kExitSaveFailed);
    for (const std::string& part :
         {"quillet-cli: " + firstLine(saveErrorMessage(g).text) + "\nquillet-cli: Most likely",
          std::string("\nquillet-cli: autoexec.cfg: Permission denied (the file is write-")})
      EXPECT_NE(err_.find(part), std::string::npos) << err_;
    EXPECT_EQ(err_.find('\r'), std::string::npos);
    EXPECT_EQ(folderContents(root_), before);
  }
  fs::permissions(game_ / "autoexec.cfg", fs::perms::owner_read | fs::perms::owner_write);

  // As many more Saves as backups are kept, each changing a file: the oldest backup goes.
  for (std::size_t i = 0; i < kBackupsKept; ++i)
    ASSERT_EQ(cli({"save", g, "--store", store_, "--set", i % 2 ? "gamma=3" : "gamma=2"}), kExitOk) << err_;
  const std::string oldest = backups[0].name;
  backups = listBackups(g);
  EXPECT_EQ(backups.size(), kBackupsKept);
  EXPECT_FALSE(fs::exists(game_ / "quillet-backups" / oldest));
  EXPECT_EQ(cli({"save", g, "--store", store_, "--set", "gamma=1", "--no-backup"}), kExitOk);
  EXPECT_EQ(listBackups(g).front().name, backups.front().name);

  // A restore brings the newest Save's backup back; its own backup is marked and undoes it only
  // when named: a plain restore again takes the Save's.
  const std::string latest = fileText(game_ / "autoexec.cfg");
  ASSERT_EQ(cli({"backups", g}), kExitOk);
  EXPECT_EQ(out_.substr(0, out_.find('\n')),
            backups.front().name + "\t" + backups.front().time() + "\tSave\tconfig.cfg, autoexec.cfg");
  const std::string restored = fileText(game_ / "quillet-backups" / backups.front().name / "autoexec.cfg");
  ASSERT_EQ(cli({"restore", g}), kExitOk) << err_;
  EXPECT_EQ(fileText(game_ / "autoexec.cfg"), restored);
  const Backup undo = listBackups(g).front();
  EXPECT_TRUE(undo.ofRestore) << undo.name;
  ASSERT_EQ(cli({"restore", g}), kExitOk) << err_;
  EXPECT_EQ(fileText(game_ / "autoexec.cfg"), restored);
  ASSERT_EQ(cli({"restore", g, undo.name}), kExitOk) << err_;
  EXPECT_EQ(fileText(game_ / "autoexec.cfg"), latest);
  EXPECT_EQ(cli({"restore", g, "1999-01-01_000000"}), kExitUsage);
}

}  // namespace
}  // namespace quillet
