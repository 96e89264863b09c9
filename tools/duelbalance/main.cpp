// qv_duelbalance [--levels N] [--duels N] [--seed S] [--hero-row R]
//                [--monster-row R] [--quest R] [--new-player] [--threads N]
//                [--per-hero]
// Plays duels of the shipped heroes against the door keeper and the
// monsters of the campaign's first levels, headless, and prints per level
// the share of moves that lose their pair, the moves per duel, the heroes'
// share of wins and the duel's length in seconds of animation. Runs from
// the program folder; the same options print the same figures.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tools/duelbalance/BalanceRun.h"

namespace {

bool ParseOptions(int argc, char** argv, BalanceOptions& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--per-hero") {
      options.perHero = true;
      continue;
    }
    if (arg == "--new-player") {
      options.newPlayer = true;
      continue;
    }
    if (i + 1 >= argc) return false;
    const int value = std::atoi(argv[++i]);
    if (arg == "--levels")
      options.levels = value;
    else if (arg == "--duels")
      options.duels = value;
    else if (arg == "--seed")
      options.seed = static_cast<std::uint32_t>(std::strtoul(argv[i], nullptr, 10));
    else if (arg == "--hero-row")
      options.heroRow = value;
    else if (arg == "--monster-row")
      options.monsterRow = value;
    else if (arg == "--quest")
      options.questRow = options.monsterRow = value;
    else if (arg == "--threads")
      options.threads = value;
    else
      return false;
  }
  return options.levels >= 1 && options.duels >= 1 && options.threads >= 0;
}

}  // namespace

int main(int argc, char** argv) {
  BalanceOptions options;
  if (!ParseOptions(argc, argv, options)) {
    std::fprintf(stderr,
                 "usage: %s [--levels N] [--duels N] [--seed S] [--hero-row R] [--monster-row R] "
                 "[--quest R] [--new-player] [--threads N] [--per-hero]\n",
                 argv[0]);
    return 2;
  }
  const std::vector<BalanceLine> lines = RunBalance(options);
  if (lines.empty()) {
    std::fprintf(stderr, "no duel: the catalogues or levels could not be read\n");
    return 1;
  }
  std::fputs(FormatBalance(lines).c_str(), stdout);
  return 0;
}
