// What the duel's rules read and write of one fighter: the six values a
// move changes (experience, four element values, health), the caps, the
// artifact in use and the spells the fighter knows. The battle copies these
// from the fighters' player records and writes the six values back, so that
// a battle state is a plain value the computer can copy.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "players/YPlayerUndo.h"

struct YArtifact;
struct YPlayerData;
struct YTileSpell;

struct DuelSide : YPlayerUndo {
  std::array<std::int32_t, 4> maxMana{};
  std::int32_t maxHealth = 0;
  const YArtifact* artifact = nullptr;           // the catalogue's; null for none
  std::vector<const YTileSpell*> spells;         // the spell table's records

  // Takes everything from a player record.
  void LoadFrom(const YPlayerData& record);
  // Writes the six changing values back into the record.
  void StoreTo(YPlayerData& record) const;
};
