#!/bin/sh
# Racing in the real window:
#   plinkard --play of the whole level with a ghost, the timer and --speed 50:
#   the caption says 50FPS; sent to frame 875 and paused, the window is the
#   replay's frame 875 but for the banner, the timer's strip (on the rock at
#   the bottom left) and the ghost's player where the ghost's route has it on
#   that frame; played on to its end, the trace equals plinkard-replay's, and
#   a stand-in for LiveSplit's server has heard the run start, its three
#   splits and the door's game time, 0:00:17.40
#   the game played with --timer: I takes the timer away and brings it back,
#   O goes to 50% and 25% (the caption says so), and K while paused draws one
#   frame on; the keys never reach the game's recording
# usage: race_test.sh GAME_BINARY REPLAY_BINARY SOURCE_DIR LIVESPLIT_TEST_SERVER
# shellcheck source=x_session.sh
. "$(dirname "$0")/x_session.sh"
GAME=$1
REPLAY=$2
SOURCE=$3
SERVER=$4
XDG_DATA_HOME=$WORK/data
export XDG_DATA_HOME
PANEL=1016x36+4+702
BANNER="rectangle 247,293 777,387"

# ghost_box ROUTE FRAME: the rectangle (for -draw) the route's player covers on that frame.
ghost_box() {
  "$REPLAY" --frames "$2" --trace "$WORK/ghost.csv" "$SOURCE/routes/$1" >/dev/null 2>&1
  awk -F, -v f="$2" '$1 == f { x = int($3 + 0.5); y = int($4 + 0.5); printf "rectangle %d,%d %d,%d", x, y, x + 19, y + 46 }' \
    "$WORK/ghost.csv"
}

# differing A B: how many pixels differ between two pictures.
differing() { compare -metric AE "$1" "$2" null: 2>&1 || true; }

# raced_frame_875: the window shows frame 875 of the level with the timer and the ghost over it.
raced_frame_875() {
  shot "$WORK/window.png"
  convert "$WORK/window.png" -crop 1024x742+0+0 +repage -fill black -draw "$BANNER" -draw "$GHOST" \
    -draw "rectangle 4,702 1019,737" "$WORK/shown.png"
  D=$(differing "$WORK/shown.png" "$WORK/frame875.png")
  WHY="$D pixels differ from frame 875 away from the banner, the timer and the ghost"
  [ "$D" = 0 ] || return 1
  convert "$WORK/window.png" -crop "$PANEL" +repage "$WORK/panel.png"
  convert "$WORK/replayed.png" -crop "$PANEL" +repage "$WORK/rock.png"
  D=$(differing "$WORK/panel.png" "$WORK/rock.png")
  WHY="only $D pixels of the timer's strip differ from the rock"
  [ "$D" -gt 2000 ] || return 1
  convert "$WORK/window.png" -crop 1024x742+0+0 +repage -fill black -draw "$BANNER" "$WORK/ghosted.png"
  convert "$WORK/frame875.png" -fill black -draw "$BANNER" "$WORK/plain.png"
  D=$(differing "$WORK/ghosted.png" "$WORK/plain.png")
  WHY="only $D pixels differ where the ghost is"
  [ "$D" -gt 100 ]
}

note "watching the whole level with a ghost, the timer, at half speed"
"$REPLAY" --frames 875 --png "$WORK/replayed.png" "$SOURCE/routes/complete.txt" 2>/dev/null
convert "$WORK/replayed.png" -fill black -draw "$BANNER" -draw "rectangle 4,702 1019,737" "$WORK/plain875.png"
GHOST=$(ghost_box deaths.txt 875)
convert "$WORK/plain875.png" -fill black -draw "$GHOST" "$WORK/frame875.png"
"$SERVER" >"$WORK/livesplit.out" 2>"$WORK/livesplit.err" &
SERVER_PID=$!
wait_until "the LiveSplit stand-in's port" test -s "$WORK/livesplit.out"
start_game "$GAME" --play "$SOURCE/routes/complete.txt" --ghost "$SOURCE/routes/deaths.txt" --timer --speed 50 \
  --trace "$WORK/trace.csv" --livesplit "$(head -1 "$WORK/livesplit.out")"
