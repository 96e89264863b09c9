// What a removed pair does to the two fighters, and the artifact upkeep at
// the start of a turn. One routine serves the real move and the computer's
// search alike; it works on whatever state it is given.
#pragma once

#include "tiles/DuelState.h"

// The effects of the pair (a, b), taken by the side to move; both tiles
// are already off the board and the move's undo record is the last one.
// Changes both sides' values, may take further free tiles (listed in that
// record) and sets the flag word for the next move. Returns whether the
// pair cast something: false for a fighter without health, a pair the
// fighter cannot pay for, or two kinds without a spell.
bool SimulateMoveEffects(DuelState& state, int a, int b);

// The side to move's artifact at the start of its turn: health and the
// element values of both sides change by its per-turn values. Then, when
// the other side's artifact has a skip chance and the battle's generator
// draws a multiple of its divisor, the flag word becomes the extra-turn bit
// (the side to move loses this turn).
void ApplyTurnUpkeep(DuelState& state);

// The gold a plain pair brings its taker's board player, per element.
int PlainPairGold(int element);
