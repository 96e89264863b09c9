// The duel's own generator: the program's sequence, kept as a value.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "platform/Random.h"
#include "tiles/DuelRandom.h"

namespace {

TEST(DuelRandomTest, FixedOutputsFromSeedOne) {
  DuelRandom random;
  const std::vector<int> expected = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464};
  for (int value : expected) EXPECT_EQ(random.Next(), value);
}

TEST(DuelRandomTest, MatchesTheThreadGeneratorForAnySeed) {
  std::thread([] {
    for (std::uint32_t seed : {0u, 7u, 123456789u, 0xFFFFFFFFu}) {
      DuelRandom random(seed);
      platform::SeedRandom(seed);
      for (int i = 0; i < 100; ++i) ASSERT_EQ(random.Next(), platform::Random()) << seed;
    }
  }).join();
}

}  // namespace