wait_caption '^Plinkard running at (4[5-9]|5[01])FPS\.$'
xdotool key p
wait_caption '^PAUSED$'
xdotool key 5
wait_until "frame 875 with the timer and the ghost" raced_frame_875
xdotool key 9
xdotool key p
wait_exit
[ "$GAME_STATUS" -eq 0 ] || fail "plinkard --play ended with status $GAME_STATUS: $(cat "$WORK/game.out")"
server_done() { ! kill -0 "$SERVER_PID" 2>/dev/null; }
wait_until "the LiveSplit stand-in to see the game go" server_done
tr -d '\r' <"$WORK/livesplit.out" | tail -n +2 >"$WORK/livesplit.txt"
heard_the_run() {
  [ "$(grep -c '^split$' "$WORK/livesplit.txt")" -eq 3 ] && grep -q '^starttimer$' "$WORK/livesplit.txt" &&
    [ "$(grep -A1 '^setgametime 0:00:17.40$' "$WORK/livesplit.txt" | tail -1)" = split ]
}
heard_the_run || fail "LiveSplit heard: $(tr '\n' ' ' <"$WORK/livesplit.txt")"
"$REPLAY" --trace "$WORK/replayed.csv" "$SOURCE/routes/complete.txt" >/dev/null
cut -d, -f1,3-17 "$WORK/trace.csv" >"$WORK/watched.cols"
cut -d, -f1,3-17 "$WORK/replayed.csv" >"$WORK/replayed.cols"
cmp -s "$WORK/watched.cols" "$WORK/replayed.cols" ||
  fail "the trace's game columns differ from plinkard-replay's: $(diff "$WORK/watched.cols" "$WORK/replayed.cols" | head -3)"

note "the game played with the timer: I, O and K"
timer_shown() {
  shot "$WORK/s.png"
  convert "$WORK/s.png" -crop "$PANEL" +repage "$WORK/panel.png"
  D=$(differing "$WORK/panel.png" "$WORK/rock.png")
  WHY="$D pixels of the strip differ from the rock"
  [ "$D" -gt 1000 ]
}
timer_gone() { ! timer_shown; }
start_game "$GAME" --timer --record "$WORK/run.txt"
wait_caption "$RUNNING"
wait_until "the timer" timer_shown
xdotool key i
wait_until "the timer gone after I" timer_gone
xdotool key i
wait_until "the timer back after I" timer_shown
# The rates tell the speeds apart, on a busy machine too.
xdotool key o
wait_caption '^Plinkard running at (4[5-9]|5[01])FPS\.$'
xdotool key o
wait_caption '^Plinkard running at (2[0-6])FPS\.$'
xdotool key o
check_rate
xdotool keydown Right
xdotool key p
wait_caption '^PAUSED$'
shot "$WORK/before.png"
xdotool key k
moved_on() {
  shot "$WORK/after.png"
  D=$(differing "$WORK/before.png" "$WORK/after.png")
  WHY="$D pixels changed"
  [ "$D" -gt 0 ]
}
wait_until "one frame on after K" moved_on
xdotool keyup Right
close_game
grep -q '^# speeds 100%, 50%, 25%$' "$WORK/run.txt" || fail "the recording's speeds: $(grep speeds "$WORK/run.txt")"
grep -Eq ' (I|O|K)$' "$WORK/run.txt" && fail "the race's keys reached the recording"
"$REPLAY" --verify "$WORK/run.txt" >"$WORK/verify.out" || fail "not verified: $(cat "$WORK/verify.out")"
echo "PASS ($(cat "$WORK/verify.out"))"
