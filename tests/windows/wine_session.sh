# shellcheck shell=sh
# Sourced by the Windows tests, after tests/e2e/x_session.sh: Wine 8 in a
# throwaway prefix of its own, hard links of the suite's template in
# WINE_TEMPLATE, with one Wine server for every program the test starts,
# stopped on exit. Mono and Gecko are never asked for, and nothing lands in
# the host's menus.
[ -f "$WINE_TEMPLATE/system.reg" ] || fail "no Wine prefix template in $WINE_TEMPLATE (the test windows.wine_prefix makes it)"
export WINEPREFIX="$WORK/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# Wine names files in the host's character set: UTF-8, for the names in any language.
export LC_ALL=C.UTF-8
cp -al "$WINE_TEMPLATE" "$WINEPREFIX"
wineserver --persistent
trap 'wineserver --kill 2>/dev/null || true; cleanup' EXIT

# wait_for SECONDS WHAT COMMAND...: waits until the command succeeds.
wait_for() {
  seconds=$1 what=$2
  shift 2
  end=$(($(date +%s%N) + seconds * 1000000000))
  while [ "$(date +%s%N)" -lt "$end" ]; do
    "$@" && return 0
    sleep 0.05
  done
  fail "$what within $seconds s"
}

# box_titled TITLE: the window id of a top-level window of that title, or nothing.
box_titled() { wmctrl -l | awk -v t="$1" '{ id = $1; $1 = $2 = $3 = ""; sub(/^ +/, ""); if ($0 == t) print id }' | head -1; }

# last_row TRACE: the trace's last complete row.
last_row() { grep -a '"$' "$1" | tail -1; }

# column_of NAME ROW: one column of a trace row, by the header's name.
column_of() {
  echo "$2" | awk -F, -v name="$1" 'BEGIN {
    split("frame,tick,X,Y,XVel,YVel,XVelMax,Jumps,Picstate,Crouched,Visible,Flag1,Flag2,Door,Deaths,MeasureLeft,MeasureTop,Caption", h)
    for (i in h) if (h[i] == name) c = i } { print $c }'
}
