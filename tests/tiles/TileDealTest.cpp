// Deals: the kinds a fresh deal hands out, its fixed order of draws, boards
// that can always be cleared, and shuffles that keep kinds and places.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <thread>

#include "tests/tiles/DealSolver.h"
#include "tests/tiles/TilesTestSupport.h"
#include "tiles/PairRules.h"
#include "tiles/TileDeal.h"

namespace {

using tiles_test::DealtState;
using tiles_test::ShippedLayout;

std::map<int, int> KindCounts(const DuelState& state) {
  std::map<int, int> counts;
  for (const YTile& t : state.board.tiles) ++counts[t.kind];
  return counts;
}

std::vector<std::array<std::int32_t, 3>> LivePlaces(const DuelState& state) {
  std::vector<std::array<std::int32_t, 3>> places;
  for (const YTile& t : state.board.tiles)
    if (t.IsLive()) places.push_back({t.x, t.y, t.z});
  std::sort(places.begin(), places.end());
  return places;
}

TEST(TileDealTest, EveryKindOnceThenAChoiceOfTheLastBlock) {
  for (std::int32_t seed : {1, 2, 77, 40000}) {
    const DuelState state = DealtState(ShippedLayout("standard"), seed);
    ASSERT_EQ(state.board.tiles.size(), 144u);
    const std::map<int, int> counts = KindCounts(state);
    ASSERT_EQ(counts.size(), 42u) << seed;
    int twice = 0;
    for (const auto& [kind, count] : counts) {
      EXPECT_TRUE(kind >= 0 && kind < 42);
      EXPECT_TRUE(count == 2 || count == 4) << kind;
      twice += count == 4;
    }
    EXPECT_EQ(twice, 30) << seed;
    for (std::size_t i = 0; i < state.board.tiles.size(); ++i) {
      EXPECT_TRUE(state.board.tiles[i].IsLive());
      EXPECT_EQ(state.board.tiles[i].number, static_cast<std::int32_t>(i));
    }
  }
}

TEST(TileDealTest, LargerBoardsDealWholeBlocksFirst) {
  const DuelState state = DealtState(ShippedLayout("mountain"), 5);  // 82 pairs: 1 block and 40
  int twice = 0;
  for (const auto& [kind, count] : KindCounts(state)) twice += count == 4;
  EXPECT_EQ(twice, 40);
}

// Any change in the order or number of draws changes this hash.
TEST(TileDealTest, TheDrawsOfADealAreFixed) {
  const DuelState state = DealtState(ShippedLayout("standard"), 12345);
  std::uint64_t hash = 0xcbf29ce484222325ull;
  for (const YTile& t : state.board.tiles) {
    hash = (hash ^ static_cast<std::uint64_t>(t.kind)) * 0x100000001b3ull;
    hash = (hash ^ static_cast<std::uint64_t>(t.flyIn * 1000.0f)) * 0x100000001b3ull;
  }
  EXPECT_EQ(hash, 12382223138803577804ull);
  EXPECT_EQ(state.random.State(), 1305498420u);
  EXPECT_EQ(state.shuffleSeed, 7584);
  for (const YTile& t : state.board.tiles) {
    EXPECT_GE(t.flyIn, 9.5f);
    EXPECT_LE(t.flyIn, 10.5f);
  }
}

TEST(TileDealTest, TheSameSeedDealsTheSameBoard) {
  const DuelState a = DealtState(ShippedLayout("wings"), 99);
  const DuelState b = DealtState(ShippedLayout("wings"), 99);
  const DuelState c = DealtState(ShippedLayout("wings"), 100);
  EXPECT_EQ(a.Hash(), b.Hash());
  EXPECT_NE(a.Hash(), c.Hash());
}

// Every deal of the first 10,000 seeds on every shipped layout can be
// cleared; the layouts are checked side by side.
TEST(TileDealTest, EveryDealCanBeCleared) {
  const std::vector<std::string> names = tiles_test::ShippedLayoutNames();
  ASSERT_GE(names.size(), 6u);
  tiles_test::LoadShippedTiles();  // before the workers read the tables
  std::vector<std::string> failures(names.size());
  std::vector<std::thread> workers;
  for (std::size_t i = 0; i < names.size(); ++i) {
    workers.emplace_back([&, i] {
      const DuelState base = tiles_test::StateOn(ShippedLayout(names[i]));
      for (std::int32_t seed = 1; seed <= 10000 && failures[i].empty(); ++seed) {
        DuelState state = base;
        state.shuffleSeed = seed;
        ShuffleStep(state, 0);
        if (!SolveBoard(state).cleared) failures[i] = names[i] + " seed " + std::to_string(seed);
      }
    });
  }
  for (std::thread& worker : workers) worker.join();
  for (const std::string& failure : failures) EXPECT_EQ(failure, "");
}

TEST(TileDealTest, TheSolverFindsBoardsThatCannotBeCleared) {
  // A tile on a tile: the deal can give only the top one a kind of its own.
  DuelState state = tiles_test::StateOn({{4, 4, 0}, {4, 4, 1}});
  ShuffleStep(state, 0);
  EXPECT_FALSE(SolveBoard(state).cleared);
  DuelState two = tiles_test::StateOn({{4, 4, 0}, {8, 4, 0}});
  ShuffleStep(two, 0);
  const SolveResult solved = SolveBoard(two);
  ASSERT_TRUE(solved.cleared);
  EXPECT_EQ(solved.order, (std::vector<std::pair<int, int>>{{0, 1}}));
}

std::map<int, int> LiveKinds(const DuelState& state) {
  std::map<int, int> live;
  for (const YTile& t : state.board.tiles) {
    if (t.IsLive()) ++live[t.kind];
  }
  return live;
}

// A board with some random pairs taken off.
DuelState PlayedState(std::int32_t seed, int pairsTaken) {
  DuelState state = DealtState(ShippedLayout("standard"), seed);
  DuelRandom random(static_cast<std::uint32_t>(seed));
  std::vector<int> free;
  std::vector<DuelPair> pairs;
  for (int n = 0; n < pairsTaken && (FindPairs(state, free, pairs), !pairs.empty()); ++n) {
    const DuelPair& p = pairs[static_cast<std::size_t>(random.Below(static_cast<int>(pairs.size())))];
    state.PlayPair(p.a, p.b, YTile::kRemoved);
  }
  state.flags = 0;
  return state;
}

// A shuffle puts the same kinds on the same places, and leaves a pair;
// one that finds no way to place them all sweeps the board instead.
TEST(TileDealTest, AShuffleKeepsKindsAndPlacesAndLeavesAPair) {
  int shuffled = 0;
  for (int round = 0; round < 60; ++round) {
    DuelState state = PlayedState(round + 1, round);
    const std::map<int, int> kindsBefore = LiveKinds(state);
    const auto placesBefore = LivePlaces(state);
    const ShuffleResult result = ShuffleStep(state, 1000 + round);
    if (result.kind == ShuffleResult::kSwept) {
      EXPECT_EQ(state.board.LiveCount(), 0);
      EXPECT_EQ(state.flags, DuelFlag::kShuffle);
      continue;
    }
    ASSERT_EQ(result.kind, ShuffleResult::kShuffled);
    ++shuffled;
    EXPECT_EQ(result.tiles.size(), placesBefore.size());
    EXPECT_EQ(LivePlaces(state), placesBefore);
    EXPECT_EQ(LiveKinds(state), kindsBefore);
    DuelBoard full = state.board;
    full.UpdateAllBlocked();
    for (std::size_t i = 0; i < full.tiles.size(); ++i) {
      if (full.tiles[i].IsLive()) {
        EXPECT_EQ(full.tiles[i].blocked, state.board.tiles[i].blocked);
      }
    }
    std::vector<int> free;
    std::vector<DuelPair> pairs;
    FindPairs(state, free, pairs);
    EXPECT_FALSE(pairs.empty());
  }
  EXPECT_GT(shuffled, 40);
}

TEST(TileDealTest, WithoutAPairTheBoardIsSweptThenDealtAnew) {
  // Two kinds that pair only through a spell nobody knows.
  DuelState state = tiles_test::SpreadState({0x03, 0x15, 0x01, 0x01});
  state.board.tiles[2].state = YTile::kRemoved;
  state.board.tiles[3].state = YTile::kRemoved;
  state.PushUndo(2, 3);
  ShuffleResult result = ShuffleStep(state, 5);
  EXPECT_EQ(result.kind, ShuffleResult::kSwept);
  EXPECT_EQ(result.tiles, (std::vector<int>{0, 1}));
  EXPECT_EQ(state.board.LiveCount(), 0);
  EXPECT_EQ(state.flags & DuelFlag::kShuffle, DuelFlag::kShuffle);
  EXPECT_EQ(state.undo.back().flags & DuelFlag::kShuffle, 0u) << "no deal yet";
  result = ShuffleStep(state, 0);
  EXPECT_EQ(result.kind, ShuffleResult::kFresh);
  EXPECT_EQ(result.tiles.size(), 4u);
  EXPECT_EQ(state.board.LiveCount(), 4);
  EXPECT_EQ(state.flags, 0u);
  EXPECT_FALSE(state.Undo()) << "no undo across a deal";
}

TEST(TileDealTest, ShuffleSeedZeroDrawsTheNextSeed) {
  DuelState state = DealtState(ShippedLayout("crown"), 31);
  DuelRandom expected(static_cast<std::uint32_t>(state.shuffleSeed));
  const int next = expected.Next();
  ShuffleStep(state, 0);
  EXPECT_EQ(state.shuffleSeed, next);
  const std::int32_t kept = state.shuffleSeed;
  ShuffleStep(state, 77);
  EXPECT_EQ(state.shuffleSeed, kept) << "a given seed leaves the stored one";
}

}  // namespace
