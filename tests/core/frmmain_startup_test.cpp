// Start-up, the game-folder check and the change-path mode.
#include "frmmain_fixture.h"

#include "Checkpath/Checkpath.h"
#include "Stringconverter/Readers.h"

namespace quillet::testing {
namespace {

const Message kInvalid{"Error", std::string(kInvalidPathText), Buttons::Ok, Icon::Exclamation};

// The window in the mode: its size in twips, its caption, and which parts show.
void expectMode(const frmmain& w, Mode mode) {
  const bool main = mode == Mode::Main;
  EXPECT_EQ(w.window().mode, mode);
  EXPECT_EQ(w.window().width, main ? 8250 : 3800);
  EXPECT_EQ(w.window().height, main ? 7700 : 1635);
  EXPECT_EQ(w.window().caption, main ? kMainCaption : kPathCaption);
  EXPECT_EQ(w.window().menusVisible, main);
  EXPECT_EQ(w.changePathVisible(), !main);
  EXPECT_EQ(w.buttonsVisible(), main);
  if (!main) EXPECT_EQ(w.checkerCaption(), "Counter - Strike path");
}

// A first start: the change-path mode, centred, without message; Browse fills the field, OK with
// it empty gives exactly one message; the close request and Abort end the program.
TEST_F(FrmmainTest, FirstRunOpensTheChangePathModeCentredWithoutMessage) {
  w->Form_Load();
  expectMode(*w, Mode::ChangePath);
  EXPECT_DOUBLE_EQ(w->window().left, (19200 - 3800) / 2.0);
  EXPECT_DOUBLE_EQ(w->window().top, (14400 - 1635) / 2.0);
  EXPECT_EQ(w->pathText(), "");
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(w->buttonColour(PageButton::Video), kHighlightColour);
  EXPECT_TRUE(timer.running);
  EXPECT_EQ(timer.starts, std::vector<int>{1});
  EXPECT_EQ(w->helpText(), kWelcomeText);
  w->Timer1_Timer();
  EXPECT_EQ(w->helpFrame(), " _") << "the welcome sentence starts typing at the first tick";
  w->cmdbrowse_Click();  // cancelled
  EXPECT_EQ(w->pathText(), "");
  w->cmdsearch_Click();
  EXPECT_EQ(dialogs.shown, std::vector<Message>{kEmptyPathMessage});
  EXPECT_EQ(w->window().mode, Mode::ChangePath);
  view.folder = "/games/cstrike";
  w->cmdbrowse_Click();
  EXPECT_EQ(w->pathText(), "/games/cstrike");
  EXPECT_FALSE(w->Form_QueryUnload()) << "the close goes ahead";
  EXPECT_EQ(w->window().mode, Mode::ChangePath);
  w->cmdabort_Click();
  EXPECT_TRUE(w->quitting());
  EXPECT_EQ(view.quits, 1);
}

TEST_F(FrmmainTest, FailingFolderShowsTheMessageThenThePreviousFolder) {
  // A stored folder that moved away; then a typed folder that fails as well.
  const std::string moved = (root / "moved").string();
  startWith(moved);
  ASSERT_EQ(dialogs.shown, std::vector<Message>{kInvalid});
  expectMode(*w, Mode::ChangePath);
  EXPECT_EQ(w->pathText(), moved);

  w->txtpath_Change((root / "typo").string());
  w->cmdsearch_Click();
  EXPECT_EQ(dialogs.shown, (std::vector<Message>{kInvalid, kInvalid}));
  EXPECT_EQ(w->pathText(), moved) << "the typed text is replaced by the previous folder";
  EXPECT_EQ(w->GamePath(), moved);
}

TEST_F(FrmmainTest, PassingFolderLoadsAndShowsTheVideoPage) {
  makeGame(game);
  startWith(game);
  expectMode(*w, Mode::Main);
  EXPECT_DOUBLE_EQ(w->window().left, (19200 - 8250) / 2.0);
  EXPECT_EQ(w->shownPage(), Page::Video);
  for (Page p :
       {Page::Client, Page::MoreClient, Page::Server, Page::MoreServer, Page::Maps, Page::Controls, Page::Launch})
    EXPECT_FALSE(w->pageVisible(p)) << pageInfo(p).frame;
  EXPECT_TRUE(dialogs.shown.empty()) << "a complete folder reports nothing";
  EXPECT_EQ(w->valueLabel(option("scrollgamma")), "2.5");
  EXPECT_GT(view.mapInfoChanges, 0) << "the as_forest briefing is shown";
  EXPECT_EQ(pictures.shown, programDir / "img" / "as_forest.jpg");
  EXPECT_EQ(store.read("quillet", "init", "cspath"), game.string());
}

TEST_F(FrmmainTest, MissingFilesShowOneLoadErrorBox) {
  fs::create_directories(game / "cl_dlls");
  startWith(game);
  expectMode(*w, Mode::Main);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].title, "Error loading settings");
  EXPECT_EQ(dialogs.shown[0].icon, Icon::Information);
  EXPECT_NE(dialogs.shown[0].text.find(kAutoexecError), std::string::npos);
  EXPECT_NE(dialogs.shown[0].text.find(kPictureError), std::string::npos);
}

