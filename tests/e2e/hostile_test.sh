#!/bin/sh
# The real window under rough handling: made tiny and huge, resized while
# playing and while paused, the keyboard taken away with a key held, a flood
# of key presses, closed while paused and while the death message is up, and
# run with its tick across 2^31 milliseconds.
# usage: hostile_test.sh GAME_BINARY SHIFTED_CLOCK_GAME_BINARY
. "$(dirname "$0")/x_session.sh"
GAME=$1
SHIFTED=$2
BANNER=$(dirname "$0")/../../assets/pausedpic.png

# Pausing and resuming shows that the loop is alive and drawing frames.
assert_alive() {
  xdotool windowactivate --sync "$WIN" >/dev/null 2>&1 || true
  xdotool key p
  wait_caption '^PAUSED$' 2
  xdotool key p
  wait_caption "$RUNNING" 3
}

start_game "$GAME"
wait_caption "$RUNNING" 3

note "tiny, then huge"
xdotool windowsize "$WIN" 40 20
sleep 0.5
assert_alive
xdotool windowsize "$WIN" 3000 2000
sleep 0.5
assert_alive
shot "$WORK/huge.png"
[ "$(pixel "$WORK/huge.png" 1500 900)" = "24,24,28" ] || fail "the client area beyond the game is not plain dark"
[ "$(differs_from_level 300x40+700+700)" = "0" ] || fail "the game area is not drawn 1:1 in a huge window"

note "resized while paused"
xdotool key p
wait_caption '^PAUSED$' 2
for size in "300 200" "1100 800" "640 480" "1100 800"; do
  xdotool windowsize "$WIN" $size
  sleep 0.2
done
sleep 0.3
shot "$WORK/paused.png"
convert "$WORK/paused.png" -crop 531x95+247+293 +repage "$WORK/banner.png"
[ "$(compare -metric AE "$WORK/banner.png" "$BANNER" null: 2>&1 || true)" = "0" ] || fail "the banner is gone after resizing"
xdotool key p
wait_caption "$RUNNING" 3
check_rate 90

note "the keyboard taken away while Right is held"
xmessage -geometry +700+700 "focus thief" &
THIEF=$!
sleep 0.5
xdotool windowactivate --sync "$WIN" >/dev/null 2>&1 || true
xdotool keydown Right
sleep 0.15
xdotool search --class Xmessage | head -1 | xargs -I{} xdotool windowactivate --sync {} >/dev/null 2>&1 || true
sleep 0.2
xdotool keyup Right
sleep 1.2
stopped_near_start "with the keyboard elsewhere"
kill "$THIEF"

note "a flood of key presses"
xdotool windowactivate --sync "$WIN" >/dev/null 2>&1 || true
xdotool key --delay 0 $(yes q | head -n 3000)
assert_alive
check_rate 90

note "closed while paused"
xdotool key p
wait_caption '^PAUSED$' 2
wmctrl -i -c "$WIN"
wait_exit 3
[ "$GAME_STATUS" -eq 0 ] || fail "closed while paused, the game ended with status $GAME_STATUS: $(cat "$WORK/game.out")"

note "closed while the death message is up"
start_game "$GAME"
wait_caption "$RUNNING" 3
walk_to_spikes
wait_death_box 5
xdotool keyup Left
[ -n "$BOX" ] || fail "no death message"
wmctrl -i -c "$WIN"
sleep 0.5
kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended with the message still up"
xdotool windowactivate --sync "$BOX" >/dev/null 2>&1 || true
xdotool key Return
wait_exit 3
[ "$GAME_STATUS" -eq 0 ] || fail "closed during the death message, the game ended with status $GAME_STATUS"

note "the tick across 2^31 ms"
start_game "$SHIFTED" 2147482147
wait_caption "$RUNNING" 3
sleep 1.5
check_rate 90
check_rate 90
wmctrl -i -c "$WIN"
wait_exit 3
[ "$GAME_STATUS" -eq 0 ] || fail "the game ended with status $GAME_STATUS"
echo PASS
