#include "players/YPlayerMonster.h"

#include <algorithm>

#include "framework/Log.h"
#include "platform/Random.h"
#include "players/PlayerRules.h"
#include "players/TileTables.h"
#include "players/YArtifactLoader.h"
#include "players/YMonsterType.h"
#include "render/YContainer.h"
#include "render/YTextureBase.h"

namespace {

// Monster records start from a hero's move values.
void SetHeroMoveDefaults(YPlayer& record) {
  record.moveKind = 0;
  record.way = 0;
  record.distance = 3;
}

// More purchases than every level of a 32-bit experience gives points for;
// a record with more points (from an edited file) stops spending there.
constexpr int kMaxPurchases = 5 * (kMaxLevel + 2);

// Spends the points on random elements the type can buy, until they run
// out or eight draws in a row find nothing affordable.
void SpendPointsAtRandom(YPlayer& record, const YMonsterType& type) {
  int failures = 0;
  for (int purchases = 0; record.points >= 1 && failures < 8 && purchases < kMaxPurchases;) {
    const std::size_t e = static_cast<std::size_t>(platform::Random() & 3);
    const std::int32_t cost = type.skill[e];
    if (cost > 0 && cost <= record.points) {
      record.points -= cost;
      record.baseMana[e] = SaturatedInt32(static_cast<std::int64_t>(record.baseMana[e]) + 1);
      failures = 0;
      ++purchases;
    } else {
      ++failures;
    }
  }
}

// The experience drawn for a monster made at `level`: within the level,
// counted from the type's start level.
std::int32_t ExperienceWithinLevel(std::int32_t level, std::int32_t startLevel) {
  const std::int64_t base = ExperienceForLevel(level);
  const std::int64_t span = ExperienceForLevel(level + 1) - base;
  const int draw = platform::Random();
  // Levels below 0 have no span; the draw is still taken so that seeded
  // sequences stay in step.
  const std::int64_t offset = span > 0 ? draw % span : 0;
  return SaturatedInt32(base + offset - ExperienceForLevel(startLevel));
}

}  // namespace

YPlayerMonster::YPlayerMonster(std::string_view id, std::int32_t wantedLevel, float strength) : typeId(id) {
  SetHeroMoveDefaults(*this);
  const YMonsterType* type = GetType();
  if (type == nullptr) return;
  // A type whose top level lies below its start level (a damaged catalogue)
  // makes its monsters at the start level, never below it.
  const std::int32_t top = std::max(std::min(type->maxLevel, kMaxLevel), type->startLevel);
  const std::int32_t level = std::min(std::max(wantedLevel, type->startLevel), top);
  const std::int32_t experienceNow = ExperienceWithinLevel(level, type->startLevel);
  const std::int64_t pointsNow = (static_cast<std::int64_t>(level) - type->startLevel) * 5;
  Init(experienceNow, SaturatedInt32(pointsNow), true, strength);
}

YPlayerMonster::YPlayerMonster(std::string_view id) : typeId(id) {
  SetHeroMoveDefaults(*this);
}

YPlayerMonster::YPlayerMonster(const YMonsterType& type) : typeId(type.id) {
  name = type.name;
  moveKind = type.moveKind;
  way = type.way;
  distance = type.distance;
  for (std::size_t e = 0; e < 4; ++e) baseMana[e] = type.start[e];
  mana = baseMana;
  shownMana = baseMana;
  baseHealth = type.start[4];
  health = baseHealth;
  shownHealth = baseHealth;
}

std::unique_ptr<YPlayerMonster> YPlayerMonster::MakeAtLevel(std::string_view id, std::int32_t wantedLevel,
                                                            float strength) {
  if (FindMonsterType(id) == nullptr) {
    Log::Printf("Unknown monster id: %s", std::string(id).c_str());
    return nullptr;
  }
  return std::make_unique<YPlayerMonster>(id, wantedLevel, strength);
}

std::unique_ptr<YPlayerMonster> YPlayerMonster::MakeOfType(std::string_view id) {
  if (FindMonsterType(id) == nullptr) {
    Log::Printf("Unknown monster id: %s", std::string(id).c_str());
    return nullptr;
  }
  return std::make_unique<YPlayerMonster>(id);
}

const YMonsterType* YPlayerMonster::GetType() const {
  const YMonsterType* type = FindMonsterType(typeId);
  if (type == nullptr) Log::Printf("Unknown monster id: %s", typeId.c_str());
  return type;
}

YTextureBase* YPlayerMonster::GetFace() {
  if (face != nullptr) return face;
  const YMonsterType* type = GetType();
  if (type != nullptr) face = YContainer<YTextureBase>::Get("textures\\monsters\\" + type->face);
  return face;
}

