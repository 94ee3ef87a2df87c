# shellcheck shell=sh
# Sourced by the package tests, which set BUILD, WORK and fail().
# package_file: builds the package with cpack from the build in BUILD into
# $WORK/pkg, and prints the name of its file.
package_file() {
  cpack -G DEB --config "$BUILD/CPackConfig.cmake" -B "$WORK/pkg" >"$WORK/cpack.log" 2>&1 ||
    fail "cpack failed: $(cat "$WORK/cpack.log")"
  set -- "$WORK"/pkg/*.deb
  [ $# -eq 1 ] || fail "cpack made $# packages: $*"
  [ -f "$1" ] || fail "cpack made no package"
  echo "$1"
}
