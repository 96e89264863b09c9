// Where hellos go: the named host, looked up at every hello, or the
// broadcast address when none is named or the name is unknown.
#include "net/HelloTarget.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/UdpSocket.h"
#include "tests/framework/LogCapture.h"

namespace {

// Knows "peer-machine" and dotted addresses; counts its look-ups.
struct FakeLookUp {
  int calls = 0;
  HelloTarget::LookUp Function() {
    return [this](const std::string& host) -> std::optional<std::uint32_t> {
      ++calls;
      if (host == "peer-machine") return 0x0a000005;
      if (host.find_first_not_of("0123456789.") != std::string::npos) return std::nullopt;
      return platform::LookUpHost(host);
    };
  }
};

TEST(HelloTargetTest, NamedHostsAreLookedUpAtEveryHelloAndUnknownOnesFallBackToBroadcast) {
  LogCapture log;
  FakeLookUp lookUp;
  const HelloTarget none("", "127.255.255.255", lookUp.Function());
  const HelloTarget known("peer-machine", "127.255.255.255", lookUp.Function());
  const HelloTarget unknown("nowhere", "127.255.255.255", lookUp.Function());
  const HelloTarget badBroadcast("", "not an address", lookUp.Function());
  EXPECT_EQ(lookUp.calls, 4);  // each broadcast address once
  EXPECT_EQ(none.Resolve(), 0x7fffffffu);
  EXPECT_EQ(lookUp.calls, 4);
  EXPECT_EQ(known.Resolve(), 0x0a000005u);
  EXPECT_EQ(known.Resolve(), 0x0a000005u);
  EXPECT_EQ(lookUp.calls, 6);
  EXPECT_EQ(unknown.Resolve(), 0x7fffffffu);
  EXPECT_EQ(unknown.Resolve(), 0x7fffffffu);
  EXPECT_EQ(badBroadcast.Resolve(), 0xffffffffu);
  const auto lines = log.Lines();
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "Unknown host: nowhere.\n"), 2);
  EXPECT_EQ(lines.size(), 2u);
}

}  // namespace
