#include "tests/modes/netgame/DecidedNetworkDuel.h"

#include "players/YPlayer.h"
#include "tiles/YTileset.h"

DecidedNetworkDuel::DecidedNetworkDuel(std::unique_ptr<YPlayerCommander> peer)
    : YPlayerCommander(1), peer_(std::move(peer)) {}

YPlayerCommander& DecidedNetworkDuel::Peer() {
  peer_->AttachTo(Battle());
  return *peer_;
}

void DecidedNetworkDuel::HandleMessages() {
  Peer().HandleMessages();
}

void DecidedNetworkDuel::Update() {
  if (YPlayer* local = Battle()->Fighter(side ^ 1)) local->health = 0;
}

void DecidedNetworkDuel::OnStart(const std::string& layoutPath, std::uint32_t seed, std::int32_t firstSide) {
  Peer().OnStart(layoutPath, seed, firstSide);
}

void DecidedNetworkDuel::OnMove(std::int32_t first, std::int32_t second) {
  Peer().OnMove(first, second);
}
