#include "platform/Clock.h"

#include <chrono>
#include <thread>

namespace platform {

namespace {
// The clocks count from the first time they are read, so values stay small
// for a long while and then wrap like the tick counter they stand in for.
std::chrono::steady_clock::time_point Epoch() {
  static const auto epoch = std::chrono::steady_clock::now();
  return epoch;
}
}  // namespace

std::uint32_t TickCount() {
  const auto elapsed = std::chrono::steady_clock::now() - Epoch();
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
  return static_cast<std::uint32_t>(static_cast<std::uint64_t>(ms));
}

std::uint32_t SystemTimeMs() { return TickCount(); }

void SleepMs(std::uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

}  // namespace platform
