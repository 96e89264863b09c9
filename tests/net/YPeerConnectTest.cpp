// The link with real UDP sockets on 127.0.0.1: two links on threads find
// each other and carry many messages in order, a step on the caller's
// thread sends at once, hellos go where they should, every link is torn
// down promptly whatever its state, and a link's identity is the machine's
// time since it started.
#include "net/YPeerConnect.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <fstream>
#include <memory>
#include <thread>

#include "platform/Clock.h"
#include "tests/framework/LogCapture.h"
#include "tests/support/FreePorts.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

int Count(const std::vector<std::string>& lines, const std::string& line) {
  return static_cast<int>(std::count(lines.begin(), lines.end(), line));
}

template <typename Condition>
bool WaitFor(Condition condition, std::chrono::milliseconds limit = 5000ms) {
  const auto end = Clock::now() + limit;
  while (!condition()) {
    if (Clock::now() > end) return false;
    std::this_thread::sleep_for(1ms);
  }
  return true;
}

std::chrono::nanoseconds TimeToDelete(std::unique_ptr<YPeerConnect>& link) {
  const auto start = Clock::now();
  link.reset();
  return Clock::now() - start;
}

class YPeerConnectTest : public ::testing::Test {
 protected:
  YPeerConnect::Options Options(std::uint32_t startTick, std::chrono::milliseconds step) {
    YPeerConnect::Options options;
    options.basePort = base;
    options.broadcastAddress = "127.255.255.255";
    options.startTick = startTick;
    options.stepInterval = step;
    return options;
  }
  // Two links on a hand-moved clock whose threads step once and then sleep
  // for an hour, so that only Process on the test's thread moves them on.
  void MakeIdlePair() {
    auto options = Options(5000, std::chrono::hours(1));
    options.clock = [this] { return now.load(); };
    first = std::make_unique<YPeerConnect>(options);
    options.startTick = 9000;
    second = std::make_unique<YPeerConnect>(options);
    ASSERT_TRUE(WaitFor([&] {
      now += 10;
      first->Process();
      second->Process();
      return first->Connected() && second->Connected();
    }));
  }

  // The next message the first link receives, stepping it on this thread
  // until one comes; empty when none came within the wait's limit.
  std::string NextOnFirst() {
    std::string got;
    WaitFor([&] {
      first->Process();
      got = first->Receive();
      return !got.empty();
    });
    return got;
  }

  LogCapture log;
  std::atomic<std::uint32_t> now{1000};
  const std::uint16_t base = testing_support::FreeUdpPorts(PeerLink::kPortCount);
  std::unique_ptr<YPeerConnect> first, second;
};

TEST_F(YPeerConnectTest, TwoLinksOnThreadsFindEachOtherAndCarryAThousandMessagesInOrder) {
  first = std::make_unique<YPeerConnect>(Options(5000, 5ms));
  second = std::make_unique<YPeerConnect>(Options(9000, 5ms));
  EXPECT_EQ(first->LocalPort(), base);
  EXPECT_EQ(second->LocalPort(), base + 1);
  ASSERT_TRUE(WaitFor([&] { return first->Connected() && second->Connected(); }));
  EXPECT_EQ(first->Role(), PeerLink::kMaster);
  EXPECT_EQ(second->Role(), PeerLink::kSlave);

  constexpr int kCount = 1000;
  std::thread sender([&] {
    for (int n = 0; n < kCount; ++n) first->Send("m" + std::to_string(n));
  });
  std::vector<std::string> got;
  const bool all = WaitFor(
      [&] {
        for (std::string body = second->Receive(); !body.empty(); body = second->Receive()) got.push_back(body);
        return got.size() >= kCount;
      },
      20000ms);
  sender.join();
  ASSERT_TRUE(all) << got.size();
  for (int n = 0; n < kCount; ++n) ASSERT_EQ(got[n], "m" + std::to_string(n));
  EXPECT_LT(TimeToDelete(first) + TimeToDelete(second), 1s);
}

TEST_F(YPeerConnectTest, ProcessSendsAtOnceAndDeletionIsPromptInEveryState) {
  first = std::make_unique<YPeerConnect>(Options(5000, std::chrono::hours(1)));
  EXPECT_LT(TimeToDelete(first), 500ms);  // searching, its thread asleep
  MakeIdlePair();
  // A message queued just before a step on this thread leaves with it.
  second->Send("abort");
  second->Process();
  EXPECT_EQ(NextOnFirst(), "abort");
  EXPECT_LT(TimeToDelete(first), 500ms);  // connected
  now += 11000;  // the peer is gone for eleven seconds
  EXPECT_TRUE(second->Process());
  EXPECT_FALSE(second->Connected());
  EXPECT_LT(TimeToDelete(second), 500ms);  // timed out, its thread ended
  const auto lines = log.Lines();
  EXPECT_EQ(Count(lines, "Disconnect by timeout.\n"), 1);
  EXPECT_EQ(Count(lines, "POSIX sockets initialized.\n"), 2);
  EXPECT_EQ(lines.back(), "POSIX sockets cleanup.\n");
}

// Giving the link up sends what was queued just before it, so that a
// farewell reaches the peer at once.
TEST_F(YPeerConnectTest, ALinkGivenUpSendsWhatWasQueuedFirst) {
  MakeIdlePair();
  second->Send("abort");
  second->Drop();
  EXPECT_FALSE(second->Connected());
  EXPECT_EQ(NextOnFirst(), "abort");
}

