// The program's random numbers: the classic linear congruential generator of
// the C runtime the game was tuned with, one state per thread, seed 1 until
// seeded. state = state * 214013 + 2531011 (mod 2^32); result = bits 16..30.
// With seed 1 the first values are 41, 18467, 6334, 26500, 19169.
#pragma once

#include <cstdint>

namespace platform {

inline constexpr int kRandomMax = 0x7fff;

// Seeds the calling thread's generator.
void SeedRandom(std::uint32_t seed);

// The next value of the calling thread's generator, 0..kRandomMax.
int Random();

}  // namespace platform
