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
# shellcheck source=x_session.sh
. "$(dirname "$0")/x_session.sh"
GAME=$1
REPLAY=$2
SCALE=$4
BANNER=$(dirname "$0")/../../assets/pausedpic.png
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

# shows_picture FILE WIDTH HEIGHT: FILE shows the picture placed as `place`
# says, black around it. Magnified, FILE must be the screen that shows it so,
# pixel for pixel: made once for each size, it takes one comparison, which
# counts on a busy machine, where each look at a big screen is slow.
shows_picture() {
  if [ "$FACTOR" -gt 0 ]; then
    expected="$WORK/screen-$2x$3-$FACTOR.miff"
    [ -f "$expected" ] || convert -size "$2x$3" xc:black \( "$WORK/idle.png" -sample "${PW}x$PH!" \) \
      -geometry "+$PX+$PY" -composite -type TrueColor -depth 8 "$expected"
    DIFF=$(compare -metric AE "$1" "$expected" null: 2>&1 || true)
    WHY="$DIFF pixels differ from the picture at ${FACTOR}x at ($PX, $PY), black around it"
    [ "$DIFF" = 0 ]
  else
    shrunk_picture_matches "$1" && black_around "$@"
  fi
}

# black_around FILE WIDTH HEIGHT: everything outside the picture is black.
black_around() {
  WHY="not black around the picture"
  [ "$(convert "$1" -fill black -draw "rectangle $PX,$PY $((PX + PW - 1)),$((PY + PH - 1))" -format '%[fx:maxima]' info:)" = 0 ]
}

# shrunk_picture_matches FILE: the picture's rectangle in FILE is close to
# the game's picture shrunk (the filters differ).
shrunk_picture_matches() {
  convert "$1" -crop "${PW}x$PH+$PX+$PY" +repage "$WORK/picture.png"
  convert "$WORK/idle.png" -resize "${PW}x$PH!" "$WORK/expected.png"
  DIFF=$(compare -metric RMSE "$WORK/picture.png" "$WORK/expected.png" null: 2>&1 | sed 's/.*(\(.*\))/\1/' || true)
  WHY="the shrunk picture is not the game's (RMSE $DIFF against a resize)"
  awk -v d="$DIFF" 'BEGIN { exit !(d < 0.06) }'
}

# client_size: CLIENT_W and CLIENT_H of the game window now.
client_size() {
  shot "$WORK/client.png"
  CLIENT_W=$(identify -format '%w' "$WORK/client.png")
  CLIENT_H=$(identify -format '%h' "$WORK/client.png")
}

# fullscreen_shows_picture: a screenshot of the whole screen shows the
# picture fullscreen.
fullscreen_shows_picture() {
  import -window root "$WORK/full.miff"
  shows_picture "$WORK/full.miff" "$SCREEN_W" "$SCREEN_H"
}
check_fullscreen() {
  place "$SCREEN_W" "$SCREEN_H" 99
  note "fullscreen: ${PW}x$PH at ($PX, $PY), factor $FACTOR"
  wait_until "the picture fullscreen" fullscreen_shows_picture
}

# windowed: the game's window is no longer fullscreen; sets CLIENT_W and
# CLIENT_H, and leaves its screenshot in $WORK/client.png.
windowed() {
  client_size
  WHY="the client area is ${CLIENT_W}x$CLIENT_H"
  [ "$CLIENT_W" -lt "$SCREEN_W" ] || [ "$CLIENT_H" -lt "$SCREEN_H" ]
}

note "started fullscreen on a ${XVFB_SCREEN} screen"
start_game "$GAME" --fullscreen
wait_caption "$RUNNING"
check_fullscreen

note "F11: the maximized window, the picture 1:1 at the top left"
xdotool key F11
wait_until "the window back from fullscreen after F11" windowed
note "window client area ${CLIENT_W}x$CLIENT_H"
if [ "$CLIENT_W" -ge 1034 ] && [ "$CLIENT_H" -ge 742 ]; then
  wait_until "the game's picture 1:1 in the window" window_shows 1024x742+0+0 "$WORK/idle.png"
  [ "$(pixel "$WORK/window.png" 1030 10)" = "24,24,28" ] || fail "the window's surround is not dark grey"
fi

note "Alt+Enter: fullscreen again"
xdotool key alt+Return
check_fullscreen
close_game

note "--scale $SCALE in a window"
start_game "$GAME" --scale "$SCALE"
wait_caption "$RUNNING"
LARGEST=$SCALE
[ "$SCALE" = auto ] && LARGEST=99
# window_shows_picture: the window shows the picture at --scale.
window_shows_picture() {
  client_size
  place "$CLIENT_W" "$CLIENT_H" "$LARGEST"
  shows_picture "$WORK/client.png" "$CLIENT_W" "$CLIENT_H"
}
wait_until "the picture at --scale $SCALE in the window" window_shows_picture
note "window client area ${CLIENT_W}x$CLIENT_H: ${PW}x$PH at ($PX, $PY), factor $FACTOR"

if [ "$FACTOR" -gt 0 ]; then
  note "moving, then paused: what changed, magnified, against the whole picture magnified"
  WINDOW_FACTOR=$FACTOR
  xdotool keydown Right
  sleep 0.6
  xdotool key Up
  sleep 0.3
  xdotool keyup Right
  xdotool key p
  wait_caption '^PAUSED$'
  # paused_shown: the window shows the paused picture (the banner drawn over
  # the level), kept in $WORK/changed.png.
  paused_shown() {
    shot "$WORK/window.png"
    convert "$WORK/window.png" -crop "${PW}x$PH+$PX+$PY" +repage "$WORK/changed.png"
    convert "$WORK/changed.png" -sample "1024x742!" -crop 531x95+247+293 +repage "$WORK/banner.png"
    D=$(compare -metric AE "$WORK/banner.png" "$BANNER" null: 2>&1 || true)
    WHY="the banner differs in $D pixels"
    [ "$D" = 0 ]
  }
  wait_until "the pause banner" paused_shown
  convert "$WORK/idle.png" -sample "${PW}x$PH!" "$WORK/idle-magnified.png"
  [ "$(compare -metric AE "$WORK/changed.png" "$WORK/idle-magnified.png" null: 2>&1 || true)" != "0" ] ||
    fail "the player did not move"
  xdotool key F11
  place "$SCREEN_W" "$SCREEN_H" "$LARGEST"
  [ "$FACTOR" -eq "$WINDOW_FACTOR" ] || fail "fullscreen factor $FACTOR, window factor $WINDOW_FACTOR"
  # whole_matches_changed: fullscreen, the picture drawn whole is the one the
  # window drew from the changes.
  whole_matches_changed() {
    import -window root "$WORK/full.miff"
    crop_matches "$WORK/full.miff" "${PW}x$PH+$PX+$PY" "$WORK/changed.png"
  }
  wait_until "fullscreen, the paused picture drawn whole as the window drew it from its changes" whole_matches_changed
fi
close_game
echo PASS
