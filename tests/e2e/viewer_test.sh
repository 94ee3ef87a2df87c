#!/bin/sh
# Watching and checking runs in the real window:
#   plinkard --play of the whole level, paused, sent to frame 875 with 5: the
#   window shows exactly the replay's frame 875, but for the pause banner;
#   Left then shows frame 874, Home frame 1; P plays on at half speed with
#   Down ("50FPS" in the caption); closing the window ends the program
#   a run recorded live is verified by plinkard-replay --verify, and the
#   same recording with one event's time changed differs (status 1)
# usage: viewer_test.sh GAME_BINARY REPLAY_BINARY SOURCE_DIR
# shellcheck source=x_session.sh
. "$(dirname "$0")/x_session.sh"
GAME=$1
REPLAY=$2
SOURCE=$3

# frame_picture N: the replay's picture of frame N of the route, with the
# banner's rectangle blacked out, in $WORK/frameN.png.
frame_picture() {
  "$REPLAY" --frames "$1" --png "$WORK/replayed.png" "$SOURCE/routes/complete.txt" 2>/dev/null
  convert "$WORK/replayed.png" -fill black -draw "rectangle 247,293 777,387" "$WORK/frame$1.png"
}

# shows_frame N: the window's game area is the replay's frame N, but for the banner.
shows_frame() {
  shot "$WORK/window.png"
  convert "$WORK/window.png" -crop 1024x742+0+0 +repage -fill black -draw "rectangle 247,293 777,387" \
    "$WORK/shown.png"
  D=$(compare -metric AE "$WORK/shown.png" "$WORK/frame$1.png" null: 2>&1 || true)
  WHY="$D pixels differ from frame $1"
  [ "$D" = 0 ]
}

note "watching the whole level"
for n in 875 874 1; do frame_picture "$n"; done
start_game "$GAME" --play "$SOURCE/routes/complete.txt"
wait_caption "$RUNNING"
xdotool key p
wait_caption '^PAUSED$'
xdotool key 5
wait_until "frame 875 after 5" shows_frame 875
wait_until "the banner while paused" window_shows 531x95+247+293 "$SOURCE/assets/pausedpic.png"
xdotool key Left
wait_until "frame 874 after Left" shows_frame 874
xdotool key Home
wait_until "frame 1 after Home" shows_frame 1
xdotool key Down
xdotool key p
wait_caption '^Plinkard running at (49|50|51)FPS\.$'
close_game

note "a run recorded live, verified"
start_game "$GAME" --record "$WORK/run.txt"
wait_caption "$RUNNING"
xdotool keydown Right
sleep 1
xdotool key Up
sleep 0.5
xdotool keyup Right
xdotool key p
wait_caption '^PAUSED$'
xdotool key p
close_game
grep -q '^# check all [0-9a-f]\{64\}$' "$WORK/run.txt" || fail "the recording has no result lines: $(tail -3 "$WORK/run.txt")"
"$REPLAY" --verify "$WORK/run.txt" >"$WORK/verify.out" || fail "not verified: $(cat "$WORK/verify.out")"
grep -q ": verified: [0-9]* frames, 0 deaths, door not opened$" "$WORK/verify.out" ||
  fail "--verify said: $(cat "$WORK/verify.out")"
note "$(cat "$WORK/verify.out")"

note "the same recording with one event's time changed"
awk '!done && /^[0-9]+ +down +Up$/ { sub(/^[0-9]+/, $1 + 10); done = 1 } { print }' "$WORK/run.txt" >"$WORK/edited.txt"
cmp -s "$WORK/run.txt" "$WORK/edited.txt" && fail "no Up to move in the recording"
STATUS=0
"$REPLAY" --verify "$WORK/edited.txt" >"$WORK/verify.out" || STATUS=$?
[ "$STATUS" -eq 1 ] || fail "--verify of the edited recording ended with status $STATUS: $(cat "$WORK/verify.out")"
grep -q ': differs from frame [0-9]*$' "$WORK/verify.out" || fail "--verify said: $(cat "$WORK/verify.out")"
echo "PASS ($(cat "$WORK/verify.out"))"
