#!/bin/sh
# plinkard.exe in its Win32 window under Wine, on a 2560 x 1600 screen, played
# with the keyboard. Maximized, with the frame rate in the caption; the keys
# move the player, Alt and F10 open no menu, P pauses with the banner over the
# picture, a key held when the window loses the keyboard is let go; the
# player runs into the spikes, the "You died" box comes up and Return answers
# it; made smaller than the picture, the window shrinks it; closing the
# window ends the game with status 0. Fullscreen, the picture is the game's magnified
# twice, pixel for pixel, centred on black; F11 and Alt+Enter switch back and
# forth, and what was presented part by part equals the picture drawn whole;
# Alt+F4 ends it with status 0. Text output goes where it is sent, and started
# as Explorer starts it, a mistake shows in a message box.
# The game writes a trace (--trace), and the test waits on the player's state
# in it rather than on time.
# The caption's frame rate is checked only to be no faster than the game's
# pace: on a busy machine, Wine's program waits long for its turn (15 frames
# a second with both cores busy, while it used 2% of a core), and how close
# it keeps to 100 make bench measures.
# usage: window_test.sh WINDOWS_BUILD_DIR LINUX_BUILD_DIR SOURCE_DIR WINE_TEMPLATE
# shellcheck source-path=SCRIPTDIR
# shellcheck disable=SC2016 # the conditions on the trace's rows are awk's
XVFB_SCREEN=2560x1600
export XVFB_SCREEN
# shellcheck source=../e2e/x_session.sh
. "$(dirname "$0")/../e2e/x_session.sh"
WINE_TEMPLATE=$4
# shellcheck source=wine_session.sh
. "$(dirname "$0")/wine_session.sh"
BUILD=$1
LINUX=$2
SOURCE=$3
GAME=$BUILD/plinkard.exe
TRACE=$WORK/live.csv

# same_picture WHAT A B: the two pictures are equal, pixel for pixel.
same_picture() {
  diff=$(compare -metric AE "$2" "$3" null: 2>&1 || true)
  [ "$diff" = "0" ] || fail "$1: $diff pixels differ"
}

idle_picture "$LINUX/plinkard-replay"

