#include "players/YPlayerHero.h"

#include <algorithm>
#include <string>

#include "players/TileTables.h"
#include "players/YArtifactLoader.h"
#include "players/YHeroReader.h"
#include "players/YPlayerMonster.h"
#include "render/YContainer.h"
#include "render/YTextureBase.h"

namespace {

constexpr std::size_t kActiveSpells = 5;

bool ValidSlot(int slot) { return slot >= 0 && slot < kArmySlots; }

}  // namespace

YPlayerHero::YPlayerHero() {
  moveKind = 0;
  way = 0;
  distance = 3;
}

YPlayerHero::~YPlayerHero() = default;

void YPlayerHero::DeleteWithArmy(YPlayerHero* hero) {
  if (hero == nullptr) return;
  for (YPlayer*& slot : hero->slots) {
    if (slot == nullptr || slot == hero) continue;
    slot->FreeLists();
    delete slot;
    slot = nullptr;
  }
  hero->FreeLists();
  delete hero;
}

bool YPlayerHero::UpdateLevel() {
  // Thresholds below level 1 are all 0, so counting from 0 is the same as
  // counting from a lower level.
  const std::int64_t from = std::max<std::int32_t>(level, 0);
  std::int64_t newLevel = static_cast<std::int64_t>(level) - 1;
  if (experience >= ExperienceForLevel(from)) newLevel = FirstLevelAbove(from, experience) - 1;
  if (newLevel <= level) return false;
  const std::int64_t gained = newLevel - level;
  level = SaturatedInt32(newLevel);
  points = SaturatedInt32(points + 5 * gained);
  const std::int32_t divisor = skillCosts[4];
  if (divisor != 0) baseHealth = SaturatedInt32(baseHealth + (2 * gained) / divisor);
  return true;
}

std::int32_t YPlayerHero::ExperienceValue() const {
  const std::int64_t k = std::max<std::int64_t>(level - 1, 0);
  return SaturatedInt32((ExperienceForLevel(k + 1) - ExperienceForLevel(k)) / 3);
}

void YPlayerHero::FreeLists() {
  YPlayer::FreeLists();
  artifacts = std::vector<const YArtifact*>();
  spareSpells = std::vector<YTileSpell*>();
}

void YPlayerHero::AddArtifact(std::string_view id) {
  const YArtifact* found = YArtifactLoader::FindArtifact(id);
  if (found == nullptr || HasArtifact(found)) return;
  if (artifact == nullptr)
    artifact = found;
  else
    artifacts.push_back(found);
}

void YPlayerHero::AddSpell(std::uint32_t key) { LearnSpell(GetTileTables().FindSpell(key)); }

bool YPlayerHero::LearnSpell(YTileSpell* spell) {
  if (spell == nullptr || KnowsSpell(spell)) return false;
  if (spells.size() < kActiveSpells)
    spells.push_back(spell);
  else
    spareSpells.push_back(spell);
  return true;
}

bool YPlayerHero::KnowsSpell(const YTileSpell* spell) const {
  return std::find(spells.begin(), spells.end(), spell) != spells.end() ||
         std::find(spareSpells.begin(), spareSpells.end(), spell) != spareSpells.end();
}

bool YPlayerHero::HasArtifact(const YArtifact* candidate) const {
  return artifact == candidate || std::find(artifacts.begin(), artifacts.end(), candidate) != artifacts.end();
}

void YPlayerHero::RemoveDeadMonsters() {
  for (YPlayer*& slot : slots) {
    if (slot == nullptr || slot == this || slot->health >= 1) continue;
    slot->FreeLists();
    delete slot;
    slot = nullptr;
  }
}

YPlayerMonster* YPlayerHero::TakeFromSlot(int slot, std::int32_t refund) {
  YPlayerMonster* monster = SlotMonster(slot);
  if (monster == nullptr) return nullptr;
  slots[static_cast<std::size_t>(slot)] = nullptr;
  gold = SaturatedInt32(static_cast<std::int64_t>(gold) + refund);
  return monster;
}