// Abort (re-centred) and the close request (left where it was) after "Change path".
struct LeavingChangePath : FrmmainTest, ::testing::WithParamInterface<bool> {};

TEST_P(LeavingChangePath, ByAbortOrTheCloseRequest) {
  const bool abort = GetParam();
  makeGame(game);
  startWith(game);
  w->cmdserver_Click();
  w->cmdmore_Click();
  w->slider_Change(option("scrollgamma"), 7);
  w->mnuchangePath_Click();
  EXPECT_TRUE(w->ChangingPath());
  expectMode(*w, Mode::ChangePath);
  EXPECT_EQ(w->pathText(), game.string());
  const double smallLeft = w->window().left;
  w->txtpath_Change((root / "elsewhere").string());
  if (abort) {
    w->cmdabort_Click();
  } else {
    EXPECT_TRUE(w->Form_QueryUnload()) << "the close is cancelled";
  }
  expectMode(*w, Mode::Main);
  EXPECT_DOUBLE_EQ(w->window().left, abort ? (19200 - 8250) / 2.0 : smallLeft);
  EXPECT_EQ(w->shownPage(), Page::Server) << "the page whose button holds the highlight";
  EXPECT_FALSE(w->pageVisible(Page::MoreServer));
  EXPECT_EQ(w->GamePath(), game.string());
  EXPECT_EQ(model.position(option("scrollgamma")), 7) << "nothing was reloaded";
  EXPECT_FALSE(w->quitting());
}

INSTANTIATE_TEST_SUITE_P(AbortOrClose, LeavingChangePath, ::testing::Bool());

TEST_F(FrmmainTest, OkWithAnotherFolderReloadsKeepingTheHighlight) {
  makeGame(game);
  startWith(game);
  w->cmdserver_Click();
  const fs::path other = root / "other";
  makeGame(other, "gamma 1.5\r\n");
  w->mnuchangePath_Click();
  w->txtpath_Change(other.string());
  w->cmdsearch_Click();
  expectMode(*w, Mode::Main);
  EXPECT_EQ(w->GamePath(), other.string());
  EXPECT_EQ(store.read("Quillet", "init", "cspath"), other.string());
  EXPECT_EQ(w->valueLabel(option("scrollgamma")), "1.5");
  EXPECT_EQ(w->shownPage(), Page::Video);
  EXPECT_EQ(w->buttonColour(PageButton::Server), kHighlightColour);
}

// Where the map pictures are looked for: beside the program first, then where an install puts
// them, else beside the program (where the missing-picture message then points).
TEST(PictureHome, BesideTheProgramThenTheInstalledShareFolder) {
  struct Case {
    std::vector<std::string> folders;  // img folders that exist, relative to a prefix
    std::string expected;              // relative to the prefix
  };
  const Case cases[] = {
      {{"bin/img", "share/quillet/img"}, "bin"},
      {{"share/quillet/img"}, "share/quillet"},
      {{}, "bin"},
      {{"share/quillet"}, "bin"},  // the folder without its img is not enough
  };
  for (const Case& c : cases) {
    const quillet::test::TempDir prefix(false);
    std::filesystem::create_directories(prefix / "bin");
    for (const std::string& f : c.folders) std::filesystem::create_directories(prefix / f);
    EXPECT_EQ(pictureHome(prefix / "bin"), prefix / c.expected) << ::testing::PrintToString(c.folders);
  }
}

}  // namespace
}  // namespace quillet::testing
