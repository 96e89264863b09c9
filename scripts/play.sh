#!/usr/bin/env bash
# Sets everything up, then starts the game from its program folder.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/setup.sh"
cd "$top/build/game"
exec ./QuennelVarrick "$@"
