// The duel computer's search on a full deal of the standard layout (144
// tiles) a few pairs into the duel: nodes per second at a fixed depth, and
// the time of one decision (copy and search) at each difficulty row, each
// against the same search without pruning. The deeper rows are bounded by
// their time limits, which cut the plies three or more below the root.
#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>

#include "players/DifficultyTable.h"
#include "players/TileTables.h"
#include "tiles/DuelSearch.h"
#include "tiles/PairRules.h"
#include "tiles/TileDeal.h"
#include "tiles/TileLayout.h"

namespace {

// Both fighters with room in every value, after six pairs of the first
// side's best.
DuelState FullDeal() {
  GetTileTables().Load(std::string(QV_SOURCE_DIR) + "/content/ui/english/");
  std::ifstream file(std::string(QV_SOURCE_DIR) + "/content/layouts/standard.lay", std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  std::string error;
  DuelState state;
  state.kinds = DuelKindsOf(GetTileTables().Kinds());
  for (const tile_layout::Corner& c : tile_layout::ParseText(text.str(), error))
    state.board.AddTile(c.x, c.y, c.z);
  state.board.BuildGrid();
  state.shuffleSeed = 12345;
  ShuffleStep(state, 0);
  for (DuelSide& side : state.sides) {
    side.mana = {12, 12, 12, 12};
    side.maxMana = {30, 30, 30, 30};
    side.health = side.maxHealth = 80;
  }
  std::vector<int> scratch;
  std::vector<DuelPair> pairs;
  for (int move = 0; move < 6 && !FindPairs(state, scratch, pairs) && !pairs.empty(); ++move) {
    state.PlayPair(pairs.front().a, pairs.front().b, YTile::kRemoved);
    state.flags = 0;
  }
  return state;
}

std::vector<DuelPair> RootPairs(const DuelState& state) {
  std::vector<int> scratch;
  std::vector<DuelPair> pairs;
  FindPairs(state, scratch, pairs);
  return pairs;
}

// Arguments: search depth, pruning (1) or not (0); no time cut.
void BM_SearchNodes(benchmark::State& state) {
  const DuelState position = FullDeal();
  const std::vector<DuelPair> pairs = RootPairs(position);
  const DuelSearchParams params{position.sideToMove, static_cast<int>(state.range(0)), 1, 0,
                                state.range(1) != 0};
  std::uint64_t nodes = 0;
  for (auto _ : state) {
    DuelState copy = position.SearchCopy();
    nodes += DuelSearch(copy, params, [] { return 0u; }).Run(pairs).nodes;
  }
  state.counters["nodes/s"] = benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_SearchNodes)->ArgsProduct({{2, 3}, {1, 0}})->Unit(benchmark::kMillisecond);

// Arguments: difficulty row, pruning (1) or not (0). One decision as the
// computer makes it: a copy of the position, then the search with the
// row's depth, candidates and time limit.
void BM_Decision(benchmark::State& state) {
  const DuelState position = FullDeal();
  const std::vector<DuelPair> pairs = RootPairs(position);
  const DifficultyRow& row = DifficultyRowAt(static_cast<int>(state.range(0)));
  const DuelSearchParams params{position.sideToMove, row.duelDepth, row.duelCandidates,
                                static_cast<std::uint32_t>(row.timeLimitMs), state.range(1) != 0};
  std::uint64_t nodes = 0;
  for (auto _ : state) {
    DuelState copy = position.SearchCopy();
    nodes += DuelSearch(copy, params).Run(pairs).nodes;
  }
  state.counters["nodes/s"] = benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kIsRate);
  state.counters["nodes"] =
      benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_Decision)->ArgsProduct({{0, 1, 2}, {1, 0}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Decision)->ArgsProduct({{3, 4}, {1, 0}})->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