# settled FILE: a screenshot of the screen once two in a row are the same.
settled() {
  import -window root "$1"
  wait_until "the screen to settle" sh -c "import -window root '$WORK/next.png' &&
    if [ \"\$(compare -metric AE '$1' '$WORK/next.png' null: 2>&1)\" = 0 ]; then :; else mv '$WORK/next.png' '$1'; false; fi"
}

note "text output where it is sent"
wine "$GAME" --version >"$WORK/version" 2>&1
[ "$(cat "$WORK/version")" = "plinkard $(sed -n 's/^project(plinkard VERSION \([0-9.]*\).*/\1/p' "$SOURCE/CMakeLists.txt")" ] ||
  fail "--version says \"$(cat "$WORK/version")\""
wine "$GAME" --help >"$WORK/help.windows"
"$LINUX/plinkard" --help >"$WORK/help.linux"
cmp -s "$WORK/help.windows" "$WORK/help.linux" || fail "--help differs from Linux's: $(diff "$WORK/help.windows" "$WORK/help.linux" | head -3)"
STATUS=0
wine "$GAME" --scale 9 >"$WORK/out" 2>"$WORK/err" || STATUS=$?
grep -q '^plinkard: --scale wants' "$WORK/err" || fail "a bad --scale says: $(cat "$WORK/err")"
[ "$STATUS" -eq 2 ] || fail "a bad --scale: status $STATUS"

note "started as Explorer starts it: a mistake in a message box"
# from_explorer STATUS ARG...: the game, started so, shows a box; Return
# answers it, and the game ends with STATUS.
from_explorer() {
  expected=$1
  shift
  wine "$BUILD/tests/windows/explorer_start.exe" "$GAME" "$@" &
  GAME_PID=$!
  wait_until "a message box" sh -c "wmctrl -l | grep -q ' Plinkard\$'"
  BOX=$(box_titled Plinkard)
  import -window "$BOX" "$WORK/explorer-box.png"
  xdotool windowactivate --sync "$BOX" >/dev/null 2>&1 || true
  xdotool key Return
  wait_exit
  [ "$GAME_STATUS" -eq "$expected" ] || fail "$*: status $GAME_STATUS, not $expected"
}
from_explorer 2 --bogus
from_explorer 1 --play "$WORK/missing.txt"

# rate_not_too_fast: the caption reports a frame rate, and it is at most the
# game's 100 and one for a second's rounding; sets RATE.
rate_not_too_fast() {
  RATE=$(caption_rate)
  WHY="the caption says \"$(caption)\""
  [ -n "$RATE" ] && [ "$RATE" -le 101 ]
}

note "maximized, the frame rate in the caption"
start_game wine "$GAME" --trace "$TRACE"
wait_caption "$RUNNING"
xprop -id "$WIN" _NET_WM_STATE | grep -q '_NET_WM_STATE_MAXIMIZED_HORZ' || fail "the window is not maximized"
wait_until "a frame rate of at most 101 in the caption" rate_not_too_fast
note "caption: $(caption)"
keyboard_reaches_game
shot "$WORK/window.png"
convert "$WORK/window.png" -crop 1024x742+0+0 +repage "$WORK/picture.png"
same_picture "the window's picture 1:1 at the top left" "$WORK/picture.png" "$WORK/idle.png"

note "the keys move the player; the keyboard taken away lets go of Right"
xdotool keydown Right
wait_row "walk right" '$3 > 40 && $5 > 0'
xdotool windowminimize --sync "$WIN"
wait_row "stop once the window lost the keyboard" '$5 == 0'
xdotool keyup Right
keyboard_reaches_game

note "Alt and F10 open no menu, and P still pauses, with the banner over the picture"
xdotool key alt
xdotool key F10
xdotool key p
wait_caption '^PAUSED$'
wait_until "the banner drawn 1:1 at (247, 293)" sh -c "import -window '$WIN' '$WORK/paused.png' &&
  convert '$WORK/paused.png' -crop 531x95+247+293 +repage '$WORK/banner.png' &&
  [ \"\$(compare -metric AE '$WORK/banner.png' '$SOURCE/assets/pausedpic.png' null: 2>&1)\" = 0 ]"
xdotool key p
wait_caption "$RUNNING"

note "over both steps, under the hanging block, down the shaft and back onto the spikes"
walk_to_spikes
wait_death_box
xdotool keyup Left
import -window "$BOX" "$WORK/box.png"
note "the box: $(identify -format '%wx%h' "$WORK/box.png")"
import -window root "$WORK/screen.png"
answer_death_box
wait_row "stand at the start again, one death counted" '$15 == 1 && $3 == 8 && $4 == 111'
# PLINKARD_SCREENSHOT names a file to keep the screen with the box in.
if [ -n "${PLINKARD_SCREENSHOT:-}" ]; then cp "$WORK/screen.png" "$PLINKARD_SCREENSHOT"; fi

note "a window smaller than the picture shrinks it"
wmctrl -i -r "$WIN" -b remove,maximized_vert,maximized_horz
xdotool windowsize --sync "$WIN" 500 380
wait_until "the game's picture shrunk" sh -c "
  import -window '$WIN' '$WORK/small.png' &&
  size=\$(identify -format '%w %h' '$WORK/small.png') &&
  set -- \$(echo \$size | awk '{ s = \$1 / 1024; if (\$2 / 742 < s) s = \$2 / 742; print int(1024 * s), int(742 * s) }') &&
  convert '$WORK/small.png' -crop \"\$1x\$2+0+0\" +repage '$WORK/small-picture.png' &&
  convert '$WORK/idle.png' -resize \"\$1x\$2!\" '$WORK/small-expected.png' &&
  rmse=\$(compare -metric RMSE '$WORK/small-picture.png' '$WORK/small-expected.png' null: 2>&1 | sed 's/.*(\\(.*\\))/\\1/') &&
  awk -v d=\"\$rmse\" 'BEGIN { exit !(d < 0.06) }'"

note "closing the window"
wmctrl -i -c "$WIN"
wait_exit
[ "$GAME_STATUS" -eq 0 ] || fail "the game ended with status $GAME_STATUS"

# fullscreen_matches: the screen shows the game's picture (FILE) magnified
# twice, centred on black.
fullscreen_matches() {
  wait_until "the picture at 2x, centred on black" sh -c "
    import -window root '$WORK/full.png' &&
    convert '$WORK/full.png' -crop 2048x1484+256+58 +repage '$WORK/full-picture.png' &&
    [ \"\$(compare -metric AE '$WORK/full-picture.png' '$1' null: 2>&1)\" = 0 ] &&
    [ \"\$(convert '$WORK/full.png' -fill black -draw 'rectangle 256,58 2303,1541' -format '%[fx:maxima]' info:)\" = 0 ]"
}

note "fullscreen on 2560 x 1600: twice, centred on black"
convert "$WORK/idle.png" -sample 200% "$WORK/idle-2x.png"
start_game wine "$GAME" --fullscreen --trace "$TRACE"
wait_caption "$RUNNING"
fullscreen_matches "$WORK/idle-2x.png"
keyboard_reaches_game

note "F11: the maximized window, the picture 1:1; Alt+Enter: fullscreen again"
xdotool key F11
wait_until "the window back after F11" sh -c "xprop -id '$WIN' _NET_WM_STATE | grep -q MAXIMIZED_HORZ"
wait_until "the picture 1:1 in the window" sh -c "import -window '$WIN' '$WORK/window.png' &&
  convert '$WORK/window.png' -crop 1024x742+0+0 +repage '$WORK/picture.png' &&
  [ \"\$(compare -metric AE '$WORK/picture.png' '$WORK/idle.png' null: 2>&1)\" = 0 ]"
xdotool key alt+Return
fullscreen_matches "$WORK/idle-2x.png"

note "moving at 2x, then paused: the parts presented equal the whole picture"
xdotool keydown Right
wait_row "walk right" '$3 > 40'
mark_trace
xdotool key Up
wait_new_row "jump" '$8 == 1'
xdotool keyup Right
xdotool key p
wait_caption '^PAUSED$'
settled "$WORK/parts.png"
xdotool key F11
wait_until "the window back after F11" sh -c "xprop -id '$WIN' _NET_WM_STATE | grep -q MAXIMIZED_HORZ"
xdotool key F11
wait_until "fullscreen after F11" sh -c "xprop -id '$WIN' _NET_WM_STATE | grep -q FULLSCREEN"
wait_until "the picture drawn whole the same as the parts presented" sh -c "import -window root '$WORK/whole.png' &&
  [ \"\$(compare -metric AE '$WORK/whole.png' '$WORK/parts.png' null: 2>&1)\" = 0 ]"
[ "$(compare -metric AE "$WORK/parts.png" "$WORK/full.png" null: 2>&1 || true)" != 0 ] || fail "the player did not move"

note "Alt+F4"
xdotool key alt+F4
wait_exit
[ "$GAME_STATUS" -eq 0 ] || fail "the game ended with status $GAME_STATUS"
echo "PASS (rate $RATE FPS)"
