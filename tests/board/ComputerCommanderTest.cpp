// The board computer: what its search prefers (a winning attack, no losing
// exchange, sooner wins), its candidate pick with an injected generator, and
// the commander on a real board: the move made from the worker's published
// cells, checked on the real board; a side without a move passes; the
// aggression grows while quiet, stays finite and falls back after an attack;
// deleting it mid-search stops its worker.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "board/BoardSearch.h"
#include "board/YTessor.h"
#include "board/YTessorPlayerComputer.h"
#include "tests/board/BoardFixture.h"
#include "tests/framework/LogCapture.h"

namespace {

using search_score::kWin;

UnitSpec Walker(int health, int distance = 1) {
  UnitSpec spec;
  spec.way = 0;
  spec.distance = distance;
  spec.health = health;
  return spec;
}

BoardSearchResult SearchFor(YTessorBoard& board, int side, int depth, int candidates = 1) {
  BoardSearchParams params;
  params.ownSide = side;
  params.depth = depth;
  params.candidates = candidates;
  return BoardSearch(board, params, [] { return 0u; }).Run();
}

YTessorMove Chosen(const BoardSearchResult& result) {
  return result.moves.at(result.bestIndex);
}

class ComputerCommanderTest : public BoardTest {
 protected:
  ComputerCommanderTest() { tessor.SetGameMaster(&master); }

  YTessorUnit* Add(int side, int x, int y, const UnitSpec& spec) {
    return AddUnit(tessor.Board(), side, x, y, spec);
  }

  YTessorPlayerComputer& Install(int side, int depth, int candidates = 1, float growth = 1.5f) {
    auto computer = std::make_unique<YTessorPlayerComputer>(side, 2.0f, growth, depth, candidates, 1, 1500);
    YTessorPlayerComputer& installed = *computer;
    tessor.SetCommander(side, std::move(computer));
    return installed;
  }

  // Steps frames until the side to move changes, settling fights as won by
  // the attacker; false when the turn never ends.
  bool PlayTurn() {
    const int mover = tessor.Board().sideToMove;
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < limit) {
      tessor.Update(1.0f);
      if (!master.fights.empty()) {
        master.fights.clear();
        tessor.OnBattleResult(0);
      }
      if (tessor.stateFlags == 0 && tessor.Board().sideToMove != mover) return true;
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return false;
  }

  // The side to move gives its turn away; true once the clock has turned
  // (the frame that ends it lets the next side think).
  bool Pass() {
    tessor.EndMove();
    for (int frame = 0; frame < 100; ++frame) {
      tessor.Update(1.0f);
      if (tessor.stateFlags == 0) return true;
    }
    return false;
  }

