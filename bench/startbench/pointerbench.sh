#!/usr/bin/env bash
# What pointer motion costs the built game. Each run: on the duel screen
# (qv_duelrun) F1 alone, then F1 right after a burst of motions, each timed
# from the key (or the burst's last motion) until the log shows the help
# book's state, at the end of the book's fade; at the main menu (full
# screen, a fresh user folder, the splash skipped) the CPU share over 10 idle
# seconds, then over 10 seconds of the pointer going up and down over the
# menu's buttons at 19 motions a second, then F1 alone and after the burst.
# Usage: bench/startbench/pointerbench.sh [build dir] [runs] [motions] [motions per second]
# Uses $DISPLAY when set, else its own Xvfb at 1280 x 1024 on
# :${QV_BENCH_DISPLAY:-63}. Needs xdotool. Measures only.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../../build}" && pwd)
runs=${2:-3}
motions=${3:-1000}
rate=${4:-1000}

. "$here/xvfb.sh"
game_pid=
user=
stop_game() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null && wait "$game_pid" 2>/dev/null || true
  game_pid=
  [ -n "$user" ] && rm -rf "$user"
  user=
}
cleanup() {
  stop_game
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

now() { date +%s.%N; }
ticks() { awk '{ print $14 + $15 }' "/proc/$game_pid/stat"; }
states() { grep -c '^State ' "$user/QuennelVarrick/log.txt" 2>/dev/null || true; }

# Starts program $1 (arguments after it) from the program folder in a fresh
# user folder and waits until its window shows.
start_game() {
  user=$(mktemp -d /tmp/qv-pointer-XXXXXX)
  (cd "$build/game" && APPDATA="$user" ALSOFT_DRIVERS=null exec "./$1" "${@:2}" >/dev/null 2>&1) &
  game_pid=$!
  xdotool search --sync --onlyvisible --pid "$game_pid" >/dev/null 2>&1 || true
}

# The CPU share of the game, in per cent of a core, while command "$@" runs
# (or sleeps) for about 10 seconds.
cpu_while() {
  local t0 c0 t1 c1
  t0=$(now) c0=$(ticks)
  "$@"
  t1=$(now) c1=$(ticks)
  awk -v c="$((c1 - c0))" -v hz="$(getconf CLK_TCK)" -v t="$t0" -v u="$t1" 'BEGIN { printf "%.1f", 100 * c / hz / (u - t) }'
}

# $1 motions at about $2 a second, alternating between two points of the
# middle of the screen, as one xdotool command.
burst() {
  local args=() i pause
  pause=$(awk -v r="$2" 'BEGIN { printf "%.4f", 1 / r }')
  for i in $(seq 1 "$1"); do args+=(mousemove $((600 + i % 2 * 80)) $((440 + i % 400)) sleep "$pause"); done
  xdotool "${args[@]}"
}

# The pointer up and down over the menu's buttons, 19 motions a second for 10 s.
over_buttons() {
  local args=() i
  for i in $(seq 0 189); do args+=(mousemove $((620 + i % 7 * 5)) $((440 + (i % 40 < 20 ? i % 40 : 40 - i % 40) * 20)) sleep 0.0526); done
  xdotool "${args[@]}"
}

# Seconds from now until the log shows a new state after key $1 (the help
# book opening or closing, at the end of its fade); "none" after 60 s.
key_to_state() {
  local before t0 deadline
  before=$(states)
  t0=$(now)
  xdotool key "$1"
  deadline=$((SECONDS + 60))
  while [ "$(states)" -le "$before" ]; do
    [ $SECONDS -ge $deadline ] && { echo none; return; }
    sleep 0.01
  done
  awk -v a="$t0" -v b="$(now)" 'BEGIN { printf "%.2f s", b - a }'
}

# F1 then Escape once to load the help pages; F1 and Escape again, the
# first timed (the help book's fade alone); then a burst and F1, timed
# from the burst's last motion. Prints the burst's rate and both times.
key_after_burst() {
  local alone t0 t1 after
  key_to_state F1 >/dev/null
  sleep 1
  key_to_state Escape >/dev/null
  sleep 1
  alone=$(key_to_state F1)
  sleep 1
  key_to_state Escape >/dev/null
  sleep 1
  t0=$(now)
  burst "$motions" "$rate"
  t1=$(now)
  after=$(key_to_state F1)
  printf '%s | %s | %s' "$(awk -v n="$motions" -v a="$t0" -v b="$t1" 'BEGIN { printf "%.0f/s", n / (b - a) }')" \
    "$alone" "$after"
}

wait_for_menu() {
  local deadline=$((SECONDS + 60))
  until grep -qF "State 0x6 -> 0x4" "$user/QuennelVarrick/log.txt" 2>/dev/null; do
    [ $SECONDS -ge $deadline ] && return 1
    sleep 0.05
  done
  sleep 3
}

echo "$runs runs, $motions motions at $rate a second, display $DISPLAY, load $(cut -d' ' -f1 /proc/loadavg)"
echo "| run | duel: burst | F1 alone | F1 after the burst | menu idle CPU | pointer over the buttons CPU | menu: burst | F1 alone | F1 after the burst |"
echo "|---|---|---|---|---|---|---|---|---|"
for run in $(seq 1 "$runs"); do
  start_game qv_duelrun
  sleep 4
  duel=$(key_after_burst)
  stop_game
  start_game QuennelVarrick
  xdotool key Escape
  if ! wait_for_menu; then
    echo "run $run: the splash never ended" >&2
    stop_game
    continue
  fi
  xdotool mousemove 100 100
  idle=$(cpu_while sleep 10)
  moving=$(cpu_while over_buttons)
  xdotool mousemove 100 100
  sleep 1
  menu=$(key_after_burst)
  stop_game
  echo "| $run | $duel | $idle % | $moving % | $menu |"
done
echo "load $(cut -d' ' -f1-3 /proc/loadavg)"
