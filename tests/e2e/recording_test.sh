#!/bin/sh
# Recording and playing back runs in the real window, checked against
# plinkard-replay by the trace's game-state columns (all but tick and Caption),
# row for row.
#   play    a person's play of over 20 s: walking, running, jumps and double
#           jumps, crawling under the hanging block, held keys, a pause with
#           keys pressed during it, the measuring keys; then the window closed
#   death   a death on the spikes, Return answering the message, and a close
#           while paused
#   killed  a recording of a game killed mid-run, replayed to its last frame
#   route   plinkard --play routes/complete.txt --trace, and its finish line
# usage: recording_test.sh GAME_BINARY REPLAY_BINARY SOURCE_DIR MODE
. "$(dirname "$0")/x_session.sh"
GAME=$1
REPLAY=$2
SOURCE=$3
MODE=$4

# game_columns TRACE: the trace without its tick and Caption columns.
game_columns() { cut -d, -f1,3-17 "$1"; }

# same_game LIVE REPLAYED: the two traces' game-state columns are equal row
# for row, the replayed one having EXTRA more rows at most (default 0).
same_game() {
  game_columns "$1" >"$WORK/live.cols"
  game_columns "$2" | head -n "$(wc -l <"$WORK/live.cols")" >"$WORK/replayed.cols"
  [ "$(wc -l <"$2")" -eq "$(wc -l <"$1")" ] || fail "$(wc -l <"$1") live rows, $(wc -l <"$2") replayed"
  diff "$WORK/live.cols" "$WORK/replayed.cols" >"$WORK/diff" ||
    fail "the replay differs from the live game: $(head -4 "$WORK/diff")"
}

# column TRACE NAME: one column, without the header.
column() { awk -F, -v name="$2" 'NR == 1 { for (i = 1; i <= NF; i++) if ($i == name) c = i; next } { print $c }' "$1"; }

record() {
  start_game "$GAME" --record "$WORK/run.txt" --trace "$WORK/live.csv"
  wait_caption "$RUNNING" 3
}

replay_recording() {
  "$REPLAY" --trace "$WORK/replayed.csv" "$@" "$WORK/run.txt" 2>"$WORK/replay.err" ||
    fail "plinkard-replay refused the recording: $(cat "$WORK/replay.err")"
}

case $MODE in
play)
  record
  START=$(date +%s)
  note "walk, jump onto the steps (a double jump onto the second), crawl under the hanging block"
  climb_and_crawl
  sleep 2.5
  xdotool keyup Right
  note "pause, with keys pressed while paused, and on"
  xdotool key p
  wait_caption '^PAUSED$' 2
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
  note "run right with Ctrl, jump, stand"
  xdotool keydown ctrl keydown Right
  sleep 1.2
  xdotool key Up
  sleep 0.8
  xdotool keyup Right keyup ctrl
  note "jump twice in the air where he stands"
  sleep 0.5
  xdotool key Up
  sleep 0.2
  xdotool key Up
  sleep 7.5
  PLAYED=$(($(date +%s) - START))
  wmctrl -i -c "$WIN"
  wait_exit 3
  [ "$GAME_STATUS" -eq 0 ] || fail "the game ended with status $GAME_STATUS"
  [ "$PLAYED" -ge 20 ] || fail "played for only $PLAYED s"

  ROWS=$(($(wc -l <"$WORK/live.csv") - 1))
  grep -q '^[0-9]* *close$' "$WORK/run.txt" || fail "the recording has no close line"
  replay_recording
  same_game "$WORK/live.csv" "$WORK/replayed.csv"
  # What the play was made of shows in the frames.
  column "$WORK/live.csv" Jumps | grep -qx 2 || fail "no double jump"
  column "$WORK/live.csv" Crouched | grep -qx -- -1 || fail "never crouched"
  column "$WORK/live.csv" XVelMax | grep -qx 6.67000008 || fail "never ran"
  column "$WORK/live.csv" MeasureLeft | grep -vqx 552 || fail "the measuring figure never moved"
  column "$WORK/live.csv" Deaths | grep -vqx 0 && fail "a death in a run without one"
  note "$PLAYED s, $ROWS frames, $(grep -vc '^#' "$WORK/run.txt") events recorded, replayed the same"
  ;;
death)
  record
  note "onto the spikes; Return answers the message"
  walk_to_spikes
  wait_death_box 5
  xdotool keyup Left
  [ -n "$BOX" ] || fail "no \"You died\" box after walking onto the spikes"
  sleep 0.3
  answer_death_box
  xdotool windowactivate --sync "$WIN" >/dev/null 2>&1 || true
  note "walk on, pause, and close while paused"
  xdotool keydown Right
  sleep 0.7
  xdotool key Up
  sleep 0.3
  xdotool key p
  wait_caption '^PAUSED$' 2
  xdotool keyup Right
  sleep 0.3
  wmctrl -i -c "$WIN"
  wait_exit 3
  [ "$GAME_STATUS" -eq 0 ] || fail "the game ended with status $GAME_STATUS"
  [ "$(column "$WORK/live.csv" Deaths | tail -1)" = 1 ] || fail "the live trace shows no death"
  replay_recording
  same_game "$WORK/live.csv" "$WORK/replayed.csv"
  note "$(($(wc -l <"$WORK/live.csv") - 1)) frames with a death and a close while paused, replayed the same"
  ;;
killed)
  record
  xdotool keydown Right
  sleep 1.5
  xdotool key Up
  sleep 0.3
  kill -KILL "$GAME_PID"
  wait_exit 3
  grep -q 'close$' "$WORK/run.txt" && fail "a killed game's recording has a close line"
  N=$(tail -1 "$WORK/live.csv" | cut -d, -f1)
  note "killed after frame $N; replaying to it"
  replay_recording --frames "$N"
  same_game "$WORK/live.csv" "$WORK/replayed.csv"
  ;;
route)
  start_game "$GAME" --play "$SOURCE/routes/complete.txt" --trace "$WORK/live.csv"
  wait_exit 30
  [ "$GAME_STATUS" -eq 0 ] || fail "the game ended with status $GAME_STATUS"
  LINE=$(cat "$WORK/game.out")
  "$REPLAY" --trace "$WORK/replayed.csv" "$SOURCE/routes/complete.txt" 2>"$WORK/replay.err"
  [ "$(cat "$WORK/replay.err")" = "$LINE" ] || fail "plinkard-replay says \"$(cat "$WORK/replay.err")\""
  same_game "$WORK/live.csv" "$WORK/replayed.csv"
  note "$LINE, in the window as in the replay"
  ;;
*)
  fail "unknown mode $MODE"
  ;;
esac
echo "PASS"
