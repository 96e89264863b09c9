#include "players/DifficultyTable.h"

#include <algorithm>

const DifficultyRow& DifficultyRowAt(int level) {
  const int row = std::clamp(level, 0, kDifficultyRows - 1);
  return kDifficultyTable[static_cast<std::size_t>(row)];
}
