#!/bin/sh
# The real window, played with the keyboard: frame rate in the caption, pause
# and resume with P, and closing the window.
# usage: window_test.sh GAME_BINARY SOURCE_DIR [MIN_RATE MAX_CPU_PERCENT]
. "$(dirname "$0")/x_session.sh"
GAME=$1
ASSETS=$2/assets
MIN_RATE=${3:-90}
MAX_CPU=${4:-100}

start_game "$GAME"

note "frame rate"
wait_caption "$RUNNING" 3
check_rate "$MIN_RATE"

note "cost"
A=$(game_cpu_ticks); sleep 5; B=$(game_cpu_ticks)
CPU=$(( (B - A) * 100 / (5 * $(getconf CLK_TCK)) ))
note "CPU over 5 s: $CPU% of one core"
[ "$CPU" -le "$MAX_CPU" ] || fail "the game used $CPU% of a core, more than $MAX_CPU%"

note "pause"
xdotool key p
wait_caption '^PAUSED$' 2
sleep 0.3
shot "$WORK/paused.png"
# The banner is copied 1:1 onto the game area at (247, 293).
convert "$WORK/paused.png" -crop 531x95+247+293 +repage "$WORK/banner.png"
DIFF=$(compare -metric AE "$WORK/banner.png" "$ASSETS/pausedpic.png" null: 2>&1 || true)
[ "$DIFF" = "0" ] || fail "the pause banner differs from its picture in $DIFF pixels"
sleep 1.5
[ "$(caption)" = "PAUSED" ] || fail "the caption changed while paused: $(caption)"

note "resume"
xdotool key p
wait_caption "$RUNNING" 3

note "close"
wmctrl -i -c "$WIN"
wait_exit 3
[ "$GAME_STATUS" -eq 0 ] || fail "the game ended with status $GAME_STATUS"
echo "PASS (rate $RATE FPS, CPU $CPU%)"
