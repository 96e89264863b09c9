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

const char* const kMonsterIds[] = {"sand_king",   "sand_larva", "hydra_body", "hydra_air",
                                   "hydra_earth", "imp",        "golem"};

// A random position: a random desk, 3-9 units a side, some of them monsters
// with specials whose counters are about to run out.
void RandomPosition(YTessorBoard& board, std::mt19937& rng) {
  std::uniform_int_distribution<int> percent(0, 99);
  for (int y = 0; y < kBoardSize; ++y) {
    for (int x = 0; x < kBoardSize; ++x) {
      const int roll = percent(rng);
      std::uint32_t type = static_cast<std::uint32_t>(roll % 5);
      if (roll >= 90) type = roll >= 95 ? cell_kind::kWall : cell_kind::kPit;
      if (type < cell_kind::kWall && percent(rng) < 10) type |= cell_kind::kPowerPoint;
      board.SetCellType(x, y, type);
    }
  }
  for (int side = 0; side < 2; ++side) {
    const int count = 3 + static_cast<int>(rng() % 7);
    for (int i = 0; i < count; ++i) {
      const int x = static_cast<int>(rng() % 9);
      const int y = static_cast<int>(rng() % 9);
      if (board.Cell(x, y).occupant != nullptr || board.Cell(x, y).IsBlocked()) continue;
      YTessorUnit* unit;
      if (percent(rng) < 35) {
        unit = AddMonster(board, kMonsterIds[rng() % std::size(kMonsterIds)], side, x, y,
                          static_cast<int>(rng() % 4));
        unit->record->specialCounter = static_cast<int>(rng() % 3);
      } else {
        UnitSpec spec;
        spec.moveKind = static_cast<int>(rng() % 3);
        spec.way = static_cast<int>(rng() % 2);
        spec.distance = static_cast<int>(rng() % 5);
        spec.health = 5 + static_cast<int>(rng() % 150);
        for (int& m : spec.mana) m = static_cast<int>(rng() % 25);
        unit = AddUnit(board, side, x, y, spec);
      }
      unit->record->health =
          1 + static_cast<int>(rng() % static_cast<unsigned>(unit->record->baseHealth + 20));
    }
  }
  board.clock = static_cast<float>(rng() % 12) * 0.083333336f;
  board.sideToMove = static_cast<int>(rng() % 2);
  board.Random().SetState(static_cast<std::uint32_t>(rng()));
  board.RefreshCellEffects();
}

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
    RandomPosition(board, rng);
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
    RandomPosition(board, rng);
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
