// Network games between two play programs on this machine (NetworkPlay.h).
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <optional>
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

// Light pixels of the two lines of the network wait's notice, at least; a
// screen without the notice has none there.
constexpr int kWaitNoticePixels = 400;

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

// The game that waits for the move gives the link up at once and tells the
// mover so, whose player learns that the other left rather than a lost link
// at the link's time-out.
TEST_F(NetworkPlay, AMoveTheRelayTurnsIntoAStartEndsTheGameOnBothSidesAtOnce) {
  WriteProfiles();
  const std::uint16_t base = testing_support::FreeUdpPorts(2 * PeerLink::kPortCount);
  Relay relay(base, {"--swap", "canStart", "--seconds", "120"});
  ASSERT_TRUE(relay.Ready()) << relay.process.Stderr();
  // The game that waits may show the message before it is seen at the board.
  ASSERT_NO_FATAL_FAILURE(Join(base, Relay::JoinBase(base), "message.yml"));
  std::vector<std::string> told;
  for (const play::Game* game : {&own_, &peer_}) {
    ASSERT_TRUE(e2e::WaitUntil([&] { return !Told(*game, "message network").empty(); }, 40s)) << Trail();
    const std::vector<std::string> lines = Told(*game, "message network");
    told.insert(told.end(), lines.begin(), lines.end());
  }
  std::sort(told.begin(), told.end());
  EXPECT_EQ(told, (std::vector<std::string>{"message network_abort", "message network_disconnect"}));
  // The relay tells its tally once a second: the games may have ended before.
  EXPECT_TRUE(e2e::WaitUntil([&] { return relay.process.Stderr().find("swapped=1") != std::string::npos; }, 3s))
      << relay.process.Stderr();
  StopBoth();
}

TEST_F(NetworkPlay, TwoGamesJoinedByAddressPlayToTheEndAndAgreeOnEveryDuelAndTheWinner) {
  WriteProfiles();
  const std::uint16_t base = testing_support::FreeUdpPorts(PeerLink::kPortCount);
  ASSERT_NO_FATAL_FAILURE(Join(base, base));
  // About 30 s on a quiet machine; over 90 s on two cores busy with the
  // sanitizer build that CI runs beside the play tests.
  ASSERT_TRUE(PlayToTheEnd(180s));
  ASSERT_NO_FATAL_FAILURE(ExpectTheSameGame(true));
  // Both leave for the main menu, and neither is told the other left.
  for (play::Game* game : {&own_, &peer_}) {
    Switch(*game);
    ASSERT_TRUE(Open("no", "mainMenu.yml"));
  }
  EXPECT_TRUE(Told(own_, "message network").empty());
  EXPECT_TRUE(Told(peer_, "message network").empty());
  StopBoth();
}

// Heroes alone: one duel ends each game. "Play again" on both begins a new
// game; then the other player takes the main menu while this one wishes to
// play again: a message says so, Escape answers it, and the setup is back.
TEST_F(NetworkPlay, PlayAgainOnBothBeginsANewGameAndAgainstTheMenuLeadsBackToTheSetup) {
  WriteProfiles(true);
  const std::uint16_t base = testing_support::FreeUdpPorts(PeerLink::kPortCount);
  ASSERT_NO_FATAL_FAILURE(Join(base, base));
  ASSERT_TRUE(PlayToTheEnd(60s));
  for (play::Game* game : {&own_, &peer_}) {
    Switch(*game);
    ASSERT_TRUE(Click("yes"));
  }
  for (play::Game* game : {&own_, &peer_}) {
    Switch(*game);
    ASSERT_TRUE(Reach("board", "0x2")) << "a new game";
  }
  ASSERT_TRUE(PlayToTheEnd(60s));
  EXPECT_EQ(Told(own_, "game winner ").size(), 2u);
  Switch(own_);
  ASSERT_TRUE(Click("yes"));
  Switch(peer_);
  ASSERT_TRUE(Open("no", "mainMenu.yml"));
  Switch(own_);
  ASSERT_TRUE(Reach("message.yml", "0x4002"));
  Press("Escape");
  ASSERT_TRUE(Reach("sg_internet.yml", "0x2004"));
  EXPECT_EQ(Told(own_, "message network"), std::vector<std::string>{"message network_abort"});
  EXPECT_TRUE(Told(peer_, "message network").empty());
  StopBoth();
}

