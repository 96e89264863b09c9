// What a pair does to the fighters: one case per row of the same-kind and
// the combination spell tables, the damage rules, and the artifact upkeep.
// Every element starts at a value of its own on each side, and every
// element's spell kinds cost an amount of their own, so that a spell reading
// or paying from the wrong element changes the numbers. The mover has air
// 21, fire 26, earth 31, water 36 (caps 40, 45, 50, 55) and 50 health (cap
// 80); the other side 13, 17, 11, 19 (caps 30, 32, 28, 38) and 60 health
// (cap 70). Spell kinds cost 3 (air), 4 (fire), 5 (earth) or 6 (water).
// Four further free tiles lie about: earth, fire, water and a plain air
// tile.
#include <gtest/gtest.h>

#include <array>
#include <memory>

#include "players/YArtifact.h"
#include "players/YTileSpell.h"
#include "tests/tiles/TilesTestSupport.h"
#include "tiles/MoveEffects.h"

namespace {

// experience, air, fire, earth, water, health
using Values = std::array<std::int32_t, 6>;

constexpr Values kMover = {0, 21, 26, 31, 36, 50};
constexpr Values kOther = {0, 13, 17, 11, 19, 60};
constexpr std::array<std::int32_t, 4> kSpellCost = {3, 4, 5, 6};

Values ValuesOf(const DuelSide& side) {
  return {side.experience, side.mana[0], side.mana[1], side.mana[2], side.mana[3], side.health};
}

// `changes` lists (index, value) pairs over the start values.
Values With(Values values, std::initializer_list<std::pair<int, std::int32_t>> changes) {
  for (const auto& [index, value] : changes) values[static_cast<std::size_t>(index)] = value;
  return values;
}
enum { kExp, kAir, kFire, kEarth, kWater, kHealth };

struct Move {
  DuelState state;
  std::unique_ptr<YTileSpell> spell;
  bool cast = false;

