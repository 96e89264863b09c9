#include "modes/PeerLinkFactory.h"

std::unique_ptr<PeerChannel> PeerLinkFactory::Connect(const std::string& host) {
  YPeerConnect::Options options;
  options.basePort = options_.basePort;
  options.host = host;
  options.broadcastAddress = options_.broadcastAddress;
  options.clock = options_.clock;
  return std::make_unique<YPeerConnect>(std::move(options));
}

void PeerLinkFactory::Flush(PeerChannel& link) {
  if (auto* connect = dynamic_cast<YPeerConnect*>(&link)) connect->Process();
}

PeerLinkFactory& DefaultPeerLinkFactory() {
  static PeerLinkFactory factory;
  return factory;
}
