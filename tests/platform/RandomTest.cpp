// The program's random generator: its exact sequence and one state per thread.
#include "platform/Random.h"

#include <gtest/gtest.h>
#include <array>
#include <thread>

namespace {

using platform::Random;
using platform::SeedRandom;
using Values = std::array<int, 5>;
constexpr Values kSeedOne = {41, 18467, 6334, 26500, 19169};

Values NextFive() {
  Values values{};
  for (int& v : values) v = Random();
  return values;
}

TEST(RandomTest, SeedOneGivesTheRuntimeSequenceInEveryThreadOfItsOwn) {
  SeedRandom(12345);
  const std::array<int, 3> next = {Random(), Random(), Random()};
  EXPECT_EQ(next, (std::array<int, 3>{7584, 19164, 25795}));
  Values inThread{};
  std::thread worker([&] {
    inThread = NextFive();  // a new thread starts at seed 1
    SeedRandom(999);        // and must not reach the main thread's state
  });
  worker.join();
  EXPECT_EQ(inThread, kSeedOne);
  const Values mainNext = NextFive();
  SeedRandom(12345);
  for (int i = 0; i < 3; ++i) Random();
  EXPECT_EQ(NextFive(), mainNext);
  SeedRandom(1);
  EXPECT_EQ(NextFive(), kSeedOne);
}

}  // namespace
