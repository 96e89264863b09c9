// Arbitrary datagrams fed to the peer link's rules, from the peer and from
// a stranger, between steps at arbitrary times, with bodies queued and
// received in between. The link may never crash, grow its receive queue
// past its window, deliver a body longer than a datagram or leave the
// connected flag and the role out of step.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "net/PeerLink.h"
#include "tests/net/FakeNetwork.h"

namespace {

using namespace net_testing;

constexpr platform::UdpEndpoint kOwn{kLocalHost, 10000};
constexpr platform::UdpEndpoint kPeer{kLocalHost, 10001};
constexpr platform::UdpEndpoint kStranger{kLocalHost, 10002};

// Starts of well-formed datagrams, so that the fuzzer reaches every rule soon.
constexpr std::string_view kPrefixes[] = {"", "mess\n", "ok\n", "QuennelVarrickPeer\n1\n", "connected\n", "puls",
                                          "mess\n0\n", "QuennelVarrickPeer\n"};

void CheckInvariants(PeerLink& link) {
  if (link.ReceiveQueueSize() > static_cast<std::size_t>(PeerLink::kReceiveWindow)) std::abort();
  if (link.Connected() && link.Role() != PeerLink::kMaster && link.Role() != PeerLink::kSlave) std::abort();
  if (link.Connected() && link.Ended()) std::abort();
  for (std::string body = link.Receive(); !body.empty(); body = link.Receive()) {
    if (body.size() > PeerTransport::kMaxDatagram) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FakeNetwork network;
  FakeNetwork::Endpoint& own = network.Add(kOwn);
  PeerLink link(10000, 5000);
  std::uint32_t now = 0;
  std::size_t at = 0;
  while (at + 2 <= size) {
    const std::uint8_t control = data[at];
    const std::size_t length = std::min<std::size_t>(data[at + 1], size - at - 2);
    const std::string_view bytes(reinterpret_cast<const char*>(data) + at + 2, length);
    at += 2 + length;
    std::string datagram(kPrefixes[control & 7]);
    datagram.append(bytes);
    network.Inject(kOwn, (control & 8) ? kStranger : kPeer, datagram);
    if (control & 16) link.Send(bytes);
    if (control & 32) continue;  // several datagrams wait for one step
    now += (control >> 6) * 4000u + static_cast<std::uint32_t>(length) * 7;
    link.Step(own, now, kBroadcast);
    own.sent.clear();
    CheckInvariants(link);
  }
  return 0;
}
