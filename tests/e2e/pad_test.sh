#!/bin/sh
# A game pad, played without one: SDL's virtual pad, driven through a FIFO.
# Plugged in before the game starts, Start pauses and resumes, A jumps, and
# the D-pad with X held walks and runs (the game still holds Right and Ctrl,
# at the running speed limit, when the window closes). Plugged in during play,
# the stick walks, and unplugging the pad with the stick held lets go of
# Right: the player stops near the start, and no key is left held.
# usage: pad_test.sh VIRTUAL_PAD_GAME_BINARY
. "$(dirname "$0")/x_session.sh"
GAME=$1

mkfifo "$WORK/pad"
exec 4<>"$WORK/pad"
# pad COMMAND...: one command to the pad; SDL reads the pad when it pumps
# events, so the next command waits a little for it to be seen.
pad() { echo "$*" >&4; sleep 0.1; }
# tap BUTTON: pressed and released.
tap() { pad press "$1"; pad release "$1"; }

start_game "$GAME" "$WORK/pad"
wait_caption "$RUNNING" 3

note "Start pauses and resumes"
tap start
wait_caption '^PAUSED$' 2
tap start
wait_caption "$RUNNING" 3

note "A jumps"
pad press a
sleep 0.1
tap start
wait_caption '^PAUSED$' 2
# In the air: the strip the standing player's feet cover shows the level, and
# the player is above it.
[ "$(differs_from_level 20x8+8+150)" = "0" ] || fail "the player's feet are still on the floor"
[ "$(differs_from_level 20x47+8+64)" -gt 100 ] || fail "no player above the start"
pad release a
tap start
wait_caption "$RUNNING" 3
sleep 1

note "the D-pad walks, X runs"
pad press dpright
pad press x
sleep 0.5
[ "$(differs_from_level 20x47+8+111)" = "0" ] || fail "the player did not walk away from the start"
wmctrl -i -c "$WIN"
wait_exit 3
[ "$GAME_STATUS" -eq 0 ] || fail "the game ended with status $GAME_STATUS"
note "$(tr '\n' ';' <"$WORK/game.out")"
grep -qx 'held: 17 39' "$WORK/game.out" || fail "the game does not hold Ctrl and Right"
grep -qx 'speed limit: 6.67' "$WORK/game.out" || fail "the player is not at the running speed limit"

note "plugged in during play, the stick walks; unplugged with it held, the player stops"
start_game "$GAME" "$WORK/pad"
wait_caption "$RUNNING" 3
pad unplug
sleep 0.5
pad plug
sleep 0.3
pad axis leftx 30000
sleep 0.05
pad unplug
sleep 1.2
stopped_near_start "after the pad was unplugged"
wmctrl -i -c "$WIN"
wait_exit 3
[ "$GAME_STATUS" -eq 0 ] || fail "the game ended with status $GAME_STATUS"
note "$(tr '\n' ';' <"$WORK/game.out")"
grep -qx 'held:' "$WORK/game.out" || fail "a key is still held after the pad was unplugged"
echo PASS
