#!/bin/sh
# A game pad, played without one: SDL's virtual pad, driven through a FIFO.
# Plugged in before the game starts, Start pauses and resumes, A jumps (as
# the game's trace shows), and the D-pad with X held walks and runs (the
# game still holds Right and Ctrl, at the running speed limit, when the
# window closes). Plugged in during play, the stick walks, and unplugging
# the pad with the stick held lets go of Right: the player stops near the
# start, and no key is left held.
# usage: pad_test.sh VIRTUAL_PAD_GAME_BINARY
# shellcheck disable=SC2016 # the conditions on the trace's rows are awk's
# shellcheck source=x_session.sh
. "$(dirname "$0")/x_session.sh"
GAME=$1

mkfifo "$WORK/pad"
exec 4<>"$WORK/pad"
# pad COMMAND...: one command to the pad. The pad makes each change once the
# game has the one before.
pad() { echo "$*" >&4; }
# tap BUTTON: pressed and released.
tap() { pad press "$1"; pad release "$1"; }

note "Start pauses and resumes; A jumps"
start_game "$GAME" "$WORK/pad" --trace "$TRACE"
wait_caption "$RUNNING"
tap start
wait_caption '^PAUSED$'
tap start
wait_caption "$RUNNING"
# The jump is seen in the game's trace: a picture in the air would have to
# be taken within the jump's half second, which a busy machine can miss.
mark_trace
pad press a
wait_new_row "a jump" '$8 == 1'
pad release a
wait_row "the floor at the start again" '$8 == 0 && $4 == 111 && $3 == 8'
close_game

note "the D-pad walks, X runs"
start_game "$GAME" "$WORK/pad"
wait_caption "$RUNNING"
pad press dpright
pad press x
wait_until "the player walking away from the start" level_shows 20x47+8+111
close_game
note "$(tr '\n' ';' <"$WORK/game.out")"
grep -qx 'held: 17 39' "$WORK/game.out" || fail "the game does not hold Ctrl and Right"
grep -qx 'speed limit: 6.67' "$WORK/game.out" || fail "the player is not at the running speed limit"

note "plugged in during play, the stick walks; unplugged with it held, the player stops"
start_game "$GAME" "$WORK/pad"
wait_caption "$RUNNING"
pad unplug
pad plug
# Pushed for a frame or two (the pad makes each change once the game has the
# one before): held on, it would walk the player to the step's wall.
pad axis leftx 30000
pad unplug
wait_stopped_near_start "after the pad was unplugged"
close_game
note "$(tr '\n' ';' <"$WORK/game.out")"
grep -qx 'held:' "$WORK/game.out" || fail "a key is still held after the pad was unplugged"
if grep -q 'virtual pad' "$WORK/game.out"; then fail "$(grep 'virtual pad' "$WORK/game.out")"; fi
echo PASS
