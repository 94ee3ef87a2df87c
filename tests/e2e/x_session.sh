# Sourced by the window tests: a private X display (Xvfb) with a window manager,
# torn down on exit, and small helpers to play the game in it.
set -eu

fail() { echo "FAIL: $*" >&2; exit 1; }
note() { echo "-- $*"; }

WORK=$(mktemp -d)
GAME_PID=""
cleanup() {
  [ -n "$GAME_PID" ] && kill "$GAME_PID" 2>/dev/null || true
  [ -n "${WESTON_PID:-}" ] && kill "$WESTON_PID" 2>/dev/null || true
  [ -n "${WM_PID:-}" ] && kill "$WM_PID" 2>/dev/null || true
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT

# Xvfb picks a free display and tells us its number. XVFB_SCREEN sets its
# size (1280x1024 unless set), and XVFB_ARGS adds to its command line (the
# window tests use it to take the X fonts away).
# shellcheck disable=SC2086
Xvfb -displayfd 3 -screen 0 "${XVFB_SCREEN:-1280x1024}x24" -nolisten tcp ${XVFB_ARGS:-} \
  3>"$WORK/display" 2>"$WORK/xvfb.log" &
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

# The game window's caption: from the X server, or under weston from its scene graph.
caption() {
  if [ -n "${WESTON_PID:-}" ]; then
    weston-debug scene-graph 2>/dev/null | sed -n "s/.*PID $GAME_PID, .*top-level window '\(.*\)' of .*/\1/p" | head -1
  else
    xprop -id "$WIN" WM_NAME | sed -n 's/^WM_NAME([A-Z_0-9]*) = "\(.*\)"$/\1/p'
  fi
}

# start_weston WIDTH HEIGHT: a Wayland compositor, weston, whose output is an X
# window of that size on this display, with a runtime directory of its own;
# sets WAYLAND_DISPLAY, WESTON_PID and WESTON_WIN. Screenshots of its window
# show the output, and keys sent to it reach the Wayland window in focus. It
# composes in software with pixman: OpenGL without a GPU would take most of a
# core, and pixman keeps a client's buffer until the next one replaces it, the
# hardest case for a client's double buffering.
start_weston() {
  mkdir -m 700 "$WORK/runtime"
  export XDG_RUNTIME_DIR="$WORK/runtime"
  weston --backend=x11-backend.so --use-pixman --width="$1" --height="$2" --idle-time=0 --debug --socket=wayland-test \
    >"$WORK/weston.log" 2>&1 &
  WESTON_PID=$!
  for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/wayland-test" ] && break; sleep 0.05; done
  [ -S "$XDG_RUNTIME_DIR/wayland-test" ] || fail "weston did not start: $(tail -3 "$WORK/weston.log")"
  export WAYLAND_DISPLAY=wayland-test
  WESTON_WIN=""
  for _ in $(seq 100); do
    WESTON_WIN=$(xdotool search --class '^Weston Compositor$' 2>/dev/null | head -1 || true)
    [ -n "$WESTON_WIN" ] && break
    sleep 0.05
  done
  [ -n "$WESTON_WIN" ] || fail "weston's window did not appear"
}

# start_wayland_game BINARY [ARG]: starts it on weston and waits for its
# window there; sets GAME_PID, and WIN to weston's window.
start_wayland_game() {
  SDL_VIDEODRIVER=wayland "$@" >"$WORK/game.out" 2>&1 &
  GAME_PID=$!
  WIN=$WESTON_WIN
  for _ in $(seq 100); do [ -n "$(caption)" ] && break; sleep 0.05; done
  [ -n "$(caption)" ] || fail "the game's window did not appear on weston"
  xdotool windowactivate --sync "$WIN" >/dev/null 2>&1 || true
}

# wayland_view: "X Y", where the game window's content is on weston's output.
wayland_view() {
  weston-debug scene-graph 2>/dev/null |
    awk -v pid="PID $GAME_PID," 'index($0, pid) && /top-level window/ { found = 1; next }
      found && /position:/ { gsub(/[(),]/, " "); print $2, $3; exit }'
}

# The caption while the game runs, reporting its frame rate.
RUNNING='^Plinkard running at [0-9]+FPS\.$'

# caption_rate: the frame rate the caption reports, or nothing while it reports none.
caption_rate() { caption | grep -E "$RUNNING" | tr -dc 0-9; }

# wait_caption REGEX SECONDS: waits until the caption matches.
wait_caption() {
  end=$(($(date +%s%N) + $2 * 1000000000))
  while [ "$(date +%s%N)" -lt "$end" ]; do
    caption | grep -Eq "$1" && return 0
    sleep 0.05
  done
  fail "caption \"$(caption)\" did not come to match /$1/ within $2 s"
}

# check_rate MIN: one of the next three rate reports in the caption lies
# between MIN and 101 (a busy machine can make one second slow); sets RATE.
check_rate() {
  for _ in 1 2 3; do
    sleep 1.05
    RATE=$(caption_rate)
    note "caption: $(caption)"
    [ -n "$RATE" ] && [ "$RATE" -ge "$1" ] && [ "$RATE" -le 101 ] && return 0
  done
  fail "frame rate ${RATE:-unknown} is not between $1 and 101"
}

# shot FILE: the window's client area as a PNG.
shot() { import -window "$WIN" "$1"; }

# differs_from_level GEOMETRY [DX DY]: how many pixels of that part of the
# level picture (WIDTHxHEIGHT+X+Y) differ in the window, in a fresh screenshot;
# with DX DY, the picture's top left is at (DX, DY) of the window.
LEVEL_PICTURE=$(cd "$(dirname "$0")/../.." && pwd)/assets/background.png
differs_from_level() {
  size=${1%%+*} at=${1#*+}
  x=${at%+*} y=${at#*+}
  shot "$WORK/s.png"
  convert "$WORK/s.png" -crop "$size+$((x + ${2:-0}))+$((y + ${3:-0}))" +repage "$WORK/a.png"
  convert "$LEVEL_PICTURE" -crop "$1" +repage "$WORK/b.png"
  compare -metric AE "$WORK/a.png" "$WORK/b.png" null: 2>&1 || true
}

# idle_picture REPLAY_BINARY: the game's picture a few frames after the start,
# as the replay tool draws it, in $WORK/idle.png.
idle_picture() {
  : >"$WORK/idle.txt"
  "$1" --frames 20 --png "$WORK/idle.png" "$WORK/idle.txt"
}

# stopped_near_start WHAT: the player, let go of early, slid to a stop near the
# start; held, it would have walked on to the low step's wall at x 123. WHAT
# ends the failure's "the player walked on ...".
stopped_near_start() {
  D=$(differs_from_level 40x47+95+111)
  [ "$D" = "0" ] || fail "the player walked on $1 ($D pixels differ at x 95 to 134)"
  [ "$(differs_from_level 90x47+4+111)" -gt 100 ] || fail "the player is not near the start"
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
