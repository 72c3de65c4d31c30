// Toggles, caption labels, sliders and their value labels.
#include "frmmain_fixture.h"

namespace quillet::testing {
namespace {

TEST_F(FrmmainTest, ToggleClickFlipsAndExplainsDoubleClickRestores) {
  struct Case {
    Table table;
    int index;
    std::string help;
  };
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
  const std::pair<Table, int> missing[] = {{Table::Client, 6},    {Table::Client, 8}, {Table::Server, 0},
                                           {Table::Video, 4},     {Table::Video, 99}, {Table::Launch, -1},
                                           {Table::MoreClient, 1}};
  for (auto [t, i] : missing) {
    w->toggle_Click(t, i);
    w->toggle_DblClick(t, i);
    EXPECT_FALSE(model.checked(t, i)) << tableInfo(t).array << "(" << i << ")";
  }
  EXPECT_TRUE(view.frames.empty());
}

TEST_F(FrmmainTest, NetGraphToggleEnablesItsPositionBox) {
  const Option& box = option("cmbnetgraphpos");
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

// The label texts themselves are tested with valueLabelText; here: both events reach the label.
TEST_F(FrmmainTest, ValueLabelsFollowChangeAndDrag) {
  struct Case {
    std::string_view slider;
    int position;
    std::string label;
  };
  const Case cases[] = {{"scrollfreezetime", 0, "Off"}, {"scrollvolume", 10, "Max"}, {"scrollgamma", 25, "2.5"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.slider) + " at " + std::to_string(c.position));
    const Option& s = option(c.slider);
    w->slider_Change(s, c.position == s.min ? s.max : s.min);
    w->slider_Change(s, c.position);
    EXPECT_EQ(w->valueLabel(s), c.label);
    w->slider_Scroll(s, s.max);
    w->slider_Scroll(s, c.position);
    EXPECT_EQ(w->valueLabel(s), c.label) << "while dragging";
  }
}

TEST_F(FrmmainTest, LabelsStartFromTheDesignPositionsWithTheUsersSeparator) {
  EXPECT_EQ(w->valueLabel(option("scrollghostfreq")), "0.1 sec");
  EXPECT_EQ(w->valueLabel(option("scrollsensity")), "10");
  EXPECT_EQ(w->valueLabel(option("scrollsmoke")), "Low");
  w->setDecimalSeparator(',');
  EXPECT_EQ(w->valueLabel(option("scrollghostfreq")), "0,1 sec");
  w->slider_Change(option("scrollgamma"), 25);
  EXPECT_EQ(w->valueLabel(option("scrollgamma")), "2,5");
  EXPECT_EQ(timer.starts.size(), 1u) << "only the change started help, not the set-up";
}

// Which events explain what on the help line: caption clicks, field clicks and focus, and the
// three slider events. `shows` names the option whose sentence ends on the line; nullptr: none.
TEST_F(FrmmainTest, WhichEventsExplainWhat) {
  enum Event { Caption, Click, Focus, Change, Scroll };
  struct Case {
    Event event;
    std::string_view control;
    std::string help;
  };  // "": nothing shown
  const auto of = [](std::string_view control) { return std::string(option(control).help); };
  const Case cases[] = {
      {Caption, "Label42", " Use blod and gib prediction."},
      {Caption, "lbllaunch(2)", " register server at WON. Uncheck if you play LAN game."},
      {Caption, "Label13", of("img_client(0)")},
      {Caption, "Label9(0)", of("img_client(14)")},
      {Caption, "Label9(1)", of("scrollsmoke")},
      {Caption, "lblsound(4)", of("scrollvolume")},
      {Caption, "lbl_video(8)", ""},
      {Caption, "Label50", ""},
      {Caption, "Label99", ""},
      {Click, "txtname", of("txtname")},
      {Click, "txtmotd", of("txtmotd")},
      {Click, "txtport", of("txtport")},
      {Focus, "txtname", ""},
      {Focus, "cmbnetgraphpos", of("cmbnetgraphpos")},
      {Focus, "cmbdeafultmap", of("cmbdeafultmap")},
      {Click, "cmbdeafultmap", ""},
      {Change, "scrollgamma", of("scrollgamma")},
      {Scroll, "scrollgamma", ""},
      {Focus, "scrollgamma", of("scrollgamma")},
      {Change, "scrolldecals", ""},
      {Scroll, "scrolldecals", ""},
      {Focus, "scrolldecals", of("scrolldecals")},
      {Change, "scrollghostfreq", ""},
      {Change, "scrollbombtimer", of("scrollbombtimer")},
      {Scroll, "scrollbombtimer", of("scrollbombtimer")},
      {Focus, "scrollbombtimer", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.control) + " event " + std::to_string(c.event));
    w->ShowHelp("before");
    typeOut();
    if (c.event == Caption) {
      w->caption_Click(c.control);
    } else {
      const Option& o = option(c.control);
      const int p = model.position(o) == o.max ? o.min : o.max;
      if (c.event == Click) w->field_Click(o);
      if (c.event == Focus) (o.kind == Kind::Slider ? w->slider_GotFocus(o) : w->field_GotFocus(o));
      if (c.event == Change) w->slider_Change(o, p);
      if (c.event == Scroll) w->slider_Scroll(o, p);
    }
    typeOut();
    EXPECT_EQ(w->helpFrame(), c.help.empty() ? "before" : c.help);
  }
  EXPECT_FALSE(model.checked(Table::Client, 17)) << "captions never flip their toggle";
  EXPECT_FALSE(model.checked(Table::Launch, 1));
}

TEST_F(FrmmainTest, ProgramChangesRespondLikeUserChanges) {
  const Option& gamma = option("scrollgamma");
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

  model.writeValueLabel(option("scrollsmoke"), "Medium");
  EXPECT_EQ(w->valueLabel(option("scrollsmoke")), "Medium");
}

}  // namespace
}  // namespace quillet::testing
