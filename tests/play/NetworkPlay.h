// Two play programs (PlayFixture.h) in a network game on this machine: each
// with its own user folder and a profile of a hero and one monster first in
// its list, joined through the host-address setup as two players join (the
// host applies without an address and looks by broadcast, the joiner types
// 127.0.0.1), the duels' results clicked away on both until the game's end.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "tests/play/PlayFixture.h"
#include "tests/support/TestSupport.h"

namespace play {

class NetworkPlay : public PlayRun {
 protected:
  NetworkPlay();
  // Both user folders' profiles; the host's hero is "Aldra", the joiner's
  // "Bream", each with a monster of its own kind unless `heroesAlone` (a
  // game of one duel).
  void WriteProfiles(bool heroesAlone = false) const;
  // Starts both games as Join does, up to the joiner's first "apply".
  void Link(std::uint16_t hostPort, std::uint16_t joinPort);
  // The game whose link took the master's role, once both are linked.
  Game* Master();
  // Starts both games, the host's links from base port `hostPort`, the
  // joiner's ("-2") from `joinPort`; both reach the board (or `orElse`
  // instead, which a game may show before its board was seen).
  void Join(std::uint16_t hostPort, std::uint16_t joinPort, const std::string& orElse = "board");
  // Clicks every duel's result away on both games until both show the
  // game's end; fails on a network message or when the time is up.
  ::testing::AssertionResult PlayToTheEnd(std::chrono::seconds timeout);
  // Both games told the same duels, in the same order, and the same winner,
  // which is not "none" when `winnerNeeded`.
  void ExpectTheSameGame(bool winnerNeeded);
  // The lines of a game's report that begin with `prefix`.
  static std::vector<std::string> Told(const Game& game, const std::string& prefix);
  // Drives `game` from now on, its window over the other's.
  void Switch(Game& game);
  // Stops both games (PlayRun::Stop).
  void StopBoth();

  testing_support::ScopedTempDir peerFolder_;
  Game peer_;

 private:
  // Opens the host-address setup from the main menu.
  void OpenSetup();
  // Handles a result or the end on `game`, if one is shown; true at the end.
  ::testing::AssertionResult Step(Game& game, bool& ended);
};

}  // namespace play
