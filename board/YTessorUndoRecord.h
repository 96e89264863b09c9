// What one move changed, so that taking it back restores the position
// exactly: every unit's values and list place, the clock, the side to move,
// the board's random state, the units the move removed and the one it made.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "players/YPlayerUndo.h"

class YTessorUnit;

struct YTessorUnitSnapshot {
  YTessorUnit* unit = nullptr;
  YPlayerUndo values;                       // experience, four element values, health
  std::array<std::int32_t, 6> maxValues{};  // the caps the cell effects set
  std::int32_t specialCounter = 0;
};

struct YTessorUndoRecord {
  // One per unit in the lists when the move began, side 0's first, each
  // list in its order; `sideZeroCount` of them are side 0's.
  std::vector<YTessorUnitSnapshot> snapshots;
  std::size_t sideZeroCount = 0;
  float clock = 0;
  std::int32_t sideToMove = 0;
  std::uint32_t randomState = 0;
  YTessorUnit* movedUnit = nullptr;  // for a special move, the unit whose special acted
  // The units the move took off the board (the fight's loser, the defender
  // when both fell; the attacker then second; a larva that grew). The board
  // keeps them while the record lives.
  YTessorUnit* removedUnit1 = nullptr;
  YTessorUnit* removedUnit2 = nullptr;
  YTessorUnit* createdUnit = nullptr;  // a unit the move made, or null
  std::int32_t oldX = -1;
  std::int32_t oldY = -1;
};
