// Monster records: creation at a level held to the type's, seeded values,
// each level's artifact and spells, level-ups, copies, unknown ids.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <numeric>
#include <tuple>

#include "platform/Random.h"
#include "players/PlayerRules.h"
#include "players/TileTables.h"
#include "players/YArtifactLoader.h"
#include "players/YMonsterType.h"
#include "players/YPlayerMonster.h"
#include "render/YTextureBase.h"
#include "tests/framework/LogCapture.h"
#include "tests/players/PlayersFixture.h"

namespace {

using MonsterTest = PlayersTest;

int AbsoluteLevel(const YPlayerMonster& monster) {
  return FindMonsterType(monster.typeId)->startLevel + monster.level;
}

int ManaSum(const YPlayer& record) {
  return std::accumulate(record.baseMana.begin(), record.baseMana.end(), 0);
}

TEST_F(MonsterTest, WantedLevelsAreHeldToTheTypesLevels) {
  const struct {
    const char* id;
    int wanted, level;
  } cases[] = {{"golem", 9, 5}, {"golem", 0, 1}, {"golem", 3, 3},
               {"imp", -4, 0},  {"wyrm", 2, 3},  {"wyrm", 30, 30}};
  for (const auto& c : cases) {
    for (std::uint32_t seed = 1; seed < 40; ++seed) {
      platform::SeedRandom(seed);
      YPlayerMonster monster(c.id, c.wanted, 1.0f);
      const YMonsterType& type = *FindMonsterType(c.id);
      ASSERT_EQ(AbsoluteLevel(monster), c.level) << c.id << " " << c.wanted << " seed " << seed;
      // Experience lies within the level, counted from the start level.
      const auto total = ExperienceForLevel(type.startLevel) + monster.experience;
      EXPECT_GE(total, ExperienceForLevel(c.level));
      EXPECT_LT(total, ExperienceForLevel(c.level + 1));
      // Every point of the levels above the start went into the elements,
      // or what is left is too little for any element.
      const int spentCosts = 5 * (c.level - type.startLevel) - monster.points;
      EXPECT_GE(spentCosts,
                ManaSum(monster) - (type.start[0] + type.start[1] + type.start[2] + type.start[3]));
      EXPECT_TRUE(monster.health == monster.baseHealth && monster.mana == monster.baseMana);
    }
  }
}

TEST_F(MonsterTest, SeededCreationRepeatsExactly) {
  platform::SeedRandom(7);
  YPlayerMonster first("wyrm", 12, 1.0f);
  platform::SeedRandom(7);
  YPlayerMonster second("wyrm", 12, 1.0f);
  EXPECT_TRUE(first.experience == second.experience && first.baseMana == second.baseMana);
  // The first draw picks the experience: 41 with seed 1.
  platform::SeedRandom(1);
  YPlayerMonster imp("imp", 1, 1.0f);
  EXPECT_EQ(imp.experience, 40 + 41 % 50);
}

TEST_F(MonsterTest, HealthFollowsStrengthAndLevel) {
  YPlayerMonster imp("imp");
  imp.Init(0, 0, false, 1.0f);
  EXPECT_EQ(imp.baseHealth, 60);
  imp.Init(0, 0, false, 2.0f);
  EXPECT_EQ(imp.baseHealth, 110) << "50 - 2 x 50 is -50, so health rises by 50";
  imp.Init(0, 0, false, 0.5f);
  EXPECT_EQ(imp.baseHealth, 35);
  imp.Init(static_cast<std::int32_t>(ExperienceForLevel(8)), 0, false, 1.0f);
  EXPECT_EQ(imp.level, 8);
  EXPECT_EQ(imp.baseHealth, 64) << "2 x 8 / 4";
  YPlayerMonster lord("lord");  // no skill data: health divisor 0
  lord.Init(static_cast<std::int32_t>(ExperienceForLevel(9)), 0, false, 1.0f);
  EXPECT_EQ(lord.baseHealth, 200);
}

TEST_F(MonsterTest, SetupForLevelTakesTheLastArtifactAndEachSpellOnce) {
  YPlayerMonster imp("imp");
  const struct {
    int level;
    const char* artifact;
    std::vector<std::uint32_t> spells;
  } cases[] = {
      {0, nullptr, {0x0315}},
      {3, "ring", {0x0315, 0x1b33}},
      {4, "amulet", {0x0315, 0x1b33, 0x0423}},  // 0x1503 is 0x0315 again
      {99, "amulet", {0x0315, 0x1b33, 0x0423}},
  };
  for (const auto& c : cases) {
    imp.SetupForLevel(c.level);
    EXPECT_EQ(imp.artifact, c.artifact ? YArtifactLoader::FindArtifact(c.artifact) : nullptr) << c.level;
    std::vector<std::uint32_t> keys;
    for (const YTileSpell* spell : imp.spells) keys.push_back(spell->key);
    EXPECT_EQ(keys, c.spells) << c.level;
  }
}

TEST_F(MonsterTest, LevelUpsAddPointsHealthAndSpells) {
  YPlayerMonster golem("golem");
  golem.Init(0, 0, false, 1.0f);
  ASSERT_EQ(golem.level, 0);
  const int health = golem.baseHealth;
  golem.experience = static_cast<std::int32_t>(ExperienceForLevel(4) - ExperienceForLevel(1));
  platform::SeedRandom(3);
  ASSERT_TRUE(golem.UpdateLevel());
  EXPECT_EQ(golem.level, 3);
  // Levels 2, 3, 4 with divisor 2: +1 at 2 and 4 (k mod 2), +1 at 3 ((1 + k) mod 2).
  EXPECT_EQ(golem.baseHealth, health + 3);
  EXPECT_LT(golem.points, 3) << "15 points spent while any element was affordable";
  EXPECT_FALSE(golem.UpdateLevel());

  golem.experience = INT32_MAX;
  ASSERT_TRUE(golem.UpdateLevel());
  EXPECT_EQ(golem.level, 4) << "held at the type's maximum level 5";

  YPlayerMonster dead("imp");
  dead.Init(0, 0, false, 1.0f);
  dead.health = 0;
  dead.experience = 100000;
  EXPECT_FALSE(dead.UpdateLevel());
  EXPECT_EQ(dead.level, 0);
}

TEST_F(MonsterTest, ExperienceValueUsesHealthAndLevel) {
  YPlayerMonster wyrm("wyrm");
  wyrm.Init(0, 0, false, 1.0f);  // absolute level 3, health 90
  // a = (90 - 50) / 2 = 20; b = 3 + 0 - 1 = 2; k = 1: (90 - 40) / 4.
  EXPECT_EQ(wyrm.ExperienceValue(), 12);
  wyrm.baseHealth = 54;  // a = 2, k = 1
  EXPECT_EQ(wyrm.ExperienceValue(), 12);
  wyrm.baseHealth = 10;  // a negative: k = 0, (40 - 0) / 4
  EXPECT_EQ(wyrm.ExperienceValue(), 10);
}

TEST_F(MonsterTest, CloneKeepsValuesArtifactAndSpells) {
  platform::SeedRandom(11);
  YPlayerMonster imp("imp", 4, 1.0f);
  imp.maxValues = {1, 2, 3, 4, 5, 6};
  auto copy = CloneMonster(imp);
  ASSERT_FALSE(imp.spells.empty() || imp.artifact == nullptr);
  EXPECT_EQ(std::tuple(copy->typeId, copy->spells, copy->artifact, copy->maxValues, copy->baseMana,
                       copy->experience, copy->level),
            std::tuple(imp.typeId, imp.spells, imp.artifact, imp.maxValues, imp.baseMana, imp.experience,
                       imp.level));
}

TEST_F(MonsterTest, UnknownIdsAreLoggedAndLeftOut) {
  LogCapture log;
  EXPECT_EQ(YPlayerMonster::MakeAtLevel("ghost", 3, 1.0f), nullptr);
  EXPECT_EQ(YPlayerMonster::MakeOfType("ghost"), nullptr);
  EXPECT_NE(YPlayerMonster::MakeOfType("imp"), nullptr);
  YPlayerMonster ghost("ghost", 3, 1.0f);  // built anyway: values stay zero, nothing ends
  EXPECT_FALSE(ghost.UpdateLevel());
  EXPECT_EQ(ghost.ExperienceValue(), 0);
  EXPECT_EQ(ghost.GetFace(), nullptr);
  const auto lines = log.Lines();
  EXPECT_GE(std::count(lines.begin(), lines.end(), "Unknown monster id: ghost"), 3);
}

TEST_F(MonsterTest, NegativeStartLevelsAndHugeLevelsStayDefined) {
  YMonsterType* odd = FindOrAddMonsterType("odd");
  odd->startLevel = -3;
  odd->maxLevel = -1;
  odd->start = {1, 1, 1, 1, 10};
  odd->skill = {1, 1, 1, 1, 1};
  YPlayerMonster low("odd", -10, 1.0f);  // level -1 has no experience span
  EXPECT_EQ(low.baseHealth, 16) << "level 0 is 3 above the start level -3";
  odd->startLevel = 3;
  odd->maxLevel = 0;  // a top below the start: monsters stay at the start level
  YPlayerMonster capped("odd", 0, 1.0f);
  EXPECT_EQ(std::make_tuple(capped.level, capped.points), std::make_tuple(0, 0));
  EXPECT_GE(capped.experience, 0);
  odd->startLevel = 2'000'000'000;
  odd->maxLevel = 2'100'000'000;
  YPlayerMonster high("odd", 2'050'000'000, 1.0f);  // ends; values are whatever the levels give
  high.experience = INT32_MAX;
  high.health = 1;
  high.UpdateLevel();
}

}  // namespace
