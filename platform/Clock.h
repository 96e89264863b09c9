// Millisecond clocks as 32-bit counters that wrap, like the system tick
// counter and the multimedia time, which both run from one steady clock
// of the program, and the machine's time since it started.
#pragma once

#include <cstdint>

namespace platform {

// Milliseconds since an arbitrary start, wrapping at 2^32.
std::uint32_t TickCount();

// Milliseconds since the machine started (suspended time included),
// wrapping at 2^32: the same for every process at the same moment.
std::uint32_t BootTickCount();

// The multimedia system time in ms (the same clock as TickCount).
std::uint32_t SystemTimeMs();

// Suspends the calling thread for `ms` milliseconds.
void SleepMs(std::uint32_t ms);

}  // namespace platform
