// Where the network game gets its peer link: by default a YPeerConnect on
// the base port and broadcast address given (tests pass a free port and
// 127.255.255.255, or hand the mode links of their own). Main thread only.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "net/YPeerConnect.h"

class PeerChannel;

class PeerLinkFactory {
 public:
  struct Options {
    std::uint16_t basePort = 10000;
    std::string broadcastAddress = "255.255.255.255";
    YPeerConnect::Clock clock;  // empty: the platform's tick counter
  };

  PeerLinkFactory() = default;
  explicit PeerLinkFactory(Options options) : options_(std::move(options)) {}
  virtual ~PeerLinkFactory() = default;

  // A new link looking for `host`; an empty host looks by broadcast.
  virtual std::unique_ptr<PeerChannel> Connect(const std::string& host);
  // Runs one step of a link this factory made, so that what was just sent
  // leaves before the link may be deleted.
  virtual void Flush(PeerChannel& link);
  // Where the links made from now on broadcast.
  void SetBroadcastAddress(std::string address) { options_.broadcastAddress = std::move(address); }
  // The first port the links made from now on take and search.
  void SetBasePort(std::uint16_t port) { options_.basePort = port; }

 private:
  Options options_;
};

// The game's own links: base port 10000, broadcast to 255.255.255.255
// unless the program's command line names another address.
PeerLinkFactory& DefaultPeerLinkFactory();
