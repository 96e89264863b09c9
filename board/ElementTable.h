// How the element of a cell shapes the units standing on it: per element a
// row of regeneration rates and factors of the maxima, and the row of the
// board clock, which blends the four rows as it turns (air at 0, fire at
// 0.25, earth at 0.5, water at 0.75).
#pragma once

#include <array>

struct ElementRow {
  // Columns 0-4: regeneration rates (health, air, fire, earth, water);
  // columns 5-9: factors of the maxima (health, air, fire, earth, water).
  std::array<float, 10> values{};

  float HealthRate() const { return values[0]; }
  float ElementRate(int element) const { return values[static_cast<std::size_t>(1 + element)]; }
  float HealthFactor() const { return values[5]; }
  float ElementFactor(int element) const { return values[static_cast<std::size_t>(6 + element)]; }
};

// The rows of air, fire, earth and water, in cell-kind order.
extern const std::array<ElementRow, 4> kElementTable;

// The blend of the element rows at a clock value in [0, 1).
ElementRow ElementRowAtClock(float clock);
