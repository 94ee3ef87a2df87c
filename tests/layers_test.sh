#!/bin/sh
# The game's layers point one way: each folder includes only its own headers
# and those of the layers below it. platform <- core <- geometry <- objects <-
# player <- shell (the game) <- replay (runs) <- app (the programs). A window
# system's own headers are included only in its backend's folder of platform/.
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

# The folder whose files alone may include a system header, or nothing for
# headers every layer may use.
room_of() {
  case $1 in
    SDL*.h | wayland-*.h) echo platform/sdl ;;
    emscripten.h | emscripten/*) echo platform/web ;;
    [Ww]indows.h | [Ww]indowsx.h | [Xx][Ii]nput.h | [Ss]hellapi.h | [Mm]msystem.h | [Dd]wmapi.h) echo platform/win32 ;;
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
    for header in $(sed -n 's/^#include <\([^>]*\)>.*/\1/p' "$file" | sort -u); do
      room=$(room_of "$header")
      case $file in
        "$room"/*) ;;
        *) [ -z "$room" ] || { echo "$file includes <$header>, which only $room/ may" >&2; status=1; } ;;
      esac
    done
  done
done
[ $status -eq 0 ] && echo "PASS"
exit $status
