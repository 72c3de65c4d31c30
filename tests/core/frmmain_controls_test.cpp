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

// Each case of tests/golden/help-events.txt: an event (a caption's click, a field's click or
// focus, a slider's change, scroll or focus) and its control; what the help line then ends with.
TEST_F(FrmmainTest, WhichEventsExplainWhat) {
  const auto helpAfter = [&](const std::string& input) {
    const std::string event = input.substr(0, input.find(' ')), control = input.substr(event.size() + 1);
    w->ShowHelp("before");
    typeOut();
    if (event == "caption") w->caption_Click(control);
    else {
      const Option& o = option(control);
      const int p = model.position(o) == o.max ? o.min : o.max;
      if (event == "click") w->field_Click(o);
      if (event == "focus") (o.kind == Kind::Slider ? w->slider_GotFocus(o) : w->field_GotFocus(o));
      if (event == "change") w->slider_Change(o, p);
      if (event == "scroll") w->slider_Scroll(o, p);
    }
    typeOut();
    const std::string shown = w->helpFrame();
    const auto of = std::ranges::find_if(catalogue(), [&](const Option& o) { return o.help == shown; });
    return shown == "before" ? "nothing" : of != catalogue().end() ? "the help of " + std::string(of->control) : shown;
  };
  EXPECT_EQ(test::goldenCasesDiff("help-events.txt", helpAfter), "");
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

// The Keys page: the filter keeps the rows that hold its text in any case; an alias's commands
// are checked as typed once its name passes.
TEST_F(FrmmainTest, KeysPageFiltersAndChecksAnAliasAsTyped) {
  makeGame(game);
  writeFile(game / "config.cfg", "bind w +forward\r\nbind space +jump\r\n");
  startWith(game);
  w->pageButton_Click(PageButton::Keys);
  w->txtkeyfilter_Change("JUMP");
  ASSERT_EQ(w->keyRows().size(), 1u);
  EXPECT_EQ(w->keyRows()[0].command, "+jump");
  w->txtaliasname_Change("greet");
  w->txtaliascommands_Change("say \"hi\"");
  EXPECT_TRUE(w->aliasCheck().starts_with("Refused: ")) << w->aliasCheck();
}

}  // namespace
}  // namespace quillet::testing
