// One artifact of the catalogue: an item a hero or monster carries, whose
// values take part in the duel and in a unit's price. Records are owned by
// the catalogue (YArtifactLoader) and live until the program exits.
#pragma once

#include <array>
#include <cstdint>
#include <string>

class YTextureBase;

struct YArtifact {
  std::string id;     // the key profiles, saves and descriptions name
  std::string name;   // shown name
  std::string descr;  // shown description
  YTextureBase* texture = nullptr;  // "textures\artifacts\" + tex; null without one
  std::int32_t health = 0;   // hit points per turn
  std::int32_t damage = 0;   // bonus to damage dealt
  std::int32_t damage2 = 0;  // change to damage taken
  std::int32_t skip = 0;     // divisor of the chance to skip the opponent's turn
  std::int32_t eval = 1;     // worth; a fifth of it enters a unit's price
  std::int32_t level = 0;    // hero level from which new profiles get it; 0 never
  std::array<std::int32_t, 4> elements{};   // own change per turn: air, fire, earth, water
  std::array<std::int32_t, 4> elements2{};  // opponent's change per turn
};
