#!/bin/sh
# The game where there is no display. --help and --version need none. With
# neither DISPLAY nor WAYLAND_DISPLAY set, or with SDL settling for a video
# driver that shows nothing, the game says so on one line and ends with status
# 1 within a second: nothing runs unseen. (What --help, --version and a bad
# command line say is checked by the unit tests and build_test.sh.)
# usage: no_display_test.sh GAME_BINARY
set -eu
GAME=$1
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
for arg in --help --version; do
  run "$GAME" "$arg"
  [ "$STATUS" -eq 0 ] && [ -s "$OUT" ] && [ ! -s "$ERR" ] || fail "$arg: status $STATUS, $(cat "$ERR")"
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
