// The board computer's search on a fixed mid-game position: nodes per
// second at a fixed depth, and the time of one decision (copy and search)
// at each difficulty row, each against the same search without pruning.
// The deeper rows are bounded by their time limits, which cut the plies
// three or more below the root.
#include <benchmark/benchmark.h>

#include <memory>

#include "board/BoardSearch.h"
#include "board/YTessorBoard.h"
#include "players/DifficultyTable.h"
#include "players/YPlayer.h"

namespace {

struct Piece {
  int side, x, y, moveKind, way, distance, health;
};

// Eight units a side a few moves into a game, on a desk of every element
// with mutex cells, two walls, a pit and two power points.
const Piece kPieces[] = {
    {0, 4, 1, 0, 1, 3, 150}, {0, 2, 2, 1, 1, 3, 90}, {0, 6, 2, 0, 0, 2, 110}, {0, 3, 3, 2, 1, 2, 70},
    {0, 5, 3, 0, 1, 2, 80},  {0, 1, 1, 1, 0, 3, 60}, {0, 7, 1, 0, 1, 1, 120}, {0, 4, 4, 0, 1, 2, 95},
    {1, 4, 7, 0, 1, 3, 150}, {1, 2, 6, 1, 1, 3, 90}, {1, 6, 6, 0, 0, 2, 110}, {1, 3, 5, 2, 1, 2, 70},
    {1, 5, 5, 0, 1, 2, 80},  {1, 1, 7, 1, 0, 3, 60}, {1, 7, 7, 0, 1, 1, 120}, {1, 6, 4, 0, 1, 2, 95},
};

YTessorBoard MidGame() {
  YTessorBoard board;
  for (int y = 0; y < kBoardSize; ++y) {
    for (int x = 0; x < kBoardSize; ++x) board.SetCellType(x, y, static_cast<std::uint32_t>((x * 3 + y) % 5));
  }
  board.SetCellType(2, 4, cell_kind::kWall);
  board.SetCellType(7, 4, cell_kind::kWall);
  board.SetCellType(0, 4, cell_kind::kPit);
  board.SetCellType(4, 2, cell_kind::kFire | cell_kind::kPowerPoint);
  board.SetCellType(4, 6, cell_kind::kWater | cell_kind::kPowerPoint);
  for (const Piece& p : kPieces) {
    auto record = std::make_unique<YPlayer>();
    record->moveKind = p.moveKind;
    record->way = p.way;
    record->distance = p.distance;
    record->baseHealth = record->health = record->maxValues[5] = p.health;
    for (std::size_t e = 0; e < 4; ++e) {
      record->baseMana[e] = record->mana[e] = record->maxValues[1 + e] = 4 + static_cast<int>((p.x + e) % 7);
    }
    record->health = p.health * 3 / 4;
    YTessorUnit* unit = board.AddUnit(MakeUnit(UnitClass::kPlain, std::move(record), p.side));
    board.PlaceUnit(unit, p.x, p.y);
  }
  board.clock = 0.25f;
  board.sideToMove = 1;
  board.RefreshCellEffects();
  return board;
}

// Arguments: search depth, pruning (1) or not (0); no time cut.
void BM_SearchNodes(benchmark::State& state) {
  const YTessorBoard position = MidGame();
  BoardSearchParams params;
  params.ownSide = 1;
  params.depth = static_cast<int>(state.range(0));
  params.prune = state.range(1) != 0;
  std::uint64_t nodes = 0;
  for (auto _ : state) {
    YTessorBoard board(position);
    nodes += BoardSearch(board, params, [] { return 0u; }).Run().nodes;
  }
  state.counters["nodes/s"] = benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_SearchNodes)->ArgsProduct({{2, 3}, {1, 0}})->Unit(benchmark::kMillisecond);

// Arguments: difficulty row, pruning (1) or not (0). One decision as the
// computer makes it: a copy of the position, then the search with the
// row's depth, candidates, aggression and time limit.
void BM_Decision(benchmark::State& state) {
  const YTessorBoard position = MidGame();
  const DifficultyRow& row = DifficultyRowAt(static_cast<int>(state.range(0)));
  BoardSearchParams params;
  params.ownSide = 1;
  params.depth = row.boardDepth;
  params.candidates = row.boardCandidates;
  params.aggression = row.aggression;
  params.timeLimitMs = static_cast<std::uint32_t>(row.timeLimitMs);
  params.prune = state.range(1) != 0;
  std::uint64_t nodes = 0;
  for (auto _ : state) {
    YTessorBoard board(position);
    nodes += BoardSearch(board, params, nullptr).Run().nodes;
  }
  state.counters["nodes/s"] = benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kIsRate);
  state.counters["nodes"] =
      benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_Decision)->ArgsProduct({{0, 1, 2}, {1, 0}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Decision)->ArgsProduct({{3, 4}, {1, 0}})->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
