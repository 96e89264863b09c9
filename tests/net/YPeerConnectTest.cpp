// The link with real UDP sockets on 127.0.0.1: two links on threads find
// each other and carry many messages in order, a step on the caller's
// thread sends at once, hellos go where they should, and every link is
// torn down promptly whatever its state.
#include "net/YPeerConnect.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include "platform/UdpSocket.h"
#include "tests/framework/LogCapture.h"
#include "tests/support/FreePorts.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr std::uint32_t kLocalHost = 0x7f000001;

bool Contains(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
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

// A clock the test moves by hand; read by the link thread.
struct ManualClock {
  std::atomic<std::uint32_t> now{1000};
  YPeerConnect::Clock Function() {
    return [this] { return now.load(); };
  }
};

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
  // Two links whose threads step once and then sleep for an hour, so that
  // only the test's own Process calls move them on.
  void MakeIdlePair() {
    auto options = Options(5000, std::chrono::hours(1));
    options.clock = clock.Function();
    first = std::make_unique<YPeerConnect>(options);
    options.startTick = 9000;
    second = std::make_unique<YPeerConnect>(options);
  }
  bool ProcessUntil(const std::function<bool()>& condition) {
    return WaitFor([&] {
      clock.now += 10;
      first->Process();
      second->Process();
      return condition();
    });
  }

  LogCapture log;
  ManualClock clock;
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
    for (int n = 0; n < kCount; ++n) {
      first->Send("m" + std::to_string(n));
      if (n % 50 == 49) std::this_thread::sleep_for(1ms);
    }
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
  EXPECT_EQ(second->Receive(), "");

  const auto start = Clock::now();
  first.reset();
  second.reset();
  EXPECT_LT(Clock::now() - start, 1s);
}

TEST_F(YPeerConnectTest, ProcessOnTheCallersThreadSendsAMessageQueuedJustBefore) {
  MakeIdlePair();
  ASSERT_TRUE(ProcessUntil([&] { return first->Connected() && second->Connected(); }));
  second->Send("abort");
  second->Process();
  std::string got;
  ASSERT_TRUE(WaitFor([&] {
    first->Process();
    got = first->Receive();
    return !got.empty();
  }));
  EXPECT_EQ(got, "abort");
}

TEST_F(YPeerConnectTest, DestructionIsPromptInEveryState) {
  const auto timed = [](std::unique_ptr<YPeerConnect>& link) {
    const auto start = Clock::now();
    link.reset();
    return Clock::now() - start;
  };
  // Searching, with its thread asleep for an hour.
  MakeIdlePair();
  EXPECT_LT(timed(first), 500ms);
  EXPECT_LT(timed(second), 500ms);
  // Connected.
  MakeIdlePair();
  ASSERT_TRUE(ProcessUntil([&] { return first->Connected() && second->Connected(); }));
  EXPECT_LT(timed(first), 500ms);
  // Timed out: the peer is gone and eleven seconds pass.
  clock.now += 11000;
  EXPECT_TRUE(second->Process());
  EXPECT_FALSE(second->Connected());
  EXPECT_TRUE(Contains(log.Lines(), "Disconnect by timeout.\n"));
  EXPECT_TRUE(second->Send("after the end"));
  EXPECT_LT(timed(second), 500ms);
  // The socket layer was started for the first link and cleaned up after the last.
  const auto lines = log.Lines();
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "POSIX sockets initialized.\n"), 2);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "POSIX sockets cleanup.\n"), 2);
  EXPECT_EQ(lines.back(), "POSIX sockets cleanup.\n");
}

struct TargetCase {
  const char* host;
  std::uint32_t expectedTo;  // where the hello must arrive from the link's view
  bool logsUnknown;
};

TEST_F(YPeerConnectTest, HellosGoToTheNamedHostOrToTheBroadcastAddress) {
  const TargetCase cases[] = {
      {"127.0.0.1", kLocalHost, false},
      {"", 0x7fffffff, false},
      {"no-such-machine", 0x7fffffff, true},
  };
  for (const TargetCase& c : cases) {
    SCOPED_TRACE(c.host);
    platform::UdpSocket listener;
    ASSERT_TRUE(listener.Open() && listener.SetNonBlocking());
    ASSERT_EQ(listener.Bind(base), platform::UdpSocket::BindResult::kBound);
    auto options = Options(5000, 10ms);
    options.host = c.host;
    options.lookUp = [](const std::string& host) -> std::optional<std::uint32_t> {
      if (host == "no-such-machine") return std::nullopt;  // fails at once, without a resolver
      return platform::LookUpHost(host);
    };
    LogCapture caseLog;
    YPeerConnect link(options);
    EXPECT_EQ(link.LocalPort(), base + 1);  // the listener holds the base port
    std::string bytes;
    platform::UdpEndpoint from;
    ASSERT_TRUE(WaitFor([&] {
      return listener.ReceiveFrom(bytes, 300, from) == platform::UdpSocket::ReceiveResult::kDatagram;
    }));
    EXPECT_EQ(bytes, "QuennelVarrickPeer\n1\n5000");
    EXPECT_EQ(from, (platform::UdpEndpoint{kLocalHost, static_cast<std::uint16_t>(base + 1)}));
    EXPECT_EQ(Contains(caseLog.Lines(), std::string("Unknown host: ") + c.host + ".\n"), c.logsUnknown);
  }
}

TEST_F(YPeerConnectTest, WithEveryPortTakenTheLinkStillSearchesFromAnotherPort) {
  std::vector<platform::UdpSocket> taken(5);
  for (int n = 0; n < 5; ++n) {
    ASSERT_TRUE(taken[n].Open() && taken[n].SetNonBlocking());
    ASSERT_EQ(taken[n].Bind(static_cast<std::uint16_t>(base + n)), platform::UdpSocket::BindResult::kBound);
  }
  YPeerConnect link(Options(5000, 10ms));
  EXPECT_TRUE(Contains(log.Lines(), "No free port from " + std::to_string(base) + " to " +
                                        std::to_string(base + 4) + ": searching from another port."));
  // The hello reaches the socket on the base port; its answer links the two.
  std::string bytes;
  platform::UdpEndpoint from;
  ASSERT_TRUE(WaitFor([&] {
    return taken[0].ReceiveFrom(bytes, 300, from) == platform::UdpSocket::ReceiveResult::kDatagram;
  }));
  EXPECT_EQ(from.port, link.LocalPort());
  ASSERT_TRUE(taken[0].SendTo(from, "connected\n9000"));
  ASSERT_TRUE(WaitFor([&] { return link.Connected(); }));
  EXPECT_EQ(link.Role(), PeerLink::kMaster);
}

}  // namespace