// The master starts while the other player has its player list open: the
// start waits, the master saying so, until the other one has chosen again.
TEST_F(NetworkPlay, AStartWhileTheOtherChoosesItsPlayerWaitsForTheChoice) {
  WriteProfiles();
  const std::uint16_t base = testing_support::FreeUdpPorts(PeerLink::kPortCount);
  ASSERT_NO_FATAL_FAILURE(Link(base, base));
  play::Game* master = Master();
  ASSERT_NE(master, nullptr) << own_.run->Stderr();
  play::Game& other = master == &own_ ? peer_ : own_;
  bool waiting = false;
  for (int round = 0; round < 10 && !waiting; ++round) {
    for (play::Game* game : {&own_, &peer_}) {
      Switch(*game);
      ASSERT_TRUE(Click("apply"));
    }
    std::this_thread::sleep_for(500ms);
    Switch(other);
    ASSERT_TRUE(Open("profiles", "sg_profiles.yml"));
    Switch(*master);
    ASSERT_TRUE(Click("start"));
    waiting = e2e::WaitUntil(
        [&] {
          return testing_support::ReadFile(master->UserFolder() / "log.txt").find("-> 0x2\n") !=
                 std::string::npos;
        },
        2s);
    if (!waiting) {
      Switch(other);
      ASSERT_TRUE(Open("cancel", "sg_internet.yml"));
    }
  }
  ASSERT_TRUE(waiting) << "the master never started";
  Point(master->window, 990, 615, false);  // the pointer away from the notice
  std::this_thread::sleep_for(1s);
  // The board is held dark, and across its middle the master says that it
  // waits for the other player.
  const std::string shot = Shot("play_AStartWhileTheOth_waits.png");
  ASSERT_TRUE(Screenshot(master->window, shot));
  const std::optional<platform::Image> image = platform::LoadImageFile(shot);
  ASSERT_TRUE(image);
  const auto light = [](int r, int g, int b) { return r + g + b > 384; };
  EXPECT_GT(e2e::CountPixels(*image, 0, 250, 1000, 450, light), kWaitNoticePixels);
  EXPECT_LT(e2e::CountPixels(*image, 0, 0, 1000, 200, light), 50) << "the board is held dark";
  Switch(other);
  ASSERT_TRUE(Open("cancel", "sg_internet.yml"));
  ASSERT_TRUE(Click("apply"));
  for (play::Game* game : {&other, master}) {
    Switch(*game);
    ASSERT_TRUE(Reach("board", "0x2"));
  }
  EXPECT_TRUE(Told(own_, "message network").empty());
  EXPECT_TRUE(Told(peer_, "message network").empty());
  StopBoth();
}

// This player's program ends (a signal, as when the window is closed) while
// the other one has its player list open over the setup: the other one is
// told at once that this one left, over the list, and its answer leaves the
// list over a setup that looks for a game again.
TEST_F(NetworkPlay, AProgramEndedInTheSetupIsToldAtOnceOverTheOthersPlayerList) {
  WriteProfiles();
  const std::uint16_t base = testing_support::FreeUdpPorts(PeerLink::kPortCount);
  ASSERT_NO_FATAL_FAILURE(Link(base, base));
  const auto linked = [](const play::Game& game) {
    return testing_support::ReadFile(game.UserFolder() / "log.txt").find("Connected as ") != std::string::npos;
  };
  ASSERT_TRUE(e2e::WaitUntil([&] { return linked(own_) && linked(peer_); }, 20s));
  Switch(peer_);
  ASSERT_TRUE(Open("profiles", "sg_profiles.yml"));
  Switch(own_);
  Stop();
  Switch(peer_);
  ASSERT_TRUE(Reach("message.yml", "0xe004", "", 5s));
  EXPECT_EQ(Told(peer_, "message network"), std::vector<std::string>{"message network_abort"});
  ASSERT_TRUE(Click("ok"));
  ASSERT_TRUE(Reach("sg_profiles.yml", "0xa004"));
  ASSERT_TRUE(Click("cancel"));
  ASSERT_TRUE(Reach("sg_internet.yml", "0x2004"));
  Stop();
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
  StopBoth();
}

}  // namespace
