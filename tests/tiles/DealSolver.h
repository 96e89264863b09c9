// A solver for freshly dealt boards: finds an order that takes every tile
// pair by pair under the pair and blocked rules, using only pairs that need
// no spell. It clears in rounds, as a deal hands out its kinds: each round
// takes every free tile at once, paired within their kinds, leaving out at
// most one tile when the free tiles of one kind (or of the plain tiles, or
// of the wells) are odd in number; which one is left is searched.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "tiles/DuelState.h"

struct SolveResult {
  bool cleared = false;
  std::int64_t rounds = 0;  // rounds tried
  std::vector<std::pair<int, int>> order;  // the pairs, first taken first
};

// Searches at most `maxRounds` rounds; a search cut short fails.
SolveResult SolveBoard(const DuelState& state, std::int64_t maxRounds = 100000);
