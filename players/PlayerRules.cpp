#include "players/PlayerRules.h"

#include <cmath>
#include <limits>

#include "players/YArtifact.h"
#include "players/YPlayer.h"

std::int64_t ExperienceForLevel(std::int64_t n) {
  if (n < 1) return 0;
  // Far beyond any level a 32-bit experience reaches; keeps the square
  // inside 64 bits.
  constexpr std::int64_t kHighest = 900'000'000;
  if (n > kHighest) n = kHighest;
  return 10 * (n + 1) * (n + 1);
}

std::int64_t FirstLevelAbove(std::int64_t from, std::int64_t total) {
  std::int64_t n = from;
  while (ExperienceForLevel(n) <= total && n - from <= kMaxLevel + 2) ++n;
  return n;
}

std::int32_t HeroLevelForExperience(std::int64_t experience) {
  return SaturatedInt32(FirstLevelAbove(1, experience) - 1);
}

bool CutHeroName(std::string& name) {
  if (name.size() <= kMaxHeroName) return false;
  name.resize(kMaxHeroName);
  return true;
}

std::string HeroNameCutNotice() {
  return "A hero name longer than " + std::to_string(kMaxHeroName) + " characters is cut";
}

std::int32_t UnitStrengthSum(const YPlayer& record) {
  std::int64_t sum = 3 * (static_cast<std::int64_t>(record.moveKind) + record.way + record.distance);
  for (std::int32_t value : record.baseMana) sum += value;
  sum += record.baseHealth;
  if (record.artifact != nullptr) sum += record.artifact->eval / 5;
  return SaturatedInt32(sum);
}

void CopyCounterRecord(YPlayerUndo& to, const YPlayerUndo& from) { to = from; }

void SetCapsToBase(YPlayer& record) {
  for (std::size_t e = 0; e < 4; ++e) record.maxValues[e + 1] = record.baseMana[e];
  record.maxValues[5] = record.baseHealth;
}
