#include "players/YMonsterSet.h"

#include <algorithm>
#include <vector>

#include "players/YMonsterType.h"
#include "players/YPlayerHero.h"
#include "players/YPlayerMonster.h"

namespace {

// Non-boss types the hero's level has reached, highest start level first
// (ties: highest maximum level first), at most one per offer slot.
std::vector<const YMonsterType*> SetCandidates(std::int32_t heroLevel) {
  std::vector<const YMonsterType*> candidates;
  for (const auto& type : MonsterTypes()) {
    if (!type->boss && type->startLevel <= heroLevel) candidates.push_back(type.get());
  }
  std::stable_sort(candidates.begin(), candidates.end(), [](const YMonsterType* a, const YMonsterType* b) {
    if (a->startLevel != b->startLevel) return a->startLevel > b->startLevel;
    return a->maxLevel > b->maxLevel;
  });
  if (candidates.size() > YMonsterShop::kOfferSlots) candidates.resize(YMonsterShop::kOfferSlots);
  return candidates;
}

// Buys one unit of each affordable element per pass, air to water, until a
// pass buys nothing.
void SpendPointsInOrder(YPlayerMonster& monster, const YMonsterType& type) {
  bool bought = true;
  while (bought) {
    bought = false;
    for (std::size_t e = 0; e < 4; ++e) {
      const std::int32_t cost = type.skill[e];
      if (cost <= 0 || cost > monster.points) continue;
      monster.points -= cost;
      monster.baseMana[e] = SaturatedInt32(static_cast<std::int64_t>(monster.baseMana[e]) + 1);
      bought = true;
    }
  }
}

std::unique_ptr<YPlayerMonster> SetOfferOf(const YMonsterType& type, std::int32_t heroLevel) {
  auto monster = std::make_unique<YPlayerMonster>(type.id);
  const std::int32_t top = std::min(type.maxLevel, kMaxLevel);
  const std::int32_t level = std::min(std::max(heroLevel, type.startLevel), top);
  const std::int64_t experience = ExperienceForLevel(level) - ExperienceForLevel(type.startLevel);
  const std::int64_t points = (static_cast<std::int64_t>(level) - type.startLevel) * 5;
  monster->Init(SaturatedInt32(experience), SaturatedInt32(points), false, 1.0f);
  SpendPointsInOrder(*monster, type);
  monster->mana = monster->baseMana;
  monster->shownMana = monster->baseMana;
  SetCapsToBase(*monster);
  return monster;
}

}  // namespace

void YMonsterSet::Attach(YPlayerHero* hero, bool fill) {
  AttachEmpty(hero);
  if (hero == nullptr || !fill) return;
  const std::vector<const YMonsterType*> candidates = SetCandidates(hero->level);
  for (std::size_t i = 0; i < candidates.size(); ++i) OfferSlot(static_cast<int>(i)) = SetOfferOf(*candidates[i], hero->level);
}

std::int32_t YMonsterSet::GetSellPrice(const YPlayerMonster& monster) const {
  return Player() == nullptr ? 0 : Player()->ItemValue(monster);
}

bool YMonsterSet::Buy(int slot) {
  const YPlayerMonster* bought = BuyOffer(slot);
  if (bought == nullptr) return false;
  OfferSlot(slot) = CloneMonster(*bought);
  return true;
}

// The sold monster is freed as it leaves the army.
bool YMonsterSet::Sell(int armySlot) { return TakeSold(armySlot) != nullptr; }

YMonsterSet& ProfileMonsterSet() {
  static YMonsterSet set;
  return set;
}
