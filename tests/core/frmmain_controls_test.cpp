// The typed help line, toggles, caption labels, sliders and their value labels.
#include "frmmain_fixture.h"

namespace quillet::testing {
namespace {

TEST_F(FrmmainTest, HelpLineTypesFrameByFrame) {
  struct Case {
    const char* name;
    std::string first;  // typed up to `position` before the second sentence starts
    int position;
    std::string second;
    std::vector<std::string> frames;  // every frame from the second sentence's start on
  };
  const Case cases[] = {
      {"idle start", "", 0, " abc", {" _", "  _", " a _", " ab _", " abc"}},
      {"position carried over", "abcdef", 3, "uvwxyz", {"uvw _", "uvwx _", "uvwxy _", "uvwxyz"}},
      {"shorter than the position", "abcdef", 3, "ab", {"ab"}},
      {"empty sentence", "abcdef", 1, "", {""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    w->ShowHelp(c.first);
    typeOut();  // an empty first sentence leaves the line idle at once
    if (c.position > 0) {
      w->ShowHelp(c.first);
      for (int i = 1; i < c.position; ++i) w->Timer1_Timer();
      ASSERT_EQ(w->helpPosition(), c.position);
    }
    view.frames.clear();
    timer.starts.clear();
    w->ShowHelp(c.second);
    EXPECT_EQ(typeOut(), c.frames);
    EXPECT_FALSE(w->timerEnabled());
    EXPECT_FALSE(timer.running) << "the timer is stopped when the sentence stands whole";
    EXPECT_EQ(w->helpPosition(), 0);
    EXPECT_EQ(w->helpFrame(), c.second) << "the strip keeps the whole sentence";
  }
}

TEST_F(FrmmainTest, ClientButtonRestartsTypingAtTenMilliseconds) {
  w->ShowHelp("abcdefghijklmnopqrstuvwxyz");
  w->Timer1_Timer();
  w->Timer1_Timer();
  w->cmdclient_Click();
  EXPECT_EQ(w->helpFrame(), " _") << "typing starts again from the first character";
  EXPECT_EQ(timer.starts.back(), 10);
  EXPECT_EQ(w->timerInterval(), 10);
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
