#include "platform/Random.h"

namespace platform {

namespace {
thread_local std::uint32_t state = 1;
}

void SeedRandom(std::uint32_t seed) { state = seed; }

int Random() {
  state = state * 214013u + 2531011u;
  return static_cast<int>((state >> 16) & 0x7fffu);
}

}  // namespace platform
