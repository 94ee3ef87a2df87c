#!/bin/sh
# The real window under rough handling: made tiny and huge, resized while
# playing and while paused, the keyboard taken away with a key held, a flood
# of key presses, closed while paused and while the death message is up, and
# run with its tick across 2^31 milliseconds.
# usage: hostile_test.sh GAME_BINARY SHIFTED_CLOCK_GAME_BINARY
# shellcheck disable=SC2034 # x_session.sh reads it: room for the huge window
XVFB_SCREEN=3200x2400
# shellcheck source=x_session.sh
. "$(dirname "$0")/x_session.sh"
GAME=$1
SHIFTED=$2
BANNER=$(dirname "$0")/../../assets/pausedpic.png

# Pausing and resuming shows that the loop is alive and drawing frames.
assert_alive() {
  xdotool windowactivate --sync "$WIN" >/dev/null 2>&1 || true
  xdotool key p
  wait_caption '^PAUSED$'
  xdotool key p
  wait_caption "$RUNNING"
}

# client_is WIDTH HEIGHT: the window's client area has that size.
client_is() {
  shot "$WORK/client.png"
  SIZE=$(identify -format '%wx%h' "$WORK/client.png")
  WHY="it is $SIZE"
  [ "$SIZE" = "$1x$2" ]
}

# resize WIDTH HEIGHT: resizes the window and waits until it has that size.
resize() {
  xdotool windowsize "$WIN" "$1" "$2"
  wait_until "the window resized to $1 x $2" client_is "$1" "$2"
}

start_game "$GAME" --record "$RECORDING"
wait_caption "$RUNNING"

note "tiny, then huge"
# The game opens maximized; the window manager resizes only a window that is not.
wmctrl -i -r "$WIN" -b remove,maximized_vert,maximized_horz
resize 40 20
assert_alive
resize 3000 2000
assert_alive
# huge_drawn: beyond the game the client area is plain dark, and the game
# area is drawn 1:1.
huge_drawn() {
  shot "$WORK/huge.png"
  WHY="the client area beyond the game is $(pixel "$WORK/huge.png" 1500 900), not plain dark"
  [ "$(pixel "$WORK/huge.png" 1500 900)" = "24,24,28" ] && level_shows 300x40+700+700
}
wait_until "the huge window drawn" huge_drawn

note "resized while paused"
xdotool key p
wait_caption '^PAUSED$'
for size in "300 200" "1100 800" "640 480" "1100 800"; do
  resize "${size% *}" "${size#* }"
done
wait_until "the banner after resizing" window_shows 531x95+247+293 "$BANNER"
xdotool key p
wait_caption "$RUNNING"
check_rate


note "the keyboard taken away while Right is held: the game lets go of it"
xmessage -geometry +700+700 "focus thief" &
THIEF=$!
thief_window() {
  THIEF_WIN=$(xdotool search --class Xmessage 2>/dev/null | head -1 || true)
  [ -n "$THIEF_WIN" ]
}
wait_until "the other window" thief_window
xdotool windowactivate --sync "$WIN" >/dev/null 2>&1 || true
xdotool keydown Right
wait_recorded down Right 1
xdotool windowactivate --sync "$THIEF_WIN" >/dev/null 2>&1 || true
# Right is still held on the keyboard: only the keyboard's going elsewhere
# lets go of it, however long that takes on a busy machine.
wait_recorded up Right 1
xdotool keyup Right
kill "$THIEF"

note "a flood of key presses"
xdotool windowactivate --sync "$WIN" >/dev/null 2>&1 || true
# shellcheck disable=SC2046 # three thousand separate words
xdotool key --delay 0 $(yes q | head -n 3000)
assert_alive
check_rate

note "closed while paused"
xdotool key p
wait_caption '^PAUSED$'
close_game

note "closed while the death message is up"
start_game "$GAME" --trace "$TRACE"
wait_caption "$RUNNING"
walk_to_spikes
wait_death_box
xdotool keyup Left
wmctrl -i -c "$WIN"
# The close waits for the message's answer: the game is still there a while after.
sleep 0.5
kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended with the message still up"
xdotool windowactivate --sync "$BOX" >/dev/null 2>&1 || true
xdotool key Return
wait_exit
[ "$GAME_STATUS" -eq 0 ] || fail "closed during the death message, the game ended with status $GAME_STATUS"

note "the tick across 2^31 ms"
start_game "$SHIFTED" 2147482147
wait_caption "$RUNNING"
# The game starts 1.5 s before the tick wraps. Past it, the loop still
# pauses and resumes, and the rates it reports are sane.
sleep 1.5
assert_alive
check_rate
close_game
echo PASS
