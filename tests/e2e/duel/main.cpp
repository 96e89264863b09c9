// qv_duelrun [--profile <file>] [--monster <id>] [--level N] [--layout <file>] [--frames N] [--moves N]
//            [--screenshot out.png] [--overlays] [--watch] [--shows <folder>]
// qv_duelrun --board [--profile <file>] [--second <file>] [--near] [--decide N]
//            [--frames N] [--screenshot out.png] [--watch]
// The duel test program (see DuelRun.h) and, with --board, the board test
// program (BoardRun.h). It lives in the program folder and runs from
// there; APPDATA names the user folder it may write.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/e2e/duel/BoardRun.h"
#include "tests/e2e/duel/DuelRun.h"

namespace {

bool ParseOptions(int argc, char** argv, DuelRunOptions& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--overlays" || arg == "--watch" || arg == "--board" || arg == "--near") {
      (arg == "--watch"   ? options.watch
       : arg == "--board" ? options.board
       : arg == "--near"  ? options.nearEnemy
                          : options.overlays) = true;
      continue;
    }
    if (i + 1 >= argc) return false;
    const std::string value = argv[++i];
    if (arg == "--profile")
      options.profile = value;
    else if (arg == "--layout")
      options.layout = value;
    else if (arg == "--monster")
      options.monster = value;
    else if (arg == "--level")
      options.monsterLevel = std::atoi(value.c_str());
    else if (arg == "--frames")
      options.frames = std::atoi(value.c_str());
    else if (arg == "--moves")
      options.moves = std::atoi(value.c_str());
    else if (arg == "--screenshot")
      options.screenshot = value;
    else if (arg == "--shows")
      options.shows = value;
    else if (arg == "--second")
      options.secondProfile = value;
    else if (arg == "--decide")
      options.decideAfter = std::atoi(value.c_str());
    else
      return false;
  }
  return options.frames >= 0 && options.moves >= 0 && options.decideAfter >= 0;
}

}  // namespace

int main(int argc, char** argv) {
  DuelRunOptions options;
  if (!ParseOptions(argc, argv, options)) {
    std::fprintf(stderr,
                 "usage: %s [--profile <file>] [--monster <id>] [--level N] [--layout <file>] [--frames N] "
                 "[--moves N] "
                 "[--screenshot file.png] [--overlays] [--watch] [--shows <folder>]\n"
                 "       %s --board [--profile <file>] [--second <file>] [--near] [--decide N] [--frames N] "
                 "[--screenshot file.png] [--watch]\n",
                 argv[0], argv[0]);
    return 2;
  }
  return options.board ? RunBoard(options) : RunDuel(options);
}
