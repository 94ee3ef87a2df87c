#!/bin/sh
# Builds the script reader's fuzz target with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs it for a bounded time, starting from the
# routes, the recordings kept in tests/runs and a few bad scripts. Exits
# non-zero on any finding; the input that caused it is left in WORK_DIR as
# crash-*, leak-*, timeout-* or oom-*. The build's generated version header
# names the game in the recordings' first lines.
#
# usage: fuzz/run.sh SOURCE_DIR BUILD_DIR WORK_DIR [SECONDS]
set -eu

src=$1
build=$2
work=$3
seconds=${4:-45}
clangxx=${CLANGXX:-clang++}

if ! command -v "$clangxx" >/dev/null 2>&1; then
  echo "fuzz/run.sh: $clangxx not found (scripts/install-deps.sh installs clang and libclang-rt-14-dev)" >&2
  exit 1
fi

mkdir -p "$work"
"$clangxx" -std=c++20 -O1 -g -fno-omit-frame-pointer \
  -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I"$src" -I"$build" "$src/fuzz/script_fuzz.cpp" "$src/replay/script.cpp" "$src/replay/recording.cpp" \
  "$src/replay/link.cpp" "$src/replay/deflate.cpp" "$src/platform/key_names.cpp" "$src/platform/files.cpp" -lz \
  -o "$work/script_fuzz"

# A fresh corpus each run: what the last run found stays out of the source tree.
rm -rf "$work/corpus"
mkdir -p "$work/corpus"
cp "$src"/routes/*.txt "$src"/fuzz/seeds/* "$work/corpus/"
for run in "$src"/tests/runs/*.txt; do cp "$run" "$work/corpus/run-$(basename "$run")"; done

exec nice "$work/script_fuzz" -max_total_time="$seconds" -max_len=65536 -timeout=5 -rss_limit_mb=2048 \
  -print_final_stats=1 -artifact_prefix="$work/" "$work/corpus"
