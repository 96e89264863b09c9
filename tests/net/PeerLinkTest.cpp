// The link's rules on a fake clock and an in-memory network: discovery and
// roles, which datagrams are taken, ordered delivery, acknowledgements and
// resends, keep-alive, time-out and giving the link up.
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
using Texts = std::vector<std::string>;

constexpr UdpEndpoint kOwn{kLocalHost, 10000};
constexpr UdpEndpoint kPeer{kLocalHost, 10001};
constexpr UdpEndpoint kStranger{kLocalHost, 10002};

int Count(const Texts& lines, const std::string& line) {
  return static_cast<int>(std::count(lines.begin(), lines.end(), line));
}

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

class PeerLinkTest : public ::testing::Test {
 protected:
  // One step, then the clock moves on by 100 ms. True when the link ended.
  bool Step() {
    const bool ended = link.Step(own, now, kBroadcast);
    now += 100;
    return ended;
  }
  void From(const UdpEndpoint& from, const std::string& text) { network.Inject(kOwn, from, text); }
  // The peer's "connected" makes this link master (9000 > 5000).
  void Connect() {
    From(kPeer, "connected\n9000");
    Step();
    ASSERT_TRUE(link.Connected());
    own.sent.clear();
  }
  Texts Drain() {
    Texts bodies;
    for (std::string body = link.Receive(); !body.empty(); body = link.Receive()) bodies.push_back(body);
    return bodies;
  }

  LogCapture log;
  FakeNetwork network;
  FakeNetwork::Endpoint& own = network.Add(kOwn);
  PeerLink link{10000, 5000};
  std::uint32_t now = 1000;
};

TEST_F(PeerLinkTest, TwoSidesFindEachOtherAndTheEarlierStartIsMaster) {
  FakeNetwork::Endpoint& other = network.Add(kPeer);
  PeerLink second(10000, 9000);
  // Alone, the first side hears only its own hellos and ignores them.
  for (int n = 0; n < 10; ++n) Step();
  EXPECT_FALSE(link.Connected());
  ASSERT_TRUE(Discover(link, own, second, other, now));
  EXPECT_EQ(link.Role(), PeerLink::kMaster);
  EXPECT_EQ(second.Role(), PeerLink::kSlave);
  EXPECT_EQ(link.Peer(), kPeer);
  EXPECT_EQ(second.Peer(), kOwn);
  EXPECT_EQ(Count(log.Lines(), "Connected as master."), 1);
  EXPECT_EQ(Count(log.Lines(), "Connected as slave."), 1);
}

TEST_F(PeerLinkTest, HellosWalkTheFivePortsElevenAtATime) {
  for (int n = 0; n < 60; ++n) Step();
  ASSERT_EQ(own.sent.size(), 60u);
  for (std::size_t n = 0; n < own.sent.size(); ++n) {
    EXPECT_EQ(own.sent[n].bytes, "QuennelVarrickPeer\n1\n5000");
    EXPECT_EQ(own.sent[n].to, (UdpEndpoint{kBroadcast, static_cast<std::uint16_t>(10000 + (n / 11) % 5)}));
  }
}

struct AcceptCase {
  std::string text;
  int role;  // 0: no link made
  bool logsVersion;
};

TEST(PeerLinkAcceptTest, AnUnconnectedSideTakesOnlyGoodHellosAndConnected) {
  const AcceptCase cases[] = {
      {"QuennelVarrickPeer\n1\n9000", PeerLink::kMaster, false},
      {"QuennelVarrickPeer\n1\n4999", PeerLink::kSlave, false},
      {"connected\n9000", PeerLink::kMaster, false},
      {"connected\n-9000", PeerLink::kSlave, false},
      {"QuennelVarrickPeer\n2\n9000", 0, true},
      {"QuennelVarrickPeer\n1\n5000", 0, false},  // its own tick
      {"QuennelVarrickPeer\nx\n9000", 0, false},
      {"QuennelVarrickPeer\n1\n", 0, false},
      {"connected\nsoon", 0, false},
      {"mess\n0\nbody", 0, false},
      {"ok\n0", 0, false},
      {"puls", 0, false},
  };
  for (const AcceptCase& c : cases) {
    SCOPED_TRACE(c.text);
    LogCapture log;
    FakeNetwork network;
    auto& own = network.Add(kOwn);
    PeerLink link(10000, 5000);
    network.Inject(kOwn, kPeer, c.text);
    link.Step(own, 0, kLocalHost);
    EXPECT_EQ(link.Connected(), c.role != 0);
    EXPECT_EQ(link.Role(), c.role);
    EXPECT_EQ(Count(log.Lines(), "Uncompotible protocol versions.\n"), c.logsVersion ? 1 : 0);
    // Only an accepted hello is answered; otherwise only hellos go out.
    const bool answers = c.role != 0 && c.text.starts_with("Quennel");
    EXPECT_EQ(own.SentTexts("connected\n5000").size(), answers ? 1u : 0u);
    EXPECT_EQ(own.SentTexts("QuennelVarrickPeer").size(), c.role != 0 ? 0u : 1u);
  }
}

