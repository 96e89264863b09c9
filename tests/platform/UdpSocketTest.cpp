// UDP sockets on 127.0.0.1 and the host look-up.
#include "platform/UdpSocket.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "tests/support/FreePorts.h"

namespace {

using platform::UdpEndpoint;
using platform::UdpSocket;

constexpr std::uint32_t kLocalHost = 0x7f000001;

TEST(UdpSocketTest, LooksUpDottedAddressesAndNames) {
  EXPECT_EQ(platform::LookUpHost("127.0.0.1"), kLocalHost);
  EXPECT_EQ(platform::LookUpHost("10.1.2.3"), 0x0a010203u);
  EXPECT_EQ(platform::LookUpHost("255.255.255.255"), 0xffffffffu);
  EXPECT_EQ(platform::LookUpHost("localhost"), kLocalHost);
  EXPECT_EQ(platform::LookUpHost(""), std::nullopt);
  EXPECT_EQ(platform::LookUpHost("not a host name"), std::nullopt);
  EXPECT_EQ(platform::DottedAddress(0x0a010203u), "10.1.2.3");
}

// A bound, non-blocking socket on a free port.
UdpSocket BoundSocket(std::uint16_t port) {
  UdpSocket socket;
  EXPECT_TRUE(socket.Open());
  EXPECT_TRUE(socket.SetNonBlocking());
  EXPECT_EQ(socket.Bind(port), UdpSocket::BindResult::kBound);
  return socket;
}

UdpSocket::ReceiveResult ReceiveWithin(UdpSocket& socket, std::string& bytes, std::size_t max, UdpEndpoint& from) {
  for (int n = 0; n < 2000; ++n) {
    const auto result = socket.ReceiveFrom(bytes, max, from);
    if (result != UdpSocket::ReceiveResult::kNothing) return result;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return UdpSocket::ReceiveResult::kNothing;
}

TEST(UdpSocketTest, BindsWithoutReuseAndCarriesWholeDatagrams) {
  const std::uint16_t port = testing_support::FreeUdpPorts(2);
  UdpSocket a = BoundSocket(port);
  UdpSocket b = BoundSocket(port + 1);
  EXPECT_EQ(a.LocalPort(), port);
  UdpSocket rival;
  ASSERT_TRUE(rival.Open());
  EXPECT_EQ(rival.Bind(port), UdpSocket::BindResult::kAddressInUse);

  std::string bytes;
  UdpEndpoint from;
  EXPECT_EQ(a.ReceiveFrom(bytes, 255, from), UdpSocket::ReceiveResult::kNothing);
  ASSERT_TRUE(b.SendTo({kLocalHost, port}, std::string("mess\n0\na\nb\0c", 12)));
  ASSERT_EQ(ReceiveWithin(a, bytes, 255, from), UdpSocket::ReceiveResult::kDatagram);
  EXPECT_EQ(bytes, std::string("mess\n0\na\nb\0c", 12));
  EXPECT_EQ(from, (UdpEndpoint{kLocalHost, static_cast<std::uint16_t>(port + 1)}));
  // A longer datagram keeps only what fits; the rest is gone, not left for later.
  ASSERT_TRUE(b.SendTo({kLocalHost, port}, std::string(300, 'x')));
  ASSERT_EQ(ReceiveWithin(a, bytes, 256, from), UdpSocket::ReceiveResult::kDatagram);
  EXPECT_EQ(bytes.size(), 256u);
  EXPECT_EQ(a.ReceiveFrom(bytes, 256, from), UdpSocket::ReceiveResult::kNothing);
}

TEST(UdpSocketTest, BroadcastNeedsPermissionAndReachesTheBoundPort) {
  const std::uint16_t port = testing_support::FreeUdpPorts(2);
  UdpSocket listener = BoundSocket(port);
  UdpSocket sender = BoundSocket(port + 1);
  const UdpEndpoint broadcast{0x7fffffff, port};
  EXPECT_FALSE(sender.SendTo(broadcast, "hello"));
  ASSERT_TRUE(sender.AllowBroadcast());
  ASSERT_TRUE(sender.SendTo(broadcast, "hello"));
  std::string bytes;
  UdpEndpoint from;
  ASSERT_EQ(ReceiveWithin(listener, bytes, 255, from), UdpSocket::ReceiveResult::kDatagram);
  EXPECT_EQ(bytes, "hello");
}

TEST(UdpSocketTest, AClosedOrMovedFromSocketRefusesEverything) {
  UdpSocket socket;
  ASSERT_TRUE(socket.Open());
  UdpSocket moved = std::move(socket);
  EXPECT_TRUE(moved.IsOpen());
  EXPECT_TRUE(moved.SetNonBlocking());
  moved.Close();
  for (UdpSocket* s : {&socket, &moved}) {
    std::string bytes = "left over";
    UdpEndpoint from;
    EXPECT_FALSE(s->IsOpen());
    EXPECT_FALSE(s->SetNonBlocking());
    EXPECT_FALSE(s->AllowBroadcast());
    EXPECT_EQ(s->Bind(0), UdpSocket::BindResult::kFailed);
    EXPECT_EQ(s->LocalPort(), 0);
    EXPECT_FALSE(s->SendTo({kLocalHost, 9}, "x"));
    EXPECT_EQ(s->ReceiveFrom(bytes, 10, from), UdpSocket::ReceiveResult::kFailed);
    EXPECT_TRUE(bytes.empty());
  }
}

}  // namespace
