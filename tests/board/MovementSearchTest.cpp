// The movement search: costs and steps, turns, the orthogonal preference on
// ties, how walkers, flyers and teleporters are blocked, diagonals past
// occupied cells, ranges of 0 and without end, and which reached cells
// become moves.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "board/YTessorBoard.h"
#include "tests/board/BoardFixture.h"

namespace {

using MovementSearchTest = BoardTest;

std::set<std::pair<int, int>> ReachedCells(const YTessorBoard& board) {
  std::set<std::pair<int, int>> cells;
  for (int y = 0; y < kBoardSize; ++y) {
    for (int x = 0; x < kBoardSize; ++x) {
      if (board.ReachAt(x, y).Reached()) cells.insert({x, y});
    }
  }
  return cells;
}

std::set<std::pair<int, int>> Targets(const std::vector<YTessorMove>& moves, int kind) {
  std::set<std::pair<int, int>> cells;
  for (const YTessorMove& m : moves) {
    if (m.kind == kind) cells.insert({m.x, m.y});
  }
  return cells;
}

TEST_F(MovementSearchTest, StepsCostOneStraightAndOneMoreForEachTurn) {
  YTessorBoard board;
  YTessorUnit* unit = AddUnit(board, 0, 4, 4, {.moveKind = 0, .way = 0, .distance = 3});
  board.FindMoves(unit, nullptr);
  const struct {
    int x, y, steps, cost;
  } cases[] = {
      {4, 4, 0, 0}, {4, 5, 1, 2}, {4, 7, 3, 4},  // the first step costs 2, going on straight 1
      {5, 5, 2, 4}, {6, 5, 3, 5},                // one turn
      {3, 6, 3, 5},                              // up, up, left: 2 + 1 + 2
  };
  for (const auto& c : cases) {
    const YTessorReachCell& r = board.ReachAt(c.x, c.y);
    EXPECT_EQ(r.steps, c.steps) << c.x << "," << c.y;
    EXPECT_EQ(r.cost, c.cost) << c.x << "," << c.y;
  }
  EXPECT_EQ(board.ReachAt(4, 4).direction, -1);
  EXPECT_FALSE(board.ReachAt(6, 6).Reached());  // two turns need four steps
}

TEST_F(MovementSearchTest, StraightWalkersReachFourNeighboursAndFreeWalkersEight) {
  YTessorBoard board;
  YTessorUnit* straight = AddUnit(board, 0, 4, 4, {.way = 0, .distance = 1});
  std::vector<YTessorMove> moves;
  board.FindMoves(straight, &moves);
  EXPECT_EQ(Targets(moves, move_kind::kMove),
            (std::set<std::pair<int, int>>{{4, 5}, {4, 3}, {5, 4}, {3, 4}}));
  for (const YTessorMove& m : moves) EXPECT_EQ(board.ReachAt(m.x, m.y).cost, 2);

  YTessorBoard open;
  YTessorUnit* free = AddUnit(open, 0, 4, 4, {.way = 1, .distance = 1});
  moves.clear();
  open.FindMoves(free, &moves);
  EXPECT_EQ(moves.size(), 8u);
}

TEST_F(MovementSearchTest, DiagonalStepsNeedTheTwoCellsBesideThemFreeForWalkers) {
  for (int side : {0, 1}) {
    for (int moveKind : {0, 1}) {
      YTessorBoard board;
      YTessorUnit* unit = AddUnit(board, 0, 4, 4, {.moveKind = moveKind, .way = 1, .distance = 1});
      AddUnit(board, side, 5, 4);  // beside the steps to (5, 5) and (5, 3)
      board.FindMoves(unit, nullptr);
      EXPECT_EQ(board.ReachAt(5, 5).Reached(), moveKind == 1) << side;  // a flyer passes over
      EXPECT_EQ(board.ReachAt(5, 3).Reached(), moveKind == 1) << side;
      EXPECT_TRUE(board.ReachAt(3, 5).Reached()) << side;
      board.SetCellType(4, 5, cell_kind::kWall);  // a wall beside the step holds both
      board.FindMoves(unit, nullptr);
      EXPECT_FALSE(board.ReachAt(3, 5).Reached());
    }
  }
}

TEST_F(MovementSearchTest, WalkersStopAtEnemiesToAttackAndPassNothing) {
  YTessorBoard board;
  YTessorUnit* walker = AddUnit(board, 0, 4, 0, {.way = 0, .distance = 4});
  AddUnit(board, 1, 4, 1);
  AddUnit(board, 0, 3, 0);
  board.SetCellType(5, 0, cell_kind::kPit);
  std::vector<YTessorMove> moves;
  board.FindMoves(walker, &moves);
  EXPECT_EQ(Targets(moves, move_kind::kAttack), (std::set<std::pair<int, int>>{{4, 1}}));
  EXPECT_TRUE(Targets(moves, move_kind::kMove).empty());  // boxed in: own unit, pit, enemy, board edge
  EXPECT_EQ(ReachedCells(board), (std::set<std::pair<int, int>>{{4, 0}, {4, 1}}));
}

TEST_F(MovementSearchTest, FlyersPassUnitsAndPitsButNotWallsAndEndOnNeither) {
  YTessorBoard board;
  YTessorUnit* flyer = AddUnit(board, 0, 4, 4, {.moveKind = 1, .way = 0, .distance = 2});
  for (auto [x, y] : {std::pair{4, 5}, {4, 3}, {5, 4}}) AddUnit(board, 0, x, y);
  board.SetCellType(3, 4, cell_kind::kWall);
  board.SetCellType(4, 6, cell_kind::kPit);
  std::vector<YTessorMove> moves;
  board.FindMoves(flyer, &moves);
  EXPECT_TRUE(board.ReachAt(4, 5).Reached());  // its own unit's cell is reached, not a move
  EXPECT_TRUE(board.ReachAt(4, 6).Reached());
  EXPECT_TRUE(board.ReachAt(6, 4).Reached());
  EXPECT_FALSE(board.ReachAt(3, 4).Reached());
  EXPECT_FALSE(board.ReachAt(2, 4).Reached());
  const auto targets = Targets(moves, move_kind::kMove);
  EXPECT_FALSE(targets.count({4, 5}));
  EXPECT_FALSE(targets.count({4, 6}));
  EXPECT_TRUE(targets.count({4, 2}));
  EXPECT_TRUE(targets.count({6, 4}));
}

TEST_F(MovementSearchTest, TeleportersPassEverythingAndNeverEndOnWallsOrPits) {
  YTessorBoard board;
  YTessorUnit* teleporter = AddUnit(board, 0, 0, 0, {.moveKind = 2, .way = 0, .distance = 2});
  board.SetCellType(1, 0, cell_kind::kWall);
  board.SetCellType(0, 1, cell_kind::kPit);
  AddUnit(board, 1, 0, 2);
  std::vector<YTessorMove> moves;
  board.FindMoves(teleporter, &moves);
  EXPECT_TRUE(board.ReachAt(2, 0).Reached());
  EXPECT_TRUE(board.ReachAt(1, 0).Reached());
  EXPECT_EQ(Targets(moves, move_kind::kMove), (std::set<std::pair<int, int>>{{2, 0}, {1, 1}}));
  EXPECT_EQ(Targets(moves, move_kind::kAttack), (std::set<std::pair<int, int>>{{0, 2}}));
}

TEST_F(MovementSearchTest, AnOrthogonalStepReplacesAWayOfEqualCostAndADiagonalOneDoesNot) {
  // (5, 6): up then diagonal and diagonal then up both cost 4; the later
  // orthogonal step (up, direction 0) holds the cell.
  YTessorBoard board;
  YTessorUnit* unit = AddUnit(board, 0, 4, 4, {.way = 1, .distance = 3});
  board.FindMoves(unit, nullptr);
  EXPECT_EQ(board.ReachAt(5, 6).cost, 4);
  EXPECT_EQ(board.ReachAt(5, 6).direction, 0);
  // (6, 6): the straight diagonal costs 3; nothing replaces it.
  EXPECT_EQ(board.ReachAt(6, 6).cost, 3);
  EXPECT_EQ(board.ReachAt(6, 6).direction, 4);
  // (6, 5): first reached by right then diagonal (2 + 2 = 4, direction 4),
  // then by diagonal then right (2 + 2 = 4, direction 2): the orthogonal
  // step found later wins the tie.
  EXPECT_EQ(board.ReachAt(6, 5).cost, 4);
  EXPECT_EQ(board.ReachAt(6, 5).direction, 2);
  // A cell accepted again is listed again.
  std::vector<YTessorMove> moves;
  board.FindMoves(unit, &moves);
  EXPECT_EQ(std::count(moves.begin(), moves.end(), YTessorMove{unit, 6, 5, move_kind::kMove}), 2);
}

TEST_F(MovementSearchTest, RangesOfZeroAndWithoutEndAndUnitsOffTheBoard) {
  YTessorBoard board;
  YTessorUnit* still = AddUnit(board, 0, 4, 4, {.distance = 0});
  std::vector<YTessorMove> moves;
  board.FindMoves(still, &moves);
  EXPECT_TRUE(moves.empty());
  EXPECT_EQ(ReachedCells(board), (std::set<std::pair<int, int>>{{4, 4}}));

  YTessorUnit* nowhere = board.AddUnit(MakeUnit(UnitClass::kPlain, MakeRecord({}), 0));
  board.FindMoves(nowhere, &moves);
  EXPECT_TRUE(moves.empty());
  EXPECT_TRUE(ReachedCells(board).empty());
  // An endless range (edited data) still ends.
  still->record->distance = 2'000'000'000;
  board.FindMoves(still, &moves);
  EXPECT_EQ(ReachedCells(board).size(), 81u);
}

}  // namespace
