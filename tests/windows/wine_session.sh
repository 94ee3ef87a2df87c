# shellcheck shell=sh
# Sourced by the Windows tests, after tests/e2e/x_session.sh: Wine 8 in a
# throwaway prefix of its own, hard links of the suite's template in
# WINE_TEMPLATE, made beside the template (hard links can't reach another
# file system, and /tmp may be one), with one Wine server for every program
# the test starts, stopped on exit (or half a minute after the last program,
# should the test itself be killed). Mono and Gecko are never asked for, and
# nothing lands in the host's menus. A program that crashes ends, with a
# status that is not 0, instead of waiting for Wine's debugger for good.
[ -f "$WINE_TEMPLATE/system.reg" ] || fail "no Wine prefix template in $WINE_TEMPLATE (the test windows.wine_prefix makes it)"
PREFIXES=$(mktemp -d "$WINE_TEMPLATE-run.XXXXXX")
export WINEPREFIX="$PREFIXES/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe,winedbg.exe=d"
# Wine names files in the host's character set: UTF-8, for the names in any language.
export LC_ALL=C.UTF-8
cp -al "$WINE_TEMPLATE" "$WINEPREFIX"
wineserver --persistent=30
# end_wine: Wine's server ends, and the prefix goes (more_cleanup, unless
# the test adds to it).
end_wine() {
  wineserver --kill 2>/dev/null || true
  rm -rf "$PREFIXES"
}
more_cleanup() { end_wine; }

# A failing test tells how Wine stood too: its server, and every process of
# this prefix (the Wine program's own log is the game's).
more_report() {
  PROCESSES=$(wine_processes)
  state="not running"
  for pid in $PROCESSES; do
    if [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = wineserver64 ]; then state="running (pid $pid)"; fi
  done
  echo "-- Wine's server: $state"
  echo "-- the processes of this Wine prefix:"
  for pid in $PROCESSES; do ps -o pid=,stat=,etime=,time=,args= -p "$pid" | sed 's/^/   | /' || true; done
}
# wine_processes: the ids of the processes whose WINEPREFIX is this test's,
# found by one grep: one a process takes seconds in all on a busy machine,
# where the report must be done within ctest's limit.
wine_processes() {
  grep -lzx "WINEPREFIX=$WINEPREFIX" /proc/[0-9]*/environ 2>/dev/null | cut -d/ -f3 || true
}

# box_titled TITLE: the window id of a top-level window of that title, or nothing.
box_titled() { wmctrl -l | awk -v t="$1" '{ id = $1; $1 = $2 = $3 = ""; sub(/^ +/, ""); if ($0 == t) print id }' | head -1; }

# keyboard_reaches_game: activates the game's window and taps W (which moves
# the hidden measuring figure up a pixel) until the trace shows the figure
# moved: Wine takes the keyboard a moment after the window manager gives it.
keyboard_reaches_game() {
  xdotool windowactivate --sync "$WIN" >/dev/null 2>&1 || true
  before=$(last_row "$TRACE" | cut -d, -f17)
  within "$CEILING" tap_moves_figure || fail "the keyboard does not reach the game"
}
tap_moves_figure() {
  xdotool key w
  sleep 0.1
  [ "$(last_row "$TRACE" | cut -d, -f17)" != "$before" ]
}
