// The movement search's record of one cell: how the best way found enters
// it (an index into the step table), its number of steps and its cost.
#pragma once

#include <array>
#include <cstdint>

inline constexpr std::int32_t kUnreached = 0xffffff;

struct YTessorReachCell {
  std::int32_t direction = -1;  // -1 for the start cell and unreached cells
  std::int32_t steps = 0;
  std::int32_t cost = kUnreached;

  bool Reached() const { return cost != kUnreached; }
};

struct StepDirection {
  int dx = 0;
  int dy = 0;
};

// The eight steps, orthogonal ones first; the search's directions index it.
inline constexpr std::array<StepDirection, 8> kStepDirections = {
    {{0, 1}, {0, -1}, {1, 0}, {-1, 0}, {1, 1}, {1, -1}, {-1, 1}, {-1, -1}}};
inline constexpr int kOrthogonalSteps = 4;
