// The link's rules on a fake clock and an in-memory network: discovery and
// roles, which datagrams are taken, ordered delivery, acknowledgements and
// resends, keep-alive and time-out.
#include "net/PeerLink.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/framework/LogCapture.h"
#include "tests/net/FakeNetwork.h"

namespace {

using namespace net_testing;
using platform::UdpEndpoint;

constexpr UdpEndpoint kOwn{kLocalHost, 10000};
constexpr UdpEndpoint kPeer{kLocalHost, 10001};
constexpr UdpEndpoint kStranger{kLocalHost, 10002};
constexpr std::uint32_t kOwnTick = 5000;

bool Contains(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

class PeerLinkTest : public ::testing::Test {
 protected:
  // One step, then the clock moves on by `ms`. Returns whether the link ended.
  bool Step(std::uint32_t ms = 100) {
    const bool ended = link.Step(own, now, kBroadcast);
    now += ms;
    return ended;
  }
  void StepFor(std::uint32_t ms) {
    for (std::uint32_t t = 0; t < ms; t += 100) Step();
  }
  void From(const UdpEndpoint& from, const std::string& text) { network.Inject(kOwn, from, text); }
  // The peer's "connected" makes this link master (9000 > 5000).
  void Connect() {
    From(kPeer, "connected\n9000");
    Step();
    ASSERT_TRUE(link.Connected());
    own.sent.clear();
  }
  std::vector<std::string> Drain() {
    std::vector<std::string> bodies;
    for (std::string body = link.Receive(); !body.empty(); body = link.Receive()) bodies.push_back(body);
    return bodies;
  }

  LogCapture log;
  FakeNetwork network;
  FakeNetwork::Endpoint& own = network.Add(kOwn);
  PeerLink link{10000, kOwnTick};
  std::uint32_t now = 1000;
};

// Steps two links in turn until both are connected; false after 40 rounds.
bool Discover(PeerLink& a, PeerTransport& ta, PeerLink& b, PeerTransport& tb, std::uint32_t& now) {
  for (int round = 0; round < 40; ++round) {
    a.Step(ta, now, kBroadcast);
    b.Step(tb, now + 50, kBroadcast);
    now += 100;
    if (a.Connected() && b.Connected()) return true;
  }
  return false;
}

TEST_F(PeerLinkTest, TwoSidesFindEachOtherAndTheEarlierStartIsMaster) {
  FakeNetwork::Endpoint& other = network.Add(kPeer);
  PeerLink second(10000, 9000);
  // Alone, the first side hears only its own hellos and ignores them.
  StepFor(1000);
  EXPECT_FALSE(link.Connected());
  ASSERT_TRUE(Discover(link, own, second, other, now));
  EXPECT_EQ(link.Role(), PeerLink::kMaster);
  EXPECT_EQ(second.Role(), PeerLink::kSlave);
  EXPECT_EQ(link.Peer(), kPeer);
  EXPECT_EQ(second.Peer(), kOwn);
  const auto lines = log.Lines();
  EXPECT_TRUE(Contains(lines, "Connected as master."));
  EXPECT_TRUE(Contains(lines, "Connected as slave."));
}

TEST(PeerLinkRolesTest, RolesAreComplementaryAndTheSmallerSignedTickIsMaster) {
  LogCapture quiet;
  const std::uint32_t ticks[] = {0, 1, 5000, 0x7fffffffu, 0x80000000u, 0xfffffffeu, 0xffffffffu};
  for (std::uint32_t a : ticks) {
    for (std::uint32_t b : ticks) {
      if (a == b) continue;
      SCOPED_TRACE(std::to_string(a) + " vs " + std::to_string(b));
      FakeNetwork network;
      auto& ta = network.Add(kOwn);
      auto& tb = network.Add(kPeer);
      PeerLink first(10000, a), second(10000, b);
      std::uint32_t now = a ^ b;  // any clock will do
      ASSERT_TRUE(Discover(first, ta, second, tb, now));
      const bool firstMaster = static_cast<std::int32_t>(a) < static_cast<std::int32_t>(b);
      EXPECT_EQ(first.Role(), firstMaster ? PeerLink::kMaster : PeerLink::kSlave);
      EXPECT_EQ(first.Role() + second.Role(), PeerLink::kMaster + PeerLink::kSlave);
    }
  }
}

TEST_F(PeerLinkTest, HellosWalkTheFivePortsElevenAtATimeAndFailedOnesDoNotCount) {
  StepFor(200);
  own.failSends = true;
  StepFor(500);  // five failed hellos
  own.failSends = false;
  StepFor(6000);
  std::vector<std::uint16_t> ports;
  for (const Datagram& d : own.sent) {
    EXPECT_EQ(d.bytes, "QuennelVarrickPeer\n1\n5000");
    EXPECT_EQ(d.to.address, kBroadcast);
    ports.push_back(d.to.port);
  }
  ports.erase(ports.begin() + 2, ports.begin() + 7);  // the failed ones
  ASSERT_EQ(ports.size(), 62u);
  for (std::size_t n = 0; n < ports.size(); ++n) {
    EXPECT_EQ(ports[n], 10000 + (n / 11) % 5) << n;
  }
}

struct HelloCase {
  std::string text;
  bool connects;
  int role;
  bool logsVersion;
};

TEST(PeerLinkAcceptTest, AnUnconnectedSideTakesOnlyGoodHellosAndConnected) {
  const HelloCase cases[] = {
      {"QuennelVarrickPeer\n1\n9000", true, PeerLink::kMaster, false},
      {"QuennelVarrickPeer\n1\n4999", true, PeerLink::kSlave, false},
      {"connected\n9000", true, PeerLink::kMaster, false},
      {"connected\n-9000", true, PeerLink::kSlave, false},
      {"QuennelVarrickPeer\n2\n9000", false, 0, true},
      {"QuennelVarrickPeer\n1\n5000", false, 0, false},  // its own tick
      {"QuennelVarrickPeer\nx\n9000", false, 0, false},
      {"QuennelVarrickPeer\n1\n", false, 0, false},
      {"connected\nsoon", false, 0, false},
      {"mess\n0\nbody", false, 0, false},
      {"ok\n0", false, 0, false},
      {"puls", false, 0, false},
      {"hello", false, 0, false},
  };
  for (const HelloCase& c : cases) {
    SCOPED_TRACE(c.text);
    LogCapture log;
    FakeNetwork network;
    auto& own = network.Add(kOwn);
    PeerLink link(10000, kOwnTick);
    network.Inject(kOwn, kPeer, c.text);
    link.Step(own, 0, kLocalHost);  // hellos to 127.0.0.1 do not come back here
    EXPECT_EQ(link.Connected(), c.connects);
    EXPECT_EQ(link.Role(), c.role);
    EXPECT_EQ(Contains(log.Lines(), "Uncompotible protocol versions.\n"), c.logsVersion);
    // Only a hello is answered, and only "connected" or a hello is sent at all.
    const bool answered = c.connects && c.text.starts_with("Quennel");
    EXPECT_EQ(own.SentTexts("connected\n5000").size(), answered ? 1u : 0u);
    EXPECT_EQ(own.SentTexts("QuennelVarrickPeer").size() + own.SentTexts("connected").size(),
              own.sent.size());
    if (c.connects) {
      EXPECT_EQ(link.Peer(), kPeer);
    }
  }
}

TEST_F(PeerLinkTest, AConnectedSideDropsEverythingFromAnotherAddress) {
  Connect();
  for (const UdpEndpoint& stranger : {kStranger, UdpEndpoint{0x7f000002, 10001}}) {
    From(stranger, "mess\n0\nintruder");
    From(stranger, "QuennelVarrickPeer\n1\n7000");
    From(stranger, "connected\n1");
    From(stranger, "ok\n0");
  }
  link.Send("mine");
  Step();
  for (const Datagram& d : own.sent) EXPECT_EQ(d.to, kPeer);
  EXPECT_TRUE(link.Receive().empty());
  EXPECT_EQ(link.Peer(), kPeer);
  EXPECT_EQ(link.SendQueueSize(), 1u);  // the stranger's "ok" removed nothing
}

TEST_F(PeerLinkTest, AStepReadsAtMostThirtyTwoDatagramsSoTheStrangerCannotStarveThePeer) {
  Connect();
  for (int n = 0; n < 40; ++n) From(kStranger, "QuennelVarrickPeer\n1\n7000");
  From(kPeer, "mess\n0\nbody");
  Step();
  EXPECT_EQ(own.inbox.size(), 9u);
  EXPECT_TRUE(own.SentTexts("ok").empty());
  Step();
  EXPECT_EQ(own.SentTexts("ok"), std::vector<std::string>{"ok\n0"});
  EXPECT_EQ(link.Receive(), "body");
}

TEST_F(PeerLinkTest, MessagesAreDeliveredInOrderAndRepeatsOnlyAcknowledged) {
  Connect();
  EXPECT_EQ(link.Receive(), "");
  From(kPeer, "mess\n0\nzero");
  From(kPeer, "mess\n2\ntwo");
  Step();
  EXPECT_EQ(link.Receive(), "zero");
  EXPECT_EQ(link.Receive(), "");  // 1 has not arrived; 2 waits
  From(kPeer, "mess\n2\ntwo again");
  From(kPeer, "mess\n1\none");
  From(kPeer, "mess\n0\nzero again");
  Step();
  EXPECT_EQ(Drain(), (std::vector<std::string>{"one", "two"}));
  From(kPeer, "mess\n1\none again");
  Step();
  EXPECT_TRUE(Drain().empty());
  // Every copy was acknowledged, old and repeated ones included.
  EXPECT_EQ(own.SentTexts("ok"), (std::vector<std::string>{"ok\n0", "ok\n2", "ok\n2", "ok\n1", "ok\n0", "ok\n1"}));
}

TEST_F(PeerLinkTest, ABodyWithLineFeedsArrivesWhole) {
  FakeNetwork::Endpoint& other = network.Add(kPeer);
  PeerLink second(10000, 9000);
  ASSERT_TRUE(Discover(link, own, second, other, now));
  const std::string unit = "a_unit 3 4 1\nAda\n0 10 1 0 2 30 30 1 1 2 2 3 3 4 4 face 0 2 17 18";
  const std::string hello = "hello 0\nAda\n3 10 30 30 1 1 2 2 3 3 4 4 face sword 1 257";
  ASSERT_TRUE(link.Send(unit));
  ASSERT_TRUE(link.Send(hello));
  for (int n = 0; n < 3; ++n) Discover(link, own, second, other, now);
  EXPECT_EQ(second.Receive(), unit);
  EXPECT_EQ(second.Receive(), hello);
}

TEST_F(PeerLinkTest, AnOverLongBodyIsRefusedWithALogLineAndUsesNoNumber) {
  Connect();
  EXPECT_TRUE(link.Send(std::string(200, 'a')));
  EXPECT_FALSE(link.Send(std::string(201, 'b')));
  EXPECT_TRUE(Contains(log.Lines(), "Peer message of 201 bytes not sent: the limit is 200."));
  EXPECT_TRUE(link.Send("c"));
  Step();
  EXPECT_EQ(own.SentTexts("mess"), (std::vector<std::string>{"mess\n0\n" + std::string(200, 'a'), "mess\n1\nc"}));
}

TEST_F(PeerLinkTest, NumbersThatDoNotParseAreNeitherAcknowledgedNorMatched) {
  Connect();
  link.Send("keep me");
  Step();
  for (const char* text : {"ok\nxyz", "ok\n", "ok\n4294967296", "mess\nabc\nbody", "mess\n", "mess\n4294967296\nx"}) {
    From(kPeer, text);
  }
  // Longer than any datagram of the link: not ours, even though it starts well.
  From(kPeer, "mess\n1\n" + std::string(300, 'x'));
  Step();
  EXPECT_TRUE(own.SentTexts("ok").empty());
  EXPECT_EQ(link.ReceiveQueueSize(), 0u);
  EXPECT_EQ(link.SendQueueSize(), 1u);
}

TEST_F(PeerLinkTest, TheReceiveQueueIsBoundedByTheWindow) {
  Connect();
  From(kPeer, "mess\n4096\nfar");
  From(kPeer, "mess\n4095\nnear");
  From(kPeer, "mess\n2147483647\nfarthest");
  Step();
  EXPECT_EQ(own.SentTexts("ok"), std::vector<std::string>{"ok\n4095"});
  EXPECT_EQ(link.ReceiveQueueSize(), 1u);
}

TEST_F(PeerLinkTest, UnacknowledgedMessagesGoEverySecondAndPulsFillsTheSilence) {
  Connect();
  const std::uint32_t start = now;
  link.Send("x");
  std::vector<std::uint32_t> messTimes, pulsTimes;
  for (int n = 0; n < 70; ++n) {
    const std::size_t before = own.sent.size();
    if (n == 35) From(kPeer, "ok\n0");
    if (n % 9 == 0) From(kPeer, "puls");  // the peer keeps the link alive
    const std::uint32_t at = now;
    Step();
    for (std::size_t k = before; k < own.sent.size(); ++k) {
      (own.sent[k].bytes == "puls" ? pulsTimes : messTimes).push_back(at - start);
    }
  }
  EXPECT_EQ(messTimes, (std::vector<std::uint32_t>{0, 1000, 2000, 3000}));
  EXPECT_EQ(pulsTimes, (std::vector<std::uint32_t>{4100, 5200, 6300}));
  EXPECT_TRUE(link.Connected());
}

TEST_F(PeerLinkTest, TenSecondsOfSilenceEndTheLinkForGood) {
  now = 0xfffff000u;  // the tick counter wraps during the wait
  Connect();
  int lastAlive = -1;
  for (int n = 0; n < 120 && !Step(); ++n) lastAlive = n;
  EXPECT_EQ(lastAlive, 99);  // a silence of exactly 10000 ms is not yet over
  EXPECT_FALSE(link.Connected());
  own.sent.clear();
  From(kPeer, "QuennelVarrickPeer\n1\n9000");
  From(kPeer, "mess\n0\nlate");
  EXPECT_TRUE(link.Send("after the end"));
  for (int n = 0; n < 30; ++n) EXPECT_TRUE(Step());
  EXPECT_TRUE(own.sent.empty());
  EXPECT_FALSE(link.Connected());
  EXPECT_EQ(link.Receive(), "");
  const auto lines = log.Lines();
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "Disconnect by timeout.\n"), 1);
}

TEST_F(PeerLinkTest, PulsFromThePeerKeepsTheLinkAliveIndefinitely) {
  Connect();
  for (int n = 0; n < 600; ++n) {
    if (n % 95 == 0) From(kPeer, "puls");
    ASSERT_FALSE(Step()) << n;
  }
  EXPECT_TRUE(link.Connected());
}

TEST_F(PeerLinkTest, AStepThatAnswersAHelloStillSendsWhatIsQueued) {
  Connect();
  link.Send("abort");
  From(kPeer, "QuennelVarrickPeer\n1\n9000");
  Step();
  EXPECT_EQ(own.SentTexts(), (std::vector<std::string>{"connected\n5000", "mess\n0\nabort"}));
}

TEST_F(PeerLinkTest, AFailedSendIsRetriedAtTheNextStep) {
  Connect();
  link.Send("a");
  link.Send("b");
  own.failSends = true;
  Step();
  own.failSends = false;
  own.sent.clear();
  Step();
  EXPECT_EQ(own.SentTexts(), (std::vector<std::string>{"mess\n0\na", "mess\n1\nb"}));
}

}  // namespace
