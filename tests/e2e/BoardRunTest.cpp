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
    ASSERT_TRUE(WaitFor(run, "selected " + Pair(x1, y1)));
    Point(window_, x2, y2, false);
    ASSERT_TRUE(WaitFor(run, "aimed " + Pair(x2, y2)));
    Screenshot(window_, Shot("board_" + what + "_aimed.png"));
    Point(window_, x2, y2);
  }
  static std::string Pair(int x, int y) { return std::to_string(x) + " " + std::to_string(y); }
  // Waits for a whole line the program prints, after the last wait's line.
  bool WaitFor(const e2e::GameProcess& run, const std::string& line) {
    const bool found = e2e::WaitUntil(
        [&] {
          const std::size_t at = run.Stderr().find(line + "\n", seen_);
          if (at != std::string::npos) seen_ = at + line.size();
          return at != std::string::npos;
        },
        20s);
    EXPECT_TRUE(found) << line << " never came:\n" << run.Stderr();
    return found;
  }
  // Ends the run as the desktop would; the game leaves cleanly.
  static void Stop(e2e::GameProcess& run) {
    run.Signal(SIGTERM);
    EXPECT_EQ(run.Wait(15s), std::optional<int>(0)) << run.Stderr();
  }

  std::string window_;
  std::size_t seen_ = 0;
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
  ASSERT_TRUE(WaitFor(run, "fight"));
  ASSERT_TRUE(WaitFor(run, "duel at rest"));
  Screenshot(window_, Shot("board_duel.png"));
  ASSERT_TRUE(WaitFor(run, "board again"));
  EXPECT_TRUE(Has(run, "duel over 0")) << run.Stderr();  // side 1 fell
  EXPECT_TRUE(WaitFor(run, "turn side 1"));  // the board at rest again
  Screenshot(window_, Shot("board_after_fight.png"));
  Stop(run);
}

}  // namespace
