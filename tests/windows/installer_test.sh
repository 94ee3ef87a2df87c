#!/bin/sh
# The installer under Wine: /S installs, for every user, into Program
# Files\Plinkard, with a Start menu shortcut and an entry in Add/Remove
# Programs; the installed plinkard.exe opens its window and plays, and the
# installed plinkard-replay.exe replays the installed route to the kept trace;
# the uninstaller's /S removes everything the installer added. Nothing else
# is left: the drive and the registry are as before, but for the
# uninstaller's own copy in the temporary folder, which Windows deletes at
# the next start.
# usage: installer_test.sh WINDOWS_BUILD_DIR SOURCE_DIR VERSION WINE_TEMPLATE
# shellcheck source-path=SCRIPTDIR
# shellcheck source=../e2e/x_session.sh
. "$(dirname "$0")/../e2e/x_session.sh"
WINE_TEMPLATE=$4
# shellcheck source=wine_session.sh
. "$(dirname "$0")/wine_session.sh"
BUILD=$1
SOURCE=$2
VERSION=$3
SETUP=$BUILD/plinkard-$VERSION-setup.exe
[ -f "$SETUP" ] || fail "no installer at $SETUP (make package-windows makes it)"
INSTALLED="$WINEPREFIX/drive_c/Program Files/Plinkard"
SHORTCUT="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Plinkard.lnk"
KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Plinkard'

# snapshot FILE: every file and folder of the drive, and every registry key
# and value that names the game, as the Wine server has them now.
snapshot() {
  (cd "$WINEPREFIX/drive_c" && find . | LC_ALL=C sort) >"$1"
  wine reg export 'HKLM\Software' "$WORK/hklm.reg" /y >/dev/null 2>&1
  wine reg export 'HKCU\Software' "$WORK/hkcu.reg" /y >/dev/null 2>&1
  cat "$WORK/hklm.reg" "$WORK/hkcu.reg" | iconv -f UTF-16LE -t UTF-8 | grep -i plinkard >>"$1" || true
}

snapshot "$WORK/before"

note "silent install"
wine "$SETUP" /S || fail "the installer ended with status $?"
for file in plinkard.exe plinkard-replay.exe README.txt LICENSE.txt uninstall.exe routes/complete.txt; do
  [ -f "$INSTALLED/$file" ] || fail "Program Files\\Plinkard\\$file is not installed"
done
cmp -s "$INSTALLED/plinkard.exe" "$BUILD/plinkard.exe" || fail "the installed plinkard.exe is not the one built"
[ -f "$SHORTCUT" ] || fail "no Start menu shortcut for every user"
wine reg query "$KEY" >"$WORK/entry" 2>&1 || fail "no entry in Add/Remove Programs"
for value in "DisplayName.*Plinkard" "DisplayVersion.*$VERSION" "Publisher" "DisplayIcon.*plinkard.exe" \
  "UninstallString.*uninstall.exe" "QuietUninstallString.*/S" "EstimatedSize.*0x"; do
  grep -q "$value" "$WORK/entry" || fail "Add/Remove Programs lacks $value: $(cat "$WORK/entry")"
done

note "the installed programs run"
start_game wine "$INSTALLED/plinkard.exe"
wait_caption "$RUNNING"
wmctrl -i -c "$WIN"
wait_exit
[ "$GAME_STATUS" -eq 0 ] || fail "the installed game ended with status $GAME_STATUS"
wine "$INSTALLED/plinkard-replay.exe" --trace "$WORK/route.csv" 'C:\Program Files\Plinkard\routes\complete.txt' 2>/dev/null
cmp -s "$WORK/route.csv" "$SOURCE/tests/expected/complete.csv" || fail "the installed replay's trace differs"

note "silent uninstall"
wine 'C:\Program Files\Plinkard\uninstall.exe' /S || fail "the uninstaller ended with status $?"
# It goes on from a copy of itself in the temporary folder.
wait_until "Program Files\\Plinkard gone" sh -c "[ ! -e '$INSTALLED' ]"
[ ! -e "$SHORTCUT" ] || fail "the Start menu shortcut is still there"
if wine reg query "$KEY" >/dev/null 2>&1; then fail "the entry in Add/Remove Programs is still there"; fi
snapshot "$WORK/after"
diff "$WORK/before" "$WORK/after" | grep '^[<>]' | grep -vE '^> \./users/[^/]+/Temp/~nsu[^/]*\.tmp(/Un[^/]*\.exe)?$' \
  >"$WORK/left" || true
[ ! -s "$WORK/left" ] || fail "left behind or changed: $(head -5 "$WORK/left")"
echo PASS
