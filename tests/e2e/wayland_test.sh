#!/bin/sh
# The game on a Wayland compositor: weston, drawing its output into a window
# of a private X server, with SDL's Wayland driver. The level appears on the
# compositor's output 1:1 below the window's title bar, the caption reports
# a frame rate, keys move the player, and the title bar's close button ends
# the game with status 0. With "renderer", the game draws through SDL's
# renderer (SDL_RENDER_DRIVER) instead of its own shared-memory buffers, and
# the rate is not checked: software OpenGL here costs far more than a GPU would.
# usage: wayland_test.sh GAME_BINARY REPLAY_BINARY [renderer]
# shellcheck disable=SC2034 # x_session.sh reads it
XVFB_SCREEN=1600x1200
# shellcheck source=x_session.sh
. "$(dirname "$0")/x_session.sh"
GAME=$1
REPLAY=$2
MODE=${3:-buffers}
# On Wayland, SDL and the libraries that draw the title bar (libdecor's cairo
# plugin, pango, fontconfig) leave memory behind at exit, some of it from a
# plugin already unloaded, which LeakSanitizer cannot tell from the game's:
# the other window tests check the game's memory.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"

idle_picture "$REPLAY"

# output_shows GEOMETRY PICTURE: in a fresh screenshot of weston's output, that
# part is the picture.
output_shows() {
  shot "$WORK/output.png"
  crop_matches "$WORK/output.png" "$@"
}
# placed: the game window's content has a place on the output, VX VY.
placed() {
  VIEW=$(wayland_view)
  VX=${VIEW% *} VY=${VIEW#* }
  [ -n "$VIEW" ]
}

start_weston 1280 1024
[ "$MODE" = renderer ] && export SDL_RENDER_DRIVER=opengl
start_wayland_game "$GAME"
wait_caption "$RUNNING"

note "the level on the compositor's output"
# weston draws the pointer into its output: out of the picture's way.
wait_until "weston's pointer in the corner" wayland_pointer_at 1270 1015
wait_until "the game window's place on the output" placed
note "the window's content at ($VX, $VY) of the output"
wait_until "the game's picture on the output" output_shows "1024x742+$VX+$VY" "$WORK/idle.png"

if [ "$MODE" != renderer ]; then
  note "frame rate"
  check_rate
fi

note "keys move the player"
xdotool keydown Right
sleep 0.5
xdotool keyup Right
# Walked away from the start: the level shows plain there.
wait_until "the player away from the start" level_shows 20x47+8+111 "$VX" "$VY"

note "paused: the picture drawn from its changes matches it drawn whole, fullscreen"
xdotool key p
wait_caption '^PAUSED$'
BANNER=$(dirname "$0")/../../assets/pausedpic.png
wait_until "the pause banner" output_shows "531x95+$((VX + 247))+$((VY + 293))" "$BANNER"
convert "$WORK/output.png" -crop "1024x742+$VX+$VY" +repage "$WORK/changed.png"
xdotool key F11
# The 1280 x 1024 output fits the picture once: centred at (128, 141) of the
# fullscreen window's content.
WINDOW_VIEW="$VX $VY"
fullscreen_placed() {
  placed && [ "$VIEW" != "$WINDOW_VIEW" ]
}
wait_until "the game fullscreen" fullscreen_placed
note "fullscreen: the window's content at ($VX, $VY) of the output"
wait_until "fullscreen, the paused picture drawn whole as the window drew it from its changes" \
  output_shows "1024x742+$((VX + 128))+$((VY + 141))" "$WORK/changed.png"
xdotool key F11
back_in_place() {
  placed && [ "$VIEW" = "$WINDOW_VIEW" ]
}
wait_until "the window back in its place after fullscreen" back_in_place

note "the close button"
# libdecor's title bar above the content: its rightmost button closes. It
# takes a click only once the pointer has moved onto it.
wait_until "weston's pointer near the close button" wayland_pointer_at 1250 $((VY - 12))
wait_until "weston's pointer on the close button" wayland_pointer_at 1263 $((VY - 12))
xdotool click 1
wait_exit
[ "$GAME_STATUS" -eq 0 ] || fail "the game ended with status $GAME_STATUS"
# A protocol error also ends the game, with SDL's close request.
if grep -i error "$WORK/game.out"; then fail "the compositor found fault with the game"; fi

note "the compositor gone while the game is paused: the game ends"
start_wayland_game "$GAME"
wait_caption "$RUNNING"
xdotool key p
wait_caption '^PAUSED$'
kill "$WESTON_PID"
WESTON_PID=""
wait_exit
[ "$GAME_STATUS" -eq 0 ] || fail "the game ended with status $GAME_STATUS"
echo PASS
