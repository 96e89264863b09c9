// qv_playrun [the game's own command line]
// The game with stand-ins and screen reports (PlayRun.h). It lives in the
// program folder; APPDATA names its user folder.
#include "game/ProgramStart.h"
#include "tests/e2e/play/PlayRun.h"

int main(int argc, char** argv) {
  return RunPlay(JoinCommandLine(argc, argv));
}
