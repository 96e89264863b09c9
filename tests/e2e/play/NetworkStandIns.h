// The stand-ins of the play program (PlayRun.h) in a network game, where
// both machines must see every duel end alike. The user's side of a duel
// never sets the peer's fighter down on its own: either the side that moves
// first wins on both machines ("decided", the default: this machine's
// striking commander and, for the peer's side, DecidedNetworkDuel), or both
// sides are the duel computers of the easiest row whose moves travel over
// the link as a player's would ("play" in the user folder's "standin.txt").
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "modes/CommanderFactory.h"

// Every stand-in's board computer: the middle row, which seeks the enemy
// out (the easiest row's walkers may chase each other for minutes).
inline constexpr std::int32_t kStandInBoardRow = 2;

class NetworkStandInFactory : public CommanderFactory {
 public:
  // `mode` reads the stand-in's mode when a duel begins.
  explicit NetworkStandInFactory(std::function<std::string()> mode) : mode_(std::move(mode)) {}

  std::unique_ptr<YTessorPlayerCommander> BoardUser(std::int32_t side) override;
  std::unique_ptr<YPlayerCommander> DuelUser(std::int32_t side) override;
  std::unique_ptr<YPlayerCommander> DuelNetwork(PeerMessageRouter& router, PeerGameEvents* events) override;

 private:
  bool Plays() const { return mode_() == "play"; }

  std::function<std::string()> mode_;
};
