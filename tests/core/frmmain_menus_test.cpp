// Menu commands, the logo-cache button, the map page and the launch-line triggers.
#include "frmmain_fixture.h"

#include "Stringconverter/Console.h"
#include "save/Save.h"
#include "settings/LaunchLine.h"
#include "settings/ValueForms.h"

namespace quillet::testing {
namespace {

// Factory values themselves: preferences_test. Here: the question, and the labels following.
TEST_F(FrmmainTest, LoadDefaultsAsksFirst) {
  w->ShowHelp("before");
  typeOut();
  w->mnudefaults_Click();  // No
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0], kLoadDefaultsQuestion);
  EXPECT_EQ(model.position(option("scrollgamma")), 0);
  EXPECT_EQ(w->helpFrame(), "before");
  dialogs.answers = {Answer::Yes};
  w->mnudefaults_Click();
  EXPECT_EQ(w->valueLabel(option("scrollgamma")), "2.5");
  EXPECT_EQ(model.shortcut, "-game cstrike -players 16");
  typeOut();
  EXPECT_EQ(w->helpFrame(), option("scrollsuitvolume").help)
      << "the suit volume is the last slider that the defaults change";
}

TEST_F(FrmmainTest, AboutShowsTheAboutBox) {
  w->mnuAbout_Click();
  EXPECT_EQ(dialogs.shown, std::vector<Message>{frmmain::aboutMessage()});
}

TEST_F(FrmmainTest, DeletingTheLogoCacheTwice) {
  makeGame(game);
  startWith(game);
  dialogs.shown.clear();
  writeFile(game / "custom.hpk", "logos");
  w->cmddelCustom_Click();
  w->cmddelCustom_Click();
  EXPECT_FALSE(fs::exists(game / "custom.hpk"));
  EXPECT_EQ(dialogs.shown, (std::vector<Message>{kLogoCacheDeleted, kNoLogoCache}));
}

// Exit ends at once when nothing changed since the load or the last Save; after a change it asks
// first: Discard ends, Cancel stays, Save runs the Save command and ends when it saved.
TEST_F(FrmmainTest, ExitAsksOnlyAfterAChange) {
  makeGame(game);
  startWith(game);
  struct Row {
    int change;  // 0 none, 1 a slider, 2 a key binding
    std::deque<Answer> answers;
    bool quits, saved;
    std::size_t shown;  // the question, Save's confirmation, its success
  };
  const Row rows[] = {{0, {}, true, false, 0},
                      {1, {Answer::Cancel}, false, false, 1},
                      {1, {Answer::Save, Answer::No}, false, false, 2},
                      {1, {Answer::Discard}, true, false, 1},
                      {2, {Answer::Cancel}, false, false, 1},
                      {1, {Answer::Save, Answer::Yes}, true, true, 3},
                      {0, {}, true, false, 0}};
  int position = 5;
  for (const Row& row : rows) {
    if (row.change == 1) w->slider_Change(option("scrollgamma"), ++position);
    if (row.change == 2) model.keyEdits.push_back({KeyEdit::Kind::Bind, "w", "+forward"});
    const std::string before = test::TempDir::readFile(game / "autoexec.cfg");
    const int quits = view.quits;
    dialogs.shown.clear();
    dialogs.answers = row.answers;
    w->mnuexit_Click();
    EXPECT_EQ(view.quits - quits, row.quits ? 1 : 0) << position;
    EXPECT_EQ(dialogs.shown.size(), row.shown) << position;
    if (row.shown > 0) {
      EXPECT_EQ(dialogs.shown[0], kExitQuestion);
    }
    EXPECT_EQ(test::TempDir::readFile(game / "autoexec.cfg") != before, row.saved) << position;
  }
}

// Turning "Keep my own lines" on or off reads the folder again; a key change not yet saved is
// planned again for the new reading and written by the next Save.
TEST_F(FrmmainTest, KeyChangesOutliveTheModeToggle) {
  makeGame(game);
  startWith(game);
  model.keyEdits.push_back({KeyEdit::Kind::Bind, "F7", "say toggled"});
  for (int i = 0; i < 2; ++i) {
    w->mnukeepownlines_Click();
    ASSERT_EQ(model.keyEdits.size(), 1u) << i;
    EXPECT_EQ(model.keyEdits[0].command, "say toggled") << i;
  }
  dialogs.answers = {Answer::Yes};
  w->mnusave_Click();
  EXPECT_NE(test::TempDir::readFile(game / "config.cfg").find("say toggled"), std::string::npos);
}

