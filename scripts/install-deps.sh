#!/bin/sh
# Installs the Debian packages that building, checking and testing Plinkard
# need, as far as asked:
#   build  the programs and the unit tests (make build, make run, make package)
#   check  and what `make check` runs besides: shellcheck, the fonts the
#          picture generator draws with
#   test   and everything the whole suite, `make bench`, `make release` and
#          `make arm64` use (the default); among them SDL 2 for 64-bit ARM,
#          from Debian's packages of that architecture, which it first adds
#          to dpkg's
# Does nothing when they are all present. Otherwise it installs them as root
# or through sudo, or, without either, says which are missing and how to
# install them, and fails.
# usage: install-deps.sh [build | check | test]
set -eu

TIER=${1:-test}

BUILD="
  cmake ninja-build g++ make pkg-config
  file dpkg-dev
  libsdl2-dev libwayland-dev libstb-dev
  libgtest-dev libgmock-dev zlib1g-dev
"
CHECK="
  shellcheck fonts-dejavu-core
"
TEST="
  desktop-file-utils lintian appstream libxml2-utils
  libbenchmark-dev
  xfonts-base
  xvfb xauth xdotool x11-utils imagemagick openbox wmctrl procps
  weston libdecor-0-plugin-1-cairo
  clang libclang-rt-14-dev
  emscripten chromium
  g++-mingw-w64-x86-64-posix wine wine64 nsis zip
  g++-aarch64-linux-gnu qemu-user libsdl2-dev:arm64 libwayland-dev:arm64
  diffoscope-minimal
"

case $TIER in
  build) PACKAGES=$BUILD ;;
  check) PACKAGES="$BUILD $CHECK" ;;
  test) PACKAGES="$BUILD $CHECK $TEST"
    # npm (for the browser tests) comes with Node.js where Node.js came from
    # elsewhere, as from NodeSource; on a plain Debian machine it is Debian's own.
    command -v npm >/dev/null 2>&1 || PACKAGES="$PACKAGES nodejs npm" ;;
  *) echo "usage: install-deps.sh [build | check | test]" >&2; exit 2 ;;
esac

missing=""
for p in $PACKAGES; do
  if ! dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q '^install ok installed$'; then
    missing="$missing $p"
  fi
done

[ -z "$missing" ] && exit 0

echo "Plinkard needs these Debian packages to $TIER:$missing"
# Packages of another architecture (name:arch) come from dpkg's list of
# foreign architectures, which apt reads at its next update.
new_archs=""
add_archs=""
for arch in $(echo "$missing" | tr ' ' '\n' | sed -n 's/.*:\(.*\)/\1/p' | sort -u); do
  if ! dpkg --print-foreign-architectures | grep -qx "$arch"; then
    new_archs="$new_archs $arch"
    add_archs="${add_archs}sudo dpkg --add-architecture $arch && "
  fi
done
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
    SUDO=sudo
  else
    echo "Not running as root. Install them with:" >&2
    echo "  ${add_archs}sudo apt-get update && sudo apt-get install -y$missing" >&2
    exit 1
  fi
else
  SUDO=
fi

export DEBIAN_FRONTEND=noninteractive
for arch in $new_archs; do $SUDO dpkg --add-architecture "$arch"; done
$SUDO apt-get update -q
# shellcheck disable=SC2086
$SUDO apt-get install -y -q --no-install-recommends $missing
