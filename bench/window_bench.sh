#!/bin/sh
# What the real window costs: the share of a core the game uses and the frame
# rate its caption reports, at 1:1 in a window (the baseline), at 2x
# fullscreen on a 2560 x 1600 screen, and in a window under Wayland (weston
# inside the same X server), each next to a baseline measured just before it.
# Fails when 2x costs more than twice the 1:1 baseline.
# usage: window_bench.sh GAME_BINARY [SECONDS]
XVFB_SCREEN=2560x1600
. "$(dirname "$0")/../tests/e2e/x_session.sh"
GAME=$1
SECONDS_EACH=${2:-10}

# measure: the CPU and caption rates of the game started last, over
# SECONDS_EACH seconds once it has settled; prints them after LABEL and sets
# COST (% of a core).
measure() {
  wait_caption "$RUNNING" 5
  sleep 2
  rates=""
  a=$(game_cpu_ticks)
  for _ in $(seq "$SECONDS_EACH"); do
    sleep 1
    rates="$rates $(caption_rate)"
  done
  b=$(game_cpu_ticks)
  COST=$(awk -v t="$((b - a))" -v s="$SECONDS_EACH" -v hz="$(getconf CLK_TCK)" \
    'BEGIN { printf "%.1f", 100 * t / (s * hz) }')
  printf '%-28s %5s%% of a core; caption rates%s\n' "$LABEL" "$COST" "$rates"
}

close_game() {
  if [ -n "${WESTON_PID:-}" ]; then kill "$GAME_PID"; else wmctrl -i -c "$WIN"; fi
  wait_exit 3
}

baseline() {
  LABEL="1:1 window (baseline)"
  start_game "$GAME"
  measure
  close_game
  BASE=$COST
}

baseline
LABEL="2x fullscreen, 2560 x 1600"
start_game "$GAME" --fullscreen
measure
close_game
DOUBLE=$COST
DOUBLE_BASE=$BASE

baseline
start_weston 1280 1024
LABEL="1:1 window under Wayland"
start_wayland_game "$GAME"
measure
close_game

awk -v d="$DOUBLE" -v b="$DOUBLE_BASE" 'BEGIN {
  printf "2x fullscreen costs %.2f times the 1:1 window; goal at most 2\n", (b > 0 ? d / b : 0)
  if (d > 2 * b) { print "GOAL MISSED."; exit 1 }
  print "Goal met." }'
