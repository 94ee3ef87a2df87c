#!/bin/sh
# A game pad, played without one: SDL's virtual pad, driven through a FIFO.
# Plugged in before the game starts, Start pauses and resumes, A jumps, and
# the D-pad with X held walks and runs (the game still holds Right and Ctrl,
# at the running speed limit, when the window closes). Plugged in during play,
# the stick walks, and unplugging the pad with the stick held lets go of
# Right: the player stops near the start, and no key is left held.
# usage: pad_test.sh VIRTUAL_PAD_GAME_BINARY
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

start_game "$GAME" "$WORK/pad"
wait_caption "$RUNNING"

note "Start pauses and resumes"
tap start
wait_caption '^PAUSED$'
tap start
wait_caption "$RUNNING"

note "A jumps"
pad press a
# The jump takes nearly half a second up and down: paused a tenth in, the
# player is in the air.
sleep 0.1
tap start
wait_caption '^PAUSED$'
# In the air: the strip the standing player's feet cover shows the level, and
# the player is above it.
wait_until "the player's feet off the floor" level_shows 20x8+8+150
player_over 20x47+8+64 || fail "no player above the start ($WHY)"
pad release a
tap start
wait_caption "$RUNNING"
wait_until "the player back on the floor at the start" player_over 20x47+8+111

note "the D-pad walks, X runs"
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