  Move(std::uint32_t a, std::uint32_t b) : state(tiles_test::SpreadState({a, b, 0x23, 0x14, 0x33, 0x01})) {
    for (DuelKind& kind : state.kinds) {
      if (kind.Class() > DuelKind::kWellClass)
        kind.cost = kSpellCost[static_cast<std::size_t>(kind.Element())];
    }
    state.sides[0] = Fighter(kMover, {40, 45, 50, 55}, 80);
    state.sides[1] = Fighter(kOther, {30, 32, 28, 38}, 70);
  }
  static DuelSide Fighter(const Values& values, std::array<std::int32_t, 4> caps, std::int32_t maxHealth) {
    DuelSide side;
    side.mana = {values[kAir], values[kFire], values[kEarth], values[kWater]};
    side.maxMana = caps;
    side.health = values[kHealth];
    side.maxHealth = maxHealth;
    return side;
  }
  void Learn(std::uint32_t key) {
    spell = std::make_unique<YTileSpell>();
    spell->key = key;
    state.sides[0].spells = {spell.get()};
  }
  Move& Play() {
    cast = state.PlayPair(0, 1, YTile::kRemoved);
    return *this;
  }
  int Taken() const { return static_cast<int>(state.undo.back().tileCount) - 2; }
};

struct Row {
  std::uint32_t a, b;
  Values mover, other;
  std::uint32_t flags;
  int taken;
};

void CheckRow(const Row& row, Move& move) {
  const std::string where = "tiles " + std::to_string(row.a) + " " + std::to_string(row.b);
  EXPECT_TRUE(move.cast) << where;
  EXPECT_EQ(ValuesOf(move.state.sides[0]), row.mover) << where;
  EXPECT_EQ(ValuesOf(move.state.sides[1]), row.other) << where;
  EXPECT_EQ(move.state.flags, row.flags) << where;
  EXPECT_EQ(move.Taken(), row.taken) << where;
}

TEST(MoveEffectsTest, SameKindSpells) {
  const Values p = kMover, o = kOther;
  const std::vector<Row> rows = {
      {0x03, 0x03, With(p, {{kAir, 18}}), With(o, {{kHealth, 48}}), 0, 0},
      {0x04, 0x04, With(p, {{kAir, 18}, {kHealth, 60}}), With(o, {{kHealth, 50}}), 0, 0},
      {0x05, 0x05, With(p, {{kAir, 0}}), With(o, {{kHealth, 39}}), 0, 0},
      {0x06, 0x06, With(p, {{kAir, 18}}), With(o, {{kHealth, 55}}), DuelFlag::kShuffle, 0},
      {0x07, 0x07, With(p, {{kAir, 18}}), {0, 6, 8, 5, 9, 60}, 0, 0},
      {0x08, 0x08, With(p, {{kAir, 22}}), o, 0, 4},
      {0x09, 0x09, With(p, {{kAir, 0}}), With(o, {{kAir, 0}}), 0, 0},
      {0x0A, 0x0A, With(p, {{kAir, 36}, {kHealth, 45}}), o, 0, 0},
      {0x13, 0x13, With(p, {{kFire, 23}}), o, 0, 1},
      {0x14, 0x14, With(p, {{kFire, 22}}), With(o, {{kHealth, 50}}), 0, 0},
      {0x15, 0x15, With(p, {{kFire, 22}}), With(o, {{kFire, 32}, {kHealth, 47}}), 0, 0},
      {0x16, 0x16, With(p, {{kFire, 0}}), With(o, {{kFire, 32}, {kHealth, 34}}), 0, 0},
      {0x17, 0x17, With(p, {{kFire, 22}}), o, DuelFlag::kBurning, 0},
      {0x18, 0x18, With(p, {{kFire, 22}}), With(o, {{kFire, 8}}), 0, 0},
      {0x1A, 0x1A, With(p, {{kFire, 36}, {kWater, 26}}), o, 0, 0},
      {0x1B, 0x1B, With(p, {{kFire, 22}}), With(o, {{kEarth, 0}, {kWater, 0}}), 0, 0},
      {0x23, 0x23, With(p, {{kEarth, 26}, {kHealth, 60}}), o, 0, 0},
      {0x24, 0x24, With(p, {{kEarth, 26}, {kHealth, 59}}), o, 0, 0},
      {0x25, 0x25, {0, 28, 33, 26, 43, 50}, o, 0, 0},
      {0x26, 0x26, With(p, {{kEarth, 26}}), With(o, {{kHealth, 45}}), 0, 0},
      {0x27, 0x27, With(p, {{kEarth, 26}, {kHealth, 57}}), With(o, {{kHealth, 67}}), 0, 0},
      {0x28, 0x28, With(p, {{kEarth, 41}}), With(o, {{kHealth, 65}}), DuelFlag::kShield, 0},
      {0x29, 0x29, With(p, {{kEarth, 26}}), o, DuelFlag::kShield, 0},
      {0x2A, 0x2A, {0, 14, 19, 47, 29, 50}, o, 0, 0},
      {0x33, 0x33, With(p, {{kWater, 30}, {kHealth, 38}}), With(o, {{kHealth, 54}}), 0, 0},
      {0x34, 0x34, With(p, {{kWater, 30}, {kHealth, 57}}), o, 0, 0},
      {0x35, 0x35, With(p, {{kWater, 46}, {kHealth, 47}}), o, 0, 0},
      {0x36, 0x36, With(p, {{kWater, 30}}), With(o, {{kHealth, 50}}), 0, 0},
      {0x37, 0x37, With(p, {{kWater, 30}}), o, DuelFlag::kFrozen, 0},
      {0x38, 0x38, With(p, {{kWater, 30}, {kHealth, 38}}), With(o, {{kHealth, 48}}), 0, 0},
      {0x39, 0x39, With(p, {{kWater, 30}, {kHealth, 38}}), {0, 10, 13, 9, 15, 45}, 0, 0},
      {0x3A, 0x3A, With(p, {{kWater, 30}}), o, DuelFlag::kReflect, 0},
      {0x3B, 0x3B, With(p, {{kWater, 30}}), With(o, {{kHealth, 50}}), 0, 0},
  };
  for (const Row& row : rows) {
    Move move(row.a, row.b);
    CheckRow(row, move.Play());
  }
}

TEST(MoveEffectsTest, VengeanceStrikesBackTwiceTheHealthLost) {
  Move move(0x19, 0x19);
  move.state.sideToMove = 1;
  move.state.PushUndo(4, 5);  // the other side's last move, taken at 58
  move.state.undo.back().sides[0].health = 58;
  move.state.sideToMove = 0;
  move.Play();
  EXPECT_EQ(ValuesOf(move.state.sides[1]), With(kOther, {{kHealth, 44}}));
}

TEST(MoveEffectsTest, CurseGivesAnotherTurnWhenTheMoverHasLessFire) {
  Move move(0x18, 0x18);
  move.state.sides[1].mana[1] = 50;
  move.state.sides[1].maxMana[1] = 50;
  move.Play();
  EXPECT_EQ(move.state.sides[1].mana[1], 25);
  EXPECT_EQ(move.state.flags, DuelFlag::kExtraTurn);
}

TEST(MoveEffectsTest, CombinationSpells) {
  const Values p = kMover, o = kOther;
  const std::vector<Row> rows = {
      {0x03, 0x15, With(p, {{kAir, 18}, {kFire, 22}}), With(o, {{kHealth, 46}}), 0, 0},
      {0x04, 0x23, With(p, {{kAir, 18}, {kEarth, 26}, {kHealth, 58}}), With(o, {{kHealth, 52}}), 0, 0},
      {0x05, 0x09, With(p, {{kAir, 0}}), With(o, {{kAir, 0}, {kHealth, 43}}), 0, 0},
      {0x05, 0x1A, {0, 0, 0, 0, 0, 50}, With(o, {{kHealth, 37}}), 0, 0},
      {0x07, 0x25, With(p, {{kAir, 24}, {kFire, 34}, {kWater, 45}}), {0, 7, 9, 6, 10, 60}, 0, 0},
      {0x07, 0x3A, {0, 0, 0, 0, 0, 50}, {0, 0, 0, 0, 0, 60}, 0, 0},
      {0x08, 0x18, With(p, {{kAir, 14}, {kFire, 18}, {kHealth, 38}}), With(o, {{kEarth, 0}, {kHealth, 41}}),
       DuelFlag::kFrozen, 4},
      {0x09, 0x33, With(p, {{kAir, 18}, {kWater, 30}}), With(o, {{kWater, 0}}), 0, 0},
      {0x13, 0x0A, With(p, {{kAir, 18}, {kFire, 22}}), With(o, {{kHealth, 59}}), 0, 1},
      {0x13, 0x26, With(p, {{kFire, 23}, {kEarth, 26}}), With(o, {{kHealth, 59}}), 0, 1},
      {0x14, 0x36, With(p, {{kFire, 22}, {kWater, 30}}), With(o, {{kHealth, 38}}), 0, 0},
      {0x15, 0x1A, With(p, {{kFire, 18}}), With(o, {{kHealth, 42}}), 0, 0},
      {0x16, 0x3B, With(p, {{kFire, 22}, {kWater, 0}}), With(o, {{kWater, 0}, {kHealth, 34}}), 0, 0},
      {0x17, 0x37, With(p, {{kFire, 22}, {kWater, 30}}), o, DuelFlag::kBurning | DuelFlag::kFrozen, 0},
      {0x19, 0x29, With(p, {{kFire, 22}, {kEarth, 26}}), With(o, {{kHealth, 53}}), 0, 0},
      {0x1B, 0x03, With(p, {{kAir, 18}, {kFire, 22}}), {0, 8, 12, 6, 14, 47}, 0, 0},
      {0x1B, 0x33, With(p, {{kFire, 22}, {kWater, 30}}), With(o, {{kHealth, 50}}), 0, 0},
      {0x24, 0x34, With(p, {{kEarth, 26}, {kWater, 30}, {kHealth, 60}}), o, 0, 0},
      {0x26, 0x14, With(p, {{kFire, 22}, {kEarth, 26}}), With(o, {{kHealth, 49}}), 0, 0},
      {0x27, 0x35, With(p, {{kEarth, 26}, {kWater, 40}, {kHealth, 65}}), o, 0, 0},
      {0x28, 0x2A, {0, 24, 29, 24, 39, 50}, o, 0, 0},
      {0x34, 0x18, With(p, {{kFire, 22}, {kWater, 0}}), With(o, {{kHealth, 48}}), 0, 0},
      {0x35, 0x0A, {0, 31, 36, 41, 46, 37}, o, 0, 0},
      {0x38, 0x27, With(p, {{kEarth, 26}, {kWater, 30}, {kHealth, 35}}), With(o, {{kHealth, 48}}), 0, 0},
      {0x39, 0x37, With(p, {{kWater, 30}, {kHealth, 38}}), With(o, {{kEarth, 0}, {kHealth, 45}}),
       DuelFlag::kFrozen, 0},
  };
  for (const Row& row : rows) {
    Move move(row.a, row.b);
    move.Learn((row.a << 8) | row.b);
    CheckRow(row, move.Play());
  }
}

TEST(MoveEffectsTest, ASpellMatchesEitherOrderOfItsKinds) {
  Move forward(0x15, 0x03);  // the pair taken fire first
  forward.Learn(0x0315);
  forward.Play();
  EXPECT_EQ(ValuesOf(forward.state.sides[1]), With(kOther, {{kHealth, 46}}));
  Move stored(0x03, 0x15);  // the spell stored fire first
  stored.Learn(0x1503);
  stored.Play();
  EXPECT_EQ(ValuesOf(stored.state.sides[1]), With(kOther, {{kHealth, 46}}));
}

TEST(MoveEffectsTest, ChaosSwapsValuesWithTheBattlesGenerator) {
  Move move(0x06, 0x3A);
  move.Learn(0x063A);
  move.state.sides[0].mana = {5, 6, 7, 8};
  move.state.sides[1].mana = {21, 22, 23, 24};
  move.state.sides[1].maxMana = {22, 22, 22, 22};
  move.state.shuffleSeed = 4242;
  move.state.random.Seed(1);
  // What the swaps must be: drawn from the shuffle seed, after the next seed.
  DuelRandom draws(4242);
  const std::int32_t nextSeed = draws.Next();
  std::array<std::int32_t, 4> p = {2, 6, 7, 2}, o = {21, 22, 23, 24};  // after the spend
  for (int n = 0; n < 5; ++n) {
    const int i = draws.Below(4), j = draws.Below(4);
    std::swap(p[static_cast<std::size_t>(i)], o[static_cast<std::size_t>(j)]);
  }
  for (std::size_t e = 0; e < 4; ++e) o[e] = std::min(o[e], 22);
  move.Play();
  EXPECT_EQ(move.state.sides[0].mana, p);
  EXPECT_EQ(move.state.sides[1].mana, o);
  EXPECT_EQ(move.state.shuffleSeed, nextSeed);
  EXPECT_EQ(move.state.random.State(), draws.State());
  ASSERT_TRUE(move.state.Undo());
  EXPECT_EQ(move.state.shuffleSeed, 4242);
  EXPECT_EQ(move.state.random.State(), 1u);
}

TEST(MoveEffectsTest, PlainPairsAndWells) {
  Move plain(0x01, 0x31);
  plain.state.sides[0].mana[0] = 40;
  plain.Play();
  EXPECT_EQ(ValuesOf(plain.state.sides[0]), (Values{3 + 2, 40, 26, 31, 37, 50}));
  Move wells(0x12, 0x32);
  wells.Play();
  EXPECT_EQ(ValuesOf(wells.state.sides[0]), (Values{0, 21, 45, 31, 55, 50}));
  EXPECT_EQ(PlainPairGold(DuelKind::kAir) + PlainPairGold(DuelKind::kEarth), 15);
}

TEST(MoveEffectsTest, DamageRules) {
  YArtifact sharp, dulled, armour;
  armour.damage2 = -10;
  sharp.damage = 2;   // the mover's blows
  sharp.damage2 = 1;  // and the blows it takes
  dulled.damage = 3;
  dulled.damage2 = -5;
  struct Case {
    const char* what;
    std::uint32_t a, b, flagsBefore;
    const YArtifact *moverArtifact, *otherArtifact;
    std::int32_t otherHealthBefore;
    std::int32_t moverHealth, otherHealth;
  };
  const std::vector<Case> cases = {
      {"plain hit", 0x14, 0x14, 0, nullptr, nullptr, 60, 50, 50},
      {"shielded", 0x14, 0x14, DuelFlag::kShield, nullptr, nullptr, 60, 50, 60},
      {"reflected", 0x14, 0x14, DuelFlag::kReflect, nullptr, nullptr, 60, 40, 50},
      {"burning tiles hurt the taker", 0x14, 0x14, DuelFlag::kBurning, nullptr, nullptr, 60, 40, 50},
      {"artifacts", 0x14, 0x14, DuelFlag::kBurning, &sharp, &dulled, 60, 36, 53},
      {"no more than the health left", 0x05, 0x05, 0, nullptr, nullptr, 7, 50, 0},
      {"below 1 is nothing", 0x14, 0x14, 0, nullptr, &armour, 60, 50, 60},
  };
  for (const Case& c : cases) {
    Move move(c.a, c.b);
    move.state.flags = c.flagsBefore;
    move.state.sides[0].artifact = c.moverArtifact;
    move.state.sides[1].artifact = c.otherArtifact;
    move.state.sides[1].health = c.otherHealthBefore;
    move.Play();
    EXPECT_EQ(move.state.sides[0].health, c.moverHealth) << c.what;
    EXPECT_EQ(move.state.sides[1].health, c.otherHealth) << c.what;
  }
}

TEST(MoveEffectsTest, OnlyScorchingBoltIgnoresTheShield) {
  Move move(0x19, 0x29);
  move.Learn(0x1929);
  move.state.flags = DuelFlag::kShield;
  move.Play();
  EXPECT_EQ(move.state.sides[1].health, 53);
  EXPECT_EQ(move.state.flags, 0u);
}

TEST(MoveEffectsTest, MovesThatCastNothing) {
  Move dead(0x14, 0x14);
  dead.state.sides[0].health = 0;
  dead.state.flags = DuelFlag::kBurning | DuelFlag::kShield;
  dead.Play();
  EXPECT_FALSE(dead.cast);
  EXPECT_EQ(dead.state.flags, 0u);
  EXPECT_EQ(ValuesOf(dead.state.sides[1]), kOther);

  Move poor(0x03, 0x15);  // fire 3 of the 4 its kind costs: 1 air and no cast
  poor.Learn(0x0315);
  poor.state.sides[0].mana[1] = 3;
  poor.state.flags = DuelFlag::kBurning;
  poor.Play();
  EXPECT_FALSE(poor.cast);
  EXPECT_EQ(ValuesOf(poor.state.sides[0]), (Values{0, 22, 3, 31, 36, 45}));
  EXPECT_EQ(ValuesOf(poor.state.sides[1]), kOther);
  EXPECT_EQ(poor.state.flags, 0u);

  Move stranger(0x03, 0x15);  // two kinds without a spell: nothing at all
  stranger.state.flags = DuelFlag::kFrozen;
  stranger.Play();
  EXPECT_FALSE(stranger.cast);
  EXPECT_EQ(stranger.state.flags, DuelFlag::kFrozen);
  EXPECT_EQ(ValuesOf(stranger.state.sides[0]), kMover);
}

TEST(MoveEffectsTest, UpkeepOfTheSideToMove) {
  YArtifact charm;
  charm.health = 5;
  charm.elements = {3, -30, 0, 100};
  charm.elements2 = {-100, 2, 0, 40};
  DuelState state = tiles_test::SpreadState({0x01, 0x01});
  state.sides[0] = tiles_test::Side(20, 40);
  state.sides[0].health = 78;
  state.sides[0].maxHealth = 80;
  state.sides[0].artifact = &charm;
  state.sides[1] = tiles_test::Side(12, 30);
  ApplyTurnUpkeep(state);
  EXPECT_EQ(ValuesOf(state.sides[0]), (Values{0, 23, 0, 20, 40, 80}));
  EXPECT_EQ(ValuesOf(state.sides[1]), (Values{0, 0, 14, 12, 30, 12}));
  EXPECT_EQ(state.flags, 0u);

  state.sides[0].health = 3;
  charm.health = -3;
  ApplyTurnUpkeep(state);
  EXPECT_EQ(state.sides[0].health, 0);
  const Values dead = ValuesOf(state.sides[0]);
  ApplyTurnUpkeep(state);
  EXPECT_EQ(ValuesOf(state.sides[0]), dead) << "no upkeep for the fallen";
}

// The opponent's hourglass costs the side to move its turn, never the
// bearer its own.
TEST(MoveEffectsTest, UpkeepSkipComesFromTheOtherSidesArtifact) {
  YArtifact hourglass;
  hourglass.skip = 1;
  DuelState state = tiles_test::SpreadState({0x01, 0x01});
  state.sides[0] = tiles_test::Side(20, 40);
  state.sides[1] = tiles_test::Side(20, 40);
  state.sides[0].artifact = &hourglass;
  const std::uint32_t before = state.random.State();
  ApplyTurnUpkeep(state);
  EXPECT_EQ(state.flags, 0u);
  EXPECT_EQ(state.random.State(), before) << "no draw without a skip chance";
  state.sideToMove = 1;
  ApplyTurnUpkeep(state);
  EXPECT_EQ(state.flags, DuelFlag::kExtraTurn);
  EXPECT_NE(state.random.State(), before);
  hourglass.skip = 1000;
  state.flags = 0;
  int skipped = 0;
  for (int turn = 0; turn < 10000; ++turn) {
    ApplyTurnUpkeep(state);
    skipped += state.flags == DuelFlag::kExtraTurn;
    state.flags = 0;
  }
  EXPECT_GT(skipped, 3);
  EXPECT_LT(skipped, 30);
}

}  // namespace
