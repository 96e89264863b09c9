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
  EXPECT_EQ(platform::LookUpHost("10.1.2.3"), 0x0a010203u);
  EXPECT_EQ(platform::LookUpHost("localhost"), kLocalHost);
  EXPECT_EQ(platform::LookUpHost(""), std::nullopt);
  EXPECT_EQ(platform::LookUpHost("not a host name"), std::nullopt);
}

TEST(UdpSocketTest, BindsWithoutReuseAndCarriesWholeDatagramsCutToTheBuffer) {
  const std::uint16_t port = testing_support::FreeUdpPorts(2);
  UdpSocket a, b, rival, closed;
  ASSERT_TRUE(a.Open() && a.SetNonBlocking() && b.Open() && rival.Open());
  ASSERT_EQ(a.Bind(port), UdpSocket::BindResult::kBound);
  ASSERT_EQ(b.Bind(port + 1), UdpSocket::BindResult::kBound);
  EXPECT_EQ(rival.Bind(port), UdpSocket::BindResult::kAddressInUse);
  EXPECT_EQ(closed.Bind(port + 2), UdpSocket::BindResult::kFailed);

  std::string bytes;
  UdpEndpoint from;
  EXPECT_EQ(a.ReceiveFrom(bytes, 255, from), UdpSocket::ReceiveResult::kNothing);
  EXPECT_EQ(closed.ReceiveFrom(bytes, 255, from), UdpSocket::ReceiveResult::kFailed);
  const std::string sent("mess\n0\na\nb\0c", 12);
  ASSERT_TRUE(b.SendTo({kLocalHost, port}, sent));
  ASSERT_TRUE(b.SendTo({kLocalHost, port}, std::string(300, 'x')));
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  ASSERT_EQ(a.ReceiveFrom(bytes, 255, from), UdpSocket::ReceiveResult::kDatagram);
  EXPECT_EQ(bytes, sent);
  EXPECT_EQ(from, (UdpEndpoint{kLocalHost, static_cast<std::uint16_t>(port + 1)}));
  // The rest of a longer datagram is gone, not left for the next read.
  ASSERT_EQ(a.ReceiveFrom(bytes, 256, from), UdpSocket::ReceiveResult::kDatagram);
  EXPECT_EQ(bytes, std::string(256, 'x'));
  EXPECT_EQ(a.ReceiveFrom(bytes, 256, from), UdpSocket::ReceiveResult::kNothing);
}

}  // namespace
