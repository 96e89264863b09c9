// A relay on 127.0.0.1 between two peer links over real sockets: what link
// A sends to the relay's first socket leaves its second socket for link B,
// and back. A share of the datagrams is dropped, duplicated and held back
// behind the next one of the same direction, drawn from a seeded generator.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "platform/UdpSocket.h"

namespace net_testing {

class LossyRelay {
 public:
  // Binds the socket that faces A to `portA` and the one that faces B to
  // `portB`; false when either cannot be had.
  bool Open(std::uint16_t portA, std::uint16_t portB) {
    return Bind(sides_[0].socket, portA) && Bind(sides_[1].socket, portB);
  }
  // From now on each datagram is dropped, duplicated and held back, each
  // with `percent` % chance.
  void MakeLossy(int percent, std::uint32_t seed) {
    percent_ = percent;
    random_.seed(seed);
  }
  // The two links' own addresses, once they are bound.
  void Join(const platform::UdpEndpoint& a, const platform::UdpEndpoint& b) {
    sides_[0].link = a;
    sides_[1].link = b;
  }
  // Forwards everything that waits on either socket. Call it often.
  void Pump() {
    for (int from = 0; from < 2; ++from) {
      std::string bytes;
      platform::UdpEndpoint source;
      while (sides_[from].socket.ReceiveFrom(bytes, 1024, source) ==
             platform::UdpSocket::ReceiveResult::kDatagram) {
        if (source == sides_[from].link) Forward(sides_[1 - from], bytes);
      }
    }
  }

 private:
  struct Side {
    platform::UdpSocket socket;
    platform::UdpEndpoint link;     // the link this socket faces
    std::vector<std::string> late;  // held back for this link
  };

  static bool Bind(platform::UdpSocket& socket, std::uint16_t port) {
    return socket.Open() && socket.SetNonBlocking() &&
           socket.Bind(port) == platform::UdpSocket::BindResult::kBound;
  }

  bool Chance() { return percent_ > 0 && static_cast<int>(random_() % 100) < percent_; }

  // Sends to the link that `to` faces; a held-back copy goes behind the next.
  void Forward(Side& to, const std::string& bytes) {
    if (Chance()) return;
    const int copies = Chance() ? 2 : 1;
    for (int n = 0; n < copies; ++n) {
      if (Chance()) {
        to.late.push_back(bytes);
        continue;
      }
      to.socket.SendTo(to.link, bytes);
      for (const std::string& held : to.late) to.socket.SendTo(to.link, held);
      to.late.clear();
    }
  }

  Side sides_[2];
  int percent_ = 0;
  std::minstd_rand random_;
};

}  // namespace net_testing
