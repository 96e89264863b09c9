#include "tools/soundgen/Rng.h"

namespace {
constexpr std::uint64_t kMultiplier = 6364136223846793005ULL;
constexpr std::uint64_t kIncrement = 1442695040888963407ULL;
}  // namespace

Rng::Rng(std::uint64_t seed) : state_(0) {
  Next();
  state_ += seed;
  Next();
}

std::uint32_t Rng::Next() {
  const std::uint64_t old = state_;
  state_ = old * kMultiplier + kIncrement;
  const auto xorshifted = static_cast<std::uint32_t>(((old >> 18U) ^ old) >> 27U);
  const auto rot = static_cast<std::uint32_t>(old >> 59U);
  return (xorshifted >> rot) | (xorshifted << ((32U - rot) & 31U));
}

float Rng::Uniform() {
  return static_cast<float>(Next() >> 8U) * (1.0F / 16777216.0F);
}

float Rng::Bipolar() {
  return Uniform() * 2.0F - 1.0F;
}

float Rng::Range(float lo, float hi) {
  return lo + (hi - lo) * Uniform();
}
