// The millisecond counters: advanced by sleeping, and in step with each other.
#include "platform/Clock.h"

#include <gtest/gtest.h>

namespace {

using namespace platform;

TEST(ClockTest, SleepingAdvancesBothCountersByAtLeastTheTimeSlept) {
  const std::uint32_t tick = TickCount();
  const std::uint32_t media = SystemTimeMs();
  SleepMs(20);
  // Unsigned differences stay right across a wrap of the counters.
  EXPECT_GE(static_cast<std::uint32_t>(TickCount() - tick), 20u);
  EXPECT_GE(static_cast<std::uint32_t>(SystemTimeMs() - media), 20u);
}

}  // namespace
