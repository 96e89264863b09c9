// The battle state as a value: a move and its undo are exact inverses, no
// undo crosses a shuffle, the search's copy stands on its own, and the hash
// follows every change the rules make.
#include <gtest/gtest.h>

#include "players/TileTables.h"
#include "players/YArtifact.h"
#include "players/YTileSpell.h"
#include "tests/tiles/TilesTestSupport.h"
#include "tiles/MoveEffects.h"
#include "tiles/PairRules.h"
#include "tiles/TileDeal.h"

namespace {

using tiles_test::DealtState;
using tiles_test::ShippedLayout;

// Everything a move may change, compared field by field.
void ExpectSameState(const DuelState& a, const DuelState& b, const std::string& where) {
  ASSERT_EQ(a.board.tiles.size(), b.board.tiles.size());
  for (std::size_t i = 0; i < a.board.tiles.size(); ++i) {
    const YTile& x = a.board.tiles[i];
    const YTile& y = b.board.tiles[i];
    ASSERT_TRUE(x.state == y.state && x.blocked == y.blocked && x.kind == y.kind) << where << " tile " << i;
  }
  for (std::size_t s = 0; s < 2; ++s) {
    ASSERT_EQ(a.sides[s].mana, b.sides[s].mana) << where;
    ASSERT_EQ(a.sides[s].health, b.sides[s].health) << where;
    ASSERT_EQ(a.sides[s].experience, b.sides[s].experience) << where;
  }
  ASSERT_EQ(a.flags, b.flags) << where;
  ASSERT_EQ(a.sideToMove, b.sideToMove) << where;
  ASSERT_EQ(a.shuffleSeed, b.shuffleSeed) << where;
  ASSERT_EQ(a.random.State(), b.random.State()) << where;
  ASSERT_EQ(a.undo.size(), b.undo.size()) << where;
  ASSERT_EQ(a.undoTiles, b.undoTiles) << where;
  ASSERT_EQ(a.Hash(), b.Hash()) << where;
}

// Two fighters who know every shipped combination spell and carry
// artifacts, so that random games reach every kind of effect.
struct Fighters {
  YArtifact hourglass, charm;
  Fighters(DuelState& state) {
    hourglass.skip = 3;
    hourglass.damage = 2;
    charm.health = 1;
    charm.elements = {1, 1, 1, 1};
    charm.elements2 = {-1, 0, 0, -1};
    charm.damage2 = -1;
    for (std::size_t s = 0; s < 2; ++s) {
      state.sides[s] = tiles_test::Side(25, 60);
      state.sides[s].health = 400;
      state.sides[s].maxHealth = 500;
      for (const auto& spell : GetTileTables().Spells()) state.sides[s].spells.push_back(spell.get());
    }
    state.sides[0].artifact = &hourglass;
    state.sides[1].artifact = &charm;
  }
};

TEST(DuelStateTest, EveryMoveUndoesExactly) {
  int played = 0;
  for (std::int32_t seed = 1; seed <= 40; ++seed) {
    DuelState state = DealtState(ShippedLayout(seed % 2 ? "standard" : "tide"), seed);
    Fighters fighters(state);
    DuelRandom choice(static_cast<std::uint32_t>(seed));
    std::vector<DuelState> history;
    std::vector<int> free;
    std::vector<DuelPair> pairs;
    for (int turn = 0; turn < 60 && !FindPairs(state, free, pairs) && !pairs.empty(); ++turn) {
      ApplyTurnUpkeep(state);
      FindPairs(state, free, pairs);
      if (pairs.empty()) break;
      // Every pair undoes; then one of them is played on.
      for (const DuelPair& pair : pairs) {
        const DuelState before = state;
        state.PlayPair(pair.a, pair.b, YTile::kSetAside);
        ASSERT_TRUE(state.Undo());
        ExpectSameState(state, before, "seed " + std::to_string(seed));
      }
      const DuelPair& pick = pairs[static_cast<std::size_t>(choice.Below(static_cast<int>(pairs.size())))];
      history.push_back(state);
      state.PlayPair(pick.a, pick.b, YTile::kRemoved);
      ++played;
      if ((state.flags & DuelFlag::kShuffle) != 0) break;  // the battle would shuffle here
      if ((state.flags & DuelFlag::kExtraTurn) == 0) state.sideToMove ^= 1;
      state.flags &= ~DuelFlag::kExtraTurn;
    }
    // The whole game back, move by move.
    while (!history.empty()) {
      ASSERT_TRUE(state.Undo());
      ExpectSameState(state, history.back(), "rewinding seed " + std::to_string(seed));
      history.pop_back();
    }
  }
  EXPECT_GT(played, 600);
}

TEST(DuelStateTest, NoUndoAcrossAShuffle) {
  DuelState state = DealtState(ShippedLayout("standard"), 9);
  std::vector<int> free;
  std::vector<DuelPair> pairs;
  FindPairs(state, free, pairs);
  state.PlayPair(pairs[0].a, pairs[0].b, YTile::kRemoved);
  FindPairs(state, free, pairs);
  state.PlayPair(pairs[0].a, pairs[0].b, YTile::kRemoved);
  ShuffleStep(state, 0);
  const std::uint64_t hash = state.Hash();
  EXPECT_FALSE(state.Undo());
  EXPECT_EQ(state.Hash(), hash);
  EXPECT_EQ(state.undo.size(), 2u);
}

TEST(DuelStateTest, TheSearchCopyKeepsTheLastTwoMoves) {
  DuelState state = DealtState(ShippedLayout("crown"), 4);
  std::vector<int> free;
  std::vector<DuelPair> pairs;
  for (int n = 0; n < 3; ++n) {
    FindPairs(state, free, pairs);
    state.PlayPair(pairs[0].a, pairs[0].b, YTile::kRemoved);
    state.sides[0].health = 90 + n;  // tell the records apart
  }
  DuelState copy = state.SearchCopy();
  ASSERT_EQ(copy.undo.size(), 2u);
  EXPECT_EQ(copy.undo[0].sides[0].health, state.undo[1].sides[0].health);
  EXPECT_EQ(copy.undoTiles.size(), 4u);
  EXPECT_EQ(copy.RecordTiles(copy.undo[1])[0], state.RecordTiles(state.undo[2])[0]);
  EXPECT_EQ(copy.board.LiveCount(), state.board.LiveCount());
  EXPECT_EQ(copy.random.State(), state.random.State());
  // Playing on the copy leaves the battle as it was.
  const std::uint64_t before = state.Hash();
  FindPairs(copy, free, pairs);
  copy.PlayPair(pairs[0].a, pairs[0].b, YTile::kSetAside);
  EXPECT_EQ(state.Hash(), before);
  EXPECT_NE(copy.board.LiveCount(), state.board.LiveCount());
  // The copy undoes its own move and the battle's last two, no more.
  ASSERT_TRUE(copy.Undo());
  ASSERT_TRUE(copy.Undo());
  ASSERT_TRUE(copy.Undo());
  EXPECT_FALSE(copy.Undo());
}

TEST(DuelStateTest, TheHashFollowsEveryRuleChange) {
  const DuelState base = DealtState(ShippedLayout("standard"), 21);
  const std::uint64_t hash = base.Hash();
  const auto changed = [&](auto change) {
    DuelState s = base;
    change(s);
    return s.Hash() != hash;
  };
  EXPECT_TRUE(changed([](DuelState& s) { s.Tile(3).kind += 1; }));
  EXPECT_TRUE(changed([](DuelState& s) { s.Tile(3).state = YTile::kRemoved; }));
  EXPECT_TRUE(changed([](DuelState& s) { s.sides[1].mana[2] += 1; }));
  EXPECT_TRUE(changed([](DuelState& s) { s.sides[0].experience += 1; }));
  EXPECT_TRUE(changed([](DuelState& s) { s.flags = DuelFlag::kFrozen; }));
  EXPECT_TRUE(changed([](DuelState& s) { s.sideToMove = 1; }));
  EXPECT_TRUE(changed([](DuelState& s) { s.shuffleSeed += 1; }));
  EXPECT_TRUE(changed([](DuelState& s) { s.random.Next(); }));
  EXPECT_TRUE(changed([](DuelState& s) { s.PushUndo(0, 1); }));
  EXPECT_FALSE(changed([](DuelState& s) { s.Tile(3).world.m[3][0] += 1.0f; })) << "drawing is not the rules'";
}

}  // namespace
