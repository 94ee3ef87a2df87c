#!/bin/sh
# A packager's build: from a clean directory, with CMake's default generator
# and no build type, `cmake -S . -B out && cmake --build out` builds every
# program; each answers --help and --version; an install to a user's ~/.local
# puts the programs in bin, on the PATH; and the installed replay tool plays a
# route to exactly the trace and picture the tests expect.
# usage: build_test.sh SOURCE_DIR VERSION
set -eu
SOURCE=$1
VERSION=$2
fail() { echo "FAIL: $*" >&2; exit 1; }
note() { echo "-- $*"; }
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
OUT=$WORK/out

note "configuring with the default generator"
# Tests are left out to keep this cheap: the suite runs in the usual build.
(cd "$WORK" && env -u CMAKE_GENERATOR -u CMAKE_BUILD_TYPE cmake -S "$SOURCE" -B out -DBUILD_TESTING=OFF) \
  >"$WORK/configure.log" 2>&1 || fail "configuring failed: $(tail -20 "$WORK/configure.log")"
[ -f "$OUT/Makefile" ] || fail "the default generator wrote no Makefile"
note "building"
nice cmake --build "$OUT" --parallel 2 >"$WORK/build.log" 2>&1 || fail "the build failed: $(tail -20 "$WORK/build.log")"

note "--help and --version"
for program in plinkard plinkard-replay plinkard-embed plinkard-pictures plinkard-icon; do
  "$OUT/$program" --help >"$WORK/help" 2>&1 || fail "$program --help ended with status $?"
  head -1 "$WORK/help" | grep -q "^usage: $program " || fail "$program --help: $(head -1 "$WORK/help")"
  [ "$("$OUT/$program" --version)" = "$program $VERSION" ] ||
    fail "$program --version says \"$("$OUT/$program" --version)\", the project is $VERSION"
done

note "installing for one user"
HOME_DIR=$WORK/home
cmake --install "$OUT" --prefix "$HOME_DIR/.local" >"$WORK/install.log" 2>&1 ||
  fail "cmake --install failed: $(tail -20 "$WORK/install.log")"
for path in bin/plinkard bin/plinkard-replay share/applications/plinkard.desktop \
            share/icons/hicolor/48x48/apps/plinkard.png share/metainfo/io.github.plinkard.Plinkard.metainfo.xml \
            share/man/man6/plinkard.6.gz share/doc/plinkard/copyright; do
  [ -f "$HOME_DIR/.local/$path" ] || fail "$path is not installed in ~/.local"
done
[ ! -e "$HOME_DIR/.local/games" ] || fail "the install made ~/.local/games, which is not on the PATH"

note "the installed replay tool plays a route"
PATH=$HOME_DIR/.local/bin:$PATH plinkard-replay --trace "$WORK/walk.csv" --png "$WORK/walk.png" "$SOURCE/routes/walk.txt" ||
  fail "plinkard-replay failed"
cmp -s "$WORK/walk.csv" "$SOURCE/tests/expected/walk.csv" || fail "the trace of routes/walk.txt differs from tests/expected/"
cmp -s "$WORK/walk.png" "$SOURCE/tests/expected/walk.png" || fail "the last frame of routes/walk.txt differs from tests/expected/"
echo "PASS (default generator, no build type; installed to ~/.local/bin; the route plays byte for byte)"
