// Toggles, caption labels, sliders and their value labels.
#include "frmmain_fixture.h"

namespace quillet::testing {
namespace {

TEST_F(FrmmainTest, ToggleClickFlipsAndExplainsDoubleClickRestores) {
  struct Case { Table table; int index; std::string help; };
  const Case cases[] = {
      {Table::Client, 0, " Gives you small hints and help trough the game."},
      {Table::MoreClient, 0, std::string(option("img_moreclient(0)").help)},
      {Table::Video, 10, std::string(option("img_video(10)").help)},
      {Table::Controls, 7, " Use high quality sound."},
      {Table::Server, 10, "Limit observers to chasemode, not allowing them to 'ghost' around."},
      {Table::MoreServer, 6, " Use lag compensation to make gameplay less choppy. Leave on."},
      {Table::Launch, 4, " Disable IPX support."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(tableInfo(c.table).array) + "(" + std::to_string(c.index) + ")");
    w->toggle_Click(c.table, c.index);
    EXPECT_TRUE(model.checked(c.table, c.index));
    typeOut();
    EXPECT_EQ(w->helpFrame(), c.help);
    w->toggle_Click(c.table, c.index);  // a double-click: its first click, then the handler
    w->toggle_DblClick(c.table, c.index);
    EXPECT_TRUE(model.checked(c.table, c.index)) << "a double-click leaves the toggle as it was";
  }
}

TEST_F(FrmmainTest, BloodPredictionToggleLeavesTheHelpLine) {
  w->ShowHelp("x");
  typeOut();
  w->img_client_Click(17);
  EXPECT_TRUE(model.checked(Table::Client, 17));
  EXPECT_EQ(w->helpFrame(), "x");
  EXPECT_FALSE(w->timerEnabled());
}

TEST_F(FrmmainTest, TogglesWithoutControlAreIgnored) {
  const std::pair<Table, int> missing[] = {
      {Table::Client, 6}, {Table::Client, 8}, {Table::Server, 0}, {Table::Video, 4},
      {Table::Video, 99}, {Table::Launch, -1}, {Table::MoreClient, 1}};
  for (auto [t, i] : missing) {
    w->toggle_Click(t, i);
    w->toggle_DblClick(t, i);
    EXPECT_FALSE(model.checked(t, i)) << tableInfo(t).array << "(" << i << ")";
  }
  EXPECT_TRUE(view.frames.empty());
}

TEST_F(FrmmainTest, NetGraphToggleEnablesItsPositionBox) {
  const Option& box = opt("cmbnetgraphpos");
  w->field_Change(box, "Left");
  EXPECT_TRUE(w->netgraphEnabled()) << "enabled by design while the toggle is unchecked";
  w->img_client_Click(11);
  EXPECT_TRUE(w->netgraphEnabled());
  w->img_client_Click(11);
  EXPECT_FALSE(w->netgraphEnabled());
  EXPECT_EQ(model.text(box), "Left");
  w->img_client_Click(11);
  w->img_client_DblClick(11);
  EXPECT_FALSE(w->netgraphEnabled()) << "a double-click leaves the box as it was";
  EXPECT_EQ(view.netgraph, (std::vector<bool>{false, true, false}));
}

TEST_F(FrmmainTest, LaunchToggleRecomposesTheLine) {
  w->img_launch_Click(0);
  EXPECT_EQ(model.shortcut, "-game cstrike +sv_lan 1 -nomaster -players 16");
  EXPECT_EQ(view.shortcutChanges, 1);
  w->img_launch_Click(0);
  EXPECT_EQ(model.shortcut, "-game cstrike -nomaster -players 16");
  w->img_launch_Click(0);
  w->img_launch_DblClick(0);
  EXPECT_EQ(model.shortcut, "-game cstrike -nomaster -players 16") << "double-click: no change";
}

TEST_F(FrmmainTest, CaptionClicksShowHelpOnly) {
  struct Case { std::string_view label; std::string help; };  // empty help: nothing shown
  const Case cases[] = {
      {"Label42", " Use blod and gib prediction."},
      {"lbllaunch(2)", " register server at WON. Uncheck if you play LAN game."},
      {"Label13", " Gives you small hints and help trough the game."},
      {"Label9(0)", " Allow download in-game from server. Modem users should disable this."},
      {"lblsound(0)", " Use high quality sound."},
      {"lbl_moreserver(3)", " Allow clients to use cheats. Not recommended."},
      {"Label9(1)", std::string(option("scrollsmoke").help)},
      {"lblsound(3)", " Set the suit-sound volume."},
      {"lblsound(4)", " Set the in-game sound volume."},
      {"lbl_video(8)", ""},
      {"lbl_video(9)", ""},
      {"Label50", ""},
      {"Label99", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    w->ShowHelp("before");
    typeOut();
    w->caption_Click(c.label);
    typeOut();
    EXPECT_EQ(w->helpFrame(), c.help.empty() ? "before" : c.help);
  }
  EXPECT_FALSE(model.checked(Table::Client, 17)) << "captions never flip their toggle";
  EXPECT_FALSE(model.checked(Table::Launch, 1));
}

TEST_F(FrmmainTest, ValueLabelTexts) {
  struct Case { std::string_view slider; int position; std::string label; };
  const Case cases[] = {
      {"scrollfreezetime", 0, "Off"},      {"scrollfreezetime", 1, "1 sec"},
      {"scrollvolume", 0, "Min"},          {"scrollvolume", 10, "Max"},
      {"scrollvolume", 5, "5"},            {"scrollsuitvolume", 0, "Min"},
      {"scrollresetinterval", 0, "Off"},   {"scrollresetinterval", 600, "600"},
      {"scrollgamma", 25, "2.5"},          {"scrollbrightness", 10, "1"},
      {"scrollghostfreq", 1, "0.1 sec"},   {"scrollmapratio", 60, "60%"},
      {"scrollcalculatepackets", 3, "3 packets"}, {"scrollmsgtime", 30, "30 sec"},
      {"scrollsmoke", 1, "Med"},           {"scrolllatency", 1000, "1000"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.slider) + " at " + std::to_string(c.position));
    const Option& s = opt(c.slider);
    w->slider_Change(s, c.position == s.min ? s.max : s.min);
    w->slider_Change(s, c.position);
    EXPECT_EQ(w->valueLabel(s), c.label);
    w->slider_Scroll(s, s.max);
    w->slider_Scroll(s, c.position);
    EXPECT_EQ(w->valueLabel(s), c.label) << "while dragging";
  }
}

TEST_F(FrmmainTest, LabelsStartFromTheDesignPositionsWithTheUsersSeparator) {
  EXPECT_EQ(w->valueLabel(opt("scrollghostfreq")), "0.1 sec");
  EXPECT_EQ(w->valueLabel(opt("scrollsensity")), "10");
  EXPECT_EQ(w->valueLabel(opt("scrollsmoke")), "Low");
  w->setDecimalSeparator(',');
  EXPECT_EQ(w->valueLabel(opt("scrollghostfreq")), "0,1 sec");
  w->slider_Change(opt("scrollgamma"), 25);
  EXPECT_EQ(w->valueLabel(opt("scrollgamma")), "2,5");
  EXPECT_EQ(timer.starts.size(), 1u) << "only the change started help, not the set-up";
}

TEST_F(FrmmainTest, WhichSliderEventsStartHelp) {
  enum Event { Change, Scroll, Focus };
  struct Case { std::string_view slider; Event event; bool helps; };
  const Case cases[] = {
      {"scrollgamma", Change, true},     {"scrollgamma", Scroll, false},
      {"scrollgamma", Focus, true},      {"scrolldecals", Change, false},
      {"scrolldecals", Scroll, false},   {"scrolldecals", Focus, true},
      {"scrollghostfreq", Change, false}, {"scrollbombtimer", Change, true},
      {"scrollbombtimer", Scroll, true}, {"scrollbombtimer", Focus, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.slider) + " event " + std::to_string(c.event));
    const Option& s = opt(c.slider);
    w->ShowHelp("before");
    typeOut();
    const int p = model.position(s) == s.max ? s.min : s.max;
    if (c.event == Change) w->slider_Change(s, p);
    if (c.event == Scroll) w->slider_Scroll(s, p);
    if (c.event == Focus) w->slider_GotFocus(s);
    typeOut();
    EXPECT_EQ(w->helpFrame(), c.helps ? std::string(s.help) : "before");
  }
}

TEST_F(FrmmainTest, ProgramChangesRespondLikeUserChanges) {
  const Option& gamma = opt("scrollgamma");
  model.setPosition(gamma, 25);
  EXPECT_EQ(w->valueLabel(gamma), "2.5");
  EXPECT_EQ(w->helpText(), gamma.help);
  EXPECT_EQ(view.sliderMoves, std::vector<std::string>{"scrollgamma"});
  w->slider_Change(gamma, 20);
  EXPECT_EQ(view.sliderMoves.size(), 1u) << "the user's own move is not echoed";

  typeOut();
  view.frames.clear();
  model.setPosition(gamma, 20);
  EXPECT_TRUE(view.frames.empty()) << "the current position again is no change";

  model.writeValueLabel(opt("scrollsmoke"), "Medium");
  EXPECT_EQ(w->valueLabel(opt("scrollsmoke")), "Medium");
}

TEST_F(FrmmainTest, ColourPreviewFollowsTheColourSliders) {
  const Option& red = opt("scrollred");
  w->slider_Scroll(red, 255);
  EXPECT_EQ(w->colourPreview(), (Rgb{255, 0, 0})) << "while dragging";
  EXPECT_EQ(model.position(red), 0);
  w->slider_Change(red, 255);
  w->slider_Change(opt("scrollblue"), 128);
  EXPECT_EQ(w->colourPreview(), (Rgb{255, 0, 128}));
}

}  // namespace
}  // namespace quillet::testing
