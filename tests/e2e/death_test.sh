#!/bin/sh
# Plays the real window to a death: over both steps (the second with a double
# jump), crawling under the hanging block, down the shaft and back left onto
# the spikes. The "You died" box comes up, Return dismisses it, and the player
# stands at the start again. With "no-fonts", the X server has no fonts for a
# message box: the window's caption carries the message instead, until Return.
# usage: death_test.sh GAME_BINARY [no-fonts]
MODE=${2:-}
# shellcheck disable=SC2034 # x_session.sh reads it
[ "$MODE" = no-fonts ] && XVFB_ARGS="-fp built-ins"
# shellcheck source=x_session.sh
. "$(dirname "$0")/x_session.sh"
GAME=$1

start_game "$GAME" --trace "$TRACE"
wait_caption "$RUNNING"

note "over both steps, under the hanging block, down the shaft and back onto the spikes"
walk_to_spikes

if [ "$MODE" = no-fonts ]; then
  wait_caption '^Plinkard: You died - press Enter$'
  xdotool keyup Left
  note "the caption says: $(caption)"
  xdotool key Return
  wait_caption "$RUNNING"
else
  wait_death_box
  xdotool keyup Left
  import -window "$BOX" "$WORK/box.png"
  note "the box is up: $(convert "$WORK/box.png" -format '%wx%h' info:)"
  answer_death_box
fi
# The player stands at the start again: its box at (8, 111) is drawn over the
# level, and where it died the level shows plain.
wait_until "the player at the start again" player_over 20x47+8+111
wait_until "the level plain where the player died" level_shows 260x47+690+295
kill -0 "$GAME_PID" || fail "the game ended"
close_game
echo "PASS"
