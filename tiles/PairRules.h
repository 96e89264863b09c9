// The pair rules of the duel: which free tiles a side may take together,
// which tiles are free under the flag word (frozen tiles never are), and the
// list of pairs the side to move can take, best first.
#pragma once

#include <cstdint>
#include <vector>

#include "tiles/DuelState.h"

struct YTileSpell;

// The side's own spell keyed (a << 8) | b or (b << 8) | a; null when a
// equals b or the side knows no such spell.
const YTileSpell* FindTileLink(const DuelSide& side, std::uint32_t a, std::uint32_t b);

// Whether the side holds enough of the kinds' elements for their spell:
// with one element, at least the larger cost; with two, each kind's cost.
bool CanAffordPair(const DuelSide& side, const DuelKind& a, const DuelKind& b);

// The pair rule, asked with a side's values: equal kinds pair, two plain
// tiles pair, two wells pair; other kinds need a spell of the side that it
// can afford.
bool CanMatch(const DuelState& state, const DuelSide& side, int a, int b);

// Earth and water tiles while the frozen flag is set.
bool IsFrozen(const DuelState& state, int tile);
// Fire tiles while the burning flag is set.
bool IsBurning(const DuelState& state, int tile);
// Live, not blocked and not frozen.
bool IsFree(const DuelState& state, int tile);

// Appends every free tile, in tile-list order.
void CollectFreeTiles(const DuelState& state, std::vector<int>& out);
// The same, only tiles of the earth element.
void CollectFreeEarthTiles(const DuelState& state, std::vector<int>& out);

// Fills `freeTiles` with the free tiles and `pairs` with every pair of them
// that the side to move can take, ranked: 100 for a pair whose cost the side
// cannot meet, else the smaller of the two kinds' priorities; lowest first,
// equal ranks in the order found. Returns true when no tile is live.
bool FindPairs(const DuelState& state, std::vector<int>& freeTiles, std::vector<DuelPair>& pairs);

// How a turn opens once its side and upkeep are settled.
enum class TurnOpening { kMove, kPass, kShuffle };
// Finds the side's pairs and decides: a shuffle when no tile is live, a
// move when a pair exists (the run of passes starts again), else a pass,
// and a shuffle at the second pass in a row. Sets the pass or shuffle flag
// of the state and counts the passes in `passCounter`.
TurnOpening OpenTurn(DuelState& state, std::vector<int>& freeTiles, std::vector<DuelPair>& pairs,
                     std::int32_t& passCounter);
