// The arithmetic the board's fights without a duel and the computer's
// evaluation use on player records (32-bit results, held at the ends of the
// range instead of wrapping).
#pragma once

#include <cstdint>

class YPlayer;

// The four current and four maximum element values + 20 x (health +
// maximum health).
std::int32_t PlayerStrengthSum(const YPlayer& record);
// PlayerStrengthSum / 10 + the four base element values + 20 x base health
// + the value of the record's artifact.
std::int32_t UnitValueSum(const YPlayer& record);
