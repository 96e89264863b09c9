// The generators' own small pseudo-random source (PCG32): the same seed
// gives the same sequence on every machine, so generated sounds are
// reproducible byte for byte.
#pragma once

#include <cstdint>

class Rng {
 public:
  explicit Rng(std::uint64_t seed);

  std::uint32_t Next();
  // Uniform in [0, 1).
  float Uniform();
  // Uniform in [-1, 1).
  float Bipolar();
  // Uniform in [lo, hi).
  float Range(float lo, float hi);

 private:
  std::uint64_t state_;
};
