// The duel test program: the game's own application object in its window,
// with a duel started by the hot-seat mode (a seed profile's hero
// against a catalogue monster, the user on the left, a computer on the
// right, the standard layout, no screen, the battle state). It prints what
// an end-to-end test needs on standard error ("pair x1 y1 x2 y2" where the
// user can click a pair, "moved N", "shown N", "winner N") and can stage
// the burning and frozen overlays or every spell's show for screenshots.
#pragma once

#include <string>

struct DuelRunOptions {
  std::string profile = "players\\00001.yml";  // the hero's seed profile
  std::string monster = "storm_hawk";          // the catalogue monster it fights
  int monsterLevel = 3;
  std::string layout = "layouts\\standard.lay";  // the duel's layout file
  std::string language = "english";
  int frames = 0;          // quit after this many frames; 0 = at the fight's end
  int moves = 0;           // quit once this many moves were made and shown; 0 = never
  std::string screenshot;  // PNG of the last frame
  bool overlays = false;   // side 0 casts the spell that burns and freezes, the battle holds, and
                           // the run ends once both overlays are at full weight
  bool watch = false;      // the computer plays side 0 as well
  std::string shows;       // a folder: a PNG of every spell's show, then quit
  // The board game (BoardRun.h) instead of a single duel.
  bool board = false;
  std::string secondProfile = "players\\00000.yml";  // the board's side 1
  bool nearEnemy = false;                            // an enemy is moved next to a unit of the user's
  int decideAfter = 0;  // a duel's side 1 falls after this many frames; 0 = played out
};

// Runs the program; its exit code.
int RunDuel(const DuelRunOptions& options);
