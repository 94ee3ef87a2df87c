#!/bin/sh
# The game's link to LiveSplit on Windows: livesplit_client.exe, the link
# built with Winsock, under Wine, talks to the Linux build's stand-in for
# LiveSplit's server on 127.0.0.1. Each call sends its command, exactly; a
# server that closes the connection mid-way is said once, and the calls
# after it go on to the end; a port nobody listens on is one line and
# status 1. Wine needs no display for a console program: none is given,
# though the test has the Windows tests' session, for its waits and for what
# it tells when it fails.
# usage: livesplit_test.sh WINDOWS_BUILD_DIR LINUX_BUILD_DIR WINE_TEMPLATE
# shellcheck source-path=SCRIPTDIR
# shellcheck source=../e2e/x_session.sh
. "$(dirname "$0")/../e2e/x_session.sh"
WINE_TEMPLATE=$3
# shellcheck source=wine_session.sh
. "$(dirname "$0")/wine_session.sh"
unset DISPLAY WAYLAND_DISPLAY
SERVER_PID=""
more_cleanup() {
  if [ -n "$SERVER_PID" ]; then kill "$SERVER_PID" 2>/dev/null || true; fi
  end_wine
}
CLIENT=$1/tests/windows/livesplit_client.exe
SERVER=$2/livesplit-test-server
[ -x "$SERVER" ] || fail "no livesplit-test-server at $SERVER (make build makes it)"

# start_server [OPTION...]: the stand-in, writing what it gets to
# $WORK/got; sets SERVER_PID and PORT.
start_server() {
  "$SERVER" "$@" >"$WORK/got" &
  SERVER_PID=$!
  wait_until "the server's port" test -s "$WORK/got"
  PORT=$(head -n 1 "$WORK/got")
}

# received: what the server got, once it has ended (in this shell, not a
# subshell, which can't wait for it).
received() {
  wait "$SERVER_PID" || fail "the server ended with status $?"
  SERVER_PID=""
  tail -n +2 "$WORK/got"
}

note "each call's command, exactly"
start_server
printf 'start\nsplit 1740\nskip\npause\nresume\nsplit 360000\n' | wine "$CLIENT" "$PORT" 2>"$WORK/client.err" ||
  fail "livesplit_client.exe ended with status $?: $(cat "$WORK/client.err")"
received >"$WORK/received"
printf 'starttimer\r\nsetgametime 0:00:17.40\r\nsplit\r\nskipsplit\r\npause\r\nresume\r\nsetgametime 1:00:00.00\r\nsplit\r\n' \
  >"$WORK/expected"
cmp -s "$WORK/received" "$WORK/expected" || fail "the server got: $(od -c "$WORK/received" | head -5)"
[ ! -s "$WORK/client.err" ] || fail "the client said: $(cat "$WORK/client.err")"

note "a server gone mid-way: said once, and the calls go on"
start_server --close-after 1
mkfifo "$WORK/calls"
wine "$CLIENT" "127.0.0.1:$PORT" <"$WORK/calls" 2>"$WORK/client.err" &
CLIENT_PID=$!
exec 3>"$WORK/calls"
echo start >&3
received >"$WORK/received"
printf 'starttimer\r\n' | cmp -s "$WORK/received" - || fail "the server got: $(od -c "$WORK/received" | head -5)"
i=0
while [ "$i" -lt 50 ]; do
  printf 'pause\nresume\nsplit %d\n' "$((4000 + i))" >&3
  i=$((i + 1))
done
exec 3>&-
wait "$CLIENT_PID" || fail "livesplit_client.exe ended with status $?: $(cat "$WORK/client.err")"
# The program's text output has Windows' line ends.
tr -d '\r' <"$WORK/client.err" >"$WORK/said"
if [ "$(wc -l <"$WORK/said")" -ne 1 ] ||
  ! grep -Eqx "plinkard: LiveSplit at 127\.0\.0\.1:$PORT: (closed|reset) by the server; the game plays on without it" \
    "$WORK/said"; then
  fail "the client said: $(cat "$WORK/said")"
fi

note "a port nobody listens on"
# The stand-in, waiting for nobody, gives its port back at once.
"$SERVER" --wait 0 >"$WORK/port" 2>/dev/null || true
PORT=$(head -n 1 "$WORK/port")
STATUS=0
wine "$CLIENT" "$PORT" </dev/null 2>"$WORK/client.err" || STATUS=$?
[ "$STATUS" -eq 1 ] || fail "livesplit_client.exe ended with status $STATUS: $(cat "$WORK/client.err")"
[ "$(tr -d '\r' <"$WORK/client.err")" = "plinkard: LiveSplit at 127.0.0.1:$PORT: connection refused" ] ||
  fail "the client said: $(cat "$WORK/client.err")"
echo "PASS"
