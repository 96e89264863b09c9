// The board test program: the game's own application object in its window
// with a board game set up as the hot-seat mode sets one up (two seed
// profiles on "desks\base.dsk", the user on side 0, the board computer on
// side 1, the board state). A fight plays its duel on screen (the user on
// side 0, the duel computer on side 1); its outcome goes back to the board,
// and the run ends when the board game is over. It prints what an
// end-to-end test needs on standard error ("walk ux uy tx ty" where the
// user can click a unit and a free square it reaches, "attack ux uy ex ey"
// when an enemy stands within reach, "turn side N", "fight", "duel over N",
// "board again", "game over N"). Not a game feature: no menu starts a game
// yet.
#pragma once

#include "tests/e2e/duel/DuelRun.h"

// Runs the board game; its exit code.
int RunBoard(const DuelRunOptions& options);
