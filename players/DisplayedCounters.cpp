#include "players/DisplayedCounters.h"

#include <algorithm>

#include "players/YPlayerData.h"

namespace {

void StepToward(std::int32_t& shown, std::int32_t value) {
  if (shown < value)
    ++shown;
  else if (shown > value)
    --shown;
}

// Where a capped shown value comes to rest.
std::int32_t Target(std::int32_t value, std::int32_t cap) { return std::min(value, cap); }

}  // namespace

void StepDisplayedCounters(YPlayerData& fighter) {
  StepToward(fighter.shownExperience, fighter.experience);
  StepToward(fighter.shownHealth, fighter.health);
  fighter.shownHealth = std::min(fighter.shownHealth, fighter.maxValues[5]);
  for (std::size_t e = 0; e < 4; ++e) {
    StepToward(fighter.shownMana[e], fighter.mana[e]);
    fighter.shownMana[e] = std::min(fighter.shownMana[e], fighter.maxValues[e + 1]);
  }
}

bool CountersAnimating(const YPlayerData& fighter) {
  if (fighter.shownExperience != fighter.experience) return true;
  if (fighter.shownHealth != Target(fighter.health, fighter.maxValues[5])) return true;
  for (std::size_t e = 0; e < 4; ++e) {
    if (fighter.shownMana[e] != Target(fighter.mana[e], fighter.maxValues[e + 1])) return true;
  }
  return false;
}
