// One spell of the duel: what a pair of two tile kinds casts. Its key holds
// the two kind ids, the first in the high byte; a pair matches it in either
// order. Records are owned by the tile tables; player records point at them.
#pragma once

#include <cstdint>
#include <string>

class SoundEntry;

struct YTileSpell {
  std::uint32_t key = 0;     // (first kind id << 8) | second kind id
  std::int32_t first = -1;   // kind index of the high byte's kind; -1 when not in the table
  std::int32_t second = -1;  // kind index of the low byte's kind
  std::int32_t level = 0;    // hero level from which a new profile hero has it
  std::string name;
  std::string descr;
  SoundEntry* sound = nullptr;
};
