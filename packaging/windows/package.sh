#!/bin/sh
# Makes the Windows packages from a Windows build: the zip of both programs,
# README.txt, LICENSE.txt and the routes, and the installer. The same commit
# makes the same two files, byte for byte, wherever and whenever they are
# made: every time stamp in them is the commit's (scripts/zip_folder.sh), the
# files go in sorted, and nothing of the machine's (owners, time zone, locale)
# goes in.
# usage: package.sh BUILD_DIR SOURCE_DIR VERSION ICON README
set -eu
BUILD=$1
SOURCE=$2
VERSION=$3
ICON=$4
README=$5

export TZ=UTC LC_ALL=C

NAME=plinkard-$VERSION
PACKAGE=$BUILD/package
STAGE=$PACKAGE/$NAME
ZIP=$BUILD/$NAME-windows-x64.zip
SETUP=$BUILD/$NAME-setup.exe
rm -rf "$PACKAGE" "$ZIP" "$SETUP"
mkdir -p "$STAGE/routes"

# Text files with Windows line ends, for every Notepad; the routes as they
# are, the same bytes as everywhere.
cp "$BUILD/plinkard.exe" "$BUILD/plinkard-replay.exe" "$STAGE/"
sed 's/$/\r/' "$README" >"$STAGE/README.txt"
sed 's/$/\r/' "$SOURCE/LICENSE" >"$STAGE/LICENSE.txt"
cp "$SOURCE"/routes/*.txt "$STAGE/routes/"

# What the installer installs and the uninstaller removes, file by file.
(cd "$STAGE" && find . -type f | sed 's|^\./||' | sort) | awk '
  { files[++n] = $0 }
  function windows(path) { gsub("/", "\\", path); return path }
  END {
    print "!ifdef INSTALL"
    for (i = 1; i <= n; ++i) {
      folder = files[i]; if (!sub("/[^/]*$", "", folder)) folder = ""
      if (i == 1 || folder != last) print "  SetOutPath \"$INSTDIR" (folder == "" ? "" : "\\" windows(folder)) "\""
      last = folder
      print "  File \"${STAGE}/" files[i] "\""
    }
    print "  SetOutPath \"$INSTDIR\""
    print "!else"
    for (i = 1; i <= n; ++i) print "  Delete \"$INSTDIR\\" windows(files[i]) "\""
    print "  RMDir \"$INSTDIR\\routes\""
    print "!endif"
  }' >"$PACKAGE/files.nsh"

# Zipping dates every file at the commit, and the installer keeps those dates.
"$SOURCE/scripts/zip_folder.sh" "$PACKAGE" "$NAME" "$ZIP"
makensis -V2 -NOCD -DVERSION="$VERSION" -DSTAGE="$STAGE" -DICON="$ICON" -DOUTFILE="$SETUP" \
  "$(dirname "$0")/installer.nsi"
echo "$ZIP"
echo "$SETUP"
