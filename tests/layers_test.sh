#!/bin/sh
# The game's layers point one way: each folder includes only its own headers
# and those of the layers below it. platform <- core <- geometry <- objects <-
# player <- shell (the game) <- the programs (app, replay).
# usage: layers_test.sh SOURCE_DIR
set -eu
cd "$1"

allowed() {
  case $1 in
    platform) echo "platform" ;;
    core) echo "core platform" ;;
    geometry) echo "geometry core platform" ;;
    objects) echo "objects core platform" ;;
    player) echo "player objects geometry core platform" ;;
    shell) echo "shell player objects geometry core platform" ;;
    replay) echo "replay shell player objects geometry core platform generated" ;;
    app) echo "app replay shell player objects geometry core platform generated" ;;
  esac
}

status=0
for layer in platform core geometry objects player shell replay app; do
  for file in $(find "$layer" -name '*.h' -o -name '*.cpp'); do
    for folder in $(sed -n 's/^#include "\([a-z_]*\)\/.*/\1/p' "$file" | sort -u); do
      case " $(allowed "$layer") " in
        *" $folder "*) ;;
        *) echo "$file includes a header from $folder/, above or beside $layer/" >&2; status=1 ;;
      esac
    done
  done
done
[ $status -eq 0 ] && echo "PASS"
exit $status
