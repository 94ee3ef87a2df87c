#!/bin/sh
# The real window, played with the keyboard: a frame rate in the caption, pause
# and resume with P, and closing the window. (What the window costs, and how
# close to 100 frames a second it keeps, is measured by make bench.)
# usage: window_test.sh GAME_BINARY SOURCE_DIR
# shellcheck source=x_session.sh
. "$(dirname "$0")/x_session.sh"
GAME=$1
BANNER=$2/assets/pausedpic.png

start_game "$GAME"

note "frame rate"
wait_caption "$RUNNING"
check_rate

note "pause"
xdotool key p
wait_caption '^PAUSED$'
# The banner is copied 1:1 onto the game area at (247, 293).
wait_until "the pause banner" window_shows 531x95+247+293 "$BANNER"
# Longer than the second between two reports of the rate: none comes.
sleep 1.5
[ "$(caption)" = "PAUSED" ] || fail "the caption changed while paused: $(caption)"

note "resume"
xdotool key p
wait_caption "$RUNNING"

note "close"
close_game
echo "PASS (rate $RATE FPS)"
