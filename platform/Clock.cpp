#include "platform/Clock.h"

#include <time.h>

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

std::uint32_t BootTickCount() {
  timespec now{};
  // A system without the boot clock still has the monotonic one, which
  // counts from boot too, only without the time spent suspended.
  if (clock_gettime(CLOCK_BOOTTIME, &now) != 0 && clock_gettime(CLOCK_MONOTONIC, &now) != 0)
    return TickCount();
  const auto ms =
      static_cast<std::uint64_t>(now.tv_sec) * 1000u + static_cast<std::uint64_t>(now.tv_nsec) / 1000000u;
  return static_cast<std::uint32_t>(ms);
}

std::uint32_t SystemTimeMs() { return TickCount(); }

void SleepMs(std::uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

}  // namespace platform