TEST_F(PeerLinkTest, AConnectedSideIgnoresOtherAddressesAndDrainsWhatWaitsUpToABound) {
  Connect();
  link.Send("mine");
  for (const UdpEndpoint& stranger : {kStranger, UdpEndpoint{0x7f000002, 10001}}) {
    for (const char* text : {"mess\n0\nintruder", "QuennelVarrickPeer\n1\n7000", "connected\n1", "ok\n0"}) {
      for (int n = 0; n < 5; ++n) From(stranger, text);
    }
  }
  From(kPeer, "mess\n0\nbody");
  Step();
  EXPECT_TRUE(own.inbox.empty());
  EXPECT_EQ(own.SentTexts(), (Texts{"ok\n0", "mess\n0\nmine"}));
  for (const Datagram& d : own.sent) EXPECT_EQ(d.to, kPeer);
  EXPECT_EQ(Drain(), Texts{"body"});
  EXPECT_EQ(link.SendQueueSize(), 1u);  // no stranger's "ok" counted
  // A flood beyond the bound leaves the rest for the next step.
  for (int n = 0; n < PeerLink::kDatagramsPerStep; ++n) From(kStranger, "puls");
  From(kPeer, "mess\n1\nbehind the flood");
  Step();
  EXPECT_EQ(own.inbox.size(), 1u);
  Step();
  EXPECT_EQ(Drain(), Texts{"behind the flood"});
}

TEST_F(PeerLinkTest, AMessWithoutItsBodyIsNeitherTakenNorAcknowledgedAndNoneIsSent) {
  Connect();
  From(kPeer, "mess\n0");
  From(kPeer, "mess\n0\n");
  From(kPeer, "mess\n0\nreal");
  Step();
  EXPECT_EQ(own.SentTexts("ok"), Texts{"ok\n0"});
  EXPECT_EQ(Drain(), Texts{"real"});
  EXPECT_FALSE(link.Send(""));
  EXPECT_EQ(Count(log.Lines(), "Empty peer message not sent."), 1);
  Step();
  EXPECT_EQ(link.SendQueueSize(), 0u);
}

TEST_F(PeerLinkTest, MessagesAreDeliveredInOrderAndRepeatsOnlyAcknowledged) {
  Connect();
  From(kPeer, "mess\n0\nzero");
  From(kPeer, "mess\n2\ntwo");
  Step();
  EXPECT_EQ(Drain(), Texts{"zero"});  // 1 has not arrived; 2 waits
  From(kPeer, "mess\n2\ntwo again");
  From(kPeer, "mess\n1\none");
  From(kPeer, "mess\n0\nzero again");
  Step();
  EXPECT_EQ(Drain(), (Texts{"one", "two"}));
  From(kPeer, "mess\n1\none again");
  Step();
  EXPECT_TRUE(Drain().empty());
  EXPECT_EQ(own.SentTexts("ok"), (Texts{"ok\n0", "ok\n2", "ok\n2", "ok\n1", "ok\n0", "ok\n1"}));
}

TEST_F(PeerLinkTest, BodiesWithLineFeedsArriveWholeAndOverLongOnesAreRefused) {
  FakeNetwork::Endpoint& other = network.Add(kPeer);
  PeerLink second(10000, 9000);
  ASSERT_TRUE(Discover(link, own, second, other, now));
  const Texts bodies = {"a_unit 3 4 1\nAda\n0 10 1 0 2 30 30 1 1 2 2 3 3 4 4 face 0 2 17 18",
                        "hello 0\nAda\n3 10 30 30 1 1 2 2 3 3 4 4 face sword 1 257\n", std::string(200, 'z')};
  for (const std::string& body : bodies) ASSERT_TRUE(link.Send(body));
  EXPECT_FALSE(link.Send(std::string(201, 'b')));
  EXPECT_EQ(Count(log.Lines(), "Peer message of 201 bytes not sent: the limit is 200."), 1);
  ASSERT_TRUE(link.Send("last"));
  Discover(link, own, second, other, now);
  Texts got;
  for (std::string body = second.Receive(); !body.empty(); body = second.Receive()) got.push_back(body);
  EXPECT_EQ(got, (Texts{bodies[0], bodies[1], bodies[2], "last"}));
}

TEST_F(PeerLinkTest, MalformedNumbersFarSequencesAndOverLongDatagramsAreDropped) {
  Connect();
  link.Send("keep me");
  Step();
  for (const char* text : {"ok\nxyz", "ok\n", "ok\n4294967296", "mess\nabc\nbody", "mess\n", "mess\n4294967296\nx",
                           "mess\n4096\nbeyond the window"}) {
    From(kPeer, text);
  }
  From(kPeer, "mess\n1\n" + std::string(300, 'x'));
  From(kPeer, "mess\n4095\nlast in the window");
  Step();
  EXPECT_EQ(own.SentTexts("ok"), Texts{"ok\n4095"});
  EXPECT_EQ(link.ReceiveQueueSize(), 1u);
  EXPECT_EQ(link.SendQueueSize(), 1u);  // nothing matched message 0
}

