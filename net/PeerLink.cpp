#include "net/PeerLink.h"

#include <algorithm>

#include "framework/Log.h"

namespace {

// A step after a long stall counts at most this much, which keeps every
// timer and countdown far from overflowing.
constexpr std::int32_t kLongestStepMs = 60000;

}  // namespace

PeerLink::PeerLink(std::uint16_t basePort, std::uint32_t startTick)
    : startTick_(startTick), basePort_(basePort), helloPort_(basePort) {}

bool PeerLink::Send(std::string_view body) {
  if (ended_) return false;
  if (body.empty()) {
    Log::Printf("Empty peer message not sent.");
    return false;
  }
  if (body.size() > kMaxBody) {
    Log::Printf("Peer message of %zu bytes not sent: the limit is %zu.", body.size(), kMaxBody);
    return false;
  }
  sendQueue_.push_back({nextOut_++, 0, std::string(body)});
  return true;
}

void PeerLink::End() {
  connected_ = false;
  ended_ = true;
}

std::string PeerLink::Receive() {
  if (receiveQueue_.empty() || receiveQueue_.front().sequence != nextIn_) return {};
  std::string body = std::move(receiveQueue_.front().body);
  receiveQueue_.pop_front();
  ++nextIn_;
  return body;
}

bool PeerLink::Step(PeerTransport& transport, std::uint32_t now, std::uint32_t helloAddress) {
  const std::int32_t dt = Advance(now);
  if (ended_) return true;
  if (connected_ && TimedOut(dt)) return true;
  ReceiveWaiting(transport);
  if (connected_) {
    SendDue(transport, dt);
  } else {
    SendHello(transport, helloAddress);
  }
  return false;
}

std::int32_t PeerLink::Advance(std::uint32_t now) {
  const bool first = !stepped_;
  const auto elapsed = static_cast<std::int32_t>(now - lastStep_);
  stepped_ = true;
  lastStep_ = now;
  if (first) return kFirstStepMs;
  return std::clamp(elapsed, 0, kLongestStepMs);
}

bool PeerLink::TimedOut(std::int32_t dt) {
  silenceMs_ += dt;
  idleMs_ = std::min(idleMs_ + dt, kTimeoutMs);
  if (silenceMs_ <= kTimeoutMs) return false;
  Log::Write("Disconnect by timeout.\n");
  End();
  return true;
}

void PeerLink::ReceiveWaiting(PeerTransport& transport) {
  std::string bytes;
  platform::UdpEndpoint from;
  for (int n = 0; n < kDatagramsPerStep; ++n) {
    if (transport.Receive(bytes, from) != PeerTransport::ReceiveResult::kDatagram) return;
    Handle(transport, bytes, from);
  }
}

void PeerLink::Handle(PeerTransport& transport, std::string_view bytes, const platform::UdpEndpoint& from) {
  // Nothing the peer sends is this long: a longer datagram is not ours.
  if (bytes.size() > PeerTransport::kMaxDatagram) return;
  if (connected_ && !(from == peer_)) return;
  const PeerDatagram datagram = PeerDatagram::Parse(bytes);
  switch (datagram.kind) {
    case PeerDatagram::Kind::kConnected:
      return HandleConnected(datagram, from);
    case PeerDatagram::Kind::kHello:
      return HandleHello(transport, datagram, from);
    default:
      break;
  }
  if (!connected_) return;
  switch (datagram.kind) {
    case PeerDatagram::Kind::kMess:
      return HandleMess(transport, datagram);
    case PeerDatagram::Kind::kOk:
      return HandleOk(datagram);
    case PeerDatagram::Kind::kPuls:
      silenceMs_ = 0;
      return;
    default:
      return;
  }
}

void PeerLink::HandleConnected(const PeerDatagram& datagram, const platform::UdpEndpoint& from) {
  if (!datagram.number) return;
  if (connected_) {
    silenceMs_ = 0;
    return;
  }
  ConnectTo(from, *datagram.number);
}

