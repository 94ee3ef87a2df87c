#!/bin/sh
# The same numbers from another compiler: plinkard-replay built by Clang
# (Debian 12's clang 14, at -O3, every warning an error) against GCC's, with
# the web tests' comparison (tests/web/replay_test.mjs): every route, mistakes,
# and 200 seeded random scripts give the same traces, pictures, messages and
# exit statuses. Only the replay tool and what it needs are built, in BUILD_DIR,
# where the next run finds them.
# usage: clang_replay_test.sh SOURCE_DIR BUILD_DIR GCC_REPLAY
set -eu
SOURCE=$1
OUT=$2
GCC_REPLAY=$3
fail() { echo "FAIL: $*" >&2; exit 1; }
note() { echo "-- $*"; }

note "plinkard-replay built by Clang in $OUT"
mkdir -p "$OUT"
CC=clang CXX=clang++ cmake -S "$SOURCE" -B "$OUT" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
  -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >"$OUT/test-build.log" 2>&1 ||
  fail "configuring failed: $(tail -20 "$OUT/test-build.log")"
grep -qx 'set(CMAKE_CXX_COMPILER_ID "Clang")' "$OUT"/CMakeFiles/*/CMakeCXXCompiler.cmake ||
  fail "$OUT is not built by Clang"
nice cmake --build "$OUT" --target plinkard-replay >>"$OUT/test-build.log" 2>&1 ||
  fail "the build failed: $(tail -20 "$OUT/test-build.log")"

note "against GCC's $GCC_REPLAY"
exec node "$SOURCE/tests/web/replay_test.mjs" "$OUT/plinkard-replay" "$GCC_REPLAY" "$SOURCE"
