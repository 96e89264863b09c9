// Deals: a fresh deal gives every tile a kind so that the whole board can be
// cleared pair by pair; a shuffle deal moves the live tiles to the places
// live tiles hold, again so that they can be cleared; the shuffle step
// tries a shuffle deal, sweeps the board when it fails and deals anew when
// nothing is left. Every draw comes from the battle's generator, in a fixed
// order, so that both machines of a network game deal alike.
#pragma once

#include <cstdint>
#include <vector>

#include "tiles/DuelState.h"

// Kinds a fresh deal hands out: indices 0 to 41 of the kind table.
inline constexpr int kDealtKindCount = 42;

// New kinds for all tiles; all tiles live, numbered in list order.
void DealFresh(DuelState& state);

// Moves the live tiles to new places among the places live tiles hold,
// pairing neighbours of equal kind first. False, with the tiles left where
// the attempt stopped, when there are fewer than two live tiles, no pair
// among them or no complete placement. On success `moved` lists every live
// tile (its coordinates are its new place; its drawing matrix is still the
// old one).
bool ShuffleDeal(DuelState& state, std::vector<int>& moved);

// What a shuffle step did.
struct ShuffleResult {
  enum Kind { kShuffled, kSwept, kFresh } kind = kShuffled;
  // Shuffled: the tiles moved. Swept: the tiles taken off the board.
  // Fresh: every tile, each with its fly-in value drawn.
  std::vector<int> tiles;
};

// The shuffle step: seeds the generator with `seed`, or with 0 with the
// stored shuffle seed (drawing the next one); then a shuffle deal. When it
// fails with live tiles left, every tile still on the board is removed and
// the shuffle flag set (the next step deals anew). When no tile is live,
// a fresh deal, each tile at home with its fly-in value drawn. After a deal
// the flag word is cleared and the last undo record is marked, so that no
// undo goes back across it.
ShuffleResult ShuffleStep(DuelState& state, std::int32_t seed);
