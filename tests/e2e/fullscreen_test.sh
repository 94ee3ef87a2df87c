#!/bin/sh
# Fullscreen and scaling on a screen of the given size. Started with
# --fullscreen, the game's picture fills the screen by the largest whole factor
# that fits, centred on black, pixel for pixel the picture magnified (on a
# screen smaller than it, shrunk to fit); F11 brings back the maximized window
# with the picture 1:1 at the top left, and Alt+Enter fullscreen again. Then,
# started with --scale, the window shows the picture magnified and centred;
# after the player has moved and the game is paused, the window (drawn by
# magnifying only what changed, frame after frame) matches the fullscreen
# picture drawn whole at the same factor.
# usage: fullscreen_test.sh GAME_BINARY REPLAY_BINARY SCREEN SCALE   (SCREEN as 2560x1600, SCALE as for --scale)
XVFB_SCREEN=$3
. "$(dirname "$0")/x_session.sh"
GAME=$1
REPLAY=$2
SCALE=$4
SCREEN_W=${XVFB_SCREEN%x*}
SCREEN_H=${XVFB_SCREEN#*x}

idle_picture "$REPLAY"

# place WIDTH HEIGHT LARGEST: sets FACTOR and the picture's rectangle PX PY PW PH
# in a client area of that size, largest whole factor at most LARGEST (0 when
# the picture is shrunk to fit), centred.
place() {
  FACTOR=$(( $1 / 1024 < $2 / 742 ? $1 / 1024 : $2 / 742 ))
  [ "$FACTOR" -gt "$3" ] && FACTOR=$3
  if [ "$FACTOR" -gt 0 ]; then
    PW=$((1024 * FACTOR)); PH=$((742 * FACTOR))
  else
    set -- "$1" "$2" "$(awk -v w="$1" -v h="$2" 'BEGIN { s = w / 1024; if (h / 742 < s) s = h / 742; print s }')"
    PW=$(awk -v s="$3" 'BEGIN { print int(1024 * s) }'); PH=$(awk -v s="$3" 'BEGIN { print int(742 * s) }')
  fi
  PX=$((($1 - PW) / 2)); PY=$((($2 - PH) / 2))
}

# black_around FILE WIDTH HEIGHT: everything outside the picture is black.
black_around() {
  for band in "$2x$PY+0+0" "$2x$(($3 - PY - PH))+0+$((PY + PH))" \
              "${PX}x$PH+0+$PY" "$(($2 - PX - PW))x$PH+$((PX + PW))+$PY"; do
    case $band in 0x* | *x0+*) continue ;; esac
    [ "$(convert "$1" -crop "$band" +repage -format '%[fx:maxima]' info:)" = "0" ] ||
      fail "not black around the picture: $band"
  done
}

# picture_matches FILE: the picture's rectangle in FILE is the game's picture
# magnified FACTOR times (or, shrunk, close to it: the filters differ).
picture_matches() {
  convert "$1" -crop "${PW}x$PH+$PX+$PY" +repage "$WORK/picture.png"
  if [ "$FACTOR" -gt 0 ]; then
    convert "$WORK/idle.png" -sample "${PW}x$PH!" "$WORK/expected.png"
    DIFF=$(compare -metric AE "$WORK/picture.png" "$WORK/expected.png" null: 2>&1 || true)
    [ "$DIFF" = "0" ] || fail "the picture at ${FACTOR}x differs from the game's in $DIFF pixels"
  else
    convert "$WORK/idle.png" -resize "${PW}x$PH!" "$WORK/expected.png"
    DIFF=$(compare -metric RMSE "$WORK/picture.png" "$WORK/expected.png" null: 2>&1 | sed 's/.*(\(.*\))/\1/' || true)
    note "shrunk: RMSE $DIFF against a resize"
    awk -v d="$DIFF" 'BEGIN { exit !(d < 0.06) }' || fail "the shrunk picture is not the game's (RMSE $DIFF)"
  fi
}

