#include "tiles/DuelSide.h"

#include "players/YPlayerData.h"

void DuelSide::LoadFrom(const YPlayerData& record) {
  static_cast<YPlayerUndo&>(*this) = record;
  for (int e = 0; e < 4; ++e) maxMana[static_cast<std::size_t>(e)] = record.maxValues[static_cast<std::size_t>(e) + 1];
  maxHealth = record.maxValues[5];
  artifact = record.artifact;
  spells.assign(record.spells.begin(), record.spells.end());
}

void DuelSide::StoreTo(YPlayerData& record) const { static_cast<YPlayerUndo&>(record) = *this; }
