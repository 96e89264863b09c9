#include "board/BoardValues.h"

#include "players/PlayerRules.h"
#include "players/YArtifact.h"
#include "players/YPlayer.h"

std::int32_t PlayerStrengthSum(const YPlayer& record) {
  std::int64_t sum = 0;
  for (std::size_t e = 0; e < 4; ++e)
    sum += static_cast<std::int64_t>(record.mana[e]) + record.maxValues[1 + e];
  sum += 20 * (static_cast<std::int64_t>(record.health) + record.maxValues[5]);
  return SaturatedInt32(sum);
}

std::int32_t UnitValueSum(const YPlayer& record) {
  std::int64_t sum = PlayerStrengthSum(record) / 10;
  for (std::int32_t value : record.baseMana) sum += value;
  sum += 20 * static_cast<std::int64_t>(record.baseHealth);
  if (record.artifact != nullptr) sum += record.artifact->eval;
  return SaturatedInt32(sum);
}
