// The pair rule, spell links, frozen and burning tiles, and the list of
// available pairs with its ranks.
#include <gtest/gtest.h>

#include <array>

#include "players/YTileSpell.h"
#include "tests/tiles/TilesTestSupport.h"
#include "tiles/PairRules.h"

namespace {

using tiles_test::Side;
using tiles_test::SpreadState;

YTileSpell MakeSpell(std::uint32_t key) {
  YTileSpell spell;
  spell.key = key;
  return spell;
}

TEST(PairRulesTest, CanMatchTable) {
  const YTileSpell fireAir = MakeSpell(0x1503);  // stored with fire first
  const YTileSpell twoFires = MakeSpell(0x1415);
  struct Case {
    std::uint32_t a, b;
    std::int32_t mana;  // every element of the side
    bool withSpells;
    bool pair;
  };
  const std::vector<Case> cases = {
      {0x05, 0x05, 0, false, true},    // equal kinds, whatever the mana
      {0x02, 0x32, 0, false, true},    // two wells
      {0x11, 0x21, 0, false, true},    // two plain tiles
      {0x01, 0x02, 99, true, false},   // a plain tile and a well
      {0x03, 0x15, 99, false, false},  // no spell
      {0x03, 0x15, 4, true, true},     // spell, each element pays its cost
      {0x15, 0x03, 4, true, true},     // either order
      {0x03, 0x15, 3, true, false},    // one short
      {0x14, 0x15, 4, true, true},     // one element: the larger cost
  };
  for (const Case& c : cases) {
    DuelState state = SpreadState({c.a, c.b});
    DuelSide side = Side(c.mana, 99);
    if (c.withSpells) side.spells = {&fireAir, &twoFires};
    EXPECT_EQ(CanMatch(state, side, 0, 1), c.pair) << std::hex << c.a << " " << c.b << " mana " << std::dec << c.mana;
  }
}

TEST(PairRulesTest, OneElementPaysTheLargerCost) {
  DuelState state = SpreadState({0x14, 0x15});
  state.kinds[static_cast<std::size_t>(tiles_test::TestKind(0x15))].cost = 7;
  const YTileSpell spell = MakeSpell(0x1415);
  DuelSide side = Side(6, 99);
  side.spells = {&spell};
  EXPECT_FALSE(CanMatch(state, side, 0, 1));
  side.mana[1] = 7;
  EXPECT_TRUE(CanMatch(state, side, 0, 1));
}

TEST(PairRulesTest, FindTileLinkNeverLinksAKindWithItself) {
  const YTileSpell self = MakeSpell(0x0303);
  const YTileSpell link = MakeSpell(0x0315);
  DuelSide side;
  side.spells = {&self, &link};
  EXPECT_EQ(FindTileLink(side, 0x03, 0x03), nullptr);
  EXPECT_EQ(FindTileLink(side, 0x15, 0x03), &link);
  EXPECT_EQ(FindTileLink(side, 0x03, 0x16), nullptr);
}

TEST(PairRulesTest, FrozenAndBurningFollowTheFlags) {
  DuelState state = SpreadState({0x01, 0x11, 0x21, 0x31});
  EXPECT_FALSE(IsFrozen(state, 2));
  state.flags = DuelFlag::kFrozen | DuelFlag::kBurning;
  EXPECT_FALSE(IsFrozen(state, 0));
  EXPECT_FALSE(IsFrozen(state, 1));
  EXPECT_TRUE(IsFrozen(state, 2));
  EXPECT_TRUE(IsFrozen(state, 3));
  EXPECT_TRUE(IsBurning(state, 1));
  EXPECT_FALSE(IsBurning(state, 0));
  std::vector<int> free;
  CollectFreeTiles(state, free);
  EXPECT_EQ(free, (std::vector<int>{0, 1}));
  free.clear();
  state.flags = 0;
  CollectFreeEarthTiles(state, free);
  EXPECT_EQ(free, (std::vector<int>{2}));
}

TEST(PairRulesTest, PairsAreRankedUnaffordableLast) {
  // Priorities of the test kinds: 60 less the class.
  DuelState state = SpreadState({0x02, 0x03, 0x11, 0x12, 0x01, 0x15, 0x03});
  const YTileSpell link = MakeSpell(0x0315);
  state.sides[0] = Side(4, 99);
  state.sides[0].spells = {&link};
  const auto ranked = [&] {
    std::vector<int> free;
    std::vector<DuelPair> pairs;
    EXPECT_FALSE(FindPairs(state, free, pairs));
    EXPECT_EQ(free.size(), 7u);
    std::vector<std::array<int, 3>> out;
    for (const DuelPair& p : pairs) out.push_back({p.a, p.b, p.priority});
    return out;
  };
  // Equal ranks keep the order found: by first tile, then second.
  EXPECT_EQ(ranked(), (std::vector<std::array<int, 3>>{{1, 5, 55}, {5, 6, 55}, {1, 6, 57}, {0, 3, 58}, {2, 4, 59}}));
  // Short of mana: the spell pairs go, equal kinds stay but rank last.
  state.sides[0].mana = {3, 3, 3, 3};
  EXPECT_EQ(ranked(), (std::vector<std::array<int, 3>>{{0, 3, 58}, {2, 4, 59}, {1, 6, 100}}));
}

TEST(PairRulesTest, EmptyBoardIsReported) {
  DuelState state = SpreadState({0x01, 0x01});
  std::vector<int> free{5};
  std::vector<DuelPair> pairs;
  EXPECT_FALSE(FindPairs(state, free, pairs));
  for (YTile& t : state.board.tiles) t.state = YTile::kRemoved;
  EXPECT_TRUE(FindPairs(state, free, pairs));
  EXPECT_TRUE(free.empty());
  EXPECT_TRUE(pairs.empty());
}

}  // namespace
