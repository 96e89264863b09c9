// The board computer's search on a fixed mid-game position: nodes per
// second at a fixed depth, and the time of one decision (copy and search)
// at each difficulty row, each against the same search without pruning.
// The deeper rows are bounded by their time limits, which cut the plies
// three or more below the root. Then the decision the player waits for at
// its largest: full armies of 18, on the campaign's last level and in a
// hot-seat game.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "board/BoardSearch.h"
#include "board/YTessor.h"
#include "board/YTessorBoard.h"
#include "board/YTessorLevelLoader.h"
#include "platform/Random.h"
#include "players/DifficultyTable.h"
#include "players/YArtifactLoader.h"
#include "players/YMonsterReader.h"
#include "players/YMonsterType.h"
#include "players/YPlayer.h"
#include "players/YPlayerHero.h"
#include "players/YPlayerMonster.h"

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

// The search of a difficulty row for side 1: its depth, candidates,
// aggression and time limit.
BoardSearchParams RowParams(int rowIndex) {
  const DifficultyRow& row = DifficultyRowAt(rowIndex);
  BoardSearchParams params;
  params.ownSide = 1;
  params.depth = row.boardDepth;
  params.candidates = row.boardCandidates;
  params.aggression = row.aggression;
  params.timeLimitMs = static_cast<std::uint32_t>(row.timeLimitMs);
  return params;
}

// Arguments: difficulty row, pruning (1) or not (0). One decision as the
// computer makes it: a copy of the position, then the search with the
// row's depth, candidates, aggression and time limit.
void BM_Decision(benchmark::State& state) {
  const YTessorBoard position = MidGame();
  BoardSearchParams params = RowParams(static_cast<int>(state.range(0)));
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

// A full army of fast and strong monsters at level 10 behind a hero of
// like strength.
constexpr const char* kArmy[] = {"phoenix",     "djinn",      "efreet",          "fire_drake", "siren",
                                 "sea_serpent", "storm_hawk", "harpy",           "hellhound",  "grim_worm",
                                 "ice_troll",   "basilisk",   "water_elemental", "treant",     "midworm",
                                 "wisp",        "bloodsucker"};

YPlayerHero* FullArmyHero() {
  auto* hero = new YPlayerHero();
  hero->moveKind = 1;
  hero->way = 1;
  hero->distance = 3;
  hero->baseHealth = hero->health = 260;
  hero->baseMana = hero->mana = {30, 24, 22, 26};
  int slot = 0;
  for (const char* id : kArmy) {
    if (kArmyOrder[static_cast<std::size_t>(slot)] == kArmyOrder[0]) ++slot;
    hero->slots[static_cast<std::size_t>(kArmyOrder[static_cast<std::size_t>(slot++)])] =
        new YPlayerMonster(id, 10, 1.0f);
  }
  hero->slots[static_cast<std::size_t>(kArmyOrder[0])] = hero;
  return hero;
}

void LoadCatalogues() {
  std::filesystem::current_path(std::string(QV_SOURCE_DIR) + "/content");
  platform::SeedRandom(7);
  ClearArtifacts();
  YArtifactLoader artifacts("ui\\english\\artifacts.yml");
  ClearMonsterTypes();
  YMonsterReader().Load("ui\\english\\monsters.yml");
}

// The positions of the decisions the player waits for longest, the
// computer (side 1) to move, from the shipped content.
enum class Battle {
  kLastLevel,        // the campaign's last level against the full army
  kLastLevelTurned,  // the same once the army has gone over to the computer, as the campaign plays it
  kTwoArmies,        // two full armies on the base desk (a hot-seat game against the computer)
};

YTessorBoard FullArmyBattle(Battle battle) {
  LoadCatalogues();
  YTessor tessor;
  YPlayerHero* hero = FullArmyHero();
  YPlayerHero* second = nullptr;
  if (battle == Battle::kTwoArmies) {
    tessor.LoadDesk("desks\\base.dsk");
    second = FullArmyHero();
    tessor.SetArmy(second, 1);
  } else {
    YTessorLevelLoader::Load(tessor, "levels\\level10.yml", 9, 10, false);
  }
  tessor.SetArmy(hero, 0);
  if (battle == Battle::kLastLevelTurned) {
    const std::vector<YTessorUnit*> army = tessor.Board().Units(0);
    for (YTessorUnit* unit : army) {
      if (unit->record != hero) tessor.Board().ChangeSide(unit);
    }
    for (YPlayer*& slot : hero->slots) {
      if (slot != hero) slot = nullptr;  // the board deletes the turned records with side 1
    }
  }
  YTessorBoard board(tessor.Board());
  board.sideToMove = 1;
  board.RefreshCellEffects();
  tessor.Board().ClearSide(0, false);
  tessor.Board().ClearSide(1, second == nullptr);
  YPlayerHero::DeleteWithArmy(hero);
  YPlayerHero::DeleteWithArmy(second);
  return board;
}

// Arguments: difficulty row, battle, workers. One decision of the computer
// with the row's parameters, as the player waits for it.
void BM_FullArmyDecision(benchmark::State& state) {
  const YTessorBoard position = FullArmyBattle(static_cast<Battle>(state.range(1)));
  BoardSearchParams params = RowParams(static_cast<int>(state.range(0)));
  params.workers = static_cast<int>(state.range(2));
  std::uint64_t nodes = 0;
  for (auto _ : state) {
    YTessorBoard board(position);
    nodes += BoardSearch(board, params, nullptr).Run().nodes;
  }
  state.counters["units"] = static_cast<double>(position.Units(1).size());
  state.counters["nodes"] =
      benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_FullArmyDecision)
    ->ArgsProduct({{0, 1, 2, 3, 4}, {0, 1, 2}, {1, 4}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseRealTime();

}  // namespace
