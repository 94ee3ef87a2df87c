#!/bin/sh
# A game pad on Windows: the test's own xinput1_4.dll beside a copy of
# plinkard.exe, loaded before Wine's (xinput1_4=n,b), plays a pad whose state
# the test writes into a file. The game starts with no pad; the pad plugged in
# during play pauses and resumes with Start, jumps with A, walks and runs with
# the D-pad and X; Right held on the keyboard and the pad stays held until
# both let go; the stick walks, and unplugging the pad with the stick held
# lets go of Left. The recording of it all, made in a folder named in Greek
# and Japanese letters, replays on Linux to the same game.
# usage: pad_test.sh WINDOWS_BUILD_DIR LINUX_BUILD_DIR WINE_TEMPLATE
# shellcheck source-path=SCRIPTDIR
# shellcheck disable=SC2016 # the conditions on the trace's rows are awk's
# shellcheck source=../e2e/x_session.sh
. "$(dirname "$0")/../e2e/x_session.sh"
WINE_TEMPLATE=$3
# shellcheck source=wine_session.sh
. "$(dirname "$0")/wine_session.sh"
BUILD=$1
LINUX=$2
TRACE=$WORK/live.csv
# Recorded into a folder named in Greek and Japanese letters.
mkdir "$WORK/Ελληνικά 日本"
RECORDING="$WORK/Ελληνικά 日本/run.txt"

mkdir "$WORK/game"
cp "$BUILD/plinkard.exe" "$BUILD/tests/windows/xinput1_4.dll" "$WORK/game/"
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;xinput1_4=n,b"
PLINKARD_TEST_PAD=$(winepath -w "$WORK/pad.txt")
export PLINKARD_TEST_PAD

# pad STATE: what the pad holds from now on ("unplugged", or "plugged" and
# its buttons and stick), written whole at once.
pad() {
  echo "$*" >"$WORK/pad.new"
  mv "$WORK/pad.new" "$WORK/pad.txt"
}

pad unplugged
start_game wine "$WORK/game/plinkard.exe" --record "$RECORDING" --trace "$TRACE"
wait_caption "$RUNNING"

note "plugged in during play: Start pauses and resumes"
pad plugged
pad plugged start
wait_caption '^PAUSED$'
pad plugged
wait_recorded up P 1
pad plugged start
wait_caption "$RUNNING"
pad plugged
wait_recorded up P 2

note "A jumps"
mark_trace
pad plugged a
wait_new_row "jump" '$8 == 1'
pad plugged
wait_recorded up Up 1

note "the D-pad walks, X runs"
pad plugged dpright x
wait_row "run right" '$3 > 20 && $7 == 6.67000008'

note "Right held on the keyboard and the pad: held until both let go"
keyboard_reaches_game
xdotool keydown Right
pad plugged y
wait_recorded down Space 1
wait_recorded up Ctrl 1
[ "$(recorded up Right)" -eq 0 ] || fail "Right went up while the keyboard held it"
xdotool keyup Right
wait_recorded up Right 1
pad plugged

note "the stick walks; unplugged with the stick held, the player stops"
pad plugged lx=-30000
wait_recorded down Left 1
wait_row "walk left" '$5 < 0'
pad unplugged
wait_recorded up Left 1
wait_row "stop" '$5 == 0'

wmctrl -i -c "$WIN"
wait_exit
[ "$GAME_STATUS" -eq 0 ] || fail "the game ended with status $GAME_STATUS"

note "the recording replays on Linux to the same game"
"$LINUX/plinkard-replay" --trace "$WORK/replayed.csv" "$RECORDING" 2>"$WORK/replay.err" ||
  fail "the Linux replay refused the recording: $(cat "$WORK/replay.err")"
cut -d, -f1,3-17 "$TRACE" >"$WORK/live.cols"
cut -d, -f1,3-17 "$WORK/replayed.csv" >"$WORK/replayed.cols"
cmp -s "$WORK/live.cols" "$WORK/replayed.cols" || fail "the replay differs: $(diff "$WORK/live.cols" "$WORK/replayed.cols" | head -3)"
echo "PASS ($(grep -vc '^#' "$RECORDING") events recorded)"
