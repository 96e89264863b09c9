// Two links over a network that drops, duplicates and reorders a fifth of
// all datagrams still deliver every message exactly once and in order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "net/PeerLink.h"
#include "tests/framework/LogCapture.h"
#include "tests/net/FakeNetwork.h"

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
  PeerLink links[2] = {PeerLink(10000, 5000 + seed), PeerLink(10000, 9000 + seed)};
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

}  // namespace
