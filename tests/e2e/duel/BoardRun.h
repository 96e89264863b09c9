// The board test program: the game's own application object in its window
// playing a hot-seat game against the computer of the easiest row (two seed
// profiles on "desks\base.dsk", the user on side 0). A fight plays its duel
// on screen; the program closes each result as the screens would, the mode
// hands the outcome to the board, and the run ends when the board game is
// over. It prints what an end-to-end test needs on standard error ("walk ux
// uy tx ty" where the user can click a unit and a free square it reaches,
// "attack ux uy ex ey" when an enemy stands within reach, "turn side N",
// "fight", "duel over N", "board again", "game over N"). Not a game
// feature: no menu starts a game yet.
#pragma once

#include "tests/e2e/duel/DuelRun.h"

// Runs the board game; its exit code.
int RunBoard(const DuelRunOptions& options);
