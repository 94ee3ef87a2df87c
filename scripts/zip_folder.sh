#!/bin/sh
# Zips a folder so that the same files always make the same bytes: the folder
# PARENT/NAME goes into ZIP as NAME/, its files in sorted order, each one
# dated at SOURCE_DATE_EPOCH (when unset, the time of the last commit, or in
# a tree without git the time of its CMakeLists.txt), with
# plain permissions, and without the owners and extra time stamps zip
# otherwise records.
# usage: zip_folder.sh PARENT NAME ZIP
set -eu
parent=$1
name=$2
zip=$3
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  top=$(dirname "$0")/..
  SOURCE_DATE_EPOCH=$(git -C "$top" log -1 --format=%ct 2>/dev/null || stat -c %Y "$top/CMakeLists.txt")
fi
export TZ=UTC LC_ALL=C
cd "$parent"
find "$name" -type d -exec chmod 755 {} +
find "$name" -type f -exec chmod 644 {} +
find "$name" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
rm -f "$zip"
find "$name" -type f | sort | zip -X -D -q -9 "$zip" -@
