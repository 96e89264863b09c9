// Two links over a network that drops, duplicates and reorders a fifth of
// all datagrams still deliver every message exactly once and in order: the
// rules on an in-memory network, and the whole link with its thread and
// socket through a relay on 127.0.0.1.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "net/PeerLink.h"
#include "net/YPeerConnect.h"
#include "tests/framework/LogCapture.h"
#include "tests/net/FakeNetwork.h"
#include "tests/net/LossyRelay.h"
#include "tests/support/FreePorts.h"

namespace {

using namespace net_testing;

constexpr int kMessages = 400;

std::string Body(int side, int n) { return std::to_string(side) + ":" + std::to_string(n) + std::string(n % 7, '\n'); }

// Sends kMessages from each side in bursts while both step, until each has
// received all of the other's and then some 3 s more (so that resends and
// late copies would show); returns what each received, in order.
std::vector<std::vector<std::string>> Exchange(std::uint32_t seed) {
  FakeNetwork network;
  network.MakeLossy(20, seed);
  FakeNetwork::Endpoint* ends[2] = {&network.Add({kLocalHost, 10000}), &network.Add({kLocalHost, 10001})};
  // A start tick past 2^31 is negative on the wire: that side is master.
  PeerLink links[2] = {PeerLink(10000, 9000 + seed), PeerLink(10000, 0x80000000u + seed)};
  std::vector<std::vector<std::string>> received(2);
  int queued[2] = {0, 0};
  std::uint32_t now = seed * 7919;
  int stepsLeft = 5000;
  for (int step = 0; step < stepsLeft; ++step) {
    for (int side = 0; side < 2; ++side) {
      EXPECT_FALSE(links[side].Step(*ends[side], now, kBroadcast));
      for (int n = 0; n < 3 && queued[side] < kMessages && links[side].Connected(); ++n) {
        links[side].Send(Body(side, queued[side]++));
      }
      for (std::string body = links[side].Receive(); !body.empty(); body = links[side].Receive()) {
        received[side].push_back(body);
      }
      now += 50;
    }
    if (received[0].size() == kMessages && received[1].size() == kMessages && stepsLeft == 5000) {
      stepsLeft = step + 30;
    }
  }
  return received;
}

TEST(PeerLinkSoakTest, ALossyNetworkStillDeliversEveryMessageOnceInOrder) {
  LogCapture quiet;
  for (std::uint32_t seed : {1u, 2u, 3u}) {
    SCOPED_TRACE(seed);
    const auto received = Exchange(seed);
    for (int side = 0; side < 2; ++side) {
      ASSERT_EQ(received[side].size(), static_cast<std::size_t>(kMessages));
      for (int n = 0; n < kMessages; ++n) ASSERT_EQ(received[side][n], Body(1 - side, n));
    }
  }
}

// Each link searches for its host, 127.0.0.1, from a base port that the
// relay holds, so it binds the next port and its hellos reach only the
// relay; the two ranges of five ports lie apart.
TEST(PeerLinkSoakTest, ALossyRelayOnRealSocketsStillDeliversEveryMessageOnceInOrder) {
  using namespace std::chrono_literals;
  LogCapture quiet;
  constexpr int kCount = 200;
  const std::uint16_t base = testing_support::FreeUdpPorts(2 * PeerLink::kPortCount);
  const std::uint16_t bases[2] = {base, static_cast<std::uint16_t>(base + PeerLink::kPortCount)};
  LossyRelay relay;
  ASSERT_TRUE(relay.Open(bases[0], bases[1]));
  relay.MakeLossy(20, 7);
  std::unique_ptr<YPeerConnect> links[2];
  for (int side = 0; side < 2; ++side) {
    YPeerConnect::Options options;
    options.basePort = bases[side];
    options.host = "127.0.0.1";
    options.startTick = 5000 + 4000 * side;  // two links made in one millisecond would share a tick
    options.stepInterval = 10ms;
    links[side] = std::make_unique<YPeerConnect>(options);
    ASSERT_EQ(links[side]->LocalPort(), bases[side] + 1);
  }
  relay.Join({kLocalHost, links[0]->LocalPort()}, {kLocalHost, links[1]->LocalPort()});
  std::vector<std::string> received[2];
  int queued[2] = {0, 0};
  // Runs until each side has the other's messages, then 1.5 s more for
  // resends and late copies to show; 25 s at most.
  const auto deadline = std::chrono::steady_clock::now() + 25s;
  auto end = deadline;
  for (int tick = 0; std::chrono::steady_clock::now() < end; ++tick) {
    relay.Pump();
    for (int side = 0; side < 2; ++side) {
      if (tick % 10 == 0 && links[side]->Connected() && queued[side] < kCount) {
        ASSERT_TRUE(links[side]->Send(Body(side, queued[side]++)));
      }
      for (std::string body = links[side]->Receive(); !body.empty(); body = links[side]->Receive())
        received[side].push_back(body);
    }
    if (end == deadline && received[0].size() >= kCount && received[1].size() >= kCount)
      end = std::chrono::steady_clock::now() + 1500ms;
    std::this_thread::sleep_for(1ms);
  }
  for (int side = 0; side < 2; ++side) {
    EXPECT_TRUE(links[side]->Connected());
    ASSERT_EQ(received[side].size(), static_cast<std::size_t>(kCount));
    for (int n = 0; n < kCount; ++n) ASSERT_EQ(received[side][n], Body(1 - side, n));
  }
}

}  // namespace
