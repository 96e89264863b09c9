#include "tests/e2e/play/NetworkStandIns.h"

#include "board/YTessorPlayerCommander.h"
#include "tests/modes/ComputerFactory.h"
#include "tests/modes/netgame/DecidedNetworkDuel.h"
#include "tiles/YPlayerCommander.h"

namespace {
// The board computers' difficulty row and the duel computers'.
constexpr std::int32_t kBoardRow = 2;
constexpr std::int32_t kDuelRow = 0;
}  // namespace

std::unique_ptr<YTessorPlayerCommander> NetworkStandInFactory::BoardUser(std::int32_t side) {
  return BoardComputer(side, kBoardRow);
}

std::unique_ptr<YPlayerCommander> NetworkStandInFactory::DuelUser(std::int32_t side) {
  if (Plays()) return DuelComputer(side, kDuelRow);
  return MakeStrikingCommander(side);
}

std::unique_ptr<YPlayerCommander> NetworkStandInFactory::DuelNetwork(PeerMessageRouter& router,
                                                                     PeerGameEvents* events) {
  std::unique_ptr<YPlayerCommander> peer = CommanderFactory::DuelNetwork(router, events);
  if (Plays()) return peer;
  return std::make_unique<DecidedNetworkDuel>(std::move(peer));
}
