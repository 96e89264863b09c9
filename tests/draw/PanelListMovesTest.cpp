// The panel's spell and artifact moves: each click pattern as a table, and
// random click sequences that never lose, duplicate or overfill anything.
#include "draw/PanelListMoves.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>

#include "platform/Random.h"
#include "players/YArtifact.h"
#include "players/YTileSpell.h"

namespace {

using namespace panel;

std::array<YTileSpell, 16> g_spells;
std::array<YArtifact, 16> g_artifacts;

// Lists from indices into the arrays above.
SpellList Spells(std::initializer_list<int> ids) {
  SpellList list;
  for (int id : ids) list.push_back(&g_spells[static_cast<std::size_t>(id)]);
  return list;
}
ArtifactList Artifacts(std::initializer_list<int> ids) {
  ArtifactList list;
  for (int id : ids) list.push_back(&g_artifacts[static_cast<std::size_t>(id)]);
  return list;
}
const YArtifact* A(int id) { return id < 0 ? nullptr : &g_artifacts[static_cast<std::size_t>(id)]; }

TEST(PanelListMoves, SpellClicksSwapAppendAndKeepFiveActive) {
  struct Case {
    const char* what;
    SpellList active, spare;
    int from, to, row;
    MoveResult result;
    SpellList activeAfter, spareAfter;
  };
  const Case cases[] = {
      {"swap in the column", Spells({0, 1, 2}), Spells({}), 0, 2, 0, MoveResult::kSwapped, Spells({2, 1, 0}), Spells({})},
      {"active onto a spare", Spells({0}), Spells({5, 6}), 0, 6, 0, MoveResult::kSwapped, Spells({6}), Spells({5, 0})},
      {"spare past the column's end", Spells({0}), Spells({5, 6}), 5, 3, 0, MoveResult::kMoved, Spells({0, 5}),
       Spells({6})},
      {"active past the grid's end", Spells({0, 1}), Spells({5}), 1, 9, 0, MoveResult::kMoved, Spells({0}), Spells({5, 1})},
      {"scrolled grid entry", Spells({0}), Spells({5, 6, 7, 8, 9}), 5, 0, 2, MoveResult::kSwapped, Spells({9}),
       Spells({5, 6, 7, 8, 0})},
      {"empty slot selected", Spells({0}), Spells({5}), 3, 0, 0, MoveResult::kNone, Spells({0}), Spells({5})},
      {"no hovered slot", Spells({0}), Spells({5}), 0, -1, 0, MoveResult::kNone, Spells({0}), Spells({5})},
  };
  for (const Case& c : cases) {
    SpellList active = c.active, spare = c.spare;
    EXPECT_EQ(MoveSpell(active, spare, c.from, c.to, c.row), c.result) << c.what;
    EXPECT_EQ(active, c.activeAfter) << c.what;
    EXPECT_EQ(spare, c.spareAfter) << c.what;
  }
  // Select and unselect: only a spare spell to the column while it has room.
  SpellList active = Spells({0, 1, 2, 3}), spare = Spells({5, 6});
  EXPECT_FALSE(SelectSpell(active, spare, 0, 0));
  EXPECT_TRUE(SelectSpell(active, spare, 6, 0));
  EXPECT_FALSE(SelectSpell(active, spare, 5, 0));  // five active now
  EXPECT_EQ(active, Spells({0, 1, 2, 3, 6}));
  EXPECT_FALSE(UnselectSpell(active, spare, 5));
  EXPECT_TRUE(UnselectSpell(active, spare, 1));
  EXPECT_EQ(active, Spells({0, 2, 3, 6}));
  EXPECT_EQ(spare, Spells({5, 1}));
}

TEST(PanelListMoves, EveryCombinationOfTheArtifactInUseAndGridSlots) {
  struct Case {
    const char* what;
    int current;
    ArtifactList carried;
    int from, to;
    MoveResult result;
    int currentAfter;
    ArtifactList carriedAfter;
  };
  const Case cases[] = {
      {"grid onto grid", 0, Artifacts({1, 2, 3}), 5, 7, MoveResult::kSwapped, 0, Artifacts({3, 2, 1})},
      {"grid past the end", 0, Artifacts({1, 2, 3}), 5, 12, MoveResult::kSwapped, 0, Artifacts({2, 3, 1})},
      {"in use onto grid", 0, Artifacts({1, 2}), 0, 6, MoveResult::kSwapped, 2, Artifacts({1, 0})},
      {"in use past the end", 0, Artifacts({1}), 0, 9, MoveResult::kMoved, -1, Artifacts({1, 0})},
      {"grid onto the one in use", 0, Artifacts({1, 2}), 6, 0, MoveResult::kSwapped, 2, Artifacts({1, 0})},
      {"grid onto an empty slot 0", -1, Artifacts({1, 2}), 5, 0, MoveResult::kMoved, 1, Artifacts({2})},
      {"in use onto itself", 0, Artifacts({1}), 0, 0, MoveResult::kNone, 0, Artifacts({1})},
      {"grid onto column slot 2", 0, Artifacts({1}), 5, 2, MoveResult::kNone, 0, Artifacts({1})},
      {"nothing in use selected", -1, Artifacts({1}), 0, 5, MoveResult::kNone, -1, Artifacts({1})},
      {"empty grid slot selected", 0, Artifacts({1}), 8, 5, MoveResult::kNone, 0, Artifacts({1})},
  };
  for (const Case& c : cases) {
    const YArtifact* current = A(c.current);
    ArtifactList carried = c.carried;
    EXPECT_EQ(MoveArtifact(current, carried, c.from, c.to, 0), c.result) << c.what;
    EXPECT_EQ(current, A(c.currentAfter)) << c.what;
    EXPECT_EQ(carried, c.carriedAfter) << c.what;
  }
  const YArtifact* current = A(0);
  ArtifactList carried = Artifacts({1, 2});
  EXPECT_TRUE(SelectArtifact(current, carried, 5, 0));  // the one in use goes to the end
  EXPECT_TRUE(UnselectArtifact(current, carried));
  EXPECT_FALSE(UnselectArtifact(current, carried));
  EXPECT_EQ(carried, Artifacts({2, 0, 1}));
}

// Any sequence of moves and button presses on any slot and scroll row keeps
// every spell and artifact exactly once and never more than five active.
TEST(PanelListMoves, RandomClicksNeverLoseDuplicateOrOverfill) {
  platform::SeedRandom(7);
  const auto pick = [](int n) { return platform::Random() % n; };
  for (int round = 0; round < 200; ++round) {
    SpellList active = Spells({0, 1, 2}), spare = Spells({3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13});
    const YArtifact* current = A(0);
    ArtifactList carried = Artifacts({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11});
    for (int step = 0; step < 60; ++step) {
      const int a = pick(17) - 1, b = pick(17) - 1, row = pick(5);
      switch (pick(6)) {
        case 0: MoveSpell(active, spare, a, b, row); break;
        case 1: SelectSpell(active, spare, a, row); break;
        case 2: UnselectSpell(active, spare, a); break;
        case 3: MoveArtifact(current, carried, a, b, row); break;
        case 4: SelectArtifact(current, carried, a, row); break;
        default: UnselectArtifact(current, carried); break;
      }
      ASSERT_LE(active.size(), kMaxActiveSpells);
      std::set<const void*> spells(active.begin(), active.end()), artifacts(carried.begin(), carried.end());
      spells.insert(spare.begin(), spare.end());
      artifacts.insert(current);  // null when none is in use: one more then
      ASSERT_EQ(spells.size(), 14u);
      ASSERT_EQ(active.size() + spare.size(), 14u);
      ASSERT_EQ(artifacts.size(), 12u + (current == nullptr ? 1 : 0));
      ASSERT_EQ(carried.size() + (current != nullptr ? 1 : 0), 12u);
    }
  }
}

}  // namespace
