#include "tests/support/FreePorts.h"

#include <stdexcept>
#include <vector>

#include "platform/UdpSocket.h"

namespace testing_support {

namespace {

// Binds every port of the range at once (so none is counted twice) and
// releases them all again.
bool RangeIsFree(std::uint16_t first, int count) {
  if (first + count - 1 > 0xffff) return false;
  std::vector<platform::UdpSocket> held(static_cast<std::size_t>(count));
  for (int n = 0; n < count; ++n) {
    platform::UdpSocket& socket = held[static_cast<std::size_t>(n)];
    if (!socket.Open()) return false;
    const auto port = static_cast<std::uint16_t>(first + n);
    if (socket.Bind(port) != platform::UdpSocket::BindResult::kBound) return false;
  }
  return true;
}

}  // namespace

std::uint16_t FreeUdpPorts(int count) {
  for (int attempt = 0; attempt < 200; ++attempt) {
    platform::UdpSocket probe;
    // Port 0 lets the system pick a free port, at random among many.
    if (!probe.Open() || probe.Bind(0) != platform::UdpSocket::BindResult::kBound) break;
    const std::uint16_t first = probe.LocalPort();
    probe.Close();
    if (first != 0 && RangeIsFree(first, count)) return first;
  }
  throw std::runtime_error("no free range of UDP ports");
}

}  // namespace testing_support
