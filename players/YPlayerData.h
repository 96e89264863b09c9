// The value part of a player record, everything after its virtual table:
// current and capped values, the artifact and spells in use, the face, base
// and shown values, name, level, and how the unit moves on the board. The
// duel keeps a pointer to it per side and its search copies it whole.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "players/YPlayerUndo.h"

struct YArtifact;
struct YTileSpell;
class YTextureBase;

struct YPlayerData : YPlayerUndo {
  // Caps in the six-value order (experience, air, fire, earth, water,
  // health); the board sets the element and health caps every turn.
  std::array<std::int32_t, 6> maxValues{};
  const YArtifact* artifact = nullptr;  // in use; the catalogue's, not owned
  std::vector<YTileSpell*> spells;      // active spells; the spell table's, not owned
  YTextureBase* face = nullptr;         // the registry's, not owned; null until loaded
  std::array<std::int32_t, 4> baseMana{};  // the record's own element values ("self")
  std::int32_t baseHealth = 0;
  std::array<std::int32_t, 4> shownMana{};  // what the battle screens show
  std::int32_t shownHealth = 0;
  std::string name;
  std::int32_t level = 0;   // hero: its level; monster: levels above its type's start level
  std::int32_t points = 0;  // skill points not yet spent
  std::int32_t shownExperience = 0;
  std::int32_t moveKind = 0;  // 0 walk, 1 fly, 2 teleport
  std::int32_t way = 0;       // 0 straight, 1 any direction
  std::int32_t distance = 0;  // steps per move
  std::int32_t specialCounter = 0;  // recharge of a monster's board special
};
