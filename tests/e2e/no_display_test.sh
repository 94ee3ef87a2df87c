#!/bin/sh
# The game where there is no display. --help and --version need none. With
# neither DISPLAY nor WAYLAND_DISPLAY set, or with SDL settling for a video
# driver that shows nothing, the game says so on one line and ends by itself
# with status 1 (a ceiling of 30 s stops one that would run on unseen). (What
# --help, --version and a bad command line say is checked by the unit tests
# and build_test.sh.) A game for another processor runs under EMULATOR.
# usage: no_display_test.sh GAME_BINARY [EMULATOR...]
set -eu
GAME=$1
shift
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
note() { echo "-- $*"; }

# run ARG...: the game without a display; sets STATUS, MS, and OUT and ERR (files).
OUT=$WORK/out ERR=$WORK/err
run() {
  start=$(date +%s%N)
  STATUS=0
  env -u DISPLAY -u WAYLAND_DISPLAY timeout 30 "$@" >"$OUT" 2>"$ERR" || STATUS=$?
  MS=$((($(date +%s%N) - start) / 1000000))
}
lines() { wc -l <"$1" | tr -d ' '; }

note "--help and --version"
for arg in --help --version; do
  run "$@" "$GAME" "$arg"
  if [ "$STATUS" -ne 0 ] || [ ! -s "$OUT" ] || [ -s "$ERR" ]; then fail "$arg: status $STATUS, $(cat "$ERR")"; fi
done

note "no display"
for driver in "" offscreen dummy; do
  if [ -n "$driver" ]; then run env SDL_VIDEODRIVER=$driver "$@" "$GAME"; else run "$@" "$GAME"; fi
  note "${driver:-neither variable}: status $STATUS after $MS ms: $(cat "$ERR")"
  [ "$STATUS" -eq 1 ] || fail "status $STATUS without a display"
  if [ "$(lines "$ERR")" -ne 1 ] || ! grep -q '^plinkard: no display' "$ERR"; then fail "not one line saying so: $(cat "$ERR")"; fi
done
echo PASS
