#include "board/ElementTable.h"

#include <cmath>

// A cell's element raises its own maximum by a fifth and lowers the opposite
// one's (air against earth, fire against water) by a fifth; it restores a
// fifth of its own base value per turn, a twentieth of the opposite one and a
// tenth of the others. Health comes back by a tenth, on earth by a fifth.
const std::array<ElementRow, 4> kElementTable = {{
    {{0.1f, 0.2f, 0.1f, 0.05f, 0.1f, 1.0f, 1.2f, 1.0f, 0.8f, 1.0f}},
    {{0.1f, 0.1f, 0.2f, 0.1f, 0.05f, 1.0f, 1.0f, 1.2f, 1.0f, 0.8f}},
    {{0.2f, 0.05f, 0.1f, 0.2f, 0.1f, 1.0f, 0.8f, 1.0f, 1.2f, 1.0f}},
    {{0.1f, 0.1f, 0.05f, 0.1f, 0.2f, 1.0f, 1.0f, 0.8f, 1.0f, 1.2f}},
}};

ElementRow ElementRowAtClock(float clock) {
  // The clock stays in [0, 1); a value outside (never made by the rules) is
  // folded back rather than read outside the table.
  const float phase = std::isfinite(clock) && std::fabs(clock) < 1e6f ? clock * 4.0f : 0.0f;
  int i = static_cast<int>(std::floor(phase));
  const float f = phase - static_cast<float>(i);
  i = ((i % 4) + 4) % 4;
  const int j = (i + 1) % 4;
  ElementRow row;
  for (std::size_t c = 0; c < row.values.size(); ++c) {
    row.values[c] = (1.0f - f) * kElementTable[static_cast<std::size_t>(i)].values[c] +
                    f * kElementTable[static_cast<std::size_t>(j)].values[c];
  }
  return row;
}
