// Random draws for the board's rules. A board owns a generator of its own
// (the program's linear congruential generator, kept as a value), so that the
// specials' draws are part of the position: copied with it, restored by undo,
// and never shared with another board or thread. The level loader lends the
// thread's generator instead, so that a level's draws keep their order.
#pragma once

#include <cstdint>

// Where a special's creation draws its recharge counter from.
class RandomSource {
 public:
  virtual int Next() = 0;  // 0..32767

 protected:
  ~RandomSource() = default;
};

class BoardRandom final : public RandomSource {
 public:
  explicit BoardRandom(std::uint32_t seed = 1) : state_(seed) {}

  int Next() override;
  std::uint32_t State() const { return state_; }
  void SetState(std::uint32_t state) { state_ = state; }

 private:
  std::uint32_t state_;
};

// The calling thread's generator (platform/Random.h).
class ThreadRandom final : public RandomSource {
 public:
  int Next() override;
};
