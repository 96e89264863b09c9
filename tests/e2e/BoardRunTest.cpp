// The board game in the game's own window (the test program's board mode):
// a unit clicked and then a free square walks there and the turn passes;
// a unit clicked and then an enemy in reach opens the duel, whose outcome
// returns to the board. The pictures are kept in <build>/screenshots.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sstream>
#include <string>

#include "tests/e2e/GameFixture.h"

namespace {

using namespace std::chrono_literals;

class BoardRun : public e2e::ProgramRunFixture {
 protected:
  // Clicks the two points of the first line starting with `what`.
  void ClickMove(const e2e::GameProcess& run, const std::string& what) {
    ASSERT_TRUE(e2e::WaitUntil([&] { return run.Stderr().find(what + " ") != std::string::npos; }, 20s))
        << run.Stderr();
    window_ = FindWindowTitled("Quennel Varrick");
    ASSERT_FALSE(window_.empty());
    std::istringstream points(run.Stderr().substr(run.Stderr().find(what + " ") + what.size() + 1));
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    points >> x1 >> y1 >> x2 >> y2;
    Point(window_, x1, y1);
    e2e::Shell("sleep 0.2");
    Point(window_, x2, y2, false);
    e2e::Shell("sleep 0.2");
    Screenshot(window_, Shot("board_" + what + "_aimed.png"));
    Point(window_, x2, y2);
  }
  // Ends the run as the desktop would; the game leaves cleanly.
  static void Stop(e2e::GameProcess& run) {
    run.Signal(SIGTERM);
    EXPECT_EQ(run.Wait(15s), std::optional<int>(0)) << run.Stderr();
  }

  std::string window_;
};

TEST_F(BoardRun, AUnitClickedAndThenAFreeSquareWalksThereAndTheTurnPasses) {
  e2e::GameProcess run(tmp.Str(), e2e::Display(), {"--board"}, {QV_DUELRUN_EXE, ""});
  ClickMove(run, "walk");
  EXPECT_TRUE(e2e::WaitUntil([&] { return Has(run, "turn side 1"); }, 20s)) << run.Stderr();
  Screenshot(window_, Shot("board_after_walk.png"));
  Stop(run);
}

TEST_F(BoardRun, AnAttackOpensTheDuelWhoseOutcomeReturnsToTheBoard) {
  e2e::GameProcess run(tmp.Str(), e2e::Display(), {"--board", "--near", "--decide", "60"},
                       {QV_DUELRUN_EXE, ""});
  ClickMove(run, "attack");
  ASSERT_TRUE(e2e::WaitUntil([&] { return Has(run, "fight"); }, 20s)) << run.Stderr();
  e2e::Shell("sleep 0.5");
  Screenshot(window_, Shot("board_duel.png"));
  EXPECT_TRUE(e2e::WaitUntil([&] { return Has(run, "board again"); }, 60s)) << run.Stderr();
  EXPECT_TRUE(Has(run, "duel over 0")) << run.Stderr();  // side 1 fell
  e2e::Shell("sleep 0.5");
  Screenshot(window_, Shot("board_after_fight.png"));
  Stop(run);
}

}  // namespace
