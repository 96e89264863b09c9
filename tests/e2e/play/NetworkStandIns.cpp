#include "tests/e2e/play/NetworkStandIns.h"

#include "board/YTessorPlayerCommander.h"
#include "tests/modes/ComputerFactory.h"
#include "tests/modes/netgame/DecidedNetworkDuel.h"
#include "tiles/YPlayerCommander.h"

namespace {
// The duel computers' difficulty row.
constexpr std::int32_t kDuelRow = 0;
}  // namespace

std::unique_ptr<YTessorPlayerCommander> NetworkStandInFactory::BoardUser(std::int32_t side) {
  return BoardComputer(side, kStandInBoardRow);
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
