// Hero records: level thresholds, the army order, buying and selling, prices,
// learning spells and artifacts, and heroes made from the catalogue.
#include <gtest/gtest.h>

#include <memory>
#include <tuple>

#include "players/PlayerRules.h"
#include "players/TileTables.h"
#include "players/YArtifactLoader.h"
#include "players/YPlayerHero.h"
#include "players/YPlayerMonster.h"
#include "render/YTextureBase.h"
#include "tests/players/PlayersFixture.h"

namespace {

using HeroTest = PlayersTest;

std::unique_ptr<YPlayerMonster> Unit(int health, int air = 0) {
  auto unit = std::make_unique<YPlayerMonster>("imp");
  unit->baseHealth = health;
  unit->health = health;
  unit->baseMana = {air, 0, 0, 0};
  unit->moveKind = 0;
  unit->way = 0;
  unit->distance = 0;
  return unit;
}

TEST(ExperienceForLevel, ThresholdsAndTheirInverse) {
  EXPECT_EQ(std::tuple(ExperienceForLevel(-5), ExperienceForLevel(0), ExperienceForLevel(1), ExperienceForLevel(4)),
            std::tuple(0, 0, 40, 250));
  // Far levels stay exact in 64 bits instead of wrapping.
  EXPECT_EQ(ExperienceForLevel(100000), 100'002'000'010LL);
  for (int level = 1; level < 2000; ++level) {
    EXPECT_EQ(HeroLevelForExperience(ExperienceForLevel(level)), level) << level;
    EXPECT_EQ(HeroLevelForExperience(ExperienceForLevel(level) - 1), level - 1) << level;
  }
  EXPECT_EQ(HeroLevelForExperience(-100), 0);
  EXPECT_EQ(HeroLevelForExperience(INT32_MAX), kMaxLevel + 1);
}

TEST(HeroLevels, UpdateLevelFromExperience) {
  struct Case {
    int experience, divisor, level, points, healthGain;
    bool changed;
  };
  const Case cases[] = {
      {39, 1, 0, 0, 0, false},  {40, 1, 1, 5, 2, true},   {40, 2, 1, 5, 1, true},
      {40, 3, 1, 5, 0, true},   {250, 1, 4, 20, 8, true}, {250, 0, 4, 20, 0, true},
      {-10, 1, 0, 0, 0, false}, {INT32_MAX, 1, kMaxLevel + 1, 5 * (kMaxLevel + 1), 2 * (kMaxLevel + 1), true},
  };
  for (const Case& c : cases) {
    YPlayerHero hero;
    hero.baseHealth = 100;
    hero.skillCosts[4] = c.divisor;
    hero.experience = c.experience;
    EXPECT_EQ(hero.UpdateLevel(), c.changed) << c.experience;
    EXPECT_EQ(hero.level, c.level) << c.experience;
    EXPECT_EQ(hero.points, c.points) << c.experience;
    EXPECT_EQ(hero.baseHealth, 100 + c.healthGain) << c.experience;
    EXPECT_FALSE(hero.UpdateLevel()) << "a second call finds nothing new";
  }
}

TEST(HeroLevels, ExperienceValueByLevel) {
  YPlayerHero hero;
  for (auto [level, value] : {std::pair{0, 13}, {1, 13}, {2, 16}, {5, 36}}) {
    hero.level = level;
    EXPECT_EQ(hero.ExperienceValue(), value) << level;
  }
}

TEST_F(HeroTest, BuyFillsTheArmyInOrderAndRefusesWhenFullOrTooDear) {
  Hero hero(new YPlayerHero());
  hero->slots[4] = hero.get();
  hero->gold = 1000;
  std::vector<int> placed;
  for (int i = 0; i < 17; ++i) {
    auto unit = Unit(10);
    YPlayerMonster* raw = unit.get();
    ASSERT_TRUE(hero->BuyIntoFreeSlot(unit.release(), 10));
    for (int s = 0; s < kArmySlots; ++s)
      if (hero->slots[static_cast<std::size_t>(s)] == raw) placed.push_back(s);
  }
  EXPECT_EQ(std::vector<int>(placed.begin(), placed.begin() + 3), (std::vector<int>{5, 3, 13}));
  EXPECT_EQ(hero->gold, 1000 - 170);
  auto extra = Unit(10);
  EXPECT_FALSE(hero->BuyIntoFreeSlot(extra.get(), 0)) << "17 monsters and the hero fill the army";
  EXPECT_EQ(hero->gold, 830);

  Hero poor(new YPlayerHero());
  poor->gold = 9;
  EXPECT_FALSE(poor->BuyIntoFreeSlot(extra.get(), 10));
  YPlayerMonster* unit = extra.get();
  EXPECT_TRUE(poor->BuyIntoFreeSlot(extra.release(), 9));
  EXPECT_EQ(poor->gold, 0);
  EXPECT_EQ(poor->slots[4], unit) << "a hero standing nowhere leaves slot 4 to its army";
}

TEST_F(HeroTest, TakeRemoveAndRestoreTouchOnlyMonsters) {
  Hero hero(new YPlayerHero());
  hero->slots[4] = hero.get();
  hero->slots[0] = Unit(0).release();
  hero->slots[1] = Unit(5).release();
  for (int slot : {4, 7, -1, 18}) EXPECT_EQ(hero->TakeFromSlot(slot, 50), nullptr) << slot;  // hero, empty, outside
  EXPECT_EQ(hero->gold, 0);

  hero->RemoveDeadMonsters();
  EXPECT_EQ(hero->slots[0], nullptr);
  EXPECT_EQ(hero->slots[4], hero.get());
  hero->slots[1]->health = 1;
  hero->slots[1]->mana = {9, 9, 9, 9};
  hero->baseHealth = 70;
  hero->RestoreAll();
  EXPECT_EQ(hero->health, 70);
  EXPECT_EQ(hero->slots[1]->health, 5);
  EXPECT_EQ(hero->slots[1]->mana, (std::array<std::int32_t, 4>{0, 0, 0, 0}));

  std::unique_ptr<YPlayerMonster> taken(hero->TakeFromSlot(1, 12));
  ASSERT_NE(taken, nullptr);
  EXPECT_EQ(hero->slots[1], nullptr);
  EXPECT_EQ(hero->gold, 12);
}

TEST_F(HeroTest, PricesTruncateAndNeverGoNegative) {
  YPlayerHero hero;
  struct Case {
    int health, air;
    float strength;
    const char* artifact;
    int item, sell;
  };
  const Case cases[] = {
      {25, 0, 1.0f, nullptr, 25, 12},  {20, 0, 1.0f, "ring", 25, 12},  // 20 + 25 / 5
      {20, 0, 1.0f, "amulet", 22, 11}, {60, 0, 1.1f, nullptr, 55, 27},  // 55.000001 - 50 truncates to 5
      {60, 0, 0.9f, nullptr, 65, 32},  {30, 1, 2.0f, nullptr, 0, 0},    // a weak unit at factor 2 costs nothing
  };
  for (const Case& c : cases) {
    auto unit = Unit(c.health, c.air);
    unit->artifact = c.artifact ? YArtifactLoader::FindArtifact(c.artifact) : nullptr;
    hero.strength = c.strength;
    EXPECT_EQ(hero.ItemValue(*unit), c.item) << c.health << " " << c.strength;
    EXPECT_EQ(hero.SellValue(*unit), c.sell) << c.health << " " << c.strength;
  }
  auto mover = Unit(10);
  mover->moveKind = 2;
  mover->way = 1;
  mover->distance = 3;
  EXPECT_EQ(UnitStrengthSum(*mover), 3 * 6 + 10);
}

TEST_F(HeroTest, SpellsAndArtifactsAreLearntOnceWhateverTheKeyOrder) {
  YPlayerHero hero;
  hero.AddSpell(0x0315);
  hero.AddSpell(0x1503);  // the same spell, bytes swapped
  hero.AddSpell(0x9999);  // not in the table
  ASSERT_EQ(hero.spells.size(), 1u);
  for (std::uint32_t key : {0x0423u, 0x1b33u, 0x0509u, 0x3937u, 0x0818u, 0x2304u}) hero.AddSpell(key);
  EXPECT_EQ(hero.spells.size(), 5u);
  EXPECT_EQ(hero.spareSpells.size(), 1u) << "the sixth spell is spare; 0x2304 is 0x0423 again";
  EXPECT_EQ(hero.spareSpells[0]->key, 0x0818u);

  hero.AddArtifact("ring");
  hero.AddArtifact("ring");
  hero.AddArtifact("crown");
  hero.AddArtifact("missing");
  EXPECT_EQ(hero.artifact, YArtifactLoader::FindArtifact("ring"));
  ASSERT_EQ(hero.artifacts.size(), 1u);
  EXPECT_EQ(hero.artifacts[0], YArtifactLoader::FindArtifact("crown"));
}

TEST_F(HeroTest, CreateHeroFromTheCatalogue) {
  auto hero = CreateHero("Ayla", 0, 0, 2, 3, 1.5f);
  ASSERT_TRUE(hero && hero->face);
  using Values = std::array<std::int32_t, 5>;
  EXPECT_EQ(std::tuple(hero->name, hero->startValues, hero->skillCosts, hero->maxValues[1], hero->health, hero->gold,
                       hero->difficulty, hero->moveKind, hero->distance),
            std::tuple("Ayla", Values{12, 6, 4, 8, 150}, Values{2, 2, 1, 2, 1}, 12, 150, 1200, 3, 1, 3));
  EXPECT_TRUE(hero->mana == hero->baseMana && hero->baseHealth == 150);
  EXPECT_EQ(hero->artifact, YArtifactLoader::FindArtifact("crown"));
  EXPECT_EQ(hero->face->name(), "textures\\heroes\\sylph_m.tga");
  ASSERT_EQ(hero->spells.size(), 2u) << "the swapped duplicate is learnt once";
  EXPECT_EQ(hero->spells[0], GetTileTables().FindSpell(0x0315));

  auto single = CreateHero("Solo", 1, 1, 0, 0, 1.0f);
  ASSERT_NE(single, nullptr);
  EXPECT_EQ(single->artifact, nullptr);  // a hero without one
  for (auto [race, gender, origin] : {std::tuple{1, 0, 0}, {-1, 0, 0}, {2, 0, 0}, {0, -1, 0}, {0, 2, 0},
                                      {0, 0, -1}, {0, 0, 4}}) {
    EXPECT_EQ(CreateHero("x", race, gender, origin, 0, 1.0f), nullptr) << race << gender << origin;
  }
}

}  // namespace
