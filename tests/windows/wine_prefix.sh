#!/bin/sh
# Makes the Wine prefix that every Windows test copies (with hard links, at
# once) into a throwaway prefix of its own: made once per run of the suite,
# as making one takes several seconds. Without a display, so that Wine shows
# no window while it sets the prefix up.
# usage: wine_prefix.sh TEMPLATE_DIR
set -eu
TEMPLATE=$1
export WINEPREFIX="$TEMPLATE" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# A server left running in the old one by an earlier run goes first.
if [ -d "$TEMPLATE" ]; then wineserver --kill 2>/dev/null || true; fi
rm -rf "$TEMPLATE"
LOG=$(mktemp)
trap 'rm -f "$LOG"' EXIT
env -u DISPLAY -u WAYLAND_DISPLAY wineboot --init >"$LOG" 2>&1 || true
wineserver --wait
[ -f "$TEMPLATE/system.reg" ] || { echo "FAIL: wineboot made no prefix in $TEMPLATE: $(tail -5 "$LOG")" >&2; exit 1; }
echo "PASS"
