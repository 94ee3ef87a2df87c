#!/bin/sh
# The same game on Windows: plinkard-replay.exe under Wine writes, byte for
# byte, the trace, the picture, the messages and the exit status of the Linux
# plinkard-replay, on every route and on seeded random scripts; a script with
# Windows line ends plays the same; standard input and output carry a script
# and a trace unchanged; files in a folder named in several scripts are read
# and written; the recordings kept in tests/runs are verified, described and
# linked alike. plinkard.exe --play routes/complete.txt --trace, played from
# such a folder, equals the replay in every column but the tick and the
# caption, and prints the finish line, with the timer and a ghost over it.
# plinkard.exe --import-best keeps a finished run in %APPDATA%\Plinkard and
# refuses an edited one, as on Linux.
# usage: identity_test.sh WINDOWS_BUILD_DIR LINUX_BUILD_DIR SOURCE_DIR WINE_TEMPLATE [RANDOM_SCRIPTS]
# shellcheck source-path=SCRIPTDIR
# shellcheck source=../e2e/x_session.sh
. "$(dirname "$0")/../e2e/x_session.sh"
WINE_TEMPLATE=$4
# shellcheck source=wine_session.sh
. "$(dirname "$0")/wine_session.sh"
BUILD=$1
NATIVE=$2/plinkard-replay
SOURCE=$3
SCRIPTS=${5:-40}
REPLAY=$BUILD/plinkard-replay.exe
[ -x "$NATIVE" ] || fail "no Linux plinkard-replay at $NATIVE (make build makes it)"

# A folder named in Latin, Greek and Japanese letters.
FOLDER="$WORK/Zürich Ωμέγα 日本"
mkdir "$FOLDER"
cp "$SOURCE/routes/complete.txt" "$FOLDER/route.txt"

note "plinkard.exe --play, from $FOLDER, while the replays run"
wine "$BUILD/plinkard.exe" --play "$FOLDER/route.txt" --trace "$FOLDER/live.csv" --timer --ghost "$FOLDER/route.txt" \
  >"$WORK/play.out" 2>"$WORK/play.err" &
GAME_PID=$!  # x_session.sh's wait_exit waits for it

# same WHAT FILE EXPECTED: the two files are equal, byte for byte.
same() { cmp -s "$2" "$3" || fail "$1: $(cmp "$2" "$3" 2>&1 | head -1)"; }

# both ARG...: runs the Linux and the Windows replay on the same command line,
# each in a folder of its own (where a relative file name lands); their exit
# statuses, standard output and standard error must be equal.
both() {
  mkdir -p "$WORK/linux" "$WORK/windows"
  LINUX_STATUS=0 WINDOWS_STATUS=0
  (cd "$WORK/linux" && exec "$NATIVE" "$@") >"$WORK/linux.out" 2>"$WORK/linux.err" </dev/null || LINUX_STATUS=$?
  (cd "$WORK/windows" && exec wine "$REPLAY" "$@") >"$WORK/windows.out" 2>"$WORK/windows.err" </dev/null ||
    WINDOWS_STATUS=$?
  [ "$LINUX_STATUS" = "$WINDOWS_STATUS" ] || fail "$*: status $WINDOWS_STATUS on Windows, $LINUX_STATUS on Linux"
  same "$* (standard error)" "$WORK/windows.err" "$WORK/linux.err"
  same "$* (standard output)" "$WORK/windows.out" "$WORK/linux.out"
}