TEST_F(FrmmainTest, MapClicksShowPreviewAndFlip) {
  makeGame(game);
  startWith(game);
  writeFile(game / "maps" / "de_dust.txt", "Plant the bomb.");
  writeFile(programDir / "img" / "de_dust.jpg", "jpeg");
  const bool before = model.checked(Table::Map, 13);
  w->img_map_Click(13);
  EXPECT_EQ(model.checked(Table::Map, 13), !before);
  EXPECT_EQ(model.mapInfo, "Plant the bomb.");
  EXPECT_EQ(pictures.shown, programDir / "img" / "de_dust.jpg");
  EXPECT_EQ(w->helpText(), option("img_map(13)").help);
  w->img_map_Click(13);
  w->toggle_DblClick(Table::Map, 13);
  EXPECT_EQ(model.checked(Table::Map, 13), before) << "a double-click adds nothing to the click";

  // A map without briefing or picture: the field empties, the earlier picture stays.
  w->caption_Click("lbl_map(3)");
  EXPECT_FALSE(model.checked(Table::Map, 3)) << "the name never flips the map";
  EXPECT_EQ(model.mapInfo, "");
  EXPECT_FALSE(fs::exists(game / "maps" / "cs_747.txt"));
  EXPECT_EQ(pictures.asked.back(), programDir / "img" / "cs_747.jpg");
  EXPECT_EQ(pictures.shown, programDir / "img" / "de_dust.jpg");

  for (int bad : {-1, 19}) {
    w->img_map_Click(bad);
    w->lbl_map_Click(bad);
  }
  w->caption_Click("lbl_map(x)");
}

TEST_F(FrmmainTest, DefaultMapListFollowsTheChosenMaps) {
  w->cmdlaunch_Click();
  EXPECT_TRUE(w->defaultMapList().empty());
  w->img_map_Click(13);
  w->img_map_Click(3);
  for (int i = 0; i < 2; ++i) {
    w->cmdlaunch_Click();
    EXPECT_EQ(w->defaultMapList(), (std::vector<std::string>{"cs_747", "de_dust"}));
  }
  w->ShowHelp("x");
  typeOut();
  w->cmdallmaps_Click();
  EXPECT_EQ(w->helpFrame(), "x") << "Select all shows no help";
  EXPECT_EQ(w->defaultMapList(), std::vector<std::string>(kMaps.begin(), kMaps.end()))
      << "every map is chosen, and the list follows the selection at once";
}

// Each step of tests/golden/launch-triggers.txt in turn: "shortcut" (the Update button), "check"
// a launch toggle, "type" a field's text or "click" the field; the launch line after it. A refused
// text is shown again, and the help line says why.
TEST_F(FrmmainTest, LaunchLineAfterEachTrigger) {
  const auto lineAfter = [&](const std::string& input) {
    const std::string action = input.substr(0, input.find(' ')), rest = input.substr(action.size() + 1);
    const Option& o = option(rest.substr(0, rest.find(' ')));
    if (action == "shortcut") w->cmdshortcut_Click();
    if (action == "check") w->toggle_Click(o.table, o.index);
    if (action == "type") w->field_Change(o, rest.substr(o.control.size() + 1));
    if (action == "click") w->field_Click(o);
    const bool refused = !view.textChanges.empty();
    view.textChanges.clear();
    return model.shortcut + (!refused                                             ? ""
                             : w->helpText().find(" takes ") != std::string::npos ? " (refused, says why)"
                                                                                  : " (refused)");
  };
  EXPECT_EQ(test::goldenCasesDiff("launch-triggers.txt", lineAfter), "");
}

// Each launch field, set to every byte at its start, in its middle and at its end: refused, or
// the launcher (splitting at blanks and tabs outside double quotes) hands the game the switch and
// exactly the field's text, and a map's name reaches the console as one word.
TEST(LaunchLine, FieldsReachTheLauncherWholeOrAreRefused) {
  const auto launcherArgs = [](std::string_view line) {
    std::vector<std::string> out(1);
    bool quoted = false;
    for (const char c : line) {
      if (c == '"') quoted = !quoted;
      else if (quoted || (c != ' ' && c != '\t')) out.back() += c;
      else if (!out.back().empty()) out.emplace_back();
    }
    return out;
  };
  const std::pair<const char*, const char*> fields[] = {
      {"txtmaxplayers", "2"}, {"txtipaddress", "192.168.0.2"}, {"txtport", "27015"}, {"cmbdeafultmap", "de_dust"}};
  for (const auto& [control, good] : fields) {
    const Option& f = option(control);
    std::vector<std::string> values = {good};
    for (int b = 1; b < 256; ++b)
      for (const std::string& v :
           {std::string(1, static_cast<char>(b)) + good, good + std::string(1, static_cast<char>(b)),
            "1" + std::string(1, static_cast<char>(b)) + "2"})
        values.push_back(v);
    int taken = 0;
    for (const std::string& v : values) {
      if (!fieldProblem(f, v).empty()) continue;
      ++taken;
      Model model;
      model.setText(f, v);
      const auto args = launcherArgs(composeLaunchLine(model));
      const auto at = std::find(args.begin(), args.end(), f.on);
      ASSERT_NE(at, args.end()) << v;
      EXPECT_TRUE(at + 1 != args.end() && at[1] == v && (at + 2 == args.end() || at[2].starts_with('-'))) << v;
      if (f.input == Input::Word) {
        EXPECT_EQ(console::words("map " + v), (std::vector<std::string>{"map", v}));
      }
    }
    EXPECT_GT(taken, 1) << control;
  }
}

TEST_F(FrmmainTest, ProgramTextChangesReachTheView) {
  model.setText(option("txtport"), "27016");
  EXPECT_EQ(view.textChanges, std::vector<std::string>{"txtport"});
  EXPECT_EQ(model.shortcut, "-game cstrike -nomaster -players 16 -port 27016");
  EXPECT_EQ(view.shortcutChanges, 1);
}

}  // namespace
}  // namespace quillet::testing
