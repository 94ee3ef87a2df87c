#!/bin/sh
# The Debian package installed system-wide: it installs, starts from
# /usr/games under X with the window class of its menu entry, closes cleanly
# and is purged again, leaving the machine as it was. As that changes the
# machine, it runs only when asked, as root: with PLINKARD_INSTALL_PACKAGE=yes,
# which `make package-test` and CI set. Otherwise it is skipped, and says so.
# usage: package_install_test.sh BUILD_DIR VERSION
set -eu
BUILD=$1
VERSION=$2

skip() { echo "SKIPPED: $*"; exit 77; }  # ctest shows the test as skipped
[ "${PLINKARD_INSTALL_PACKAGE:-}" = yes ] ||
  skip "installing the package system-wide happens only when asked: make package-test, or PLINKARD_INSTALL_PACKAGE=yes (as CI does)"
if [ "$(id -u)" -ne 0 ]; then
  echo "FAIL: asked to install the package system-wide, but not root" >&2
  exit 1
fi
if dpkg-query -W -f='${Status}' plinkard 2>/dev/null | grep -qv 'not-installed'; then
  skip "plinkard is already installed here, so this test leaves it alone"
fi

# shellcheck source=x_session.sh
. "$(dirname "$0")/x_session.sh"
INSTALLED_BY_US=""
more_cleanup() {
  if [ -n "$INSTALLED_BY_US" ]; then
    if [ -n "$GAME_PID" ]; then kill "$GAME_PID" 2>/dev/null || true; GAME_PID=""; fi
    dpkg --purge plinkard >"$WORK/purge.log" 2>&1 || cat "$WORK/purge.log" >&2
  fi
}

# shellcheck source=package_build.sh
. "$(dirname "$0")/package_build.sh"
note "building the package"
DEB=$(package_file)
ARCH=$(dpkg --print-architecture)
[ "$(basename "$DEB")" = "plinkard_${VERSION}_$ARCH.deb" ] || fail "the package is $(basename "$DEB")"

note "installing"
INSTALLED_BY_US=yes
if ! dpkg -i "$DEB" >"$WORK/dpkg.log" 2>&1; then
  note "dpkg -i: $(tail -3 "$WORK/dpkg.log")"
  DEBIAN_FRONTEND=noninteractive apt-get install -f -y -q --no-install-recommends >"$WORK/apt.log" 2>&1 ||
    fail "apt-get install -f failed: $(tail -5 "$WORK/apt.log")"
fi
[ "$(dpkg-query -W -f='${Status}' plinkard)" = "install ok installed" ] ||
  fail "plinkard is not installed: $(dpkg-query -W -f='${Status}' plinkard)"

note "starting /usr/games/plinkard"
start_game /usr/games/plinkard
wait_caption "$RUNNING"
note "caption: $(caption)"
# Desktops tie the window to its menu entry (and so to the icon) by its class.
CLASS=$(sed -n 's/^StartupWMClass=//p' /usr/share/applications/plinkard.desktop)
xprop -id "$WIN" WM_CLASS | grep -q "\"$CLASS\"" ||
  fail "the window's class ($(xprop -id "$WIN" WM_CLASS)) is not the entry's StartupWMClass \"$CLASS\""
wmctrl -i -c "$WIN"
wait_exit
[ "$GAME_STATUS" -eq 0 ] || fail "the installed game ended with status $GAME_STATUS: $(cat "$WORK/game.out")"

note "removing"
dpkg --purge plinkard >"$WORK/purge.log" 2>&1 || fail "dpkg --purge failed: $(cat "$WORK/purge.log")"
INSTALLED_BY_US=""
for path in /usr/games/plinkard /usr/share/applications/plinkard.desktop; do
  [ ! -e "$path" ] || fail "$path is left behind after removal"
done
echo "PASS (installed, started from /usr/games, closed with status 0, purged)"
