# shellcheck shell=sh
# Sourced by the window tests: a private X display (Xvfb) with a window manager,
# torn down on exit, and small helpers to play the game in it. Every wait is
# for a condition, with a ceiling far above what any machine should need
# (CEILING seconds): a busy machine makes a test slower, never wrong.
set -eu

fail() { echo "FAIL: $*" >&2; exit 1; }
note() { echo "-- $*"; }

CEILING=30
WORK=$(mktemp -d)
GAME_PID=""

# What a script sourcing this one adds to the session (the Windows tests,
# Wine's server): more_report tells how it stands, more_cleanup ends it.
more_report() { :; }
more_cleanup() { :; }

cleanup() {
  more_cleanup
  end_probes
  for pid in "$GAME_PID" "${WESTON_PID:-}" "${WM_PID:-}" "${XVFB_PID:-}"; do
    if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi
  done
  rm -rf "$WORK"
}

# end_probes: the window manager's probe windows (see below) go, before
# anything else looks for a window.
end_probes() {
  for pid in ${PROBES:-}; do kill "$pid" 2>/dev/null || true; done
  for pid in ${PROBES:-}; do wait "$pid" 2>/dev/null || true; done
  PROBES=""
}

# session_exit STATUS: a test that fails, however it fails, first tells how
# its session stood, and then ends it.
session_exit() {
  if [ -n "${WATCHDOG_PID:-}" ]; then kill "$WATCHDOG_PID" 2>/dev/null || true; fi
  if [ "$1" -ne 0 ]; then report_session >&2 || true; fi
  cleanup
}
trap 'session_exit $?' EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM
# Output gone (ctest itself ended): the session ends all the same.
trap 'trap "" PIPE; exit 141' PIPE

# report_session: the display, whether each program of the session is still
# running, and the last lines of each one's log.
report_session() {
  echo "-- the session at the failure: display ${DISPLAY:-not yet chosen}, load $(cut -d' ' -f1-3 /proc/loadavg)"
  report_program Xvfb "${XVFB_PID:-}" "$WORK/xvfb.log"
  report_program openbox "${WM_PID:-}" "$WORK/openbox.log"
  report_program weston "${WESTON_PID:-}" "$WORK/weston.log"
  report_program "the game" "$GAME_PID" "$WORK/game.out"
  if [ -n "$GAME_PID" ]; then echo "   its windows: $(game_windows)"; fi
  more_report
  echo "-- the X servers on this machine: $(ps -C Xvfb,Xorg,Xwayland -o pid=,args= | paste -sd ';' -)"
  echo "-- the displays taken: $(grep -o '@/tmp/.X11-unix/X[0-9]*' /proc/net/unix | sort -u | sed 's/.*X/:/' | paste -sd ' ' -)"
}

# report_program NAME PID LOG: whether it still runs (ps's state, its age and
# the processor time it has had), and the end of its log.
report_program() {
  if [ -z "$2" ]; then
    echo "-- $1: not running (not started, or ended as the test meant)"
  elif [ -n "$(ps -o stat= -p "$2" | tr -d 'Z ')" ]; then
    echo "-- $1: running (pid $2, $(ps -o stat=,etime=,time= -p "$2" | awk '{ print "state " $1 ", for " $2 ", processor " $3 }'))"
  else
    status=0
    wait "$2" 2>/dev/null || status=$?
    echo "-- $1: ended, status $status (pid $2)"
  fi
  if [ -s "$3" ]; then
    echo "   the last lines of its log:"
    tail -n 8 "$3" | sed 's/^/   | /'
  fi
}

# game_windows: the windows of the game (GAME_PID), each with its map state
# and title, or "none".
game_windows() {
  windows=$(xdotool search --all --pid "$GAME_PID" 2>/dev/null || true)
  [ -n "$windows" ] || { echo none; return 0; }
  for w in $windows; do
    printf '%s %s "%s"; ' "$w" "$(xwininfo -id "$w" 2>/dev/null | sed -n 's/^ *Map State: //p')" \
      "$(xprop -id "$w" WM_NAME 2>/dev/null | sed -n 's/^WM_NAME([A-Z_0-9]*) = "\(.*\)"$/\1/p')"
  done
}

