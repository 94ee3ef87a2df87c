#!/bin/sh
# The game on a Wayland compositor: weston, drawing its output into a window
# of a private X server, with SDL's Wayland driver. The level appears on the
# compositor's output 1:1 below the window's title bar, the caption reports
# the frame rate, keys move the player, and the title bar's close button ends
# the game with status 0. With "renderer", the game draws through SDL's
# renderer (SDL_RENDER_DRIVER) instead of its own shared-memory buffers, and
# the rate is not checked: software OpenGL here costs far more than a GPU would.
# usage: wayland_test.sh GAME_BINARY REPLAY_BINARY [MIN_RATE | renderer]
XVFB_SCREEN=1600x1200
. "$(dirname "$0")/x_session.sh"
GAME=$1
REPLAY=$2
MODE=${3:-90}
# On Wayland, SDL and the libraries that draw the title bar (libdecor's cairo
# plugin, pango, fontconfig) leave memory behind at exit, some of it from a
# plugin already unloaded, which LeakSanitizer cannot tell from the game's:
# the other window tests check the game's memory.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"

idle_picture "$REPLAY"

start_weston 1280 1024
[ "$MODE" = renderer ] && export SDL_RENDER_DRIVER=opengl
start_wayland_game "$GAME"
wait_caption "$RUNNING" 5

note "the level on the compositor's output"
# weston draws the pointer into its output: out of the picture's way.
xdotool mousemove --window "$WIN" 1270 1015
sleep 0.5
set -- $(wayland_view)
VX=$1 VY=$2
note "the window's content at ($VX, $VY) of the output"
shot "$WORK/output.png"
convert "$WORK/output.png" -crop "1024x742+$VX+$VY" +repage "$WORK/picture.png"
DIFF=$(compare -metric AE "$WORK/picture.png" "$WORK/idle.png" null: 2>&1 || true)
[ "$DIFF" = "0" ] || fail "the picture on the output differs from the game's in $DIFF pixels"

if [ "$MODE" != renderer ]; then
  note "frame rate"
  check_rate "$MODE"
fi

note "keys move the player"
xdotool keydown Right
sleep 0.5
xdotool keyup Right
sleep 0.5
# Walked away from the start: the level shows plain there.
[ "$(differs_from_level 20x47+8+111 "$VX" "$VY")" = "0" ] || fail "the player is still at the start"

note "paused: the picture drawn from its changes matches it drawn whole, fullscreen"
xdotool key p
wait_caption '^PAUSED$' 2
sleep 0.3
shot "$WORK/output.png"
convert "$WORK/output.png" -crop "1024x742+$VX+$VY" +repage "$WORK/changed.png"
xdotool key F11
sleep 1
set -- $(wayland_view)
# The 1280 × 1024 output fits the picture once: centred at (128, 141).
note "fullscreen: the window's content at ($1, $2) of the output"
shot "$WORK/output.png"
convert "$WORK/output.png" -crop "1024x742+$(($1 + 128))+$(($2 + 141))" +repage "$WORK/whole.png"
DIFF=$(compare -metric AE "$WORK/changed.png" "$WORK/whole.png" null: 2>&1 || true)
[ "$DIFF" = "0" ] || fail "drawn from its changes, the picture differs from it drawn whole in $DIFF pixels"
xdotool key F11
sleep 1

note "the close button"
[ "$(wayland_view)" = "$VX $VY" ] || fail "the window is not back in its place after fullscreen: $(wayland_view)"
# libdecor's title bar above the content: its rightmost button closes.
xdotool mousemove --window "$WIN" 1263 $((VY - 12)) click 1
wait_exit 3
[ "$GAME_STATUS" -eq 0 ] || fail "the game ended with status $GAME_STATUS"
# A protocol error also ends the game, with SDL's close request.
! grep -i error "$WORK/game.out" || fail "the compositor found fault with the game"

note "the compositor gone while the game is paused: the game ends"
start_wayland_game "$GAME"
wait_caption "$RUNNING" 5
xdotool key p
wait_caption '^PAUSED$' 2
kill "$WESTON_PID"
WESTON_PID=""
wait_exit 2
[ "$GAME_STATUS" -eq 0 ] || fail "the game ended with status $GAME_STATUS"
echo PASS
