#include "modes/CommanderFactory.h"

#include "board/YTessorPlayerComputer.h"
#include "board/YTessorPlayerNetwork.h"
#include "board/YTessorPlayerUI.h"
#include "players/DifficultyTable.h"
#include "tiles/YPlayerComputer.h"
#include "tiles/YPlayerNetwork.h"
#include "tiles/YPlayerUI.h"

std::unique_ptr<YTessorPlayerCommander> CommanderFactory::BoardUser(std::int32_t side) {
  return std::make_unique<YTessorPlayerUI>(side);
}

std::unique_ptr<YTessorPlayerCommander> CommanderFactory::BoardComputer(std::int32_t side, std::int32_t row) {
  const DifficultyRow& r = DifficultyRowAt(row);
  return std::make_unique<YTessorPlayerComputer>(side, r.aggression, r.aggressionGrowth, r.boardDepth,
                                                 r.boardCandidates, r.boardSamples, r.timeLimitMs);
}

std::unique_ptr<YTessorPlayerCommander> CommanderFactory::BoardNetwork(std::int32_t side,
                                                                       PeerMessageRouter::Mailbox& mailbox,
                                                                       PeerGameEvents* events) {
  return std::make_unique<YTessorPlayerNetwork>(side, mailbox, events);
}

std::unique_ptr<YPlayerCommander> CommanderFactory::DuelUser(std::int32_t side) {
  return std::make_unique<YPlayerUI>(side);
}

std::unique_ptr<YPlayerCommander> CommanderFactory::DuelComputer(std::int32_t side, std::int32_t row) {
  const DifficultyRow& r = DifficultyRowAt(row);
  return std::make_unique<YPlayerComputer>(side, r.duelDepth, r.duelCandidates, r.duelSamples, r.timeLimitMs);
}

std::unique_ptr<YPlayerCommander> CommanderFactory::DuelNetwork(PeerMessageRouter& router,
                                                                PeerGameEvents* events) {
  return std::make_unique<YPlayerNetwork>(router, events);
}

CommanderFactory& DefaultCommanderFactory() {
  static CommanderFactory factory;
  return factory;
}