# ctest ends a test that outlasts its TIMEOUT without a word. Given that
# TIMEOUT in WINDOW_TEST_SECONDS, the test fails ten seconds before it, with
# the session's report; should a command hang so that the test cannot
# answer, what it runs is listed.
if [ -n "${WINDOW_TEST_SECONDS:-}" ]; then
  trap 'fail "the test is still running after $((WINDOW_TEST_SECONDS - 10)) s, close to the $WINDOW_TEST_SECONDS s ctest allows it"' USR1
  (
    trap 'kill "$timer" 2>/dev/null; exit 0' TERM
    nap() {
      sleep "$1" &
      timer=$!
      wait "$timer"
    }
    end=$(($(date +%s) + WINDOW_TEST_SECONDS - 10))
    while [ "$(date +%s)" -lt "$end" ]; do
      kill -0 $$ 2>/dev/null || exit 0
      nap 1
    done
    kill -USR1 $$ 2>/dev/null || exit 0
    nap 5
    kill -0 $$ 2>/dev/null || exit 0
    echo "-- the test did not answer; the commands it runs:" >&2
    ps -e -o pid=,ppid=,stat=,etime=,args= | awk -v top=$$ '
      { line[$1] = $0; parent[$1] = $2 }
      END { for (p in line) for (q = p; q in parent; q = parent[q]) if (parent[q] == top) { print "   " line[p]; break } }' >&2
  ) &
  WATCHDOG_PID=$!
fi

# within SECONDS COMMAND...: runs COMMAND (in this shell) every tenth of a
# second until it succeeds, or until it has failed once more after SECONDS.
# That last look begins when the time is up: on a busy machine one look (a
# screenshot and its comparison) can take longer than the whole wait, and an
# early look that fails says nothing of what came after it.
within() {
  within_due=$(($(date +%s%N) + $1 * 1000000000))
  shift
  while :; do
    within_start=$(date +%s%N)
    WHY=""
    "$@" && return 0
    [ "$within_start" -lt "$within_due" ] || return 1
    sleep 0.1
  done
}

# wait_until WHAT COMMAND...: waits, for up to CEILING seconds, until COMMAND
# succeeds; else fails saying that WHAT did not come, and why, if COMMAND
# said so in WHY.
wait_until() {
  what=$1
  shift
  within "$CEILING" "$@" || fail "$what: not within $CEILING s${WHY:+ ($WHY)}"
}

# The trace a game started with --trace "$TRACE" writes: one row a frame,
# "frame,tick,X,Y,XVel,...", as the replay tool's.
TRACE=$WORK/live.csv

# last_row TRACE: the trace's last complete row.
last_row() { tail -n 2 "$1" | grep -a '"$' | tail -1; }

# wait_row WHAT CONDITION: waits until the last row of the trace
# meets the awk condition ($3 X, $4 Y, $5 XVel, $6 YVel, $7 XVelMax, $8
# Jumps, $10 Crouched, $15 Deaths).
wait_row() { wait_rows last_row "$@"; }

# The recording a game started with --record "$RECORDING" writes: one line
# a key going down or up, "FRAME down KEY".
RECORDING=$WORK/run.txt

# recorded ACTION KEY: how many times the recording has the key going so.
recorded() { grep -cE "^[0-9]+ +$1 +$2\$" "$RECORDING" || true; }

# wait_recorded ACTION KEY COUNT: waits until it has it COUNT times.
wait_recorded() { wait_until "\"$1 $2\" $3 times in the recording" recorded_times "$@"; }
recorded_times() { [ "$(recorded "$1" "$2")" -ge "$3" ]; }

# mark_trace, then wait_new_row WHAT CONDITION: waits until any row
# written since the mark meets the condition. For a state that lasts a few
# frames (a jump, 30; the second of a double jump that lands on the high
# step, 2), which a look at the last row can miss on a busy machine.
mark_trace() { MARK=$(wc -l <"$TRACE"); }
wait_new_row() { wait_rows new_rows "$@"; }
new_rows() { tail -n +"$((MARK + 1))" "$1" | grep -a '"$'; }

# wait_rows ROWS WHAT CONDITION: waits, for up to CEILING seconds, until one
# of the rows that the command ROWS gives meets the condition.
wait_rows() {
  within "$CEILING" rows_meet "$1" "$3" || fail "the player did not come to $2 within $CEILING s: $(last_row "$TRACE")"
}
rows_meet() { "$1" "$TRACE" | awk -F, "$2 { met = 1 } END { exit !met }"; }

