#!/usr/bin/env bash
# Sets everything up and runs every test: the plain build headless (no
# display) and its window tests under Xvfb; the whole suite again in a clang
# tree with AddressSanitizer and UndefinedBehaviorSanitizer; the threaded
# folders under ThreadSanitizer; then that clang tree's fuzz targets, which
# share a fixed time budget.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc 2>/dev/null || echo 2)
fuzz_total_seconds=${QV_FUZZ_TOTAL_SECONDS:-240}
# shellcheck source=scripts/fuzz-common.sh
. "$top/scripts/fuzz-common.sh"

"$top/scripts/setup.sh"

xvfb_pid=""
cleanup() { [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true; }
trap cleanup EXIT

# configure <build folder> <cmake options>: a new folder is made for Ninja;
# one made before keeps its generator.
configure() {
  local dir=$1 generator=()
  shift
  [ -f "$dir/CMakeCache.txt" ] || generator=(-G Ninja)
  cmake -S "$top" -B "$dir" "${generator[@]}" "$@" >/dev/null
}

start_xvfb() {
  for n in $(seq 90 120); do
    [ -e "/tmp/.X${n}-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && { export XVFB_DISPLAY=":$n"; return 0; }
      sleep 0.1
    done
    kill "$xvfb_pid" 2>/dev/null || true
  done
  echo "could not start Xvfb" >&2
  return 1
}

# run_suite <build folder>: headless tests without a display, window tests on Xvfb.
run_suite() {
  local dir=$1
  (cd "$dir" && env -u DISPLAY -u WAYLAND_DISPLAY ALSOFT_DRIVERS=null \
     ctest --output-on-failure -j"$jobs" -LE e2e)
  (cd "$dir" && DISPLAY="$XVFB_DISPLAY" ALSOFT_DRIVERS=null ctest --output-on-failure -L e2e)
}

start_xvfb

echo "== tests"
run_suite "$top/build"

# One clang tree carries AddressSanitizer, UndefinedBehaviorSanitizer and the
# fuzzers' coverage: it runs the whole suite, then the fuzz targets.
echo "== tests under AddressSanitizer and UndefinedBehaviorSanitizer"
# It builds only the test programs and the fuzz targets.
configure_fuzz_tree
cmake --build "$top/build-fuzz" -j"$jobs" --target qv_tests qv_fuzz_targets
export LSAN_OPTIONS=suppressions="$top/tests/lsan.supp"
(cd "$top/build-fuzz" && env -u DISPLAY -u WAYLAND_DISPLAY ALSOFT_DRIVERS=null ASAN_OPTIONS=detect_leaks=1 \
   ctest --output-on-failure -j"$jobs" -LE e2e)
# The leak checker's tracer thread can crash among the GL driver's threads,
# so the window tests run with the address checks but without it.
(cd "$top/build-fuzz" && DISPLAY="$XVFB_DISPLAY" ALSOFT_DRIVERS=null ASAN_OPTIONS=detect_leaks=0 \
   ctest --output-on-failure -L e2e)

# ThreadSanitizer: the folders whose code runs threads (workers, links,
# streams, the log).
echo "== tests under ThreadSanitizer"
configure "$top/build-tsan" -DCMAKE_BUILD_TYPE=Debug -DQV_SANITIZE=thread \
  -DCMAKE_C_FLAGS_DEBUG="-O1 -g1" -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" -DQV_CONTENT_FROM="$top/build/game"
threaded=()
for folder in framework sound net board tiles; do
  [ -d "$top/tests/$folder" ] && threaded+=("$folder")
done
cmake --build "$top/build-tsan" -j"$jobs" --target $(printf 'tests_%s ' "${threaded[@]}")
labels=$(IFS='|'; echo "^(${threaded[*]})\$")
(cd "$top/build-tsan" && env -u DISPLAY ALSOFT_DRIVERS=null TSAN_OPTIONS=suppressions="$top/tests/tsan.supp" \
   ctest --output-on-failure -j"$jobs" -L "$labels")

mapfile -t targets < <(fuzz_targets)
# The targets run side by side, one per core, in rounds that together stay
# within the total budget.
fuzz_rounds=$(( (${#targets[@]} + jobs - 1) / jobs ))
fuzz_seconds=$(( fuzz_total_seconds / fuzz_rounds ))
[ "$fuzz_seconds" -ge 10 ] || fuzz_seconds=10
[ "$fuzz_seconds" -le 60 ] || fuzz_seconds=60
echo "== fuzzing, ${fuzz_seconds} s per target, ${jobs} at a time"
fuzz_work=$(mktemp -d)
# Each target starts from its committed corpus and its shipped seed files.
run_fuzzers "${targets[@]}"
rm -rf "$fuzz_work"

echo "== all tests passed"