TEST_F(PeerLinkTest, UnacknowledgedMessagesGoEverySecondAndPulsKeepsBothSidesAlive) {
  Connect();
  const std::uint32_t start = now;
  link.Send("x");
  std::vector<std::uint32_t> messAt, pulsAt;
  for (int n = 0; n < 150; ++n) {  // 15 s: longer than the time-out
    if (n == 35) From(kPeer, "ok\n0");
    if (n % 9 == 0) From(kPeer, "puls");
    const std::size_t before = own.sent.size();
    const std::uint32_t at = now - start;
    ASSERT_FALSE(Step());
    for (std::size_t k = before; k < own.sent.size(); ++k) (own.sent[k].bytes == "puls" ? pulsAt : messAt).push_back(at);
  }
  EXPECT_EQ(messAt, (std::vector<std::uint32_t>{0, 1000, 2000, 3000}));
  ASSERT_GE(pulsAt.size(), 3u);
  EXPECT_EQ(pulsAt[0], 4100u);
  EXPECT_EQ(pulsAt[1], 5200u);
  EXPECT_TRUE(link.Connected());
}

TEST_F(PeerLinkTest, TenSecondsOfSilenceEndTheLinkForGood) {
  now = 0xfffff000u;  // the tick counter wraps during the wait
  Connect();
  int alive = 0;
  while (alive < 200 && !Step()) ++alive;
  EXPECT_EQ(alive, 100);  // a silence of exactly 10000 ms is not yet over
  EXPECT_FALSE(link.Connected());
  own.sent.clear();
  From(kPeer, "QuennelVarrickPeer\n1\n9000");
  From(kPeer, "mess\n0\nlate");
  // A lost link refuses what the game still sends, so nothing piles up.
  for (int n = 0; n < 1000; ++n) ASSERT_FALSE(link.Send("after the end"));
  EXPECT_EQ(link.SendQueueSize(), 0u);
  for (int n = 0; n < 30; ++n) EXPECT_TRUE(Step());
  EXPECT_TRUE(own.sent.empty());
  EXPECT_FALSE(link.Connected());
  EXPECT_EQ(link.Receive(), "");
  EXPECT_EQ(Count(log.Lines(), "Disconnect by timeout.\n"), 1);
}

// A side that gives the link up goes silent at once; the peer, whose
// messages are no longer acknowledged, loses the link at its time-out.
TEST_F(PeerLinkTest, ALinkGivenUpGoesSilentAndThePeerTimesOut) {
  FakeNetwork::Endpoint& other = network.Add(kPeer);
  PeerLink second(10000, 9000);
  ASSERT_TRUE(Discover(link, own, second, other, now));
  link.End();
  EXPECT_FALSE(link.Connected());
  EXPECT_FALSE(link.Send("after the end"));
  second.Send("unanswered");
  own.sent.clear();
  int steps = 0;
  while (steps < 200 && !second.Step(other, now, kBroadcast)) {
    EXPECT_TRUE(link.Step(own, now + 50, kBroadcast));
    now += 100;
    ++steps;
  }
  EXPECT_TRUE(own.sent.empty());
  EXPECT_FALSE(second.Connected());
  EXPECT_NEAR(steps, 100, 2);
}

// A player who gives up looks again at once from the same port. The other
// side's old link, not yet through the farewell, leaves the new link's
// hellos unanswered, so that the two new links settle one master.
TEST_F(PeerLinkTest, AnOldLinkLeavesThePeersNewLinkToTheNextOneAndOneSideIsMaster) {
  FakeNetwork::Endpoint& other = network.Add(kPeer);
  PeerLink second(10000, 9000);
  ASSERT_TRUE(Discover(link, own, second, other, now));
  PeerLink again(10000, 12000);  // the peer's new link
  for (int n = 0; n < 5; ++n) {
    again.Step(other, now + 50, kBroadcast);
    Step();
  }
  EXPECT_FALSE(again.Connected());
  EXPECT_TRUE(link.Connected());
  PeerLink next(10000, 15000);  // this side's, once the farewell came
  ASSERT_TRUE(Discover(next, own, again, other, now));
  EXPECT_EQ(again.Role(), PeerLink::kMaster);
  EXPECT_EQ(next.Role(), PeerLink::kSlave);
}

TEST_F(PeerLinkTest, AStepThatAnswersAHelloStillSendsWhatIsQueued) {
  Connect();
  link.Send("abort");
  From(kPeer, "QuennelVarrickPeer\n1\n9000");
  Step();
  EXPECT_EQ(own.SentTexts(), (Texts{"connected\n5000", "mess\n0\nabort"}));
}

}  // namespace