# Xvfb picks a free display and tells us its number once it takes
# connections. XVFB_SCREEN sets its size (1280x1024 unless set), and XVFB_ARGS
# adds to its command line (the window tests use it to take the X fonts away).
# An X server resets when its last client leaves, closing every connection
# still being set up: the first look for the window manager, over before
# openbox had finished connecting, would take openbox's connection down with
# it ("Failed to open the display"). -noreset keeps the server as it is.
# Xvfb takes the first display whose abstract socket (@/tmp/.X11-unix/XN,
# one per display) is free, with no lock file, and then puts its own socket
# file in /tmp/.X11-unix in place of whatever is there: another X server's,
# unseen from here (in a container), or the next test's, as a server that
# is ending removes its own. Every client here connects through the abstract
# socket: -nolisten unix leaves the files alone.
# shellcheck disable=SC2086
Xvfb -displayfd 3 -screen 0 "${XVFB_SCREEN:-1280x1024}x24" -nolisten tcp -nolisten unix -noreset ${XVFB_ARGS:-} \
  3>"$WORK/display" 2>"$WORK/xvfb.log" &
XVFB_PID=$!
xvfb_up() {
  test -s "$WORK/display" && return 0
  kill -0 "$XVFB_PID" 2>/dev/null || fail "Xvfb ended before it chose a display: $(cat "$WORK/xvfb.log")"
  return 1
}
wait_until "Xvfb's display" xvfb_up
DISPLAY=":$(cat "$WORK/display")"
export DISPLAY
# Without a session manager: one named in the environment (a desktop's) is
# none of the test's business.
openbox --sm-disable >"$WORK/openbox.log" 2>&1 &
WM_PID=$!
# openbox names itself the window manager (wmctrl -m) before it has finished
# starting, and a window mapped in between is never managed: it stays
# unmapped, and the game that made it waits for it for good. So openbox is
# up once it has shown a window mapped after that: a probe (an xmessage),
# another each second while none shows, all gone after.
PROBES=""
window_manager_up() {
  kill -0 "$WM_PID" 2>/dev/null || fail "openbox ended before it managed the display: $(cat "$WORK/openbox.log")"
  if ! wmctrl -m >/dev/null 2>&1; then
    WHY="openbox says: $(tail -n 3 "$WORK/openbox.log")"
    return 1
  fi
  [ -z "$(xdotool search --onlyvisible --classname '^plinkard-probe$' 2>/dev/null)" ] || return 0
  if [ "$(date +%s)" -ge "${NEXT_PROBE:-0}" ]; then
    xmessage -name plinkard-probe -geometry +0+0 probe >/dev/null 2>&1 &
    PROBES="$PROBES $!"
    NEXT_PROBE=$(($(date +%s) + 1))
  fi
  WHY="openbox has shown none of the $(echo "$PROBES" | wc -w) probe windows"
  return 1
}
wait_until "the window manager" window_manager_up
end_probes

