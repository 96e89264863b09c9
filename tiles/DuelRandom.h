// The random numbers of one duel's rules: the program's linear congruential
// generator (platform/Random.h) kept as a value inside the battle state, so
// that deals, shuffles, spells and upkeep draw the same sequence on both
// machines of a network game, copy with a position and come back with undo.
#pragma once

#include <cstdint>

class DuelRandom {
 public:
  explicit DuelRandom(std::uint32_t seed = 1) : state_(seed) {}

  void Seed(std::uint32_t seed) { state_ = seed; }
  // state = state * 214013 + 2531011 (mod 2^32); the value is bits 16..30.
  int Next() {
    state_ = state_ * 214013u + 2531011u;
    return static_cast<int>((state_ >> 16) & 0x7fffu);
  }
  // A value below `count` (a draw modulo it); `count` must be above 0.
  int Below(int count) { return Next() % count; }

  std::uint32_t State() const { return state_; }
  void SetState(std::uint32_t state) { state_ = state; }

 private:
  std::uint32_t state_;
};
