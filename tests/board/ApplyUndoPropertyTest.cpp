// Apply and undo are exact inverses: on many random positions (walls, pits,
// power points, mutex cells, breeders and hydra heads), random walks through
// legal moves with fights and specials, taken back step by step in any
// order, find every earlier position again, with its list order and the
// specials' random state. A copied board plays every move exactly as its
// original.
#include <gtest/gtest.h>

#include <random>

#include "board/YTessorBoard.h"
#include "players/YPlayerMonster.h"
#include "tests/board/BoardFixture.h"

namespace {

using ApplyUndoPropertyTest = BoardTest;

struct Counts {
  int applied = 0;
  int fights = 0;
  int specials = 0;
};

// A random walk of applies and undos from the position; every undo must
// give back the hash recorded before the matching apply.
void Walk(YTessorBoard& board, std::mt19937& rng, Counts& counts) {
  std::vector<std::uint64_t> hashes{board.StateHash()};
  std::vector<YTessorMove> moves;
  for (int step = 0; step < 60; ++step) {
    const bool undo = hashes.size() > 1 && (hashes.size() > 10 || rng() % 10 < 4);
    if (undo) {
      ASSERT_TRUE(board.PopUndo());
      hashes.pop_back();
      ASSERT_EQ(board.StateHash(), hashes.back()) << "after undo at depth " << hashes.size();
      continue;
    }
    moves.clear();
    board.GenerateMoves(board.sideToMove, moves);
    if (moves.empty()) break;
    const YTessorMove move = moves[rng() % moves.size()];
    counts.fights += move.kind == move_kind::kAttack;
    counts.specials += move.kind == move_kind::kSpecial;
    ++counts.applied;
    const FightRule rule{static_cast<int>(rng() % 2), 0.5f + static_cast<float>(rng() % 20) * 0.1f};
    board.ApplyMove(move, rule);
    hashes.push_back(board.StateHash());
  }
  while (hashes.size() > 1) {
    ASSERT_TRUE(board.PopUndo());
    hashes.pop_back();
    ASSERT_EQ(board.StateHash(), hashes.back());
  }
  EXPECT_FALSE(board.PopUndo());
}

TEST_F(ApplyUndoPropertyTest, RandomWalksOfMovesAndUndosRestoreEveryPositionExactly) {
  std::mt19937 rng(20240611);
  Counts counts;
  for (int position = 0; position < 150; ++position) {
    YTessorBoard board;
    RandomPosition(board, rng, {});
    const std::uint64_t start = board.StateHash();
    std::vector<YTessorUnit*> lists[2] = {board.Units(0), board.Units(1)};
    for (int walk = 0; walk < 6; ++walk) {
      Walk(board, rng, counts);
      if (HasFatalFailure()) return;
      ASSERT_EQ(board.StateHash(), start) << "position " << position;
      EXPECT_EQ(board.Units(0), lists[0]);
      EXPECT_EQ(board.Units(1), lists[1]);
    }
  }
  EXPECT_GT(counts.applied, 5000);
  EXPECT_GT(counts.fights, 500);
  EXPECT_GT(counts.specials, 100);
}

// The moves of a position as cells, so that two boards compare.
std::vector<std::array<int, 5>> MoveCells(YTessorBoard& board) {
  std::vector<YTessorMove> moves;
  board.GenerateMoves(board.sideToMove, moves);
  std::vector<std::array<int, 5>> cells;
  for (const YTessorMove& m : moves) cells.push_back({m.unit->x, m.unit->y, m.x, m.y, m.kind});
  return cells;
}

TEST_F(ApplyUndoPropertyTest, ACopyGeneratesAndPlaysTheSameMovesAsItsOriginal) {
  std::mt19937 rng(77);
  for (int position = 0; position < 60; ++position) {
    YTessorBoard board;
    RandomPosition(board, rng, {});
    YTessorBoard copy(board);
    ASSERT_EQ(copy.StateHash(), board.StateHash());
    for (int ply = 0; ply < 12; ++ply) {
      const auto cells = MoveCells(board);
      ASSERT_EQ(MoveCells(copy), cells);
      if (cells.empty()) break;
      const std::size_t pick = rng() % cells.size();
      std::vector<YTessorMove> moves;
      board.GenerateMoves(board.sideToMove, moves);
      std::vector<YTessorMove> copyMoves;
      copy.GenerateMoves(copy.sideToMove, copyMoves);
      const FightRule rule{0, 1.5f};
      board.ApplyMove(moves[pick], rule);
      copy.ApplyMove(copyMoves[pick], rule);
      ASSERT_EQ(copy.StateHash(), board.StateHash()) << "position " << position << " ply " << ply;
    }
    // A copy made mid-game carries the undo stack: both unwind alike.
    YTessorBoard late(board);
    while (board.PopUndo()) {
      ASSERT_TRUE(late.PopUndo());
      ASSERT_EQ(late.StateHash(), board.StateHash());
    }
    EXPECT_FALSE(late.PopUndo());
  }
}

}  // namespace
