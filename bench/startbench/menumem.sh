#!/usr/bin/env bash
# Resident memory of the built game at the main menu, the splash skipped
# (Escape as soon as the window maps) or watched to its end.
# Usage: bench/startbench/menumem.sh [build dir] [runs] [skip|watch] [smaps dir]
# Every run starts the game full screen (a fresh user folder's default) in
# its own fresh user folder with ALSOFT_DRIVERS=null, waits until the log
# says the splash ended, lets the menu settle for 3 s, then reads VmRSS and
# its anonymous, file and shared-memory parts (/proc/PID/status). With a
# smaps dir, each run's /proc/PID/smaps is kept there and run 1's is summed
# by mapping. Uses $DISPLAY when set, else its own Xvfb at 1280 x 1024 on
# :${QV_BENCH_DISPLAY:-63}. Needs xdotool. Measures only.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../../build}" && pwd)
runs=${2:-3}
mode=${3:-skip}
smaps=${4:-}
[ -n "$smaps" ] && mkdir -p "$smaps"

. "$here/xvfb.sh"
game_pid=
user=
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null || true
  [ -n "$user" ] && rm -rf "$user"
}
trap cleanup EXIT

# Waits up to $2 seconds for the log line $1; false on time-out.
wait_for_log() {
  local deadline=$((SECONDS + $2))
  while [ $SECONDS -lt $deadline ]; do
    grep -qF "$1" "$user/QuennelVarrick/log.txt" 2>/dev/null && return 0
    sleep 0.05
  done
  return 1
}

kib() { awk -v k="$1:" '$1 == k { print $2 }' "$2"; }
mib() { awk -v k="$1" 'BEGIN { printf "%.1f", k / 1024 }'; }

# Resident KiB of the mappings in an smaps file, summed by what they map.
by_mapping() {
  awk '/^[0-9a-f]+-[0-9a-f]+ /{ name = $6 == "" ? "[anonymous]" : $6 }
       /^Rss:/{ rss[name] += $2 }
       END { for (n in rss) if (rss[n] >= 256) printf "%8d KiB %s\n", rss[n], n }' "$1" | sort -rn
}

echo "mode $mode, $runs runs, display $DISPLAY, load $(cut -d' ' -f1 /proc/loadavg)"
echo "| run | VmRSS MiB | anonymous MiB | file MiB | shared memory MiB |"
echo "|---|---|---|---|---|"
values=()
for run in $(seq 1 "$runs"); do
  user=$(mktemp -d /tmp/qv-menumem-XXXXXX)
  (cd "$build/game" && APPDATA="$user" ALSOFT_DRIVERS=null exec ./QuennelVarrick >/dev/null 2>&1) &
  game_pid=$!
  if [ "$mode" = skip ]; then
    xdotool search --sync --onlyvisible --pid "$game_pid" >/dev/null 2>&1 || true
    xdotool key Escape
  fi
  if ! wait_for_log "State 0x6 -> 0x4" 60; then
    echo "run $run: the splash never ended" >&2
  else
    sleep 3
    status="$user/status.txt"
    cat "/proc/$game_pid/status" >"$status"
    [ -n "$smaps" ] && cat "/proc/$game_pid/smaps" >"$smaps/$mode-$run.smaps"
    rss=$(kib VmRSS "$status")
    printf '| %d | %.1f | %.1f | %.1f | %.1f |\n' "$run" "$(mib "$rss")" "$(mib "$(kib RssAnon "$status")")" \
      "$(mib "$(kib RssFile "$status")")" "$(mib "$(kib RssShmem "$status")")"
    values+=("$rss")
  fi
  kill "$game_pid" 2>/dev/null || true
  wait "$game_pid" 2>/dev/null || true
  game_pid=
  rm -rf "$user"
  user=
done
[ ${#values[@]} -eq 0 ] && exit 1
median=$(printf '%s\n' "${values[@]}" | sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }')
echo "median VmRSS $(mib "$median") MiB"
if [ -n "$smaps" ]; then
  echo "by mapping, run 1:"
  by_mapping "$smaps/$mode-1.smaps"
fi
