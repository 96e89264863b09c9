// The values one move of either battle changes: what the board's undo
// snapshots and the duel's history copy and restore as one block of six
// 32-bit words, in the order experience, air, fire, earth, water, health.
#pragma once

#include <array>
#include <cstdint>

struct YPlayerUndo {
  std::int32_t experience = 0;
  std::array<std::int32_t, 4> mana{};  // current air, fire, earth, water
  std::int32_t health = 0;             // a record below 1 is dead
};
