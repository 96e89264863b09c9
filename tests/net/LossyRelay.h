// A relay on 127.0.0.1 between two peer links over real sockets: what link
// A sends to the relay's first socket leaves its second socket for link B,
// and back. A share of the datagrams is dropped, duplicated and held back
// behind the next one of the same direction, drawn from a seeded generator;
// the first board move may be changed into another message.
// Used by the link's soak test and by the relay program (relay/main.cpp),
// which stands between two games.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "platform/UdpSocket.h"

namespace net_testing {

class LossyRelay {
 public:
  // What the relay did with the datagrams it took in.
  struct Counts {
    long received = 0;
    long dropped = 0;
    long duplicated = 0;
    long held = 0;
    long swapped = 0;
  };

  // Binds the socket that faces A to `portA` and the one that faces B to
  // `portB`; false when either cannot be had.
  bool Open(std::uint16_t portA, std::uint16_t portB);
  // From now on each datagram is dropped, duplicated and held back, each
  // with `percent` % chance.
  void MakeLossy(int percent, std::uint32_t seed);
  // From now on the first message whose body begins with "a_move " (and
  // every resend of it) leaves with the body `text` instead.
  void SwapFirstMove(std::string text);
  // The two links' own addresses, once they are bound. A side left unjoined
  // (port 0) takes the source of the first datagram its socket receives.
  void Join(const platform::UdpEndpoint& a, const platform::UdpEndpoint& b);
  // Forwards everything that waits on either socket. Call it often.
  void Pump();
  const Counts& Tally() const { return counts_; }

 private:
  struct Side {
    platform::UdpSocket socket;
    platform::UdpEndpoint link;     // the link this socket faces
    std::vector<std::string> late;  // held back for this link
  };

  static bool Bind(platform::UdpSocket& socket, std::uint16_t port);
  bool Chance();
  // The datagram from side `from` as it leaves, the first move swapped.
  std::string Tamper(int from, const std::string& bytes);
  // Sends to the link that `to` faces; a held-back copy goes behind the next.
  void Forward(Side& to, const std::string& bytes);

  Side sides_[2];
  int percent_ = 0;
  std::string swapText_;
  int swapFrom_ = -1;  // the side whose message is swapped, once seen
  std::string swapSequence_;
  std::minstd_rand random_;
  Counts counts_;
};

}  // namespace net_testing
