// The computer's pruned search agrees with a plain negamax written from the
// rules alone, on many random small positions with fights, breeders and
// hydras: the same value and the same move for a single candidate, the same
// exact value for every root move when several are ranked. It searches a
// copy of the position, as the computer does; the copy offers the same root
// moves as the real board, and the search leaves its board as it found it.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>

#include "board/BoardSearch.h"
#include "tests/board/BoardFixture.h"

namespace {

using BoardSearchPropertyTest = BoardTest;
using search_score::kNoMove;
using search_score::kWin;

// Negamax without pruning, time cut or move ordering.
std::int32_t PlainNegamax(YTessorBoard& board, int own, const FightRule& rule, int side, int depth) {
  const std::int32_t won = kWin + depth;
  if (board.Units(own).empty()) return side == own ? -won : won;
  if (board.Units(1 - own).empty()) return side == own ? won : -won;
  board.sideToMove = side;
  if (depth == 0) return board.Evaluate(side) - board.Evaluate(1 - side);
  std::vector<YTessorMove> moves;
  board.GenerateMoves(side, moves);
  std::int32_t best = kNoMove;
  for (const YTessorMove& move : moves) {
    board.ApplyMove(move, rule);
    best = std::max(best, -PlainNegamax(board, own, rule, 1 - side, depth - 1));
    board.PopUndo();
  }
  return best;
}

std::vector<std::array<int, 5>> Cells(const std::vector<YTessorMove>& moves) {
  std::vector<std::array<int, 5>> cells;
  for (const YTessorMove& m : moves) cells.push_back({m.unit->x, m.unit->y, m.x, m.y, m.kind});
  return cells;
}

TEST_F(BoardSearchPropertyTest, PrunedSearchOfACopyMatchesPlainNegamax) {
  std::mt19937 rng(4242);
  int decided = 0;
  for (int position = 0; position < 200; ++position) {
    YTessorBoard board;
    RandomPosition(board, rng, {1, 4, 3});
    BoardSearchParams params;
    params.ownSide = board.sideToMove;
    params.depth = 1 + static_cast<int>(rng() % 3);
    params.candidates = rng() % 2 == 0 ? 1 : 3;
    params.aggression = 0.5f + static_cast<float>(rng() % 30) * 0.1f;
    const FightRule rule{params.ownSide, params.aggression};

    // The real board's root moves in the search's order: kinds descending.
    std::vector<YTessorMove> expected;
    board.GenerateMoves(params.ownSide, expected);
    std::stable_sort(expected.begin(), expected.end(),
                     [](const YTessorMove& a, const YTessorMove& b) { return a.kind > b.kind; });
    std::vector<std::int32_t> values;
    for (const YTessorMove& move : expected) {
      board.ApplyMove(move, rule);
      values.push_back(-PlainNegamax(board, params.ownSide, rule, 1 - params.ownSide, params.depth - 1));
      board.PopUndo();
    }

    YTessorBoard copy(board);
    const std::uint64_t before = copy.StateHash();
    const BoardSearchResult result = BoardSearch(copy, params, [] { return 0u; }).Run();
    ASSERT_EQ(copy.StateHash(), before) << "position " << position;
    ASSERT_EQ(Cells(result.moves), Cells(expected)) << "position " << position;
    if (values.empty()) continue;
    ++decided;
    const auto best = std::max_element(values.begin(), values.end());  // the first of equals
    EXPECT_EQ(result.best, *best) << "position " << position;
    EXPECT_EQ(result.bestIndex, static_cast<std::size_t>(best - values.begin())) << "position " << position;
    if (params.candidates == 1) continue;
    ASSERT_EQ(result.ranked.size(), values.size());
    for (std::size_t i = 0; i < result.ranked.size(); ++i) {
      EXPECT_EQ(result.ranked[i].value, values[result.ranked[i].index]) << "position " << position;
      if (i > 0) {
        const ScoredMove& prior = result.ranked[i - 1];
        EXPECT_TRUE(prior.value > result.ranked[i].value ||
                    (prior.value == result.ranked[i].value && prior.index < result.ranked[i].index));
      }
    }
  }
  EXPECT_GT(decided, 160);
}

}  // namespace
