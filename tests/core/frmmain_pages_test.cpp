// The page buttons, the sub-pages and the typed help line.
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

TEST_F(FrmmainTest, PageButtonsShowTheirPageHighlightAndHelp) {
  struct Case {
    PageButton button;
    Page page;
    std::string help;
  };
  const Case cases[] = {
      {PageButton::Client, Page::Client, " Setup client side settings"},
      {PageButton::Video, Page::Video, " Tune your video settings"},
      {PageButton::Server, Page::Server, " Setup your server."},
      {PageButton::Maps, Page::Maps, " Choose your maps."},
      {PageButton::Controls, Page::Controls, " Setup sound and control settings."},
      {PageButton::Launch, Page::Launch, " Set command-line options."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(pageButtonName(c.button)));
    w->cmdclient_Click();
    w->cmdmoreclient_Click();
    w->pageButton_Click(c.button);
    EXPECT_EQ(w->shownPage(), c.page);
    for (Page p : {Page::Client, Page::MoreClient, Page::Video, Page::Controls, Page::Server, Page::MoreServer,
                   Page::Maps, Page::Launch})
      EXPECT_EQ(w->pageVisible(p), p == c.page) << pageInfo(p).frame;
    for (int b = 0; b < kPageButtonCount; ++b)
      EXPECT_EQ(w->buttonColour(PageButton(b)), PageButton(b) == c.button ? kHighlightColour : kButtonColour)
          << pageButtonName(PageButton(b));
    typeOut();
    EXPECT_EQ(w->helpFrame(), c.help);
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

// More lays the sub-page over its base page, Back takes it away; neither shows help.
TEST_F(FrmmainTest, MoreAndBackMoveBetweenBaseAndSubPage) {
  struct Case {
    PageButton button;
    Page base, sub;
    void (frmmain::*more)(), (frmmain::*back)();
  };
  const Case cases[] = {
      {PageButton::Server, Page::Server, Page::MoreServer, &frmmain::cmdmore_Click, &frmmain::cmdback_Click},
      {PageButton::Client, Page::Client, Page::MoreClient, &frmmain::cmdmoreclient_Click,
       &frmmain::cmdmoreclientback_Click},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(pageButtonName(c.button)));
    w->pageButton_Click(c.button);
    typeOut();
    const std::string help = w->helpFrame();
    (w.get()->*c.more)();
    EXPECT_EQ(w->shownPage(), c.sub);
    EXPECT_TRUE(w->pageVisible(c.base)) << "the base page stays beneath";
    EXPECT_TRUE(w->pageCovered(c.base));
    EXPECT_FALSE(w->pageCovered(c.sub));
    (w.get()->*c.back)();
    EXPECT_EQ(w->shownPage(), c.base);
    EXPECT_FALSE(w->pageCovered(c.base));
    EXPECT_FALSE(w->pageVisible(c.sub));
    EXPECT_EQ(w->buttonColour(c.button), kHighlightColour);
    EXPECT_EQ(w->helpFrame(), help) << "More and Back show no help";
    EXPECT_FALSE(w->timerEnabled());
  }
}

}  // namespace
}  // namespace quillet::testing
