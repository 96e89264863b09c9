// The router shares one link among parties: each mailbox gets exactly the
// messages of its keywords in arrival order, however interleaved; a keyword
// of several sets reaches each; a message nobody wants is logged and
// dropped; a mailbox nobody polls stops growing at its limit.
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

TEST(PeerMessageRouterTest, EachPartyReceivesOnlyItsOwnMessagesInOrder) {
  MemoryPeerLink link;
  PeerMessageRouter router(link.slave);
  PeerMessageRouter::Mailbox& board = router.Open({"a_move", "a_unit", "abort"});
  PeerMessageRouter::Mailbox& duel = router.Open({"hello", "move", "abort"});
  PeerMessageRouter::Mailbox& mode = router.Open({"playerinfo", "abort"});
  EXPECT_EQ(&router.Open({"abort", "a_unit", "a_move", "a_unit"}), &board);
  LogCapture log;
  for (const char* body : {"hello 0\nAnna", "a_move 1 2 3 4", "bogus 1", "move 7 9", "a_unit 1 1 0\nimp",
                           "playerinfo Anna", "abort", " move  8 10", "a_move 5 5 5 6"}) {
    link.master.Send(body);
  }
  EXPECT_EQ(Drain(duel), (Bodies{"hello 0\nAnna", "move 7 9", "abort", " move  8 10"}));
  EXPECT_EQ(Drain(board), (Bodies{"a_move 1 2 3 4", "a_unit 1 1 0\nimp", "abort", "a_move 5 5 5 6"}));
  EXPECT_EQ(Drain(mode), (Bodies{"playerinfo Anna", "abort"}));
  EXPECT_EQ(log.Lines(), Bodies{"Peer message with an unknown keyword dropped: bogus"});

  for (std::size_t i = 0; i < PeerMessageRouter::kMailboxLimit + 2; ++i) link.master.Send("playerinfo x");
  link.master.Send("move 1 2");
  EXPECT_EQ(duel.Receive(), "move 1 2");
  EXPECT_EQ(mode.Waiting(), PeerMessageRouter::kMailboxLimit);
  EXPECT_EQ(log.Lines().size(), 3u);
}

}  // namespace
