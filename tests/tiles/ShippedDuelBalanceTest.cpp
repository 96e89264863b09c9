// The shipped duels as a new player meets them at the easiest difficulty:
// a hero who takes any pair it can pay for beats the door keeper at least 6
// times in 10 and the first level's monsters at least every other time,
// and still loses some of both.
#include <gtest/gtest.h>

#include "tests/support/TestSupport.h"
#include "tools/duelbalance/BalanceRun.h"

namespace {

TEST(ShippedDuelBalance, ANewPlayerMostlyBeatsTheDoorKeeperAndTheFirstLevel) {
  testing_support::ScopedCwd cwd(QV_GAME_DIR);
  BalanceOptions options;
  options.levels = 1;
  options.duels = 10;
  options.questRow = options.monsterRow = 0;
  options.newPlayer = true;
  options.threads = 1;
  const std::vector<BalanceLine> lines = RunBalance(options);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].label, "door keeper");
  EXPECT_GE(lines[0].heroWins * 10, lines[0].duels * 6);
  EXPECT_GE(lines[1].heroWins * 2, lines[1].duels);
  for (const BalanceLine& line : lines) EXPECT_GT(line.monsterWins, 0) << line.label;
}

}  // namespace
