#!/usr/bin/env bash
# Start-up, memory and idle benchmark of the built game (see StartBench.cpp).
# Usage: bench/startbench/startbench.sh [build dir] [runs] [idle seconds] [--env NAME=value ...]
# Uses $DISPLAY when set, else starts its own Xvfb on :${QV_BENCH_DISPLAY:-63}.
# Prints a Markdown table of median, min and max; fails only when it cannot run.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../../build}" && pwd)
runs=${2:-5}
idle=${3:-10}
shift $(( $# < 3 ? $# : 3 ))

out="$build/startbench"
mkdir -p "$out"
g++ -std=c++20 -O2 -Wall -Wextra -o "$out/qv_startbench" "$here/StartBench.cpp" -lX11 -ldl
g++ -std=c++20 -O2 -Wall -Wextra -shared -fPIC -o "$out/libqv_swapprobe.so" "$here/SwapProbe.cpp" \
  -Wl,--no-as-needed -lGL -ldl

. "$here/xvfb.sh"
cleanup() { [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true; }
trap cleanup EXIT

"$out/qv_startbench" --game "$build/game" --probe "$out/libqv_swapprobe.so" --runs "$runs" --idle "$idle" "$@"
