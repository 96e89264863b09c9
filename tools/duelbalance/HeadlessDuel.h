// One duel played out on the rules core alone: no window, no effects, no
// worker threads. It runs the battle's turns as the tile battle does (deal,
// upkeep, moves, passes, shuffles) and each side's choice as the duel
// computer or a new player makes it, with every draw from generators
// seeded by the duel's seed, so the same seed always plays the same duel.
// It counts what the balance report needs.
#pragma once

#include <cstdint>
#include <vector>

#include "tiles/DuelState.h"

// How one side plays: a difficulty row's duel values for the computer, or
// a new player's way, who takes any pair it can pay for at random and
// never looks ahead.
struct DuelPlayer {
  int depth = 1;
  int candidates = 1;
  int samples = 1;
  bool newPlayer = false;
};

// What one duel came to.
struct DuelTally {
  int moves = 0;       // pairs taken, by either side
  int lostPairs = 0;   // pairs that cast nothing (the side lacked the elements)
  int shuffles = 0;    // shuffle steps: shuffle deals, sweeps and fresh deals
  int winner = -1;     // 0 or 1; -1 when both fell or the move cap ended it
  double seconds = 0;  // the screen's animation time, thinking excluded
};

// A new player's pick among the side to move's pairs (not empty): any pair
// whose spell it can pay for (plain and well pairs cost nothing), all
// alike; one it cannot pay for only when there is no other.
DuelPair NewPlayerPick(const DuelState& state, const std::vector<DuelPair>& pairs, DuelRandom& random);

class HeadlessDuel {
 public:
  // A duel stops undecided after this many moves.
  static constexpr int kMoveCap = 1000;

  // `start` holds the board's tiles (set aside, as a layout loads), the
  // kind table and both sides' values; side 0 moves first.
  HeadlessDuel(const DuelState& start, const DuelPlayer& side0, const DuelPlayer& side1, std::uint32_t seed);

  // Plays the duel to its end.
  DuelTally Play();

 private:
  void Deal();
  void Shuffle();
  void NextTurn();
  void MoveOfSideToMove();
  DuelPair Decide();

  DuelState state_;
  DuelPlayer players_[2];
  DuelRandom pick_;  // the players' own draws, never the battle's
  std::vector<int> freeTiles_;
  std::vector<DuelPair> pairs_;
  std::int32_t passCounter_ = 0;
  DuelTally tally_;
};
