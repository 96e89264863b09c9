// One kind of duel tile as the tile file describes it. The id byte holds the
// element in bits 4-7 (0 air, 1 fire, 2 earth, 3 water) and the class in
// bits 0-3; deals use the kinds by their index in the table.
#pragma once

#include <cstdint>
#include <string>

class SoundEntry;

struct YTileKind {
  std::uint32_t id = 0;
  std::string name;
  std::string descr;
  std::int32_t cost = 0;      // element value a spell pair with this kind needs
  std::int32_t tex = 0;       // atlas frame of its picture
  std::int32_t priority = 50; // lower is preferred when pairs are ranked
  SoundEntry* sound = nullptr;  // the loaded sound of that name; null when none

  int Element() const { return static_cast<int>((id >> 4) & 0xF); }
  int Class() const { return static_cast<int>(id & 0xF); }
};
