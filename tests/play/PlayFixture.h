// Plays the game as a player would, through its window: the menus and
// dialogs clicked with xdotool where the game says their controls are, the
// user's battles played by the play program's stand-ins (qv_playrun).
// Every screen reached is kept in <build>/screenshots/play_*.png; a failure
// names the screen it waited for, the step, and the screens the game went
// through.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "tests/e2e/GameFixture.h"

namespace play {

// One report of the program: the active screen, the state word and where
// its named controls are.
struct Screen {
  std::string name;
  std::string state;
  std::map<std::string, std::pair<int, int>> at;
  std::map<std::string, int> current;  // drop-down lists' chosen items
  std::map<std::string, std::string> text;  // named texts' words
  int gold = -1;                       // on the control panel
  int tab = -1;                        // on the control panel
  std::string detail;                  // "page N" of the book, "stage N" of the final scene
};

// Long enough for a board game of a few moves and its duels.
inline constexpr std::chrono::seconds kBoardGame{180};

// The last whole report in the program's output.
Screen LastScreen(const std::string& out);

// One running game: its process, window, user folder and the last screen
// reached.
struct Game {
  std::string label;                     // in screenshot names
  std::filesystem::path appData;         // its APPDATA
  std::unique_ptr<e2e::GameProcess> run;
  std::string window;
  Screen current;
  std::size_t seen = 0;  // where the output after the last reached report starts
  std::filesystem::path UserFolder() const { return appData / "QuennelVarrick"; }
};

class PlayRun : public e2e::ProgramRunFixture {
 protected:
  PlayRun();
  // Keeps every game's log and report beside the screenshots.
  void TearDown() override;
  // The game, looking for network peers only on this machine, past its
  // splash screens; `game` defaults to the fixture's own. Its user folder
  // gets a windowed configuration first when it has none.
  void Start(const std::vector<std::string>& args = {});
  void Start(Game& game, const std::vector<std::string>& args = {});
  // The game the steps below drive.
  void Use(Game& game) { game_ = &game; }
  Game& Current() { return *game_; }
  // Waits for a report, newer than the last one reached, of `name` (or
  // one of the names "a|b|c") as the settled screen (with `state` when given and a detail beginning with
  // `detail`), and keeps its picture.
  ::testing::AssertionResult Reach(const std::string& name, const std::string& state = "",
                                   const std::string& detail = "",
                                   std::chrono::seconds timeout = std::chrono::seconds(30));
  ::testing::AssertionResult Click(const std::string& control);
  // Clicks `control`, then waits for `screen`.
  ::testing::AssertionResult Open(const std::string& control, const std::string& screen);
  // On the control panel: its tab `tab` (0 spells, 1 artifacts, 2 army,
  // 3 shop) through its link unless it is open already.
  ::testing::AssertionResult OpenTab(int tab);
  void Press(const std::string& keys) { PressKey(game_->window, keys); }
  // How the stand-in ends the user's next duels: "win", "lose",
  // "hero-loses" or "hold" (PlayRun.cpp).
  void StandIn(const std::string& mode) const;
  // Escape's question over a game in progress, answered yes: the main menu.
  void LeaveForTheMenu();
  // From the main menu a new hero's quest, the introduction skipped, through
  // the door keeper's duel (the stand-in wins it) to the control panel.
  void BeginAQuest();
  // From the quest's last result: the final scene (its picture cut short by
  // a key, the fade and zoom onto the book, which waits) and a click to the
  // hall of fame.
  void WatchTheEnd();
  // The final scene as it begins, through to the hall of fame.
  void WatchTheFinalScene();
  // The screens the game went through, for a failure's message.
  std::string Trail() const;
  // SIGTERM, and a clean exit.
  void Stop();
  // The program folder's campaign levels.
  static int LevelCount();
  // The play program the games run.
  static std::string PlayProgram();

  Game own_;
  std::string program_;  // when set, run instead of the play program (a copy of its folder)
  Screen& current_;

 private:
  void KeepLog(const Game& game) const;
  std::string TestName() const;

  std::vector<const Game*> started_;
  Game* game_ = &own_;
  int shots_ = 0;
};

// A maintainer's run, long or hard on the machine: it runs only when
// QV_PLAY_LONG is set (scripts/play-long.sh), never in CI.
template <typename Base>
class Long : public Base {
 protected:
  void SetUp() override {
    if (std::getenv("QV_PLAY_LONG") == nullptr) GTEST_SKIP() << "a maintainer's run: scripts/play-long.sh";
    Base::SetUp();
  }
};

}  // namespace play
