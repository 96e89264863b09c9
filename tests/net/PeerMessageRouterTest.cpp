// The router shares one link among parties: each mailbox gets exactly the
// messages of its keywords in the order they arrived, however they were
// interleaved, a keyword of several sets reaches each of them, and a message
// nobody wants is logged and dropped without holding up the rest. The
// message text reader refuses every malformed field.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "net/PeerMessageRouter.h"
#include "net/PeerTextReader.h"
#include "tests/framework/LogCapture.h"
#include "tests/net/MemoryPeerLink.h"

namespace {

std::vector<std::string> Drain(PeerChannel& channel) {
  std::vector<std::string> bodies;
  for (std::string body = channel.Receive(); !body.empty(); body = channel.Receive()) bodies.push_back(body);
  return bodies;
}

TEST(PeerMessageRouterTest, EachPartyReceivesOnlyItsOwnMessagesInOrder) {
  MemoryPeerLink link;
  PeerMessageRouter router(link.slave);
  PeerMessageRouter::Mailbox& board = router.Open({"a_move", "a_unit", "abort"});
  PeerMessageRouter::Mailbox& duel = router.Open({"hello", "move", "abort"});
  PeerMessageRouter::Mailbox& mode = router.Open({"playerinfo", "canStart", "abort"});
  EXPECT_EQ(&router.Open({"abort", "a_unit", "a_move", "a_unit"}), &board);
  LogCapture log;
  for (const char* body : {"hello 0\nAnna\n3", "a_move 1 2 3 4", "bogus 1", "move 7 9", "a_unit 1 1 0\nimp",
                           "playerinfo Anna", "abort", " move  8 10", "a_move 5 5 5 6"}) {
    ASSERT_TRUE(link.master.Send(body));
  }
  // The duel polls first, so the board's messages wait in its mailbox.
  EXPECT_EQ(Drain(duel), (std::vector<std::string>{"hello 0\nAnna\n3", "move 7 9", "abort", " move  8 10"}));
  EXPECT_EQ(board.Waiting(), 4u);
  EXPECT_EQ(Drain(board),
            (std::vector<std::string>{"a_move 1 2 3 4", "a_unit 1 1 0\nimp", "abort", "a_move 5 5 5 6"}));
  EXPECT_EQ(Drain(mode), (std::vector<std::string>{"playerinfo Anna", "abort"}));
  const std::vector<std::string> lines = log.Lines();
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "Peer message with an unknown keyword dropped: bogus"), 1);
  // A mailbox sends on the link and reports its state.
  ASSERT_TRUE(board.Send("a_start 0 0.25"));
  EXPECT_EQ(link.master.Receive(), "a_start 0 0.25");
  EXPECT_EQ(board.Role(), 2);
  link.connected = false;
  EXPECT_FALSE(duel.Connected());
}

TEST(PeerMessageRouterTest, AMailboxNobodyPollsStopsGrowingAtItsLimit) {
  MemoryPeerLink link;
  PeerMessageRouter router(link.slave);
  PeerMessageRouter::Mailbox& idle = router.Open({"abort"});
  PeerMessageRouter::Mailbox& busy = router.Open({"move"});
  LogCapture log;
  for (std::size_t i = 0; i < PeerMessageRouter::kMailboxLimit + 3; ++i) link.master.Send("abort");
  link.master.Send("move 1 2");
  EXPECT_EQ(busy.Receive(), "move 1 2");
  EXPECT_EQ(idle.Waiting(), PeerMessageRouter::kMailboxLimit);
  EXPECT_EQ(log.Lines().size(), 3u);
}

struct Fields {
  std::int32_t i = 0;
  std::uint32_t u = 0;
  float f = 0;
  std::string line;
  std::string word;
};

// Reads an Int in [-5, 200], an Unsigned, a Float, a Line and a Word.
bool ReadFields(const char* text, Fields& fields) {
  PeerTextReader reader(text);
  reader.Int(fields.i, -5, 200);
  reader.Unsigned(fields.u);
  reader.Float(fields.f);
  reader.Line(fields.line);
  reader.Word(fields.word);
  return reader.Ok();
}

TEST(PeerTextReaderTest, FieldsAreReadOnlyWhenWhollyValid) {
  Fields fields;
  ASSERT_TRUE(ReadFields("-5 4294967295 0.25 rest\r\nname line\r\nlast", fields));
  EXPECT_EQ(fields.i, -5);
  EXPECT_EQ(fields.u, 4294967295u);
  EXPECT_EQ(fields.f, 0.25f);
  EXPECT_EQ(fields.line, "name line");
  EXPECT_EQ(fields.word, "last");
  const char* const bad[] = {
      "201 0 0\nn\nw",                   // above the range
      "+1 0 0\nn\nw",                    // a sign the sender never writes
      "1x 0 0\nn\nw",                    // trailing letters
      "1 4294967296 0\nn\nw",            // beyond 32 bits
      "1 -1 0\nn\nw",                    // a negative unsigned
      "1 0 nan\nn\nw",                   // not a finite float
      "1 0 inf\nn\nw",                   //
      "1 0 0.5",                         // no line follows
      "1 0 0.5\nname only",              // no word after the line
      "99999999999999999999 0 0\nn\nw",  // no 64-bit number either
  };
  for (const char* text : bad) EXPECT_FALSE(ReadFields(text, fields)) << text;
}

}  // namespace
