#!/bin/sh
# Makes the Wine prefix that every Windows test copies (with hard links, at
# once) into a throwaway prefix of its own: made once per run of the suite,
# as making one takes several seconds. Without a display, so that Wine shows
# no window while it sets the prefix up.
# usage: wine_prefix.sh TEMPLATE_DIR
set -eu
TEMPLATE=$1
rm -rf "$TEMPLATE"
export WINEPREFIX="$TEMPLATE" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
env -u DISPLAY -u WAYLAND_DISPLAY wineboot --init >/dev/null 2>&1
wineserver --wait
[ -f "$TEMPLATE/system.reg" ] || { echo "FAIL: wineboot made no prefix in $TEMPLATE" >&2; exit 1; }
echo "PASS"
