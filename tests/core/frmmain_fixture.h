// Fakes and a fixture for the main window's behaviour: a timer that records its requests, a view
// that records its callbacks, and a temporary game folder (message boxes: test::FakeDialogs,
// answering No unless told; pictures: test::FakePictures).
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "test_support.h"
#include "frmmain/frmmain.h"

namespace quillet::testing {

namespace fs = std::filesystem;

struct FakeTimer : Timer {
  std::vector<int> starts;  // the interval of every start request
  bool running = false;
  void start(int ms) override {
    starts.push_back(ms);
    running = true;
  }
  void stop() override { running = false; }
};

struct RecordingView : FrmmainView {
  std::vector<std::string> frames;
  std::vector<std::string> sliderMoves, textChanges;
  int quits = 0, shortcutChanges = 0, mapInfoChanges = 0;
  std::vector<bool> netgraph;
  std::optional<std::string> folder;  // what the folder chooser answers
  void helpDrawn(std::string_view f) override { frames.emplace_back(f); }
  void sliderMoved(const Option& o) override { sliderMoves.emplace_back(o.control); }
  void textChanged(const Option& o) override { textChanges.emplace_back(o.control); }
  void shortcutChanged() override { ++shortcutChanges; }
  void mapInfoChanged() override { ++mapInfoChanges; }
  void defaultMapListChanged() override {}
  void netgraphEnabledChanged(bool on) override { netgraph.push_back(on); }
  void quitRequested() override { ++quits; }
  std::optional<std::string> chooseFolder(const std::string&) override { return folder; }
};

using test::FakeDialogs;
using test::FakePictures;
using test::writeFile;

class FrmmainTest : public ::testing::Test {
 protected:
  FrmmainTest() {
    dialogs.otherwise = Answer::No;
    w->setView(&view);
    w->setScreenSize(19200, 14400);
  }

  // A game folder that passes the check, with every file the load sequence reads.
  void makeGame(const fs::path& folder, const std::string& autoexec = "gamma 2.5\r\n") {
    fs::create_directories(folder / "cl_dlls");
    writeFile(folder / "autoexec.cfg", autoexec);
    writeFile(folder / "config.cfg", "bind w +forward\r\n");
    writeFile(folder / "mapcycle.txt", "de_dust\r\n");
    writeFile(folder / "motd.txt", "Welcome\r\n");
    writeFile(folder / "maps" / "as_forest.txt", "Rescue the VIP.");
    writeFile(programDir / "img" / "as_forest.jpg", "jpeg");
  }
  // Stores the folder as the one remembered and starts the window.
  void startWith(const fs::path& folder) {
    store.MemoryStore::save("Quillet", "init", "cspath", folder.string());
    w->Form_Load();
  }
  // Runs timer ticks until the help line is idle; returns every frame drawn on the way.
  std::vector<std::string> typeOut() {
    for (int guard = 0; guard < 10000 && w->timerEnabled(); ++guard) w->Timer1_Timer();
    return view.frames;
  }

  test::TempDir tmp{false};
  fs::path root = tmp.path(), programDir = root / "program", game = root / "cstrike";
  Model model;
  test::StagedStore store;  // what the window stores counts once committed
  FakeDialogs dialogs;
  FakeTimer timer;
  FakePictures pictures;
  RecordingView view;
  std::unique_ptr<frmmain> w = std::make_unique<frmmain>(model, store, dialogs, timer, pictures, programDir);
};

}  // namespace quillet::testing
