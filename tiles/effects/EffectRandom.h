// The random numbers of the effects, trails and markers: the program's
// linear congruential generator with a state of its own, so that nothing
// drawn can shift the battle's shared sequence (deals, shuffles, spells).
// Main thread only.
#pragma once

#include <cstdint>

#include "framework/YVector3.h"

class EffectRandom {
 public:
  explicit EffectRandom(std::uint32_t seed = 1) : state_(seed) {}

  void Seed(std::uint32_t seed) { state_ = seed; }
  // 0 to 32767.
  int Next();
  // A uniform number in [-1, 1]: Next() x (2 / 32767) - 1.
  float Uniform();
  // A unit vector in the plane z = 0: (r, r) drawn again while its length
  // is at most 0.000001, then normalised.
  YVector3 Direction2D();
  // The same in space: (r, r, r).
  YVector3 Direction3D();

 private:
  std::uint32_t state_;
};

// The generator the effects share.
EffectRandom& GetEffectRandom();
