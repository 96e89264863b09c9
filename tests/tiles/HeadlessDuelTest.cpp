// The balance report's headless duel: a seed always plays the same duel to
// its end, pairs that cast nothing are counted as lost, and a new player
// takes pairs it can pay for.
#include <gtest/gtest.h>

#include <set>

#include "tests/tiles/TilesTestSupport.h"
#include "tiles/PairRules.h"
#include "tools/duelbalance/HeadlessDuel.h"

namespace {

DuelState Start(std::int32_t value, std::int32_t cap) {
  DuelState state = tiles_test::StateOn(tiles_test::ShippedLayout("standard"));
  state.sides = {tiles_test::Side(value, cap), tiles_test::Side(value, cap)};
  return state;
}

auto Figures(const DuelTally& t) {
  return std::tuple(t.moves, t.lostPairs, t.shuffles, t.winner, t.seconds);
}

TEST(HeadlessDuel, ASeedAlwaysPlaysTheSameDuelToItsEnd) {
  const DuelState start = Start(20, 40);
  const DuelPlayer picky{1, 7, 1};
  const DuelTally first = HeadlessDuel(start, picky, picky, 11).Play();
  EXPECT_EQ(Figures(first), Figures(HeadlessDuel(start, picky, picky, 11).Play()));
  EXPECT_NE(first.winner, -1);
  EXPECT_GT(first.moves, 0);
  EXPECT_GT(first.seconds, first.moves * 0.01);
  EXPECT_NE(Figures(first), Figures(HeadlessDuel(start, picky, picky, 12).Play()));
}

TEST(HeadlessDuel, SidesWithoutElementsLoseEverySpellPairAndNobodyWins) {
  DuelState start = Start(0, 0);
  for (DuelSide& side : start.sides) side.health = side.maxHealth = 30;
  const DuelTally tally = HeadlessDuel(start, DuelPlayer{}, DuelPlayer{}, 3).Play();
  EXPECT_EQ(tally.winner, -1);
  EXPECT_EQ(tally.moves, HeadlessDuel::kMoveCap);
  // Of 42 kinds dealt, 8 are plain or wells: most pairs cast nothing.
  EXPECT_GT(tally.lostPairs, tally.moves / 2);
  EXPECT_LT(tally.lostPairs, tally.moves);
}

// The first tiles of the pairs a new player picks in 60 draws.
std::set<int> NewPlayerPicks(const DuelState& state) {
  std::vector<int> freeTiles;
  std::vector<DuelPair> pairs;
  FindPairs(state, freeTiles, pairs);
  DuelRandom random(5);
  std::set<int> picks;
  for (int i = 0; i < 60; ++i) {
    const DuelPair pair = NewPlayerPick(state, pairs, random);
    picks.insert(std::min(pair.a, pair.b));
  }
  return picks;
}

TEST(HeadlessDuel, ANewPlayerTakesAnyPairItCanPayForAndNoOther) {
  // An air spell pair it can pay for, a fire one it cannot, a plain pair.
  DuelState state = tiles_test::SpreadState({0x03, 0x03, 0x13, 0x13, 0x01, 0x11});
  state.sides = {tiles_test::Side(0, 40), tiles_test::Side(40, 40)};
  state.sides[0].mana[DuelKind::kAir] = 4;
  EXPECT_EQ(NewPlayerPicks(state), (std::set<int>{0, 4}));
  // With nothing it can pay for, any pair.
  state = tiles_test::SpreadState({0x03, 0x03, 0x13, 0x13});
  state.sides = {tiles_test::Side(0, 40), tiles_test::Side(40, 40)};
  EXPECT_EQ(NewPlayerPicks(state), (std::set<int>{0, 2}));
}

}  // namespace
