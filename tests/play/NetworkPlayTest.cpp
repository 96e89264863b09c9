// Network games between two play programs on this machine (NetworkPlay.h).
#include <gtest/gtest.h>

#include <csignal>
#include <string>
#include <vector>

#include "net/PeerLink.h"
#include "tests/play/NetworkPlay.h"
#include "tests/support/FreePorts.h"

namespace {

using namespace std::chrono_literals;
using play::NetworkPlay;

TEST_F(NetworkPlay, TwoGamesJoinedByAddressPlayToTheEndAndAgreeOnEveryDuelAndTheWinner) {
  WriteProfiles();
  const std::uint16_t base = testing_support::FreeUdpPorts(PeerLink::kPortCount);
  ASSERT_NO_FATAL_FAILURE(Join(base, base));
  ASSERT_TRUE(PlayToTheEnd(90s));
  const std::vector<std::string> duels = Told(own_, "duel ");
  EXPECT_FALSE(duels.empty());
  EXPECT_EQ(duels, Told(peer_, "duel "));
  const std::vector<std::string> winner = Told(own_, "game winner ");
  ASSERT_EQ(winner.size(), 1u) << Trail();
  EXPECT_EQ(winner, Told(peer_, "game winner "));
  EXPECT_NE(winner[0], "game winner none");
  // Both leave for the main menu, and neither is told the other left.
  for (play::Game* game : {&own_, &peer_}) {
    Switch(*game);
    ASSERT_TRUE(Open("no", "mainMenu.yml"));
  }
  EXPECT_TRUE(Told(own_, "message network").empty());
  EXPECT_TRUE(Told(peer_, "message network").empty());
  for (play::Game* game : {&own_, &peer_}) {
    Switch(*game);
    Stop();
  }
}

}  // namespace
