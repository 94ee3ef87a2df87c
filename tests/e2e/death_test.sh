#!/bin/sh
# Plays the real window to a death: over both steps (the second with a double
# jump), crawling under the hanging block, down the shaft and back left onto
# the spikes. The "You died" box comes up, Return dismisses it, and the player
# stands at the start again. With "no-fonts", the X server has no fonts for a
# message box: the window's caption carries the message instead, until Return.
# usage: death_test.sh GAME_BINARY [no-fonts]
MODE=${2:-}
[ "$MODE" = no-fonts ] && XVFB_ARGS="-fp built-ins"
. "$(dirname "$0")/x_session.sh"
GAME=$1

start_game "$GAME"
wait_caption "$RUNNING" 3

note "over both steps, under the hanging block, down the shaft and back onto the spikes"
walk_to_spikes

if [ "$MODE" = no-fonts ]; then
  wait_caption '^Plinkard: You died - press Enter$' 5
  xdotool keyup Left
  note "the caption says: $(caption)"
  xdotool key Return
  wait_caption "$RUNNING" 2
else
  wait_death_box 5
  xdotool keyup Left
  [ -n "$BOX" ] || fail "no \"You died\" box after walking onto the spikes"
  sleep 0.3
  import -window "$BOX" "$WORK/box.png"
  note "the box is up: $(convert "$WORK/box.png" -format '%wx%h' info:)"

  answer_death_box
  sleep 0.3
fi
# The player stands at the start again: its box at (8, 111) is drawn over the
# level, and where it died the level shows plain.
[ "$(differs_from_level 20x47+8+111)" -gt 100 ] || fail "no player at the start after the death"
[ "$(differs_from_level 260x47+690+295)" = "0" ] || fail "something is still drawn where the player died"
kill -0 "$GAME_PID" || fail "the game ended"
wmctrl -i -c "$WIN"
wait_exit 3
[ "$GAME_STATUS" -eq 0 ] || fail "the game ended with status $GAME_STATUS"
echo "PASS"
