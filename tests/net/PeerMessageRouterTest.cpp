// The router shares one link among parties: each mailbox gets exactly the
// messages of its keywords in arrival order, however interleaved; a keyword
// of several sets reaches each. A message nobody wants, or one for a full
// mailbox, gives the link up after the router's farewell; a message held
// for another party is found for a reader that waits, unless the reader
// takes that keyword too or has taken a later message, and a mailbox can
// forget what came before another's last message.
#include <gtest/gtest.h>

#include "net/PeerMessageRouter.h"
#include "tests/framework/LogCapture.h"
#include "tests/net/MemoryPeerLink.h"

namespace {

using Bodies = std::vector<std::string>;

Bodies Drain(PeerChannel& channel) {
  Bodies bodies;
  for (std::string body = channel.Receive(); !body.empty(); body = channel.Receive()) bodies.push_back(body);
  return bodies;
}

struct Parties {
  MemoryPeerLink link;
  PeerMessageRouter router{link.slave, "abort"};
  PeerMessageRouter::Mailbox& board = router.Open({"a_move", "a_unit", "abort"});
  PeerMessageRouter::Mailbox& duel = router.Open({"hello", "move", "abort"});
  PeerMessageRouter::Mailbox& mode = router.Open({"playerinfo", "abort"});
};

TEST(PeerMessageRouterTest, EachPartyReceivesOnlyItsOwnMessagesInOrder) {
  Parties parties;
  EXPECT_EQ(&parties.router.Open({"abort", "a_unit", "a_move", "a_unit"}), &parties.board);
  for (const char* body : {"hello 0\nAnna", "a_move 1 2 3 4", "move 7 9", "a_unit 1 1 0\nimp",
                           "playerinfo Anna", "abort", " move  8 10", "a_move 5 5 5 6"}) {
    parties.link.master.Send(body);
  }
  EXPECT_EQ(Drain(parties.duel), (Bodies{"hello 0\nAnna", "move 7 9", "abort", " move  8 10"}));
  EXPECT_EQ(Drain(parties.board), (Bodies{"a_move 1 2 3 4", "a_unit 1 1 0\nimp", "abort", "a_move 5 5 5 6"}));
  EXPECT_EQ(Drain(parties.mode), (Bodies{"playerinfo Anna", "abort"}));
  EXPECT_TRUE(parties.link.connected);
}

TEST(PeerMessageRouterTest, AMessageThatCannotBeFiledGivesTheLinkUp) {
  {
    Parties parties;
    LogCapture log;
    for (const char* body : {"a_move 1 2 3 4", "bogus 1", "a_move 5 5 5 6"}) parties.link.master.Send(body);
    // What came before is still handed out; nothing after it is filed.
    EXPECT_EQ(Drain(parties.board), Bodies{"a_move 1 2 3 4"});
    EXPECT_FALSE(parties.board.Connected());
    EXPECT_EQ(log.Lines(), Bodies{"Peer message with an unknown keyword, the link is given up: bogus"});
    EXPECT_EQ(parties.link.slave.sent, Bodies{"abort"});  // the peer hears it at once
  }
  Parties parties;
  LogCapture log;
  for (std::size_t i = 0; i < PeerMessageRouter::kMailboxLimit + 2; ++i)
    parties.link.master.Send("playerinfo x");
  EXPECT_EQ(parties.duel.Receive(), "");
  EXPECT_EQ(parties.mode.Waiting(), PeerMessageRouter::kMailboxLimit);
  EXPECT_FALSE(parties.link.connected);
  EXPECT_EQ(log.Lines(), Bodies{"Peer message for a full mailbox, the link is given up: playerinfo"});
}

TEST(PeerMessageRouterTest, AMessageHeldForAnotherPartyIsFoundUnlessTakenOrStale) {
  Parties parties;
  parties.link.master.Send("abort");
  parties.board.Receive();
  // Copies of "abort" wait for the duel and the mode: the board takes it too.
  EXPECT_EQ(parties.board.HeldElsewhere(), nullptr);
  parties.link.master.Send("playerinfo Anna");
  parties.link.master.Send("move 1 2");
  parties.duel.Receive();
  ASSERT_NE(parties.board.HeldElsewhere(), nullptr);
  EXPECT_EQ(*parties.board.HeldElsewhere(), "move 1 2");
  EXPECT_EQ(*parties.duel.HeldElsewhere(), "playerinfo Anna");
  // Once the board has taken a later message, they are stale.
  parties.link.master.Send("a_move 1 2 3 4");
  parties.board.Receive();
  EXPECT_EQ(parties.board.HeldElsewhere(), nullptr);
  parties.link.master.Send("playerinfo Bo");
  parties.mode.ForgetBefore(parties.board);
  EXPECT_EQ(Drain(parties.mode), Bodies{"playerinfo Bo"});
}

}  // namespace
