// Network games between two play programs on this machine (NetworkPlay.h).
#include <gtest/gtest.h>

#include <csignal>
#include <string>
#include <thread>
#include <vector>

#include "net/PeerLink.h"
#include "tests/e2e/GameProcess.h"
#include "tests/play/NetworkPlay.h"
#include "tests/support/FreePorts.h"

namespace {

using namespace std::chrono_literals;
using play::NetworkPlay;

// The relay program between the host's links, from base port `base`, and
// the joiner's, five ports on: it holds the first port of each, where the
// host's broadcast and the joiner's hellos to 127.0.0.1 arrive.
struct Relay {
  Relay(std::uint16_t base, std::vector<std::string> options)
      : process(folder.Str(), "", WithPorts(base, std::move(options)), e2e::Launch{QV_LOSSYRELAY_EXE, ""}) {}
  static std::vector<std::string> WithPorts(std::uint16_t base, std::vector<std::string> options) {
    options.insert(options.begin(), {"--a", std::to_string(base), "--b", std::to_string(JoinBase(base))});
    return options;
  }
  static std::uint16_t JoinBase(std::uint16_t base) {
    return static_cast<std::uint16_t>(base + PeerLink::kPortCount);
  }
  bool Ready() {
    return e2e::WaitUntil([&] { return process.Stderr().find("relay ready") != std::string::npos; }, 5s);
  }

  testing_support::ScopedTempDir folder;  // its own report file
  e2e::GameProcess process;
};

// The game that waits for the move gives the link up at once; the mover,
// no longer answered, loses it at the link's time-out.
TEST_F(NetworkPlay, AMoveTheRelayTurnsIntoAStartEndsTheGameAsALostLinkOnBothSides) {
  WriteProfiles();
  const std::uint16_t base = testing_support::FreeUdpPorts(2 * PeerLink::kPortCount);
  Relay relay(base, {"--swap", "canStart", "--seconds", "120"});
  ASSERT_TRUE(relay.Ready()) << relay.process.Stderr();
  // The game that waits may show the message before it is seen at the board.
  ASSERT_NO_FATAL_FAILURE(Join(base, Relay::JoinBase(base), "message.yml"));
  for (const play::Game* game : {&own_, &peer_}) {
    ASSERT_TRUE(e2e::WaitUntil([&] { return !Told(*game, "message network").empty(); }, 40s)) << Trail();
    EXPECT_EQ(Told(*game, "message network"), std::vector<std::string>{"message network_disconnect"});
  }
  EXPECT_NE(relay.process.Stderr().find("swapped=1"), std::string::npos) << relay.process.Stderr();
  for (play::Game* game : {&own_, &peer_}) {
    Switch(*game);
    Stop();
  }
}

TEST_F(NetworkPlay, TwoGamesJoinedByAddressPlayToTheEndAndAgreeOnEveryDuelAndTheWinner) {
  WriteProfiles();
  const std::uint16_t base = testing_support::FreeUdpPorts(PeerLink::kPortCount);
  ASSERT_NO_FATAL_FAILURE(Join(base, base));
  ASSERT_TRUE(PlayToTheEnd(90s));
  ASSERT_NO_FATAL_FAILURE(ExpectTheSameGame(true));
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

// The maintainer's runs play every duel out: both sides are the duel
// computers, whose moves cross the link.
class LongNetworkPlay : public play::Long<NetworkPlay> {
 protected:
  void PlayDuelsOut() const {
    for (const play::Game* game : {&own_, &peer_})
      testing_support::WriteFile(game->UserFolder() / "standin.txt", "play\n");
  }
};

TEST_F(LongNetworkPlay, APeerKilledMidDuelLeavesTheOtherOneDisconnectMessageAndTheMainMenu) {
  WriteProfiles();
  PlayDuelsOut();
  const std::uint16_t base = testing_support::FreeUdpPorts(PeerLink::kPortCount);
  ASSERT_NO_FATAL_FAILURE(Join(base, base));
  Switch(own_);
  ASSERT_TRUE(Reach("none", "0x3", "", 60s)) << "a duel begins";
  std::this_thread::sleep_for(1s);
  peer_.run->Signal(SIGKILL);
  ASSERT_TRUE(Reach("message.yml", "", "", 30s));
  EXPECT_EQ(std::stoul(current_.state, nullptr, 16) & 0x4000, 0x4000u) << Trail();
  ASSERT_TRUE(Open("ok", "mainMenu.yml"));
  // Whatever the link's end still stirs, the message is not shown again.
  std::this_thread::sleep_for(12s);
  EXPECT_EQ(Told(own_, "message network").size(), 1u) << Trail();
  EXPECT_EQ(Told(own_, "message network_disconnect").size(), 1u) << Trail();
  EXPECT_EQ(play::LastScreen(own_.run->Stderr()).name, "mainMenu.yml") << Trail();
  Stop();
}

TEST_F(LongNetworkPlay, OverARelayThatLosesAFifthOfTheDatagramsBothAgreeOnEveryDuelAndTheWinner) {
  WriteProfiles();
  PlayDuelsOut();
  const std::uint16_t base = testing_support::FreeUdpPorts(2 * PeerLink::kPortCount);
  Relay relay(base, {"--share", "20", "--seed", "11", "--seconds", "900"});
  ASSERT_TRUE(relay.Ready()) << relay.process.Stderr();
  ASSERT_NO_FATAL_FAILURE(Join(base, Relay::JoinBase(base)));
  ASSERT_TRUE(PlayToTheEnd(600s));
  ASSERT_NO_FATAL_FAILURE(ExpectTheSameGame(false));
  const std::string out = relay.process.Stderr();
  const std::string tally = out.substr(out.rfind("relay "));
  EXPECT_EQ(tally.find("dropped=0 "), std::string::npos) << tally;
  std::printf("%s", tally.c_str());
  for (play::Game* game : {&own_, &peer_}) {
    Switch(*game);
    Stop();
  }
}

}  // namespace
