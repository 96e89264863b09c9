// Millisecond clocks as 32-bit counters that wrap, like the system tick
// counter and the multimedia time; both run from one steady clock.
#pragma once

#include <cstdint>

namespace platform {

// Milliseconds since an arbitrary start, wrapping at 2^32.
std::uint32_t TickCount();

// The multimedia system time in ms (the same clock as TickCount).
std::uint32_t SystemTimeMs();

// Suspends the calling thread for `ms` milliseconds.
void SleepMs(std::uint32_t ms);

}  // namespace platform
