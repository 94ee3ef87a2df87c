#!/bin/sh
# A packager's build, as the README's "Building it another way" gives it: from
# a clean directory, with CMake's default generator and the system's compiler
# (GCC), `cmake -S . -B out -DCMAKE_BUILD_TYPE=Release && cmake --build out`
# builds every program and test and `ctest -L "unit|route"` passes; each
# program answers --help and --version; an install to a user's ~/.local puts
# the programs in bin, on the PATH; and the installed replay tool plays a route
# to exactly the trace and picture the tests expect.
#
# Then other plain builds, each configured, built and tested the same way with
# nothing chosen but its generator (the default or Ninja), its build type
# (Release, Debug, RelWithDebInfo, MinSizeRel) and its compiler (GCC or Clang),
# and no warning made an error, as in a packager's build. These 15 take turns,
# one a run, by the number of commits; PLINKARD_BUILD_MATRIX=all builds them
# all (an hour or more), =none none of them, and ="Ninja Debug clang" or a
# list such as "Ninja Debug clang; default MinSizeRel gcc" those named.
# usage: build_test.sh SOURCE_DIR VERSION
set -eu
SOURCE=$1
VERSION=$2
fail() { echo "FAIL: $*" >&2; exit 1; }
note() { echo "-- $*"; }
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

# Nothing from the environment chooses for the builds: not CMake's variables
# (CMAKE_GENERATOR and the like), nor the compiler (CC, CXX) but where asked.
unset CMAKE_GENERATOR CMAKE_BUILD_TYPE CMAKE_COMPILE_WARNING_AS_ERROR CC CXX

# plain_build GENERATOR TYPE COMPILER: configures, builds and tests one plain
# build in $OUT (GENERATOR "default" or Ninja, COMPILER gcc or clang, the
# latter given as CC=clang CXX=clang++); on a failure says which step failed,
# with the end of its log, and returns 1.
plain_build() {
  OUT=$WORK/out-$1-$2-$3
  log=$OUT.log
  generator=$1
  compiler=$3
  set -- -DCMAKE_BUILD_TYPE="$2"
  [ "$generator" = default ] || set -- "$@" -G "$generator"
  [ "$compiler" = gcc ] && id=GNU || id=Clang
  step=configuring
  (cd "$WORK" && if [ "$compiler" = clang ]; then export CC=clang CXX=clang++; fi &&
    cmake -S "$SOURCE" -B "$OUT" "$@") >"$log" 2>&1 &&
    step="checking the compiler" &&
    grep -qx "set(CMAKE_CXX_COMPILER_ID \"$id\")" "$OUT"/CMakeFiles/*/CMakeCXXCompiler.cmake &&
    step=building && nice cmake --build "$OUT" --parallel 2 >>"$log" 2>&1 &&
    step='ctest -L "unit|route"' && ctest --test-dir "$OUT" -L "unit|route" --parallel 2 >>"$log" 2>&1 && return 0
  echo "$step failed: $(tail -20 "$log")" >&2
  return 1
}

# timed GENERATOR TYPE COMPILER: plain_build, and a line saying how it ended.
timed() {
  start=$(date +%s)
  status=passed
  plain_build "$@" || status=FAILED
  note "$*: $status in $(($(date +%s) - start)) s ($(grep -c warning: "$OUT.log") warnings)"
  [ $status = passed ]
}

# The other plain builds, in the order they take turns.
others=$(for compiler in gcc clang; do
  for generator in default Ninja; do
    for type in Release Debug RelWithDebInfo MinSizeRel; do
      [ "$generator $type $compiler" = "default Release gcc" ] || echo "$generator $type $compiler"
    done
  done
done)
case ${PLINKARD_BUILD_MATRIX:-turn} in
  all) chosen=$others ;;
  none) chosen="" ;;
  turn)
    commits=$(git -C "$SOURCE" rev-list --count HEAD 2>/dev/null || echo 0)
    chosen=$(echo "$others" | sed -n "$((commits % $(echo "$others" | wc -l) + 1))p") ;;
  *)
    chosen=$(echo "$PLINKARD_BUILD_MATRIX" | tr ';' '\n' | sed 's/^ *//; s/ *$//')
    echo "$chosen" | while read -r combination; do
      echo "$others" | grep -qx "$combination" ||
        fail "PLINKARD_BUILD_MATRIX is all, turn (the default), none, or plain builds such as \"Ninja Debug clang\"" \
          "(generator default or Ninja; Release, Debug, RelWithDebInfo or MinSizeRel; gcc or clang), not \"$combination\""
    done ;;
esac

note "the first build: the default generator, Release, GCC"
timed default Release gcc || fail "the first build"
[ -f "$OUT/Makefile" ] || fail "the default generator wrote no Makefile"

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
rm -rf "$OUT"

# The others chosen, each in turn; every one is tried, and those that failed named.
failed=""
while read -r generator type compiler; do
  [ -n "$generator" ] || continue
  note "a plain build: $generator generator, $type, $compiler"
  timed "$generator" "$type" "$compiler" </dev/null || failed="$failed; $generator $type $compiler"
  rm -rf "$OUT"
done <<EOF
$chosen
EOF
[ -z "$failed" ] || fail "plain builds that failed:${failed#;}"
echo "PASS (the first build with its unit tests and routes, installed for one user, plays a route byte for" \
  "byte; and $(echo "$chosen" | grep -c .) other plain builds)"
