#!/usr/bin/env bash
# Sets everything up and runs every test: the plain build headless (no
# display; each headless test program also whole as one process, shuffled in
# two fixed orders) and its window tests under Xvfb; the whole suite again in
# a clang tree with AddressSanitizer and UndefinedBehaviorSanitizer; the
# threaded folders under ThreadSanitizer; then that clang tree's fuzz
# targets, which share a fixed time budget.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc 2>/dev/null || echo 2)
fuzz_total_seconds=${QV_FUZZ_TOTAL_SECONDS:-100}
# shellcheck source=scripts/fuzz-common.sh
. "$top/scripts/fuzz-common.sh"

# phase <name>: the phase's heading, with the seconds since the start, so
# that a slow CI run shows where its time went.
phase() { echo "== $1 (at ${SECONDS} s)"; }

"$top/scripts/setup.sh"

# shellcheck source=scripts/xvfb.sh
. "$top/scripts/xvfb.sh"

# configure <build folder> <cmake options>: a new folder is made for Ninja;
# one made before keeps its generator.
configure() {
  local dir=$1 generator=()
  shift
  [ -f "$dir/CMakeCache.txt" ] || generator=(-G Ninja)
  cmake -S "$top" -B "$dir" "${generator[@]}" "$@" >/dev/null
}


# run_suite <build folder>: headless tests without a display, window tests on Xvfb.
run_suite() {
  local dir=$1
  (cd "$dir" && env -u DISPLAY -u WAYLAND_DISPLAY ALSOFT_DRIVERS=null \
     ctest --output-on-failure -j"$jobs" -LE '^(e2e|play)$')
  (cd "$dir" && DISPLAY="$XVFB_DISPLAY" ALSOFT_DRIVERS=null ctest --output-on-failure -L '^e2e$')
}

start_xvfb

phase "tests"
run_suite "$top/build"
# The game played through its window, in the plain build only. Its runs
# mostly wait for the game's animations, so they go on beside the sanitizer
# tree's build and headless tests; their output follows when they are done.
play_log=$(mktemp)
(cd "$top/build" && DISPLAY="$XVFB_DISPLAY" ALSOFT_DRIVERS=null ctest --output-on-failure -L '^play$') \
  >"$play_log" 2>&1 &
play_pid=$!
trap 'kill "$play_pid" 2>/dev/null || true; stop_xvfb' EXIT

# One clang tree carries AddressSanitizer, UndefinedBehaviorSanitizer and the
# fuzzers' coverage: it runs the whole suite, then the fuzz targets.
phase "tests under AddressSanitizer and UndefinedBehaviorSanitizer"
# It builds only the test programs and the fuzz targets.
configure_fuzz_tree
cmake --build "$top/build-fuzz" -j"$jobs" --target qv_tests qv_fuzz_targets
export LSAN_OPTIONS=suppressions="$top/tests/lsan.supp"
(cd "$top/build-fuzz" && env -u DISPLAY -u WAYLAND_DISPLAY ALSOFT_DRIVERS=null ASAN_OPTIONS=detect_leaks=1 \
   ctest --output-on-failure -j"$jobs" -LE '^(e2e|play)$')
phase "the game played through its window"
play_status=0
wait "$play_pid" || play_status=$?
cat "$play_log"
rm -f "$play_log"
[ "$play_status" -eq 0 ] || exit "$play_status"
# The leak checker's tracer thread can crash among the GL driver's threads,
# so the window tests run with the address checks but without it.
(cd "$top/build-fuzz" && DISPLAY="$XVFB_DISPLAY" ALSOFT_DRIVERS=null ASAN_OPTIONS=detect_leaks=0 \
   ctest --output-on-failure -L '^e2e$')

# ThreadSanitizer: the folders whose code runs threads (workers, links,
# streams, the log).
phase "tests under ThreadSanitizer"
# A unity build, like the address-sanitizer tree (cmake/UnityBuild.cmake).
configure "$top/build-tsan" -DCMAKE_BUILD_TYPE=Debug -DQV_SANITIZE=thread -DCMAKE_UNITY_BUILD=ON \
  -DCMAKE_C_FLAGS_DEBUG="-O1 -g1" -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" -DQV_CONTENT_FROM="$top/build/game"
threaded=()
for folder in framework sound net board tiles; do
  [ -d "$top/tests/$folder" ] && threaded+=("$folder")
done
cmake --build "$top/build-tsan" -j"$jobs" --target $(printf 'tests_%s ' "${threaded[@]}")
labels=$(IFS='|'; echo "^(${threaded[*]})\$")
# The deal and duel-balance checks run on one thread and take most of a minute under
# this sanitizer; the plain and the address-sanitizer trees run them.
single_threaded='^(TileDealTest\.EveryDealCanBeCleared|ShippedDuelBalance\..*)$'
(cd "$top/build-tsan" && env -u DISPLAY ALSOFT_DRIVERS=null TSAN_OPTIONS=suppressions="$top/tests/tsan.supp" \
   ctest --output-on-failure -j"$jobs" -L "$labels" -E "$single_threaded")

mapfile -t targets < <(fuzz_targets)
# The targets run side by side, one per core, in rounds that together stay
# within the total budget.
fuzz_rounds=$(( (${#targets[@]} + jobs - 1) / jobs ))
fuzz_seconds=$(( fuzz_total_seconds / fuzz_rounds ))
[ "$fuzz_seconds" -ge 10 ] || fuzz_seconds=10
[ "$fuzz_seconds" -le 60 ] || fuzz_seconds=60
phase "fuzzing, ${fuzz_seconds} s per target, ${jobs} at a time"
fuzz_work=$(mktemp -d)
# Each target starts from its committed corpus and its shipped seed files.
run_fuzzers "${targets[@]}"
rm -rf "$fuzz_work"

phase "all tests passed"
