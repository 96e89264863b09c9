#include "net/SocketTransport.h"

#include "framework/Log.h"

namespace {

// The receive buffer asked for: where the system allows it, room for about
// half a second of a flood of 5,000 small datagrams a second, far more than
// arrives between two of the link's steps, so that a third address cannot
// push the peer's datagrams out. Best effort: the system may grant less.
constexpr int kReceiveBufferBytes = 1 << 20;

}  // namespace

SocketTransport::SocketTransport(std::uint16_t basePort, int portCount) {
  if (!Open()) return;
  if (!BindInRange(basePort, portCount)) socket_.Close();
}

bool SocketTransport::Open() {
  if (!socket_.Open()) return false;
  if (!socket_.SetNonBlocking()) {
    Log::Write("Error setting nonblocking socket\n");
    socket_.Close();  // a blocking socket would hang the link's steps
    return false;
  }
  if (!socket_.AllowBroadcast()) {
    socket_.Close();
    return false;
  }
  socket_.SetReceiveBuffer(kReceiveBufferBytes);
  return true;
}

// Tries base, base + 1, ... while the port is taken; false on any other
// error. No free port at all is not an error: see the header.
bool SocketTransport::BindInRange(std::uint16_t basePort, int portCount) {
  for (int n = 0; n < portCount && basePort + n <= 0xffff; ++n) {
    switch (socket_.Bind(static_cast<std::uint16_t>(basePort + n))) {
      case platform::UdpSocket::BindResult::kBound:
        return true;
      case platform::UdpSocket::BindResult::kAddressInUse:
        break;
      case platform::UdpSocket::BindResult::kFailed:
        return false;
    }
  }
  Log::Printf("No free port from %d to %d: searching from another port.", basePort,
              basePort + portCount - 1);
  return true;
}

bool SocketTransport::Send(const platform::UdpEndpoint& to, std::string_view datagram) {
  return socket_.SendTo(to, datagram);
}

PeerTransport::ReceiveResult SocketTransport::Receive(std::string& datagram, platform::UdpEndpoint& from) {
  switch (socket_.ReceiveFrom(datagram, kMaxDatagram + 1, from)) {
    case platform::UdpSocket::ReceiveResult::kDatagram:
      return ReceiveResult::kDatagram;
    case platform::UdpSocket::ReceiveResult::kNothing:
      return ReceiveResult::kNothing;
    case platform::UdpSocket::ReceiveResult::kFailed:
      break;
  }
  return ReceiveResult::kFailed;
}
