#!/bin/sh
# Every shell script in the tree passes shellcheck with nothing to say, not
# even a note: files named *.sh and files that start with a shell's #! line,
# outside the build directories. Scripts that others source are read with
# the script that sources them.
# usage: shell_scripts_test.sh SOURCE_DIR
set -eu
cd "$1"

LIST=$(mktemp)
trap 'rm -f "$LIST"' EXIT
find . \( -name .git -o -name node_modules -o -name 'build' -o -name 'build-*' \) -prune -o -type f -print |
  sort | while IFS= read -r file; do
    case $file in
      *.sh) echo "$file" ;;
      *) head -c 40 "$file" 2>/dev/null | head -1 | grep -Eq '^#! */(usr/)?bin/(env +)?(ba|da)?sh( |$)' && echo "$file" ;;
    esac
  done >"$LIST" || true

[ -s "$LIST" ] || { echo "no shell scripts found" >&2; exit 1; }
# shellcheck disable=SC2046
if shellcheck --external-sources --source-path=SCRIPTDIR $(cat "$LIST"); then
  echo "PASS ($(wc -l <"$LIST") scripts)"
else
  exit 1
fi