  YTessor tessor;
  TestMaster master;
};

TEST_F(ComputerCommanderTest, SearchTakesAWinningAttackAndAvoidsALosingExchange) {
  YTessorBoard& board = tessor.Board();
  YTessorUnit* mine = Add(1, 4, 3, Walker(100));
  Add(0, 4, 4, Walker(10));  // weak, but guarded by the next one
  Add(0, 4, 6, Walker(70, 2));
  board.RefreshCellEffects();
  const YTessorMove greedy = Chosen(SearchFor(board, 1, 1));
  EXPECT_EQ(greedy.kind, move_kind::kAttack);
  EXPECT_EQ(greedy.y, 4);
  // Two plies see the guard take the quartered winner back.
  const YTessorMove wary = Chosen(SearchFor(board, 1, 2));
  EXPECT_EQ(wary.kind, move_kind::kMove);
  EXPECT_EQ(wary.unit, mine);
  EXPECT_NE(wary.y, 4);
}

TEST_F(ComputerCommanderTest, SoonerWinsScoreHigher) {
  YTessorBoard& board = tessor.Board();
  UnitSpec teleporter = Walker(200, 20);
  teleporter.moveKind = 2;
  Add(1, 8, 8, teleporter);
  Add(0, 0, 0, Walker(5));
  board.RefreshCellEffects();
  const BoardSearchResult result = SearchFor(board, 1, 3, 2);
  ASSERT_FALSE(result.ranked.empty());
  // Taking the last enemy now leaves two plies unplayed; waiting a move
  // first wins with none left.
  EXPECT_EQ(result.moves[result.ranked.front().index].kind, move_kind::kAttack);
  EXPECT_EQ(result.ranked.front().value, kWin + 2);
  EXPECT_EQ(result.ranked.back().value, kWin);
}

TEST_F(ComputerCommanderTest, CandidatePickFoldsTheAveragedDrawOntoTheBest) {
  const std::vector<ScoredMove> ranked = {{10, 9}, {11, 7}, {12, 5}, {13, 3}, {14, 1}};
  struct Case {
    int candidates;
    int samples;
    std::vector<int> draws;
    std::size_t picked;
  };
  const Case cases[] = {
      {1, 1, {}, 10},     {3, 1, {0}, 12},       {3, 1, {1}, 11},     {3, 1, {2}, 10},
      {3, 1, {3}, 10},    {3, 1, {5}, 12},       {3, 1, {32767}, 11},  // 32767 mod 6 = 1
      {3, 2, {0, 1}, 12}, {3, 2, {2, 3}, 10},    {3, 0, {4}, 11},      // no samples counts as one
      {9, 1, {9}, 14},    {9, 3, {1, 2, 5}, 12},                       // more candidates than moves: the five
  };
  for (const Case& c : cases) {
    std::size_t next = 0;
    const auto draw = [&] { return c.draws.at(next++); };
    EXPECT_EQ(PickCandidate(ranked, c.candidates, c.samples, draw), c.picked)
        << c.candidates << " candidates, first draw " << (c.draws.empty() ? -1 : c.draws[0]);
    EXPECT_EQ(next, c.candidates > 1 ? c.draws.size() : 0u);
  }
}

TEST_F(ComputerCommanderTest, TheCommanderMakesTheRankedMoveItsInjectedDrawPicks) {
  YTessorBoard& board = tessor.Board();
  Add(1, 4, 3, Walker(100, 2));
  Add(1, 6, 6, Walker(40, 1));
  Add(0, 4, 5, Walker(30));
  Add(0, 1, 1, Walker(30));
  board.RefreshCellEffects();
  YTessorBoard copy(board);
  const BoardSearchResult expected = SearchFor(copy, 1, 2, 3);
  ASSERT_GE(expected.ranked.size(), 3u);
  const YTessorMove second = expected.moves[expected.ranked[1].index];
  YTessorPlayerComputer& computer = Install(1, 2, 3);
  computer.SetPickRandom([] { return 4; });  // r = 4 of 2N = 6: the second best
  tessor.BeginTurn(1);
  const int fromX = second.unit->x;
  const int fromY = second.unit->y;
  ASSERT_TRUE(PlayTurn());
  ASSERT_EQ(board.UndoDepth(), 1u);
  EXPECT_EQ(board.LastUndo()->oldX, fromX);
  EXPECT_EQ(board.LastUndo()->oldY, fromY);
  EXPECT_EQ(board.LastUndo()->movedUnit->x, second.x);
  EXPECT_EQ(board.LastUndo()->movedUnit->y, second.y);
}

TEST_F(ComputerCommanderTest, ASideWithoutAMovePassesAndAMoveTheRealBoardRefusesIsNotMade) {
  YTessorBoard& board = tessor.Board();
  YTessorUnit* stuck = Add(1, 4, 4, Walker(50, 0));
  Add(0, 0, 0, Walker(50, 0));
  Install(1, 2);
  tessor.BeginTurn(1);
  ASSERT_TRUE(PlayTurn());
  EXPECT_EQ(board.sideToMove, 0);
  EXPECT_EQ(board.UndoDepth(), 0u);

  // The worker searches a copy taken at its start; the unit it picks has
  // left that cell on the real board by the time the move comes back.
  stuck->record->distance = 1;
  LogCapture log;
  ASSERT_TRUE(Pass());  // its last frame starts the search on a copy
  ASSERT_TRUE(static_cast<YTessorPlayerComputer*>(tessor.Commander(1))->Searching());
  board.PlaceUnit(stuck, 8, 8);
  ASSERT_TRUE(PlayTurn());
  EXPECT_EQ(board.UndoDepth(), 0u);
  EXPECT_EQ(stuck->x, 8);
  ASSERT_FALSE(log.Lines().empty());
  EXPECT_EQ(log.Lines()[0].rfind("Computer move refused: (4, 4)", 0), 0u) << log.Lines()[0];
}

TEST_F(ComputerCommanderTest, AggressionGrowsWhileQuietStaysFiniteAndFallsBackAfterAnAttack) {
  YTessorBoard& board = tessor.Board();
  for (int y = 0; y < kBoardSize; ++y) board.SetCellType(4, y, cell_kind::kWall);
  YTessorUnit* mine = Add(1, 6, 4, Walker(100));
  Add(0, 1, 4, Walker(100));
  YTessorPlayerComputer& computer = Install(1, 1);
  tessor.BeginTurn(1);
  ASSERT_TRUE(PlayTurn());
  EXPECT_FLOAT_EQ(computer.Aggression(), 3.0f);
  ASSERT_TRUE(Pass());
  ASSERT_TRUE(PlayTurn());
  EXPECT_FLOAT_EQ(computer.Aggression(), 4.5f);
  // Long past the point where the strength it multiplies would overflow.
  for (int turn = 0; turn < 40; ++turn) {
    ASSERT_TRUE(Pass());
    ASSERT_TRUE(PlayTurn());
  }
  EXPECT_EQ(computer.Aggression(), YTessorPlayerComputer::kMaxAggression);
  EXPECT_EQ(board.UndoDepth(), 42u);
  // An enemy steps next to it: the attack is taken and the factor resets.
  const int x = mine->x == 5 ? 6 : mine->x - 1;
  Add(0, x, mine->y, Walker(60));
  board.RefreshCellEffects();
  ASSERT_TRUE(Pass());
  ASSERT_TRUE(PlayTurn());
  EXPECT_EQ(board.Units(0).size(), 1u);
  EXPECT_FLOAT_EQ(computer.Aggression(), 2.0f);
}

TEST_F(ComputerCommanderTest, DeletingTheCommanderMidSearchStopsItsWorker) {
  std::mt19937 rng(9);
  RandomPosition(tessor.Board(), rng, {9, 9, 4});
  const int side = tessor.Board().sideToMove;
  auto computer = std::make_unique<YTessorPlayerComputer>(side, 1.0f, 1.1f, 7, 1, 1, 600000);
  YTessorPlayerComputer* raw = computer.get();
  tessor.SetCommander(side, std::move(computer));
  tessor.BeginTurn(side);
  tessor.Update(1.0f);
  ASSERT_TRUE(raw->Searching());
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  tessor.SetCommander(side, nullptr);
  for (int frame = 0; frame < 5; ++frame) tessor.Update(1.0f);
  EXPECT_EQ(tessor.Board().UndoDepth(), 0u);
  EXPECT_EQ(tessor.stateFlags, 0u);
}

}  // namespace
