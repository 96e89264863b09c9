#!/usr/bin/env bash
# The maintainer's crash run: plays, saves and quits the game again and
# again, killing it (SIGKILL) a random moment after the click that makes it
# write the configuration, a profile, a campaign save or the hall of fame,
# and checks after every kill that each file is its old or a complete new
# version and that the game starts and goes on from it.
# Usage: crash-safety.sh [rounds] (default 40); QV_CRASH_SEED draws the
# random numbers of an earlier run again (its seed is in the journal).
# The journal of kills, one line a round, is
# build/screenshots/play_crash_safety.txt.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
rounds=${1:-40}
"$top/scripts/setup.sh"
# shellcheck source=scripts/xvfb.sh
. "$top/scripts/xvfb.sh"
start_xvfb
cd "$top/build"
# A round takes up to a board game's length; the last level's is the longest.
DISPLAY="$XVFB_DISPLAY" ALSOFT_DRIVERS=null QV_PLAY_LONG=1 QV_CRASH_ROUNDS="$rounds" \
  ctest --output-on-failure -L '^play$' -R 'CrashSafety' --timeout $((rounds * 240 + 600))
