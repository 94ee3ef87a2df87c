#!/bin/sh
# The screenshots for software centres: moments of the routes, drawn by
# plinkard-replay and kept in packaging/screenshots/.
# usage: screenshots.sh REPLAY SOURCE_DIR OUTPUT_DIR   draws them into OUTPUT_DIR
#        screenshots.sh --check REPLAY SOURCE_DIR      fails unless the kept ones are what it draws
set -eu
CHECK=""
if [ "$1" = --check ]; then CHECK=yes; shift; fi
REPLAY=$1
SOURCE=$2
KEPT=$SOURCE/packaging/screenshots
if [ -n "$CHECK" ]; then
  OUT=$(mktemp -d)
  trap 'rm -rf "$OUT"' EXIT
else
  OUT=$3
fi

# High over the fifteen spikes in a running double jump.
"$REPLAY" --frames 515 --png "$OUT/running-jump.png" "$SOURCE/routes/spikes.txt"
# Both flags raised, on the way down to the exit door.
"$REPLAY" --frames 1700 --png "$OUT/both-flags.png" "$SOURCE/routes/complete.txt"

[ -n "$CHECK" ] || exit 0
status=0
for shot in "$OUT"/*.png; do
  cmp -s "$shot" "$KEPT/$(basename "$shot")" || { echo "$(basename "$shot") is out of date (run make screenshots)" >&2; status=1; }
done
names() { find "$1" -type f -printf '%f\n' | sort; }
[ "$(names "$KEPT")" = "$(names "$OUT")" ] || { echo "packaging/screenshots holds $(names "$KEPT" | tr '\n' ' ')" >&2; status=1; }
[ $status -ne 0 ] || echo "the screenshots are current"
exit $status