void PeerLink::HandleHello(PeerTransport& transport, const PeerDatagram& datagram,
                           const platform::UdpEndpoint& from) {
  if (!datagram.version) return;
  if (*datagram.version != kProtocolVersion) {
    Log::Write("Uncompotible protocol versions.\n");
    return;
  }
  // Our own broadcast comes back to us too.
  if (!datagram.number || *datagram.number == static_cast<std::int32_t>(startTick_)) return;
  // A linked side answers only the link it was made with. A new link from
  // the peer's address (its player gave up and looks again, from the same
  // port) is left for this machine's next link: answered with this old
  // link's earlier tick, it would take the slave's role, and so would the
  // next link when this side's own new link reached it.
  if (connected_ && *datagram.number != peerTick_) return;
  if (!connected_) ConnectTo(from, *datagram.number);
  if (transport.Send(peer_, PeerDatagram::Connected(startTick_))) silenceMs_ = 0;
}

void PeerLink::HandleMess(PeerTransport& transport, const PeerDatagram& datagram) {
  // A message without its body is not acknowledged: its "ok" would make the
  // sender drop the real message of that number.
  if (!datagram.number || datagram.body.empty()) return;
  const std::int32_t sequence = *datagram.number;
  // Beyond the window the message is not acknowledged, so it comes again.
  if (static_cast<std::int64_t>(sequence) >= static_cast<std::int64_t>(nextIn_) + kReceiveWindow) return;
  if (Accepts(sequence)) {
    const auto at = std::lower_bound(receiveQueue_.begin(), receiveQueue_.end(), sequence,
                                     [](const PeerMessage& m, std::int32_t n) { return m.sequence < n; });
    receiveQueue_.insert(at, PeerMessage{sequence, 0, datagram.body});
  }
  // Old and repeated messages are acknowledged again: their "ok" was lost.
  if (transport.Send(peer_, PeerDatagram::Ok(sequence))) {
    silenceMs_ = 0;
    idleMs_ = 0;
  }
}

bool PeerLink::Accepts(std::int32_t sequence) const {
  if (sequence < nextIn_) return false;
  return std::none_of(receiveQueue_.begin(), receiveQueue_.end(),
                      [sequence](const PeerMessage& m) { return m.sequence == sequence; });
}

void PeerLink::HandleOk(const PeerDatagram& datagram) {
  if (!datagram.number) return;
  const std::int32_t sequence = *datagram.number;
  const auto found = std::find_if(sendQueue_.begin(), sendQueue_.end(),
                                  [sequence](const PeerMessage& m) { return m.sequence == sequence; });
  if (found != sendQueue_.end()) sendQueue_.erase(found);
  silenceMs_ = 0;
}

void PeerLink::ConnectTo(const platform::UdpEndpoint& from, std::int32_t remoteTick) {
  // The side that started first (the smaller tick) is master.
  const bool master = remoteTick > static_cast<std::int32_t>(startTick_);
  role_ = master ? kMaster : kSlave;
  peer_ = from;
  peerTick_ = remoteTick;
  connected_ = true;
  Log::Printf("Connected as %s.", master ? "master" : "slave");
  silenceMs_ = 0;
  idleMs_ = 0;
}

void PeerLink::SendHello(PeerTransport& transport, std::uint32_t address) {
  if (!transport.Send({address, helloPort_}, PeerDatagram::Hello(kProtocolVersion, startTick_))) return;
  idleMs_ = 0;
  if (++helloCount_ < kHellosPerPort) return;
  helloCount_ = 0;
  const int next = helloPort_ + 1;
  helloPort_ = static_cast<std::uint16_t>(next < basePort_ + kPortCount ? next : basePort_);
}

void PeerLink::SendDue(PeerTransport& transport, std::int32_t dt) {
  for (PeerMessage& message : sendQueue_) {
    if (message.countdown < 1) {
      if (!transport.Send(peer_, PeerDatagram::Mess(message.sequence, message.body))) break;
      message.countdown = kResendMs;
      idleMs_ = 0;
    }
    message.countdown = std::max(message.countdown - dt, 0);
  }
  if (idleMs_ > kPulsMs && transport.Send(peer_, PeerDatagram::Puls())) idleMs_ = 0;
}
