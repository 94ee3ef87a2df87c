#!/bin/sh
# Plays the real window to a death: over both steps (the second with a double
# jump), crawling under the hanging block, down the shaft and back left onto
# the spikes. The "You died" box comes up, Return dismisses it, and the player
# stands at the start again. With "no-fonts", the X server has no fonts for a
# message box: the window's caption carries the message instead, until Return.
# usage: death_test.sh GAME_BINARY SOURCE_DIR [no-fonts]
MODE=${3:-}
[ "$MODE" = no-fonts ] && XVFB_ARGS="-fp built-ins"
. "$(dirname "$0")/x_session.sh"
GAME=$1
LEVEL=$2/assets/background.png

start_game "$GAME"
wait_caption '^Plinkard running at' 3

note "walking right to the low step, then over it"
xdotool keydown Right
sleep 1.5
xdotool key Up
note "over the high step with a double jump"
sleep 1.5
xdotool key Up
sleep 0.15
xdotool key Up
note "crawling under the hanging block and on to the shaft"
sleep 1.5
xdotool key Down
sleep 4.5
note "back left onto the spikes"
xdotool keyup Right
xdotool keydown Left

if [ "$MODE" = no-fonts ]; then
  wait_caption '^Plinkard: You died - press Enter$' 5
  xdotool keyup Left
  note "the caption says: $(caption)"
  xdotool key Return
  wait_caption '^Plinkard running at [0-9]+FPS\.$' 2
else
  # The box's title is the game's name; wmctrl reads its UTF-8 title.
  box() { wmctrl -l | awk '{ id = $1; $1 = $2 = $3 = ""; sub(/^ +/, ""); if ($0 == "Plinkard") print id }' | head -1; }
  BOX=""
  for _ in $(seq 100); do
    BOX=$(box)
    [ -n "$BOX" ] && break
    sleep 0.05
  done
  xdotool keyup Left
  [ -n "$BOX" ] || fail "no \"You died\" box after walking onto the spikes"
  sleep 0.3
  import -window "$BOX" "$WORK/box.png"
  note "the box is up: $(convert "$WORK/box.png" -format '%wx%h' info:)"

  xdotool windowactivate --sync "$BOX" >/dev/null 2>&1 || true
  xdotool key Return
  for _ in $(seq 60); do
    [ -z "$(box)" ] && break
    sleep 0.05
  done
  [ -z "$(box)" ] || fail "Return did not dismiss the box"
  sleep 0.3
fi
shot "$WORK/after.png"
# The player stands at the start again: its box at (8, 111) is drawn over the
# level, and where it died the level shows plain.
same() {
  convert "$WORK/after.png" -crop "$1" +repage "$WORK/a.png"
  convert "$LEVEL" -crop "$1" +repage "$WORK/b.png"
  compare -metric AE "$WORK/a.png" "$WORK/b.png" null: 2>&1 || true
}
[ "$(same 20x47+8+111)" -gt 100 ] || fail "no player at the start after the death"
[ "$(same 260x47+690+295)" = "0" ] || fail "something is still drawn where the player died"
kill -0 "$GAME_PID" || fail "the game ended"
wmctrl -i -c "$WIN"
wait_exit 3
[ "$GAME_STATUS" -eq 0 ] || fail "the game ended with status $GAME_STATUS"
echo "PASS"
