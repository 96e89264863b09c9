#!/usr/bin/env bash
# The maintainer's play runs, too long or too hard on the machine for CI:
# sets up and builds like the README's commands, then runs the play tests
# with QV_PLAY_LONG set, on a virtual display. An argument narrows them to
# the tests whose names match it (a ctest regular expression).
# Screenshots, logs and reports are kept in build/screenshots/.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/setup.sh"
# shellcheck source=scripts/xvfb.sh
. "$top/scripts/xvfb.sh"
start_xvfb
cd "$top/build"
DISPLAY="$XVFB_DISPLAY" ALSOFT_DRIVERS=null QV_PLAY_LONG=1 \
  ctest --output-on-failure -L '^play$' -R "${1:-.}"
