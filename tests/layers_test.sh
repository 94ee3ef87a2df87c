#!/bin/sh
# The game's layers point one way: each folder includes only its own headers
# and those of the layers below it. platform <- core <- geometry <- objects <-
# player <- shell (the game) <- replay (runs) <- app (the programs). A window
# system's own headers are included only in its backend's folder of platform/,
# and the sockets' only in the folder of their TCP connections.
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
    [Ww]insock2.h | [Ww][Ss]2tcpip.h) echo platform/win32 ;;
    sys/socket.h | netinet/*.h | arpa/*.h | netdb.h) echo platform/posix ;;
  esac
}

# Says every include that breaks the rules, one a line.
breaches() {
  for layer in platform core geometry objects player shell replay app; do
    find "$layer" -name '*.h' -o -name '*.cpp' | while IFS= read -r file; do
      sed -n 's/^#include "\([a-z_]*\)\/.*/\1/p' "$file" | sort -u | while IFS= read -r folder; do
        case " $(allowed "$layer") " in
          *" $folder "*) ;;
          *) echo "$file includes a header from $folder/, above or beside $layer/" ;;
        esac
      done
      sed -n 's/^#include <\([^>]*\)>.*/\1/p' "$file" | sort -u | while IFS= read -r header; do
        room=$(room_of "$header")
        case $file in
          "$room"/*) ;;
          *) [ -z "$room" ] || echo "$file includes <$header>, which only $room/ may" ;;
        esac
      done
    done
  done
}

FOUND=$(breaches)
[ -z "$FOUND" ] || { echo "$FOUND" >&2; exit 1; }
echo "PASS"
