// The balance report's duels: the heroes of the seed profiles and of the
// hero catalogue against the door keeper and every monster of the
// campaign's first levels, each pairing played a few times with its own
// seed (HeadlessDuel), all duels spread over worker threads, and the
// figures per level. Reads the shipped content from the program folder.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/duelbalance/HeadlessDuel.h"

struct BalanceOptions {
  int levels = 3;  // campaign levels 1..levels
  int duels = 2;   // duels per hero and level entry
  std::uint32_t seed = 1;
  int heroRow = 0;  // difficulty rows of the two computers
  int monsterRow = 0;
  int questRow = -1;       // >= 0: only new heroes, made as a quest of this row makes them
  bool newPlayer = false;  // the heroes play as a new player does, not as the computer
  int threads = 0;         // 0: one per core
  bool perHero = false;    // a line per hero and level as well
};

// One level's (or one hero's) figures.
struct BalanceLine {
  std::string label;
  int duels = 0;
  int heroWins = 0;
  int monsterWins = 0;
  std::int64_t moves = 0;
  std::int64_t lostPairs = 0;
  int fewestMoves = 0;
  int mostMoves = 0;
  double seconds = 0;
  void Add(const DuelTally& tally);
};

// Plays every duel; the lines of each level in order (and, with perHero,
// each level's per-hero lines after its own). Empty when the catalogues
// could not be read.
std::vector<BalanceLine> RunBalance(const BalanceOptions& options);

// The lines as a Markdown table.
std::string FormatBalance(const std::vector<BalanceLine>& lines);
