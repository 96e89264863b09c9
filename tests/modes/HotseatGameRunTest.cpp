// A whole hot-seat game without a window: computers command both sides of
// the board and of every duel (each duel decided by its first move), the
// screens are played by the test as the event handler would close them,
// and the match is played to its end twice, the second time as the
// game-complete screen's "yes" restarts it.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "board/YTessor.h"
#include "modes/YGameHotseat.h"
#include "tests/modes/ModesFixture.h"
#include "tiles/YTileset.h"

namespace {

using namespace std::chrono_literals;

constexpr float kFrame = 0.05f;

class HotseatRun : public ShippedGameTest {
 protected:
  HotseatRun() {
    mode.SetHost(&host);
    mode.SetFactory(&factory);
  }
  ~HotseatRun() override { mode.End(); }

  // One frame of the application: what the state word draws, and the
  // screens' part (the fade into a fight, closing a fight's result).
  void Frame() {
    if ((host.state & host_state::kResultModal) != 0) {
      ++fights;
      mode.OnLevelEnd();
      return;
    }
    if ((host.state & host_state::kBoardFrozen) != 0) {
      host.state = 3;
      return;
    }
    if (host.state == 3) battle.Update(kFrame);
    if (host.state == host_state::kBoard) board.Update(kFrame);
  }
  // Frames until the game-complete screen shows; false when it never does.
  bool PlayToTheEnd() {
    const auto deadline = std::chrono::steady_clock::now() + 120s;
    while ((host.state & host_state::kCompleteModal) == 0) {
      if (std::chrono::steady_clock::now() > deadline) return false;
      Frame();
      if (board.Commander(board.Board().sideToMove) != nullptr) std::this_thread::sleep_for(100us);
    }
    return true;
  }

  YTessor board;
  YTileset battle;
  YGameHotseat mode{board, battle};
  RecordingHost host;
  ComputerFactory factory{true};
  int fights = 0;
};

TEST_F(HotseatRun, TwoComputersPlayTheMatchToItsEndAndTheRestartPlaysItAgain) {
  mode.StartGame(0, 1, 0);
  const std::size_t armies = board.Board().Units(0).size() + board.Board().Units(1).size();
  ASSERT_GT(armies, 2u);
  ASSERT_TRUE(PlayToTheEnd()) << fights << " fights";
  EXPECT_GT(fights, 0);
  const std::int32_t winner = mode.Outcome();
  EXPECT_EQ(host.shown.back(), "complete " + std::to_string(winner));
  EXPECT_TRUE(board.IsGameOver());
  ASSERT_NE(winner, -1);
  EXPECT_FALSE(board.Board().Units(winner).empty());
  EXPECT_TRUE(board.Board().Units(winner ^ 1).empty());

  // "yes" on the game-complete screen: the board state, then Start.
  host.state = host_state::kBoard;
  fights = 0;
  mode.Start();
  EXPECT_EQ(board.Board().Units(0).size() + board.Board().Units(1).size(), armies);
  EXPECT_FALSE(board.IsGameOver());
  ASSERT_TRUE(PlayToTheEnd()) << fights << " fights";
  EXPECT_GT(fights, 0);
}

}  // namespace
