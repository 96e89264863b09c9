// The board computer: what its search prefers, its candidate pick with
// injected draws, and the commander on a real board: moves checked there, a
// side without a move passes, aggression held finite, deletion mid-search.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include "board/BoardSearch.h"
#include "board/YTessorPlayerComputer.h"
#include "tests/board/BoardFixture.h"
#include "tests/framework/LogCapture.h"

namespace {

UnitSpec Walker(int health, int distance = 1) {
  return {0, 0, distance, health, {10, 10, 10, 10}};
}

BoardSearchResult Search(YTessorBoard& board, int depth, int candidates = 1) {
  return BoardSearch(board, {1, depth, candidates}, [] { return 0u; }).Run();
}

class ComputerCommanderTest : public BoardTest {
 protected:
  ComputerCommanderTest() { tessor.SetGameMaster(&master); }

  // Side 1's computer, aggression 2 growing by 1.5, its turn begun.
  YTessorPlayerComputer& Start(int depth, int candidates = 1) {
    tessor.SetCommander(1,
                        std::make_unique<YTessorPlayerComputer>(1, 2.0f, 1.5f, depth, candidates, 1, 1500));
    tessor.BeginTurn(1);
    return *static_cast<YTessorPlayerComputer*>(tessor.Commander(1));
  }
  bool PlayTurn() {  // until the other side is to move; fights won by the attacker
    const int mover = board.sideToMove;
    for (int frame = 0; frame < 50000; ++frame, std::this_thread::sleep_for(std::chrono::microseconds(100))) {
      tessor.Update(1.0f);
      if (!master.fights.empty()) master.fights.clear(), tessor.OnBattleResult(0);
      if (tessor.stateFlags == 0 && board.sideToMove != mover) return true;
    }
    return false;
  }
  void Pass() {  // side 0 gives its turn away; the last frame lets the computer start
    tessor.EndMove();
    for (int frame = 0; frame < 100 && tessor.stateFlags != 0; ++frame) tessor.Update(1.0f);
  }