// A third socket floods the first link with 400 datagrams a step, 4,000 a
// second at the link's pace and more than the system's usual receive buffer
// holds, ahead of each of the peer's: the link drains what waits, keeps its
// peer past the time-out and takes every message in order.
TEST_F(YPeerConnectTest, AFloodFromAThirdAddressDoesNotCostThePeerItsLink) {
  MakeIdlePair();
  platform::UdpSocket flooder;
  ASSERT_TRUE(flooder.Open());
  const platform::UdpEndpoint target{0x7f000001, first->LocalPort()};
  constexpr int kSteps = 150;  // 15 s on the links' clock
  std::vector<std::string> got;
  for (int step = 0; step < kSteps; ++step) {
    for (int n = 0; n < 400; ++n) flooder.SendTo(target, "puls");
    second->Send("m" + std::to_string(step));
    now += 100;
    second->Process();
    first->Process();
    for (std::string body = first->Receive(); !body.empty(); body = first->Receive()) got.push_back(body);
  }
  EXPECT_TRUE(first->Connected());
  EXPECT_EQ(Count(log.Lines(), "Disconnect by timeout.\n"), 0);
  // Nothing is lost on this machine; a late datagram may still be on its way.
  ASSERT_GE(got.size(), kSteps - 10u);
  for (std::size_t n = 0; n < got.size(); ++n) ASSERT_EQ(got[n], "m" + std::to_string(n));
}

struct TargetCase {
  const char* host;
  bool logsUnknown;
};

TEST_F(YPeerConnectTest, HellosGoToTheNamedHostOrElseToTheBroadcastAddress) {
  const TargetCase cases[] = {{"127.0.0.1", false}, {"", false}, {"no-such-machine", true}};
  for (const TargetCase& c : cases) {
    SCOPED_TRACE(c.host);
    platform::UdpSocket listener;  // holds the base port, so the link binds the next one
    ASSERT_TRUE(listener.Open() && listener.SetNonBlocking());
    ASSERT_EQ(listener.Bind(base), platform::UdpSocket::BindResult::kBound);
    auto options = Options(5000, 10ms);
    options.host = c.host;
    options.lookUp = [](const std::string& host) -> std::optional<std::uint32_t> {
      if (host == "no-such-machine") return std::nullopt;  // at once, without a resolver
      return platform::LookUpHost(host);
    };
    LogCapture caseLog;
    YPeerConnect link(options);
    std::string bytes;
    platform::UdpEndpoint from;
    ASSERT_TRUE(WaitFor([&] {
      return listener.ReceiveFrom(bytes, 300, from) == platform::UdpSocket::ReceiveResult::kDatagram;
    }));
    EXPECT_EQ(bytes, "QuennelVarrickPeer\n1\n5000");
    EXPECT_EQ(from.port, base + 1);
    EXPECT_EQ(Count(caseLog.Lines(), std::string("Unknown host: ") + c.host + ".\n") > 0, c.logsUnknown);
  }
}

// Two programs whose links were made in the same millisecond of their own
// run would take each other's hellos for their own: a link's identity is
// the machine's time since it started, the same clock in every program.
TEST_F(YPeerConnectTest, ALinkTakesItsStartTickFromTheMachinesTimeSinceItStarted) {
  std::ifstream uptime("/proc/uptime");
  double seconds = 0;
  ASSERT_TRUE(uptime >> seconds);
  const auto sinceBoot = static_cast<std::uint32_t>(static_cast<std::uint64_t>(seconds * 1000.0));
  EXPECT_NEAR(static_cast<std::int32_t>(platform::BootTickCount() - sinceBoot), 0, 2000);
  auto options = Options(0, std::chrono::hours(1));
  options.startTick.reset();
  const std::uint32_t before = platform::BootTickCount();
  const YPeerConnect link(options);
  EXPECT_LE(link.StartTick() - before, platform::BootTickCount() - before);
}

TEST_F(YPeerConnectTest, WithEveryPortTakenTheLinkSearchesFromAnother) {
  std::vector<platform::UdpSocket> taken(PeerLink::kPortCount);
  for (std::size_t n = 0; n < taken.size(); ++n) {
    ASSERT_TRUE(taken[n].Open() && taken[n].SetNonBlocking());
    ASSERT_EQ(taken[n].Bind(static_cast<std::uint16_t>(base + n)), platform::UdpSocket::BindResult::kBound);
  }
  YPeerConnect link(Options(5000, 10ms));
  EXPECT_EQ(Count(log.Lines(), "No free port from " + std::to_string(base) + " to " + std::to_string(base + 4) +
                                   ": searching from another port."),
            1);
  // The hello reaches the socket on the base port; its answer links the two.
  std::string bytes;
  platform::UdpEndpoint from;
  ASSERT_TRUE(WaitFor([&] {
    return taken[0].ReceiveFrom(bytes, 300, from) == platform::UdpSocket::ReceiveResult::kDatagram;
  }));
  ASSERT_TRUE(taken[0].SendTo(from, "connected\n9000"));
  ASSERT_TRUE(WaitFor([&] { return link.Connected(); }));
  EXPECT_EQ(link.Role(), PeerLink::kMaster);
}

}  // namespace
