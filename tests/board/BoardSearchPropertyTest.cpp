// The computer's pruned search of a copy agrees with a plain negamax of the
// real board, written from the rules alone, on many random small positions
// with fights, breeders and hydras: the same root moves in the same order,
// the same value and move for one candidate, the same exact value for every
// root move when several are ranked, whether one worker or several value
// them; the copy is left as it was found. Once
// the time is up, the search cuts only nodes three or more plies down.
#include <gtest/gtest.h>

#include <algorithm>

#include "board/BoardSearch.h"
#include "tests/board/BoardFixture.h"

namespace {

using BoardSearchPropertyTest = BoardTest;

// Negamax without pruning, time cut or move ordering; nodes with `leafDepth`
// plies left or fewer are leaves.
std::int32_t Plain(YTessorBoard& board, int own, const FightRule& rule, int side, int depth, int leafDepth) {
  const std::int32_t won = search_score::kWin + depth;
  const bool ownLost = board.Units(own).empty();
  if (ownLost || board.Units(1 - own).empty()) return (side == own) != ownLost ? won : -won;
  board.sideToMove = side;
  if (depth <= leafDepth) return board.Evaluate(side) - board.Evaluate(1 - side);
  std::vector<YTessorMove> moves;
  board.GenerateMoves(side, moves);
  std::int32_t best = search_score::kNoMove;
  for (const YTessorMove& move : moves) {
    board.ApplyMove(move, rule);
    best = std::max(best, -Plain(board, own, rule, 1 - side, depth - 1, leafDepth));
    board.PopUndo();
  }
  return best;
}

std::vector<int> Cells(const std::vector<YTessorMove>& moves) {
  std::vector<int> cells;
  for (const YTessorMove& m : moves) cells.insert(cells.end(), {m.unit->x, m.unit->y, m.x, m.y, m.kind});
  return cells;
}

// Searches a copy of the board and compares with the plain negamax; returns
// whether the side had a move.
bool SearchMatchesPlain(YTessorBoard& board, const BoardSearchParams& params, const BoardSearch::Clock& clock,
                        int leafDepth) {
  const FightRule rule{params.ownSide, params.aggression};
  std::vector<YTessorMove> expected;
  board.GenerateMoves(params.ownSide, expected);
  std::stable_sort(expected.begin(), expected.end(), [](auto& a, auto& b) { return a.kind > b.kind; });
  std::vector<std::int32_t> values;
  for (const YTessorMove& move : expected) {
    board.ApplyMove(move, rule);
    values.push_back(-Plain(board, params.ownSide, rule, 1 - params.ownSide, params.depth - 1, leafDepth));
    board.PopUndo();
  }
  // Ranked root moves are valued alone and shared among three workers.
  for (const int workers : {1, 3}) {
    SCOPED_TRACE(workers);
    BoardSearchParams shared = params;
    shared.workers = workers;
    YTessorBoard copy(board);
    const std::uint64_t before = copy.StateHash();
    const BoardSearchResult result = BoardSearch(copy, shared, clock).Run();
    EXPECT_EQ(copy.StateHash(), before);
    EXPECT_EQ(Cells(result.moves), Cells(expected));
    if (values.empty()) return false;
    const auto best = std::max_element(values.begin(), values.end());  // the first of equals
    EXPECT_EQ(result.best, *best);
    EXPECT_EQ(result.bestIndex, static_cast<std::size_t>(best - values.begin()));
    for (const ScoredRoot& ranked : result.ranked) EXPECT_EQ(ranked.value, values[ranked.index]);
    EXPECT_EQ(result.ranked.size(), params.candidates > 1 ? values.size() : 0u);
    if (params.candidates <= 1) break;
  }
  return true;
}

BoardSearchParams RandomParams(const YTessorBoard& board, std::mt19937& rng, int depth) {
  return {board.sideToMove, depth, rng() % 2 ? 1 : 3, 0.5f + static_cast<float>(rng() % 30) * 0.1f, 50};
}

// Depths 1 to 3 on positions of up to three units a side, 4 and 5 on
// positions of up to two (of reach 1 at depth 5), which a plain search
// still covers in time.
TEST_F(BoardSearchPropertyTest, PrunedSearchOfACopyMatchesPlainNegamax) {
  std::mt19937 rng(4242);
  int decided = 0;
  for (int position = 0; position < 200; ++position) {
    SCOPED_TRACE(position);
    const int depth = 1 + position % 5;
    YTessorBoard board;
    RandomPosition(board, rng, {1, depth <= 3 ? 3 : 2, depth <= 4 ? 2 : 1});
    decided += SearchMatchesPlain(
        board, RandomParams(board, rng, depth), [] { return 0u; }, 0);
  }
  EXPECT_GT(decided, 150);
}

// A clock whose time is up at every read after the search's start: nodes
// three plies below the root are leaves, those above are searched on.
TEST_F(BoardSearchPropertyTest, TheTimeCutActsOnlyThreeOrMorePliesBelowTheRoot) {
  std::mt19937 rng(77);
  for (int position = 0; position < 60; ++position) {
    SCOPED_TRACE(position);
    const int depth = 2 + position % 4;
    YTessorBoard board;
    RandomPosition(board, rng, {1, 3, 2});
    const auto late = [reads = 0]() mutable { return reads++ == 0 ? 0u : 1000u; };
    SearchMatchesPlain(board, RandomParams(board, rng, depth), late, std::max(0, depth - 3));
  }
}

}  // namespace
