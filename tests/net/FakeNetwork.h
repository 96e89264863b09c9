// An in-memory network for the peer link's tests: endpoints that are
// PeerTransports, delivery by address and port (a broadcast address reaches
// every endpoint on the port, the sender included), a record of what each
// endpoint sent, and optional loss, duplication and reordering drawn from
// the project's seeded generator.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "net/PeerTransport.h"
#include "platform/Random.h"

namespace net_testing {

inline constexpr std::uint32_t kLocalHost = 0x7f000001;  // 127.0.0.1
inline constexpr std::uint32_t kBroadcast = 0x7fffffff;  // 127.255.255.255

struct Datagram {
  platform::UdpEndpoint from;
  platform::UdpEndpoint to;
  std::string bytes;
};

class FakeNetwork {
 public:
  class Endpoint : public PeerTransport {
   public:
    Endpoint(FakeNetwork& network, platform::UdpEndpoint address) : network_(network), address_(address) {}

    bool Send(const platform::UdpEndpoint& to, std::string_view datagram) override {
      sent.push_back({address_, to, std::string(datagram)});
      if (failSends) return false;
      network_.Carry(sent.back());
      return true;
    }

    ReceiveResult Receive(std::string& datagram, platform::UdpEndpoint& from) override {
      if (inbox.empty()) return ReceiveResult::kNothing;
      datagram = std::move(inbox.front().bytes);
      from = inbox.front().from;
      inbox.pop_front();
      return ReceiveResult::kDatagram;
    }

    // The sent datagrams' texts, optionally only those whose text starts with `prefix`.
    std::vector<std::string> SentTexts(std::string_view prefix = {}) const {
      std::vector<std::string> texts;
      for (const Datagram& d : sent) {
        if (std::string_view(d.bytes).substr(0, prefix.size()) == prefix) texts.push_back(d.bytes);
      }
      return texts;
    }

    const platform::UdpEndpoint& Address() const { return address_; }

    std::deque<Datagram> inbox;
    std::vector<Datagram> late;  // held back by reordering
    std::vector<Datagram> sent;
    bool failSends = false;

   private:
    FakeNetwork& network_;
    platform::UdpEndpoint address_;
  };

  Endpoint& Add(platform::UdpEndpoint address) {
    endpoints_.push_back(std::make_unique<Endpoint>(*this, address));
    return *endpoints_.back();
  }

  // Puts a datagram into the inbox of the endpoint at `to`, as sent by
  // `from`, past any loss.
  void Inject(const platform::UdpEndpoint& to, const platform::UdpEndpoint& from, std::string_view bytes) {
    for (auto& endpoint : endpoints_) {
      if (endpoint->Address() == to) endpoint->inbox.push_back({from, to, std::string(bytes)});
    }
  }

  // From now on each of dropping, duplicating and reordering happens to a
  // datagram with `percent` % chance, drawn from the generator seeded here.
  void MakeLossy(int percent, std::uint32_t seed) {
    lossPercent_ = percent;
    platform::SeedRandom(seed);
  }

 private:
  bool Chance() const { return lossPercent_ > 0 && platform::Random() % 100 < lossPercent_; }

  void Carry(const Datagram& datagram) {
    for (auto& endpoint : endpoints_) {
      const platform::UdpEndpoint& at = endpoint->Address();
      const bool reaches = datagram.to == at || (datagram.to.address == kBroadcast && datagram.to.port == at.port);
      if (reaches) Arrive(*endpoint, datagram);
    }
  }

  // A reordered datagram is held back and arrives behind the next one.
  void Arrive(Endpoint& endpoint, const Datagram& datagram) {
    if (Chance()) return;
    const int copies = Chance() ? 2 : 1;
    for (int n = 0; n < copies; ++n) {
      if (Chance()) {
        endpoint.late.push_back(datagram);
        continue;
      }
      endpoint.inbox.push_back(datagram);
      endpoint.inbox.insert(endpoint.inbox.end(), endpoint.late.begin(), endpoint.late.end());
      endpoint.late.clear();
    }
  }

  std::vector<std::unique_ptr<Endpoint>> endpoints_;
  int lossPercent_ = 0;
};

}  // namespace net_testing