void YPlayerMonster::Init(std::int32_t experienceNow, std::int32_t pointsNow, bool distribute,
                          float strength) {
  experience = experienceNow;
  points = pointsNow;
  const YMonsterType* type = GetType();
  if (type == nullptr) return;
  level = LevelOfExperience();
  const std::int64_t absolute = static_cast<std::int64_t>(type->startLevel) + level;
  name = type->name;
  std::int64_t healthNow =
      static_cast<std::int64_t>(type->start[4]) - TruncatedInt32(50.0f - strength * 50.0f);
  if (type->skill[4] != 0) healthNow += (2 * static_cast<std::int64_t>(level)) / type->skill[4];
  baseHealth = SaturatedInt32(healthNow);
  for (std::size_t e = 0; e < 4; ++e) baseMana[e] = type->start[e];
  if (distribute) SpendPointsAtRandom(*this, *type);
  moveKind = type->moveKind;
  way = type->way;
  distance = type->distance;
  SetupForLevel(SaturatedInt32(absolute));
  health = baseHealth;
  shownHealth = baseHealth;
  mana = baseMana;
  shownMana = baseMana;
  shownExperience = experience;
}

std::int32_t YPlayerMonster::LevelOfExperience() const {
  const YMonsterType* type = FindMonsterType(typeId);
  if (type == nullptr) return 0;
  const std::int64_t total = ExperienceForLevel(type->startLevel) + experience;
  const std::int64_t absolute = std::max<std::int64_t>(FirstLevelAbove(type->startLevel, total) - 1, 0);
  return SaturatedInt32(absolute - type->startLevel);
}

void YPlayerMonster::SetupForLevel(std::int32_t absoluteLevel) {
  const YMonsterType* type = GetType();
  if (type == nullptr) return;
  artifact = nullptr;
  const auto& entries = type->artifactsByLevel;
  const auto last = std::find_if(
      entries.rbegin(), entries.rend(),
      [absoluteLevel](const YMonsterType::ArtifactEntry& e) { return e.level <= absoluteLevel; });
  if (last != entries.rend()) artifact = YArtifactLoader::FindArtifact(last->id);
  spells.clear();
  for (const YMonsterType::SpellEntry& entry : type->spellsByLevel) {
    if (entry.level > absoluteLevel) continue;
    YTileSpell* spell = GetTileTables().FindSpell(entry.key);
    if (spell != nullptr && std::find(spells.begin(), spells.end(), spell) == spells.end())
      spells.push_back(spell);
  }
}

bool YPlayerMonster::UpdateLevel() {
  if (health < 1) return false;
  const YMonsterType* type = GetType();
  if (type == nullptr) return false;
  const std::int64_t current = static_cast<std::int64_t>(type->startLevel) + level;
  const std::int64_t total = ExperienceForLevel(type->startLevel) + experience;
  const std::int64_t from = std::max<std::int64_t>(current, 0);
  std::int64_t reached = current - 1;
  if (total >= ExperienceForLevel(from)) reached = FirstLevelAbove(from, total) - 1;
  reached = std::min<std::int64_t>(reached, type->maxLevel);
  if (reached <= current) return false;
  points = SaturatedInt32(points + 5 * (reached - current));
  const std::int64_t divisor = type->skill[4];
  if (divisor != 0) {
    std::int64_t gain = 0;
    for (std::int64_t k = current + 1; k <= reached; ++k) {
      if (k % divisor == 0) ++gain;
      if ((divisor / 2 + k) % divisor == 0) ++gain;
    }
    baseHealth = SaturatedInt32(baseHealth + gain);
  }
  SpendPointsAtRandom(*this, *type);
  SetupForLevel(SaturatedInt32(reached));
  level = SaturatedInt32(reached - type->startLevel);
  return true;
}

std::int32_t YPlayerMonster::ExperienceValue() const {
  const YMonsterType* type = GetType();
  if (type == nullptr) return 0;
  const std::int64_t a = (static_cast<std::int64_t>(baseHealth) - 50) / 2;
  const std::int64_t b = static_cast<std::int64_t>(type->startLevel) + level - 1;
  const std::int64_t k = std::max<std::int64_t>(std::min(a, b) - 1, 0);
  return SaturatedInt32((ExperienceForLevel(k + 1) - ExperienceForLevel(k)) / 4);
}

std::unique_ptr<YPlayerMonster> CloneMonster(const YPlayerMonster& monster) {
  auto copy = std::make_unique<YPlayerMonster>(monster.typeId);
  copy->name = monster.name;
  copy->level = monster.level;
  copy->points = monster.points;
  copy->moveKind = monster.moveKind;
  copy->way = monster.way;
  copy->distance = monster.distance;
  copy->artifact = monster.artifact;
  copy->spells = monster.spells;
  copy->experience = monster.experience;
  copy->shownExperience = monster.shownExperience;
  copy->mana = monster.mana;
  copy->health = monster.health;
  copy->maxValues = monster.maxValues;
  copy->baseMana = monster.baseMana;
  copy->baseHealth = monster.baseHealth;
  copy->shownMana = monster.shownMana;
  copy->shownHealth = monster.shownHealth;
  return copy;
}
