// The peer link's UDP socket: opened non-blocking with broadcast allowed
// and a large receive buffer, and bound to the first free port of base .. base + 4, then used as the
// link's transport.
#pragma once

#include <cstdint>

#include "net/PeerTransport.h"
#include "platform/UdpSocket.h"

class SocketTransport : public PeerTransport {
 public:
  // Sets the socket up; a step that fails leaves the transport unusable
  // (and logs "Error setting nonblocking socket\n" for that step). When
  // every port of the range is taken the socket stays unbound and the
  // system gives it a free port at its first send.
  SocketTransport(std::uint16_t basePort, int portCount);

  // True when the socket is open and non-blocking, so that a link may run on it.
  bool Usable() const { return socket_.IsOpen(); }
  // The bound port (0 before an unbound socket first sends).
  std::uint16_t LocalPort() const { return socket_.LocalPort(); }

  bool Send(const platform::UdpEndpoint& to, std::string_view datagram) override;
  ReceiveResult Receive(std::string& datagram, platform::UdpEndpoint& from) override;

 private:
  bool Open();
  bool BindInRange(std::uint16_t basePort, int portCount);

  platform::UdpSocket socket_;
};
