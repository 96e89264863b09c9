// What the peer link's rules need of the network: send one datagram to an
// address and take the next waiting one. The link's thread and socket shell
// gives it a UDP socket; tests give it an in-memory network.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/UdpSocket.h"

class PeerTransport {
 public:
  enum class ReceiveResult { kDatagram, kNothing, kFailed };

  // Longest datagram the link reads; Receive keeps one byte more, so that
  // the link can tell an over-long datagram from one that fits.
  static constexpr std::size_t kMaxDatagram = 255;

  virtual ~PeerTransport() = default;

  // Sends one datagram; true when it went out whole. Never blocks.
  virtual bool Send(const platform::UdpEndpoint& to, std::string_view datagram) = 0;
  // Takes the next waiting datagram (at most kMaxDatagram + 1 of its bytes)
  // and its source. kNothing when none waits. Never blocks.
  virtual ReceiveResult Receive(std::string& datagram, platform::UdpEndpoint& from) = 0;
};