bool YPlayerHero::BuyIntoFreeSlot(YPlayerMonster* monster, std::int32_t price) {
  if (monster == nullptr || price > gold) return false;
  const int slot = FirstFreeSlot();
  if (slot < 0) return false;
  slots[static_cast<std::size_t>(slot)] = monster;
  gold -= price;
  return true;
}

int YPlayerHero::FirstFreeSlot() const {
  for (int slot : kArmyOrder) {
    if (slots[static_cast<std::size_t>(slot)] == nullptr) return slot;
  }
  return -1;
}

YPlayerMonster* YPlayerHero::SlotMonster(int slot) const {
  if (!ValidSlot(slot)) return nullptr;
  YPlayer* record = slots[static_cast<std::size_t>(slot)];
  if (record == nullptr || record == this) return nullptr;
  return dynamic_cast<YPlayerMonster*>(record);
}

void YPlayerHero::RestoreAll() {
  health = baseHealth;
  mana = baseMana;
  for (YPlayer* slot : slots) {
    if (slot == nullptr || slot == this) continue;
    slot->health = slot->baseHealth;
    slot->mana = slot->baseMana;
  }
}

std::int32_t YPlayerHero::ItemValue(const YPlayer& unit) const {
  const std::int32_t discount = TruncatedInt32(strength * 50.0f - 50.0f);
  const std::int64_t value = static_cast<std::int64_t>(UnitStrengthSum(unit)) - discount;
  return SaturatedInt32(std::max<std::int64_t>(value, 0));
}

std::int32_t YPlayerHero::SellValue(const YPlayer& unit) const { return ItemValue(unit) / 2; }

namespace {

const YHeroType* HeroDescription(int race, int gender, int origin) {
  const std::vector<YHeroRace>& races = HeroRaces();
  if (race < 0 || static_cast<std::size_t>(race) >= races.size()) return nullptr;
  if (gender < 0 || gender > 1 || origin < 0 || origin > 3) return nullptr;
  const YHeroRace& entry = races[static_cast<std::size_t>(race)];
  return gender == 1 ? entry.female.get() : entry.male.get();
}

void SetHeroValues(YPlayerHero& hero, const YHeroType& description, int origin) {
  const std::int32_t health = TruncatedInt32(static_cast<double>(description.start[4]) * hero.strength);
  for (std::size_t e = 0; e < 4; ++e) {
    hero.baseMana[e] = description.start[e];
    hero.startValues[e] = description.start[e];
    hero.skillCosts[e] = static_cast<int>(e) == origin ? 1 : 2;
  }
  hero.baseHealth = health;
  hero.startValues[4] = health;
  hero.skillCosts[4] = 1;
  hero.mana = hero.baseMana;
  for (std::size_t e = 0; e < 4; ++e) hero.maxValues[e + 1] = hero.baseMana[e];
  hero.health = hero.baseHealth;
}

}  // namespace

std::unique_ptr<YPlayerHero> CreateHero(std::string_view name, int race, int gender, int origin,
                                        std::int32_t difficulty, float strength) {
  const YHeroType* description = HeroDescription(race, gender, origin);
  if (description == nullptr) return nullptr;
  auto hero = std::make_unique<YPlayerHero>();
  hero->name = std::string(name);
  hero->difficulty = difficulty;
  hero->strength = strength;
  SetHeroValues(*hero, *description, origin);
  hero->face = YContainer<YTextureBase>::Get("textures\\" + description->face);
  hero->moveKind = description->moveKind;
  hero->way = description->way;
  hero->distance = description->distance;
  if (!description->artifactId.empty()) hero->artifact = YArtifactLoader::FindArtifact(description->artifactId);
  hero->gold = TruncatedInt32(static_cast<double>(description->gold) * strength);
  // The description's spells all become active, each once.
  for (std::uint32_t key : description->spellKeys) {
    YTileSpell* spell = GetTileTables().FindSpell(key);
    if (spell != nullptr && !hero->KnowsSpell(spell)) hero->spells.push_back(spell);
  }
  return hero;
}
