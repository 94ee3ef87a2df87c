# Sourced by the window tests: a private X display (Xvfb) with a window manager,
# torn down on exit, and small helpers to play the game in it.
set -eu

fail() { echo "FAIL: $*" >&2; exit 1; }
note() { echo "-- $*"; }

WORK=$(mktemp -d)
GAME_PID=""
cleanup() {
  [ -n "$GAME_PID" ] && kill "$GAME_PID" 2>/dev/null || true
  [ -n "${WM_PID:-}" ] && kill "$WM_PID" 2>/dev/null || true
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT

# Xvfb picks a free display and tells us its number. XVFB_ARGS adds to its
# command line (the window tests use it to take the X fonts away).
# shellcheck disable=SC2086
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp ${XVFB_ARGS:-} 3>"$WORK/display" 2>"$WORK/xvfb.log" &
XVFB_PID=$!
for _ in $(seq 50); do [ -s "$WORK/display" ] && break; sleep 0.1; done
[ -s "$WORK/display" ] || fail "Xvfb did not start: $(cat "$WORK/xvfb.log")"
export DISPLAY=":$(cat "$WORK/display")"
openbox >"$WORK/openbox.log" 2>&1 &
WM_PID=$!
sleep 0.5

# start_game BINARY [ARG]: starts it and waits for its window; sets GAME_PID and WIN.
start_game() {
  "$@" >"$WORK/game.out" 2>&1 &
  GAME_PID=$!
  WIN=""
  for _ in $(seq 100); do
    WIN=$(xdotool search --pid "$GAME_PID" --onlyvisible --name '.' 2>/dev/null | head -1 || true)
    [ -n "$WIN" ] && break
    sleep 0.05
  done
  [ -n "$WIN" ] || fail "the game's window did not appear"
  xdotool windowactivate --sync "$WIN" >/dev/null 2>&1 || true
}

caption() { xprop -id "$WIN" WM_NAME | sed -n 's/^WM_NAME([A-Z_0-9]*) = "\(.*\)"$/\1/p'; }

# wait_caption REGEX SECONDS: waits until the caption matches.
wait_caption() {
  end=$(($(date +%s%N) + $2 * 1000000000))
  while [ "$(date +%s%N)" -lt "$end" ]; do
    caption | grep -Eq "$1" && return 0
    sleep 0.05
  done
  fail "caption \"$(caption)\" did not come to match /$1/ within $2 s"
}

# shot FILE: the window's client area as a PNG.
shot() { import -window "$WIN" "$1"; }

# differs_from_level GEOMETRY: how many pixels of that part of the window
# (WIDTHxHEIGHT+X+Y) differ from the level picture, in a fresh screenshot.
LEVEL_PICTURE=$(cd "$(dirname "$0")/../.." && pwd)/assets/background.png
differs_from_level() {
  shot "$WORK/s.png"
  convert "$WORK/s.png" -crop "$1" +repage "$WORK/a.png"
  convert "$LEVEL_PICTURE" -crop "$1" +repage "$WORK/b.png"
  compare -metric AE "$WORK/a.png" "$WORK/b.png" null: 2>&1 || true
}

# pixel FILE X Y: "R,G,B" of one pixel.
pixel() { convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:; }

# game_cpu_ticks: user + system clock ticks the game has used.
game_cpu_ticks() { awk '{print $14 + $15}' "/proc/$GAME_PID/stat"; }

# wait_exit SECONDS: waits for the game to end and sets GAME_STATUS.
wait_exit() {
  for _ in $(seq $(($1 * 20))); do
    if ! kill -0 "$GAME_PID" 2>/dev/null; then
      GAME_STATUS=0
      wait "$GAME_PID" || GAME_STATUS=$?
      GAME_PID=""
      return 0
    fi
    sleep 0.05
  done
  fail "the game did not end within $1 s"
}

# climb_and_crawl: plays from the start over both steps (the second with a
# double jump) and crouches into the crawl under the hanging block. Right is
# still held after it.
climb_and_crawl() {
  xdotool keydown Right
  sleep 1.5
  xdotool key Up
  sleep 1.5
  xdotool key Up
  sleep 0.15
  xdotool key Up
  sleep 1.5
  xdotool key Down
}

# walk_to_spikes: plays from the start to a death: over both steps, crawling
# under the hanging block, down the shaft, and back left onto the spikes of the
# middle band. Left is still held after it.
walk_to_spikes() {
  climb_and_crawl
  sleep 4.5
  xdotool keyup Right
  xdotool keydown Left
}

# death_box: the window id of the "You died" box, titled with the game's
# name (wmctrl reads its UTF-8 title), or nothing while there is none.
death_box() { wmctrl -l | awk '{ id = $1; $1 = $2 = $3 = ""; sub(/^ +/, ""); if ($0 == "Plinkard") print id }' | head -1; }

# wait_death_box SECONDS: waits for the box and sets BOX (empty if none came).
wait_death_box() {
  BOX=""
  for _ in $(seq $(($1 * 20))); do
    BOX=$(death_box)
    [ -n "$BOX" ] && return 0
    sleep 0.05
  done
}

# answer_death_box: Return to the box (BOX), which must then go away.
answer_death_box() {
  xdotool windowactivate --sync "$BOX" >/dev/null 2>&1 || true
  xdotool key Return
  for _ in $(seq 60); do
    [ -z "$(death_box)" ] && break
    sleep 0.05
  done
  [ -z "$(death_box)" ] || fail "Return did not dismiss the box"
}
