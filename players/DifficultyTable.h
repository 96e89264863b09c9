// The five difficulty rows, easiest first: the parameters of the board's and
// the duel's computer commanders and the quest hero's factor. Constant for
// the life of the program.
#pragma once

#include <array>
#include <cstdint>

struct DifficultyRow {
  float aggression = 0;        // the board computer's base aggression
  float aggressionGrowth = 0;  // multiplies the aggression after every quiet move
  std::int32_t boardDepth = 0;
  std::int32_t boardCandidates = 0;
  std::int32_t boardSamples = 0;
  std::int32_t duelDepth = 0;
  std::int32_t duelCandidates = 0;
  std::int32_t duelSamples = 0;
  std::int32_t timeLimitMs = 0;  // both computers' time limit per decision
  float heroFactor = 0;          // stored in a quest hero; scales its side's regeneration
};

inline constexpr int kDifficultyRows = 5;

inline constexpr std::array<DifficultyRow, kDifficultyRows> kDifficultyTable = {{
    {2.0f, 1.5f, 1, 7, 1, 1, 7, 1, 1500, 2.0f},
    {1.5f, 1.4f, 2, 5, 3, 2, 5, 3, 1500, 1.75f},
    {1.2f, 1.3f, 3, 3, 2, 3, 3, 2, 1500, 1.5f},
    {1.1f, 1.2f, 5, 2, 2, 5, 2, 2, 3000, 1.25f},
    {1.0f, 1.1f, 7, 1, 1, 7, 1, 1, 5000, 1.0f},
}};

// The row of a difficulty level; a level outside 0-4 (from a save or a
// profile) is held to the nearest row.
const DifficultyRow& DifficultyRowAt(int level);
