// Where the game modes get the commanders of both battles: the user, the
// computer of a difficulty row, and the peer's network commanders. The
// default makes the real ones; tests hand a mode a factory of their own (for
// example computers in place of users, so a whole game plays itself).
// Main thread only.
#pragma once

#include <cstdint>
#include <memory>

#include "net/PeerMessageRouter.h"

class PeerGameEvents;
class YPlayerCommander;
class YTessorPlayerCommander;

class CommanderFactory {
 public:
  virtual ~CommanderFactory() = default;

  // The board's commanders.
  virtual std::unique_ptr<YTessorPlayerCommander> BoardUser(std::int32_t side);
  // The board computer with the board columns of difficulty row `row`.
  virtual std::unique_ptr<YTessorPlayerCommander> BoardComputer(std::int32_t side, std::int32_t row);
  // The peer's side over `mailbox` (the board's keywords); `events` hears of
  // an abort or a lost link. Neither is owned.
  virtual std::unique_ptr<YTessorPlayerCommander> BoardNetwork(std::int32_t side,
                                                               PeerMessageRouter::Mailbox& mailbox,
                                                               PeerGameEvents* events);

  // The duel's commanders.
  virtual std::unique_ptr<YPlayerCommander> DuelUser(std::int32_t side);
  // The duel computer with the duel columns of difficulty row `row`.
  virtual std::unique_ptr<YPlayerCommander> DuelComputer(std::int32_t side, std::int32_t row);
  // The peer's fighter (always side 1) over the router's mailboxes.
  virtual std::unique_ptr<YPlayerCommander> DuelNetwork(PeerMessageRouter& router, PeerGameEvents* events);
};

// The factory of the real commanders.
CommanderFactory& DefaultCommanderFactory();