  YTessor tessor;
  YTessorBoard& board = tessor.Board();
  TestMaster master;
};

TEST_F(ComputerCommanderTest, SearchTakesWinningAttacksAvoidsLosingExchangesAndPrefersSoonerWins) {
  YTessorUnit* mine = AddUnit(board, 1, 4, 3, Walker(100));
  YTessorUnit* weak = AddUnit(board, 0, 4, 4, Walker(10));
  YTessorUnit* guard = AddUnit(board, 0, 4, 6, Walker(70, 2));
  board.RefreshCellEffects();
  const BoardSearchResult greedy = Search(board, 1);
  EXPECT_EQ(greedy.moves[greedy.bestIndex], (YTessorMove{mine, 4, 4, move_kind::kAttack}));
  const BoardSearchResult wary = Search(board, 2);  // sees the guard take the quartered winner
  EXPECT_EQ(wary.moves[wary.bestIndex].kind, move_kind::kMove);
  EXPECT_NE(wary.moves[wary.bestIndex].y, 4);
  // Taking the last enemy now leaves two plies unplayed; the best quiet
  // move, then the capture, wins with none left.
  board.DeleteUnit(guard, true);
  mine->record->moveKind = mine->record->way = 1;
  mine->record->distance = 2;
  const BoardSearchResult ranked = Search(board, 3, 2);
  EXPECT_EQ(ranked.moves[ranked.bestIndex], (YTessorMove{mine, weak->x, weak->y, move_kind::kAttack}));
  EXPECT_EQ((std::array{ranked.ranked.at(0).value, ranked.ranked.at(1).value}),
            (std::array{search_score::kWin + 2, search_score::kWin}));
}

TEST_F(ComputerCommanderTest, TheCandidatePickTakesTheRankedMoveItsInjectedDrawFolds) {
  // One draw of 4 folds (mod 2N = 6) onto the second best of three.
  AddUnit(board, 1, 4, 3, Walker(100, 2));
  AddUnit(board, 1, 6, 6, Walker(40));
  AddUnit(board, 0, 4, 5, Walker(30));
  board.RefreshCellEffects();
  YTessorBoard copy(board);
  const BoardSearchResult expected = Search(copy, 2, 3);
  const YTessorMove second = expected.moves.at(expected.ranked.at(1).index);
  Start(2, 3).SetPickRandom([] { return 4; });
  ASSERT_TRUE(PlayTurn());
  const YTessorUndoRecord& made = *board.LastUndo();
  EXPECT_EQ((std::array{made.oldX, made.oldY, made.movedUnit->x, made.movedUnit->y}),
            (std::array{second.unit->x, second.unit->y, second.x, second.y}));
}

TEST_F(ComputerCommanderTest, ASideWithoutAMovePassesAndAMoveTheRealBoardRefusesIsNotMade) {
  YTessorUnit* stuck = AddUnit(board, 1, 4, 4, Walker(50, 0));
  AddUnit(board, 0, 0, 0, Walker(50, 0));
  YTessorPlayerComputer& computer = Start(2);
  ASSERT_TRUE(PlayTurn());
  // The search runs on a copy taken at its start; the unit it picks has left
  // that cell on the real board by the time the move comes back.
  stuck->record->distance = 1;
  LogCapture log;
  Pass();
  ASSERT_TRUE(computer.Searching());
  board.PlaceUnit(stuck, 8, 8);
  ASSERT_TRUE(PlayTurn());
  EXPECT_EQ(board.UndoDepth(), 0u);
  ASSERT_EQ(log.Lines().size(), 1u);
  EXPECT_EQ(log.Lines()[0].rfind("Computer move refused: (4, 4)", 0), 0u) << log.Lines()[0];
}

TEST_F(ComputerCommanderTest, NoMoveBeforeTheGameHasBegun) {
  AddUnit(board, 1, 4, 4, Walker(50, 0));
  AddUnit(board, 0, 0, 0, Walker(50, 0));
  Start(1);
  tessor.gameRunning = false;  // as while a network game waits for the peer's start
  for (int frame = 0; frame < 200; ++frame, std::this_thread::sleep_for(std::chrono::microseconds(100)))
    tessor.Update(1.0f);
  EXPECT_EQ(tessor.stateFlags, 0u);
  EXPECT_EQ(board.sideToMove, 1);
  EXPECT_EQ(board.UndoDepth(), 0u);
}

TEST_F(ComputerCommanderTest, AggressionGrowsWhileQuietStaysFiniteAndResetsAfterAnAttack) {
  for (int y = 0; y < kBoardSize; ++y) board.SetCellType(4, y, cell_kind::kWall);
  YTessorUnit* mine = AddUnit(board, 1, 6, 4, Walker(100));
  AddUnit(board, 0, 1, 4, Walker(100));
  YTessorPlayerComputer& computer = Start(1);
  std::vector<float> seen;
  for (int turn = 0; turn < 42; ++turn) {  // long past where the strength it multiplies overflows
    if (turn > 0) Pass();
    ASSERT_TRUE(PlayTurn());
    seen.push_back(computer.Aggression());
  }
  EXPECT_EQ((std::array{seen[0], seen[1], seen.back()}), (std::array{3.0f, 4.5f, computer.kMaxAggression}));
  AddUnit(board, 0, mine->x == 5 ? 6 : mine->x - 1, mine->y, Walker(60));
  board.RefreshCellEffects();
  Pass();
  ASSERT_TRUE(PlayTurn());
  EXPECT_EQ(board.Units(0).size(), 1u);
  EXPECT_EQ(computer.Aggression(), 2.0f);
}

// A search whose time limit is minutes away on its clock: deleting the
// commander must stop it, and every worker that ranks root moves with it,
// within seconds. Should the stop go unheeded, the clock runs out so that
// the test fails rather than hangs.
TEST_F(ComputerCommanderTest, DeletingTheCommanderMidSearchStopsItsWorkers) {
  for (const int candidates : {1, 3}) {
    SCOPED_TRACE(candidates);
    std::mt19937 rng(9);
    board.Clear(true);
    RandomPosition(board, rng, {9, 9, 4});
    const int side = board.sideToMove;
    auto computer = std::make_unique<YTessorPlayerComputer>(side, 1.0f, 1.1f, 7, candidates, 1, 600000);
    auto now = std::make_shared<std::atomic<std::uint32_t>>(0u);
    computer->SetClock([now] { return now->load(); });
    tessor.SetCommander(side, std::move(computer));
    tessor.BeginTurn(side);
    tessor.Update(1.0f);
    ASSERT_TRUE(static_cast<YTessorPlayerComputer*>(tessor.Commander(side))->Searching());
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_TRUE(testing_support::EndsWithin(
        std::chrono::seconds(5), [&] { tessor.SetCommander(side, nullptr); }, [now] { now->store(600001u); }));
    tessor.Update(1.0f);
    EXPECT_EQ(board.UndoDepth(), 0u);
  }
}

}  // namespace