# start_game BINARY [ARG...]: starts it and waits for its window; sets GAME_PID and WIN.
start_game() {
  "$@" >"$WORK/game.out" 2>&1 &
  GAME_PID=$!
  wait_until "the game's window" game_window
  xdotool windowactivate --sync "$WIN" >/dev/null 2>&1 || true
}
# xdotool's search takes a window meeting any one of its conditions unless
# told --all: without it, any named window on the screen would do.
game_window() {
  WIN=$(xdotool search --all --pid "$GAME_PID" --onlyvisible --name '.' 2>/dev/null | head -1 || true)
  [ -n "$WIN" ] && return 0
  kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended before its window appeared: $(cat "$WORK/game.out")"
  return 1
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
# hardest case for a client's double buffering. Its desktop shell fades
# nothing in or out: a picture on its output is the clients' own.
start_weston() {
  mkdir -m 700 "$WORK/runtime"
  export XDG_RUNTIME_DIR="$WORK/runtime"
  cat >"$WORK/weston.ini" <<EOF
[shell]
animation=none
startup-animation=none
close-animation=none
focus-animation=none
EOF
  weston --config="$WORK/weston.ini" --backend=x11-backend.so --use-pixman --width="$1" --height="$2" \
    --idle-time=0 --debug --socket=wayland-test >"$WORK/weston.log" 2>&1 &
  WESTON_PID=$!
  wait_until "weston's socket" test -S "$XDG_RUNTIME_DIR/wayland-test"
  export WAYLAND_DISPLAY=wayland-test
  wait_until "weston's window" weston_window
  # weston follows the pointer from when it enters its window: the pointer
  # starts outside it (the window may have opened under it).
  xdotool mousemove 0 0
}
weston_window() {
  WESTON_WIN=$(xdotool search --class '^Weston Compositor$' 2>/dev/null | head -1 || true)
  [ -n "$WESTON_WIN" ]
}

# start_wayland_game BINARY [ARG...]: starts it on weston and waits for its
# window there; sets GAME_PID, and WIN to weston's window.
start_wayland_game() {
  SDL_VIDEODRIVER=wayland "$@" >"$WORK/game.out" 2>&1 &
  GAME_PID=$!
  WIN=$WESTON_WIN
  wait_until "the game's window on weston" has_caption
  xdotool windowactivate --sync "$WIN" >/dev/null 2>&1 || true
}
has_caption() { [ -n "$(caption)" ]; }

# wayland_pointer_at X Y: moves the pointer to (X, Y) of weston's output, from
# a pixel beside it (a move to where the pointer is already is no move), and
# answers whether weston has it there: its cursor covers that point.
wayland_pointer_at() {
  xdotool mousemove --window "$WESTON_WIN" "$(($1 - 1))" "$2" mousemove --window "$WESTON_WIN" "$1" "$2"
  CURSOR=$(weston-debug scene-graph 2>/dev/null |
    awk '/role wl_pointer-cursor/ { found = 1; next } found && /position:/ { gsub(/[(),>-]/, " "); print $2, $3, $4, $5; exit }')
  WHY="weston's pointer is at ${CURSOR:-no place}"
  # shellcheck disable=SC2086 # four numbers
  [ -n "$CURSOR" ] && awk -v x="$1" -v y="$2" -v c="$CURSOR" \
    'BEGIN { split(c, r, " "); exit !(x >= r[1] && x <= r[3] && y >= r[2] && y <= r[4]) }'
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

# wait_caption REGEX: waits until the caption matches.
wait_caption() {
  PATTERN=$1
  wait_until "the caption to match /$1/" caption_matches
}
caption_matches() {
  CAPTION=$(caption)
  WHY="it says \"$CAPTION\""
  printf '%s\n' "$CAPTION" | grep -Eq "$PATTERN"
}

# check_rate: waits for the caption to report a rate that is not absurd:
# over 50 frames a second, and at most the 100 of the game's pace and one
# for a second's rounding. (How close to 100 it stays is for make bench.) Sets RATE.
check_rate() {
  wait_until "a frame rate between 51 and 101" rate_sane
  note "caption: $(caption)"
}
rate_sane() {
  CAPTION=$(caption)
  RATE=$(printf '%s\n' "$CAPTION" | grep -E "$RUNNING" | tr -dc 0-9)
  WHY="the caption says \"$CAPTION\""
  [ -n "$RATE" ] && [ "$RATE" -gt 50 ] && [ "$RATE" -le 101 ]
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

# level_shows GEOMETRY [DX DY]: that part of the level is drawn plain, with
# nothing over it. player_over GEOMETRY [DX DY]: something (the player) covers
# over 100 of its pixels.
level_shows() {
  D=$(differs_from_level "$@")
  WHY="$D pixels differ at $1"
  [ "$D" = 0 ]
}
player_over() {
  D=$(differs_from_level "$@")
  WHY="only $D pixels differ at $1"
  [ "$D" -gt 100 ]
}

# crop_matches SHOT GEOMETRY PICTURE: that part of the screenshot SHOT is the
# picture PICTURE, pixel for pixel.
crop_matches() {
  convert "$1" -crop "$2" +repage "$WORK/crop.png"
  D=$(compare -metric AE "$WORK/crop.png" "$3" null: 2>&1 || true)
  WHY="$D pixels differ"
  [ "$D" = 0 ]
}

# window_shows GEOMETRY PICTURE: in a fresh screenshot of the window, that part
# is the picture.
window_shows() {
  shot "$WORK/window.png"
  crop_matches "$WORK/window.png" "$@"
}

# idle_picture REPLAY_BINARY: the game's picture a few frames after the start,
# as the replay tool draws it, in $WORK/idle.png.
idle_picture() {
  : >"$WORK/idle.txt"
  "$1" --frames 20 --png "$WORK/idle.png" "$WORK/idle.txt"
}

# wait_stopped_near_start WHAT: waits for the player, let go of early, to
# slide to a stop near the start (two screenshots a while apart are the
# same); held, it would have walked on to the low step's wall at x 123. WHAT
# ends the failure's "the player walked on ...".
wait_stopped_near_start() {
  wait_until "the player at rest" picture_still
  level_shows 40x47+95+111 || fail "the player walked on $1 ($WHY)"
  player_over 90x47+4+111 || fail "the player is not near the start ($WHY)"
}
picture_still() {
  shot "$WORK/before.png"
  sleep 0.3
  shot "$WORK/after.png"
  D=$(compare -metric AE "$WORK/before.png" "$WORK/after.png" null: 2>&1 || true)
  WHY="the picture still changes in $D pixels"
  [ "$D" = 0 ]
}

# pixel FILE X Y: "R,G,B" of one pixel.
pixel() { convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:; }

# wait_exit: waits for the game to end, and sets GAME_STATUS.
wait_exit() {
  wait_until "the game to end" game_ended
  GAME_STATUS=0
  wait "$GAME_PID" || GAME_STATUS=$?
  GAME_PID=""
}
game_ended() { ! kill -0 "$GAME_PID" 2>/dev/null; }

# close_game: closes the game's window as its title bar's button would, and
# checks that the game ended with status 0.
close_game() {
  wmctrl -i -c "$WIN"
  wait_exit
  [ "$GAME_STATUS" -eq 0 ] || fail "the game ended with status $GAME_STATUS: $(cat "$WORK/game.out")"
}

# climb_and_crawl: plays the game started with --trace "$TRACE" from the
# start over both steps (the second with a double jump) and crouches into the
# crawl under the hanging block; Right is still held after it. Each key comes
# when the trace shows the player where it is wanted, however slowly a busy
# machine runs the game. A double jump's second Up must come while the first
# jump lasts (0.3 s): one xdotool sends both, as the time a second one takes
# to start on a busy machine may be longer.
# shellcheck disable=SC2016 # the conditions on the trace's rows are awk's
climb_and_crawl() {
  xdotool keydown Right
  wait_row "the low step's wall" '$4 == 111 && $5 == 0 && $3 > 110 && $3 < 130'
  xdotool key Up
  wait_row "the high step's wall" '$4 == 111 && $5 == 0 && $3 > 300 && $3 < 320'
  mark_trace
  double_jump
  wait_new_row "jump, and again in the air" '$8 == 2'
  wait_row "the hanging block" '$4 == 111 && $3 > 570'
  xdotool key Down
}
double_jump() { xdotool key Up sleep 0.15 key Up; }

# walk_to_spikes: as climb_and_crawl, on to a death: crawling under the
# hanging block, down the shaft to its foot, and back left onto the spikes
# of the middle band. Left is still held after it, until the death message
# is up.
# shellcheck disable=SC2016
walk_to_spikes() {
  climb_and_crawl
  wait_row "the foot of the shaft" '$4 == 295 && $3 == 1000'
  xdotool keyup Right
  xdotool keydown Left
}

# death_box: the window id of the "You died" box, titled with the game's
# name (wmctrl reads its UTF-8 title), or nothing while there is none.
death_box() { wmctrl -l | awk '{ id = $1; $1 = $2 = $3 = ""; sub(/^ +/, ""); if ($0 == "Plinkard") print id }' | head -1; }

# wait_death_box: waits for the box and sets BOX.
wait_death_box() { wait_until "the \"You died\" box" death_box_up; }
death_box_up() {
  BOX=$(death_box)
  [ -n "$BOX" ]
}

# answer_death_box: Return to the box (BOX), which must then go away.
answer_death_box() {
  xdotool windowactivate --sync "$BOX" >/dev/null 2>&1 || true
  xdotool key Return
  wait_until "the box to go when Return answers it" death_box_gone
}
death_box_gone() { [ -z "$(death_box)" ]; }
