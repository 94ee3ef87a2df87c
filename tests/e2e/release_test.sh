#!/bin/sh
# The release is the same bytes whenever and wherever it is built: two clones
# of the same commit, in two directories, each run `make release` (the second
# a little later), and every file of build/release/ must be byte-identical.
# Where one differs, diffoscope (when installed) shows how.
# usage: release_test.sh SOURCE_DIR
set -eu
SOURCE=$1
fail() { echo "FAIL: $*" >&2; exit 1; }
note() { echo "-- $*"; }
git -C "$SOURCE" rev-parse --verify -q HEAD >/dev/null 2>&1 || {
  echo "SKIP: $SOURCE is not a git checkout, and a release is built from a commit"
  exit 0
}
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

for clone in first second-one; do
  git clone -q --no-hardlinks "$SOURCE" "$WORK/$clone"
  note "make release in $WORK/$clone"
  start=$(date +%s)
  # Niced: it builds everything twice, beside other tests that need the
  # processor on time.
  nice -n 19 make -C "$WORK/$clone" release >"$WORK/$clone.log" 2>&1 ||
    fail "make release failed in $WORK/$clone: $(tail -20 "$WORK/$clone.log")"
  note "$(($(date +%s) - start)) s"
done

A=$WORK/first/build/release
B=$WORK/second-one/build/release
(cd "$A" && sha256sum -c --quiet SHA256SUMS) || fail "the first release's files do not match its SHA256SUMS"
[ "$(ls "$A")" = "$(ls "$B")" ] || fail "the two releases hold different files: $(ls "$A") / $(ls "$B")"
status=0
for file in "$A"/*; do
  name=$(basename "$file")
  if cmp -s "$file" "$B/$name"; then
    note "$name: the same, $(wc -c <"$file") bytes"
  else
    echo "FAIL: $name differs between the two builds" >&2
    if command -v diffoscope >/dev/null 2>&1; then diffoscope "$file" "$B/$name" | head -60 >&2 || true; fi
    status=1
  fi
done
[ $status -eq 0 ] && echo PASS
exit $status
