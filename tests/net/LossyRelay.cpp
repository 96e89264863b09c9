#include "tests/net/LossyRelay.h"

#include <string_view>
#include <utility>

namespace net_testing {

namespace {
// Longer than any datagram of the link.
constexpr std::size_t kMaxDatagram = 1024;
}  // namespace

bool LossyRelay::Open(std::uint16_t portA, std::uint16_t portB) {
  return Bind(sides_[0].socket, portA) && Bind(sides_[1].socket, portB);
}

void LossyRelay::MakeLossy(int percent, std::uint32_t seed) {
  percent_ = percent;
  random_.seed(seed);
}

void LossyRelay::SwapFirstMove(std::string text) {
  swapText_ = std::move(text);
}

void LossyRelay::Join(const platform::UdpEndpoint& a, const platform::UdpEndpoint& b) {
  sides_[0].link = a;
  sides_[1].link = b;
}

void LossyRelay::Pump() {
  for (int from = 0; from < 2; ++from) {
    Side& side = sides_[from];
    std::string bytes;
    platform::UdpEndpoint source;
    while (side.socket.ReceiveFrom(bytes, kMaxDatagram, source) ==
           platform::UdpSocket::ReceiveResult::kDatagram) {
      if (side.link.port == 0) side.link = source;
      if (source != side.link) continue;
      ++counts_.received;
      // Nothing is known yet of where the other side's link is.
      if (sides_[1 - from].link.port != 0) Forward(sides_[1 - from], Tamper(from, bytes));
    }
  }
}

bool LossyRelay::Bind(platform::UdpSocket& socket, std::uint16_t port) {
  return socket.Open() && socket.SetNonBlocking() &&
         socket.Bind(port) == platform::UdpSocket::BindResult::kBound;
}

// A message's datagram: "mess", its sequence number and its body, each
// ended by a line feed but the body.
std::string LossyRelay::Tamper(int from, const std::string& bytes) {
  static constexpr std::string_view kMess = "mess\n";
  const std::size_t bodyAt = bytes.find('\n', kMess.size()) + 1;
  if (swapText_.empty() || !bytes.starts_with(kMess) || bodyAt == 0) return bytes;
  const std::string sequence = bytes.substr(kMess.size(), bodyAt - kMess.size());
  if (swapFrom_ < 0 && bytes.compare(bodyAt, 7, "a_move ") == 0) {
    swapFrom_ = from;
    swapSequence_ = sequence;
  }
  if (from != swapFrom_ || sequence != swapSequence_) return bytes;
  ++counts_.swapped;
  return bytes.substr(0, bodyAt) + swapText_;
}

bool LossyRelay::Chance() {
  return percent_ > 0 && static_cast<int>(random_() % 100) < percent_;
}

void LossyRelay::Forward(Side& to, const std::string& bytes) {
  if (Chance()) {
    ++counts_.dropped;
    return;
  }
  const int copies = Chance() ? 2 : 1;
  if (copies == 2) ++counts_.duplicated;
  for (int n = 0; n < copies; ++n) {
    if (Chance()) {
      ++counts_.held;
      to.late.push_back(bytes);
      continue;
    }
    to.socket.SendTo(to.link, bytes);
    for (const std::string& held : to.late) to.socket.SendTo(to.link, held);
    to.late.clear();
  }
}

}  // namespace net_testing