note "every route: the kept trace and last frame"
for route in "$SOURCE"/routes/*.txt; do
  name=$(basename "$route" .txt)
  wine "$REPLAY" --trace "$WORK/$name.csv" --png "$WORK/$name.png" "$route" 2>"$WORK/$name.err" ||
    fail "$name: $(cat "$WORK/$name.err")"
  same "$name's trace" "$WORK/$name.csv" "$SOURCE/tests/expected/$name.csv"
  same "$name's last frame" "$WORK/$name.png" "$SOURCE/tests/expected/$name.png"
done

note "Windows line ends, standard input and output, the folder's name"
sed 's/$/\r/' "$SOURCE/routes/complete.txt" >"$WORK/crlf.txt"
wine "$REPLAY" --trace - - <"$WORK/crlf.txt" >"$WORK/stdout.csv" 2>/dev/null
same "a script with CR LF from standard input, its trace on standard output" "$WORK/stdout.csv" \
  "$SOURCE/tests/expected/complete.csv"
wine "$REPLAY" --png - "$FOLDER/route.txt" >"$WORK/stdout.png" 2>/dev/null
same "the last frame on standard output" "$WORK/stdout.png" "$SOURCE/tests/expected/complete.png"
wine "$REPLAY" --trace "$FOLDER/trace.csv" "$FOLDER/route.txt" 2>/dev/null
same "a trace written in $FOLDER" "$FOLDER/trace.csv" "$SOURCE/tests/expected/complete.csv"

note "mistakes: the same message and status"
printf '10 down Right\n20 tap Sapce\n' >"$WORK/bad.txt"
printf '10 down Right\n' >"$WORK/endless.txt"
printf '10 tap P\n' >"$WORK/paused.txt"
both
both --frames 0 "$WORK/bad.txt"
both --bogus "$WORK/bad.txt"
both "$WORK/bad.txt"
both "$WORK/endless.txt"
both --frames 50 "$WORK/paused.txt"
both "$WORK/missing.txt"
both --trace no/such/dir.csv --frames 5 "$WORK/endless.txt"
both --version

note "the recordings kept in tests/runs: checked, described and linked as on Linux"
both --verify "$SOURCE"/tests/runs/*.txt
grep -q ': verified: door at frame' "$WORK/windows.out" || fail "no finished run verified: $(cat "$WORK/windows.out")"
both --info "$SOURCE"/tests/runs/*.txt
for run in "$SOURCE"/tests/runs/*.txt; do both --link "$run"; done

note "$SCRIPTS seeded random scripts, from the start and from deep in the route"
grep -E '^[[:space:]]*[0-9]' "$SOURCE/routes/complete.txt" >"$WORK/route-events.txt"
i=0
while [ "$i" -lt "$SCRIPTS" ]; do
  # Half start at the start; the others follow the route to a point anywhere
  # in it and go on at random from there. Mostly the keys that play, some
  # measuring keys, codes the game does not know, and now and then a pause.
  awk -v seed=$((7919 * (i + 1))) -v deep=$((i % 2)) -v out="$WORK/random.txt" '
    BEGIN {
      srand(seed)
      n = split("Left Right Up Down Ctrl Space Left Right Up Down Ctrl Space W A S D T F G H Enter 99 100 -1 32767", keys, " ")
      start = deep ? int(rand() * 17400) : 0
      if (deep) while ((getline line < ARGV[1]) > 0) { split(line, f, " "); if (f[1] + 0 <= start && f[2] != "close") print line > out }
      span = 500 + int(rand() * 5000)
      events = 5 + int(rand() * 50)
      split("down down up up tap", actions, " ")
      for (e = 0; e < events; ++e) print start + int(rand() * span), actions[1 + int(rand() * 5)], keys[1 + int(rand() * n)] > out
      if (int(rand() * 3) == 0) {
        pause = start + int(rand() * span)
        print pause, "tap P" > out
        if (int(rand() * 8) != 0) print pause + int(rand() * 2000), "tap P" > out
      }
      print int((start + span) / 10) + int(rand() * 200)
    }' "$WORK/route-events.txt" >"$WORK/frames"
  both --trace run.csv --png last.png --frames "$(cat "$WORK/frames")" "$WORK/random.txt"
  same "random script $i: the trace" "$WORK/windows/run.csv" "$WORK/linux/run.csv"
  [ "$LINUX_STATUS" -eq 3 ] || same "random script $i: the last frame" "$WORK/windows/last.png" "$WORK/linux/last.png"
  rm -rf "$WORK/linux" "$WORK/windows"
  i=$((i + 1))
done

note "the live play: the replay's game in every column but the tick and the caption"
wait_exit
[ "$GAME_STATUS" -eq 0 ] || fail "plinkard.exe --play ended with status $GAME_STATUS: $(cat "$WORK/play.err")"
[ "$(cat "$WORK/play.out")" = "Door opened at frame 1740: 17.40 s, 0 deaths" ] ||
  fail "the finish line is \"$(cat "$WORK/play.out")\""
cut -d, -f1,3-17 "$FOLDER/live.csv" >"$WORK/live.cols"
cut -d, -f1,3-17 "$SOURCE/tests/expected/complete.csv" >"$WORK/replayed.cols"
same "the live trace's game" "$WORK/live.cols" "$WORK/replayed.cols"

note "plinkard.exe --import-best: kept in %APPDATA%\\Plinkard, an edited run refused"
RUN=$SOURCE/tests/runs/finished-level.txt
sed '0,/down Up$/s//down Down/' "$RUN" >"$FOLDER/edited.txt"
STATUS=0
wine "$BUILD/plinkard.exe" --import-best "$FOLDER/edited.txt" >"$WORK/import.out" 2>"$WORK/import.err" || STATUS=$?
[ "$STATUS" -eq 1 ] || fail "the edited run: status $STATUS: $(cat "$WORK/import.out" "$WORK/import.err")"
grep -q ': differs from frame [0-9]*: not imported$' "$WORK/import.err" || fail "the edited run: $(cat "$WORK/import.err")"
wine "$BUILD/plinkard.exe" --import-best "$RUN" >"$WORK/import.out" 2>"$WORK/import.err" ||
  fail "the finished run: $(cat "$WORK/import.out" "$WORK/import.err")"
grep -q 'kept as the best (.*\\Plinkard\\best.txt)\. New best: 0:17.86' "$WORK/import.out" ||
  fail "the finished run: $(cat "$WORK/import.out")"
KEPT=$(find "$WINEPREFIX/drive_c/users" -path '*/AppData/Roaming/Plinkard/best.txt' | head -1)
[ -n "$KEPT" ] || fail "no best.txt in the prefix's AppData\\Roaming\\Plinkard"
same "the best kept" "$KEPT" "$RUN"
echo "PASS"
