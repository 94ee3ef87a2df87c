#!/bin/sh
# Recording, playing back and tracing runs in the real window, checked against
# plinkard-replay by the trace's game-state columns (all but tick and
# Caption), row for row. The recording unit tests place the events at every
# moment a recording must handle; here the keys come from the X server, as a
# player's do:
#   a person's play: walking, jumps and a double jump, crawling under the
#   hanging block, a death on the spikes and Return answering its message,
#   held keys, a pause with keys pressed during it, the measuring keys,
#   running, and the window closed while paused
#   a recording of a game killed mid-run, replayed to its last frame
#   plinkard --play of a route with a pause in it, traced
#   a recording or a trace that can't be written: the game ends by itself
#   with one line and status 1, and the other file keeps what it got (the
#   recording, finished, verifies)
# usage: recording_test.sh GAME_BINARY REPLAY_BINARY SOURCE_DIR
# shellcheck source=x_session.sh
. "$(dirname "$0")/x_session.sh"
GAME=$1
REPLAY=$2
SOURCE=$3

# game_columns TRACE: the trace without its tick and Caption columns.
game_columns() { cut -d, -f1,3-17 "$1"; }

# same_game LIVE REPLAYED: the two traces' game-state columns are equal row
# for row.
same_game() {
  game_columns "$1" >"$WORK/live.cols"
  game_columns "$2" >"$WORK/replayed.cols"
  [ "$(wc -l <"$2")" -eq "$(wc -l <"$1")" ] || fail "$(wc -l <"$1") live rows, $(wc -l <"$2") replayed"
  diff "$WORK/live.cols" "$WORK/replayed.cols" >"$WORK/diff" ||
    fail "the replay differs from the live game: $(head -4 "$WORK/diff")"
}

# column TRACE NAME: one column, without the header.
column() { awk -F, -v name="$2" 'NR == 1 { for (i = 1; i <= NF; i++) if ($i == name) c = i; next } { print $c }' "$1"; }

record() {
  start_game "$GAME" --record "$WORK/run.txt" --trace "$TRACE"
  wait_caption "$RUNNING"
}

replay_recording() {
  "$REPLAY" --trace "$WORK/replayed.csv" "$@" "$WORK/run.txt" 2>"$WORK/replay.err" ||
    fail "plinkard-replay refused the recording: $(cat "$WORK/replay.err")"
}

note "a person's play, recorded"
record
note "over the steps, under the hanging block and down onto the spikes; Return answers the message"
walk_to_spikes
wait_death_box
xdotool keyup Left
answer_death_box
xdotool windowactivate --sync "$WIN" >/dev/null 2>&1 || true
wait_until "the player at the start again" player_over 20x47+8+111
note "pause, with keys pressed while paused, and on"
xdotool key p
wait_caption '^PAUSED$'
xdotool key Up
xdotool keydown Left
sleep 0.8
xdotool key d
xdotool key p
sleep 0.5
xdotool keyup Left
note "the measuring keys, held and tapped"
xdotool keydown d keydown s
sleep 1
xdotool keyup d keyup s key t f g h
xdotool keydown a
sleep 0.5
xdotool keyup a
note "run right with Ctrl, jump, and jump twice in the air"
xdotool keydown ctrl keydown Right
sleep 1.2
xdotool key Up
sleep 0.8
xdotool keyup Right keyup ctrl
sleep 0.5
double_jump
sleep 0.3
note "close while paused"
xdotool key p
wait_caption '^PAUSED$'
close_game

grep -q '^[0-9]* *close$' "$WORK/run.txt" || fail "the recording has no close line"
replay_recording
same_game "$WORK/live.csv" "$WORK/replayed.csv"
# What the play was made of shows in the frames.
column "$WORK/live.csv" Jumps | grep -qx 2 || fail "no double jump"
column "$WORK/live.csv" Crouched | grep -qx -- -1 || fail "never crouched"
column "$WORK/live.csv" XVelMax | grep -qx 6.67000008 || fail "never ran"
column "$WORK/live.csv" MeasureLeft | grep -vqx 552 || fail "the measuring figure never moved"
[ "$(column "$WORK/live.csv" Deaths | tail -1)" = 1 ] || fail "the live trace shows no death"
note "$(($(wc -l <"$WORK/live.csv") - 1)) frames, $(grep -vc '^#' "$WORK/run.txt") events recorded, replayed the same"

note "a game killed mid-run"
record
xdotool keydown Right
sleep 1.5
xdotool key Up
sleep 0.3
kill -KILL "$GAME_PID"
wait_exit
if grep -q 'close$' "$WORK/run.txt"; then fail "a killed game's recording has a close line"; fi
N=$(tail -1 "$WORK/live.csv" | cut -d, -f1)
note "killed after frame $N; replaying to it"
replay_recording --frames "$N"
same_game "$WORK/live.csv" "$WORK/replayed.csv"

note "plinkard --play of a route with a pause, traced"
start_game "$GAME" --play "$SOURCE/routes/pause.txt" --trace "$WORK/live.csv"
wait_exit
[ "$GAME_STATUS" -eq 0 ] || fail "the game ended with status $GAME_STATUS: $(cat "$WORK/game.out")"
"$REPLAY" --trace "$WORK/replayed.csv" "$SOURCE/routes/pause.txt"
same_game "$WORK/live.csv" "$WORK/replayed.csv"

# ends_by_itself ARG...: the game with those arguments, which must end by
# itself, before the player does anything.
ends_by_itself() {
  "$GAME" "$@" >"$WORK/game.out" 2>&1 &
  GAME_PID=$!
  wait_exit
}

note "a recording that can't be written"
FULL="plinkard: /dev/full: can't write: No space left on device"
ends_by_itself --record /dev/full --trace "$WORK/live.csv"
[ "$GAME_STATUS" -eq 1 ] || fail "the game ended with status $GAME_STATUS"
[ "$(cat "$WORK/game.out")" = "$FULL" ] || fail "the game said: $(cat "$WORK/game.out")"
[ "$(cat "$WORK/live.csv")" = "$(head -1 "$SOURCE/tests/expected/walk.csv")" ] ||
  fail "the trace is not its header: $(head -3 "$WORK/live.csv")"

note "a trace that can't be written"
ends_by_itself --record "$WORK/run.txt" --trace /dev/full
[ "$GAME_STATUS" -eq 1 ] || fail "the game ended with status $GAME_STATUS"
[ "$(cat "$WORK/game.out")" = "$FULL" ] || fail "the game said: $(cat "$WORK/game.out")"
grep -q '^# Plinkard recording ' "$WORK/run.txt" || fail "the recording lost its first line: $(cat "$WORK/run.txt")"
"$REPLAY" --verify "$WORK/run.txt" >"$WORK/verify.out" ||
  fail "the recording of a game ended by its trace is not verified: $(cat "$WORK/verify.out")"
echo "PASS"
