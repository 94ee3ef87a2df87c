#!/bin/sh
# The game where there is no display. --help and --version need none; a bad
# command line gets one line saying what is wrong, then the usage, on standard
# error, and status 2. With neither DISPLAY nor WAYLAND_DISPLAY set, or with
# SDL settling for a video driver that shows nothing, the game says so on one
# line and ends with status 1 within a second: nothing runs unseen.
# usage: no_display_test.sh GAME_BINARY VERSION
set -eu
GAME=$1
VERSION=$2
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
note() { echo "-- $*"; }

# run ARG...: the game without a display; sets STATUS, MS, and OUT and ERR (files).
OUT=$WORK/out ERR=$WORK/err
run() {
  start=$(date +%s%N)
  STATUS=0
  env -u DISPLAY -u WAYLAND_DISPLAY timeout 10 "$@" >"$OUT" 2>"$ERR" || STATUS=$?
  MS=$((($(date +%s%N) - start) / 1000000))
}
lines() { wc -l <"$1" | tr -d ' '; }

note "--help and --version"
run "$GAME" --help
[ "$STATUS" -eq 0 ] && [ ! -s "$ERR" ] || fail "--help: status $STATUS, $(cat "$ERR")"
head -1 "$OUT" | grep -q '^usage: plinkard \[--fullscreen | --window\] \[--scale N|auto\]' ||
  fail "--help: $(head -1 "$OUT")"
grep -q 'F11, Alt+Enter' "$OUT" && grep -q 'Start' "$OUT" || fail "--help names neither the keys nor the pad"
run "$GAME" --version
[ "$STATUS" -eq 0 ] && [ "$(cat "$OUT")" = "plinkard $VERSION" ] || fail "--version: status $STATUS, $(cat "$OUT")"

note "bad command lines"
for args in "--scale 0" "--scale 9" "--scale" "--scale big" "--fullscreen=yes" "--full" "level.txt"; do
  # shellcheck disable=SC2086
  run "$GAME" $args
  [ "$STATUS" -eq 2 ] || fail "$args: status $STATUS"
  [ ! -s "$OUT" ] && [ "$(lines "$ERR")" -eq 2 ] || fail "$args: $(cat "$OUT" "$ERR")"
  sed -n 1p "$ERR" | grep -q '^plinkard: ' && sed -n 2p "$ERR" | grep -q '^usage: plinkard ' ||
    fail "$args: $(cat "$ERR")"
  note "$args: $(sed -n 1p "$ERR")"
done

note "no display"
for driver in "" offscreen dummy; do
  if [ -n "$driver" ]; then run env SDL_VIDEODRIVER=$driver "$GAME"; else run "$GAME"; fi
  note "${driver:-neither variable}: status $STATUS after $MS ms: $(cat "$ERR")"
  [ "$STATUS" -eq 1 ] || fail "status $STATUS without a display"
  [ "$(lines "$ERR")" -eq 1 ] && grep -q '^plinkard: no display' "$ERR" || fail "not one line saying so: $(cat "$ERR")"
  [ "$MS" -lt 1000 ] || fail "it took $MS ms to end"
done
echo PASS
