// The link's datagram texts: what goes on the wire and how every received
// text is read, including the fields that do not parse.
#include "net/PeerDatagram.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

using Kind = PeerDatagram::Kind;

TEST(PeerDatagramTest, FormatsEveryDatagramAsOnTheWire) {
  EXPECT_EQ(PeerDatagram::Hello(1, 5000), "QuennelVarrickPeer\n1\n5000");
  // A start tick past 2^31 goes out as the signed number it is as 32 bits.
  EXPECT_EQ(PeerDatagram::Hello(1, 3000000000u), "QuennelVarrickPeer\n1\n-1294967296");
  EXPECT_EQ(PeerDatagram::Connected(4294967295u), "connected\n-1");
  EXPECT_EQ(PeerDatagram::Mess(7, "a b\nc"), "mess\n7\na b\nc");
  EXPECT_EQ(PeerDatagram::Ok(12), "ok\n12");
  EXPECT_EQ(PeerDatagram::Puls(), "puls");
}

struct ParseCase {
  std::string text;
  Kind kind;
  std::optional<std::int32_t> version;
  std::optional<std::int32_t> number;
  std::string body;
};

TEST(PeerDatagramTest, ReadsKeywordNumbersAndBody) {
  const ParseCase cases[] = {
      {"QuennelVarrickPeer\n1\n5000", Kind::kHello, 1, 5000, ""},
      {"QuennelVarrickPeer\n2\n-7", Kind::kHello, 2, -7, ""},
      {"  QuennelVarrickPeer 1   +9", Kind::kHello, 1, 9, ""},
      {"QuennelVarrickPeer\nx\n5000", Kind::kHello, std::nullopt, std::nullopt, ""},
      {"QuennelVarrickPeer\n1", Kind::kHello, 1, std::nullopt, ""},
      {"QuennelVarrickPeerX\n1\n2", Kind::kOther, std::nullopt, std::nullopt, ""},
      {"connected\n-1", Kind::kConnected, std::nullopt, -1, ""},
      {"connected", Kind::kConnected, std::nullopt, std::nullopt, ""},
      {"ok\n2147483647", Kind::kOk, std::nullopt, 2147483647, ""},
      {"ok\n2147483648", Kind::kOk, std::nullopt, std::nullopt, ""},
      {"ok\n+-3", Kind::kOk, std::nullopt, std::nullopt, ""},
      {"ok\n-", Kind::kOk, std::nullopt, std::nullopt, ""},
      {"puls", Kind::kPuls, std::nullopt, std::nullopt, ""},
      {"Puls", Kind::kOther, std::nullopt, std::nullopt, ""},
      {"", Kind::kOther, std::nullopt, std::nullopt, ""},
      // The body is everything after the sequence number's line.
      {"mess\n3\nhello\n0\nAda\n7 8", Kind::kMess, std::nullopt, 3, "hello\n0\nAda\n7 8"},
      {"mess\n3 trailing\nbody", Kind::kMess, std::nullopt, 3, "body"},
      {"mess\n3\n", Kind::kMess, std::nullopt, 3, ""},
      {"mess\n3", Kind::kMess, std::nullopt, 3, ""},
      {"mess\nabc\nbody", Kind::kMess, std::nullopt, std::nullopt, ""},
      {"mess\n99999999999\nbody", Kind::kMess, std::nullopt, std::nullopt, ""},
      {std::string("mess\n4\na\0b", 10), Kind::kMess, std::nullopt, 4, std::string("a\0b", 3)},
  };
  for (const ParseCase& c : cases) {
    SCOPED_TRACE(c.text);
    const PeerDatagram d = PeerDatagram::Parse(c.text);
    EXPECT_EQ(d.kind, c.kind);
    EXPECT_EQ(d.version, c.version);
    EXPECT_EQ(d.number, c.number);
    EXPECT_EQ(d.body, c.body);
  }
}

TEST(PeerDatagramTest, EveryFormattedMessageReadsBackWhole) {
  const std::string bodies[] = {"", "x", "a_unit 1 2 1\nHero\n3 4 5", std::string(200, 'z'), "\n\n"};
  for (std::int32_t sequence : {0, 1, 4095, -5, 2147483647}) {
    for (const std::string& body : bodies) {
      const PeerDatagram d = PeerDatagram::Parse(PeerDatagram::Mess(sequence, body));
      EXPECT_EQ(d.kind, Kind::kMess);
      EXPECT_EQ(d.number, sequence);
      EXPECT_EQ(d.body, body);
    }
  }
}

}  // namespace