# client_size: CLIENT_W and CLIENT_H of the game window now.
client_size() {
  shot "$WORK/client.png"
  CLIENT_W=$(identify -format '%w' "$WORK/client.png")
  CLIENT_H=$(identify -format '%h' "$WORK/client.png")
}

check_fullscreen() {
  sleep 0.7
  import -window root "$WORK/full.png"
  place "$SCREEN_W" "$SCREEN_H" 99
  note "fullscreen: ${PW}x$PH at ($PX, $PY), factor $FACTOR"
  picture_matches "$WORK/full.png"
  black_around "$WORK/full.png" "$SCREEN_W" "$SCREEN_H"
}

note "started fullscreen on a ${XVFB_SCREEN} screen"
start_game "$GAME" --fullscreen
wait_caption "$RUNNING" 3
check_fullscreen

note "F11: the maximized window, the picture 1:1 at the top left"
xdotool key F11
sleep 0.7
client_size
note "window client area ${CLIENT_W}x$CLIENT_H"
[ "$CLIENT_W" -lt "$SCREEN_W" ] || [ "$CLIENT_H" -lt "$SCREEN_H" ] || fail "still fullscreen after F11"
if [ "$CLIENT_W" -ge 1034 ] && [ "$CLIENT_H" -ge 742 ]; then
  convert "$WORK/client.png" -crop 1024x742+0+0 +repage "$WORK/picture.png"
  [ "$(compare -metric AE "$WORK/picture.png" "$WORK/idle.png" null: 2>&1 || true)" = "0" ] ||
    fail "the window's picture is not the game's 1:1"
  [ "$(pixel "$WORK/client.png" 1030 10)" = "24,24,28" ] || fail "the window's surround is not dark grey"
fi

note "Alt+Enter: fullscreen again"
xdotool key alt+Return
check_fullscreen
wmctrl -i -c "$WIN"
wait_exit 3
[ "$GAME_STATUS" -eq 0 ] || fail "the game ended with status $GAME_STATUS"

note "--scale $SCALE in a window"
start_game "$GAME" --scale "$SCALE"
wait_caption "$RUNNING" 3
sleep 0.7
client_size
LARGEST=$SCALE
[ "$SCALE" = auto ] && LARGEST=99
place "$CLIENT_W" "$CLIENT_H" "$LARGEST"
note "window client area ${CLIENT_W}x$CLIENT_H: ${PW}x$PH at ($PX, $PY), factor $FACTOR"
picture_matches "$WORK/client.png"
black_around "$WORK/client.png" "$CLIENT_W" "$CLIENT_H"

if [ "$FACTOR" -gt 0 ]; then
  note "moving, then paused: what changed, magnified, against the whole picture magnified"
  WINDOW_FACTOR=$FACTOR
  xdotool keydown Right
  sleep 0.6
  xdotool key Up
  sleep 0.3
  xdotool keyup Right
  xdotool key p
  wait_caption '^PAUSED$' 2
  sleep 0.3
  shot "$WORK/window.png"
  convert "$WORK/window.png" -crop "${PW}x$PH+$PX+$PY" +repage "$WORK/changed.png"
  [ "$(compare -metric AE "$WORK/changed.png" "$WORK/expected.png" null: 2>&1 || true)" != "0" ] ||
    fail "the player did not move"
  xdotool key F11
  sleep 0.7
  import -window root "$WORK/full.png"
  place "$SCREEN_W" "$SCREEN_H" "$LARGEST"
  [ "$FACTOR" -eq "$WINDOW_FACTOR" ] || fail "fullscreen factor $FACTOR, window factor $WINDOW_FACTOR"
  convert "$WORK/full.png" -crop "${PW}x$PH+$PX+$PY" +repage "$WORK/whole.png"
  DIFF=$(compare -metric AE "$WORK/changed.png" "$WORK/whole.png" null: 2>&1 || true)
  [ "$DIFF" = "0" ] || fail "magnifying the changes differs from magnifying the whole picture in $DIFF pixels"
fi
wmctrl -i -c "$WIN"
wait_exit 3
[ "$GAME_STATUS" -eq 0 ] || fail "the game ended with status $GAME_STATUS"
echo PASS
