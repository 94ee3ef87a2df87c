#!/bin/sh
# The Debian package: made with cpack from the build, lintian finds no error and
# no warning in it; it holds the programs in /usr/games, the menu entry, the
# icons, the AppStream metadata, the manual pages, the copyright and the
# changelog, all of the project's version; and it depends on every library the
# programs load. (package_install_test.sh installs and starts it.) A cross
# build's package is for ARCH, and its programs run here under EMULATOR.
# usage: package_test.sh BUILD_DIR SOURCE_DIR VERSION [ARCH EMULATOR...]
set -eu
BUILD=$1
SOURCE=$2
VERSION=$3
ARCH=${4:-$(dpkg --print-architecture)}
shift $(($# < 4 ? $# : 4))
fail() { echo "FAIL: $*" >&2; exit 1; }
note() { echo "-- $*"; }
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

# shellcheck source=package_build.sh
. "$(dirname "$0")/package_build.sh"
note "building the package"
DEB=$(package_file)
note "$(basename "$DEB")"
[ "$(basename "$DEB")" = "plinkard_${VERSION}_$ARCH.deb" ] ||
  fail "the package file $(basename "$DEB") is not named plinkard_${VERSION}_$ARCH.deb"

note "lintian"
# No overrides: every tag lintian might raise is fixed, not silenced.
lintian --fail-on error,warning --display-info "$DEB" >"$WORK/lintian.log" 2>&1 || status=$?
grep -v 'running with root privileges' "$WORK/lintian.log" || true
[ "${status:-0}" -eq 0 ] || fail "lintian reports errors or warnings (status $status)"

note "control fields"
field() { dpkg-deb -f "$DEB" "$1"; }
[ "$(field Package)" = plinkard ] || fail "Package: $(field Package)"
[ "$(field Architecture)" = "$ARCH" ] || fail "Architecture: $(field Architecture)"
[ "$(field Section)" = games ] || fail "Section: $(field Section)"
[ "$(field Version)" = "$VERSION" ] || fail "Version: $(field Version), the project is $VERSION"
[ -n "$(field Maintainer)" ] || fail "Maintainer is missing"
[ -n "$(field Description)" ] || fail "Description is missing"
DEPENDS=$(field Depends)
note "Depends: $DEPENDS"
DEPENDED=$(echo "$DEPENDS" | tr ',|' '\n' | sed 's/^ *//; s/[ (:].*//')
# Every library the programs load must come from a package in Depends.
dpkg-deb -x "$DEB" "$WORK/root"
MULTIARCH=$(dpkg-architecture -a "$ARCH" -qDEB_HOST_MULTIARCH 2>/dev/null)
for program in plinkard plinkard-replay; do
  [ -x "$WORK/root/usr/games/$program" ] || fail "usr/games/$program is not in the package"
  for lib in $(objdump -p "$WORK/root/usr/games/$program" | awk '$1 == "NEEDED" {print $2}'); do
    owner=$(dpkg-query -S "*/$MULTIARCH/$lib" 2>/dev/null | head -1 | cut -d: -f1)
    [ -n "$owner" ] || fail "$program loads $lib, which no installed package holds"
    echo "$DEPENDED" | grep -qxF "$owner" ||
      fail "$program loads $lib from $owner, which is not in Depends"
  done
done

note "contents"
dpkg-deb -c "$DEB" | awk '{print $6}' >"$WORK/contents"
for path in ./usr/games/plinkard ./usr/games/plinkard-replay ./usr/share/applications/plinkard.desktop \
            ./usr/share/icons/hicolor/48x48/apps/plinkard.png ./usr/share/metainfo/io.github.plinkard.Plinkard.metainfo.xml \
            ./usr/share/man/man6/plinkard.6.gz ./usr/share/man/man6/plinkard-replay.6.gz \
            ./usr/share/doc/plinkard/copyright ./usr/share/doc/plinkard/changelog.gz; do
  grep -qx "$path" "$WORK/contents" || fail "$path is not in the package"
done
if grep -v -e '^\./usr/' -e '^\./$' "$WORK/contents"; then fail "the package puts files outside /usr"; fi
if grep '^\./usr/bin/.' "$WORK/contents"; then fail "the package puts programs in /usr/bin, not /usr/games"; fi

note "version"
# The project's version is written once, in CMakeLists.txt; everything that
# repeats it must say the same.
DOC=$WORK/root/usr/share/doc/plinkard
gunzip -c "$DOC/changelog.gz" >"$WORK/changelog"
[ "$(dpkg-parsechangelog -l "$WORK/changelog" -S Source)" = plinkard ] || fail "the changelog is not plinkard's"
[ "$(dpkg-parsechangelog -l "$WORK/changelog" -S Version)" = "$VERSION" ] ||
  fail "the changelog's newest entry is $(dpkg-parsechangelog -l "$WORK/changelog" -S Version), the project is $VERSION"
for page in plinkard plinkard-replay; do
  gunzip -c "$WORK/root/usr/share/man/man6/$page.6.gz" | head -1 | grep -qF "\"Plinkard $VERSION\"" ||
    fail "the manual page $page(6) does not say Plinkard $VERSION"
done
[ "$("$@" "$WORK/root/usr/games/plinkard-replay" --version)" = "plinkard-replay $VERSION" ] ||
  fail "plinkard-replay --version says \"$("$@" "$WORK/root/usr/games/plinkard-replay" --version)\""
head -1 "$DOC/copyright" | grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
  fail "the copyright file is not in the machine-readable format"

note "desktop entry"
ENTRY=$WORK/root/usr/share/applications/plinkard.desktop
desktop-file-validate "$ENTRY" || fail "desktop-file-validate rejects the desktop entry"
entry() { sed -n "s/^$1=//p" "$ENTRY"; }
EXEC=$(entry Exec | cut -d' ' -f1)
[ -x "$WORK/root/usr/games/$EXEC" ] || fail "the entry starts \"$EXEC\", which the package does not put in /usr/games"
ICON=$(entry Icon)
ls "$WORK"/root/usr/share/icons/hicolor/*/apps/"$ICON".png >/dev/null 2>&1 ||
  fail "the entry's icon \"$ICON\" is not among the package's icons"

note "AppStream metadata"
METAINFO=$WORK/root/usr/share/metainfo/io.github.plinkard.Plinkard.metainfo.xml
appstreamcli validate --no-net "$METAINFO" >"$WORK/appstream.log" 2>&1 ||
  fail "appstreamcli validate rejects the metadata: $(cat "$WORK/appstream.log")"
xml() { xmllint --xpath "$1" "$METAINFO"; }
[ "$(xml 'string(/component/id)')" = io.github.plinkard.Plinkard ] || fail "the component's id is $(xml 'string(/component/id)')"
[ "$(xml 'string(/component/launchable[@type="desktop-id"])')" = "$(basename "$ENTRY")" ] ||
  fail "the metadata launches $(xml 'string(/component/launchable)'), not the package's menu entry"
for binary in $(xml '/component/provides/binary/text()'); do
  [ -x "$WORK/root/usr/games/$binary" ] || fail "the metadata provides $binary, which is not in /usr/games"
done
# The newest release is this version, on the day of the changelog's newest entry.
[ "$(xml 'string(/component/releases/release[1]/@version)')" = "$VERSION" ] ||
  fail "the metadata's newest release is $(xml 'string(/component/releases/release[1]/@version)'), the project is $VERSION"
CHANGELOG_DAY=$(date -u -d "$(dpkg-parsechangelog -l "$WORK/changelog" -S Date)" +%Y-%m-%d)
[ "$(xml 'string(/component/releases/release[1]/@date)')" = "$CHANGELOG_DAY" ] ||
  fail "the metadata's newest release is dated $(xml 'string(/component/releases/release[1]/@date)'), the changelog's $CHANGELOG_DAY"

note "icons"
# Each icon is the standing frame: over the cream that measure.png is drawn
# on, cut to the figure and brought back to its own size, it must be that
# picture exactly; opaque or transparent, nothing between; and centred.
MEASURE=$SOURCE/assets/measure.png
CREAM=$(convert "$MEASURE" -format '#%[hex:p{0,0}]' info:)
convert "$MEASURE" -trim +repage "$WORK/figure.png"
FIGURE_W=$(identify -format %w "$WORK/figure.png")
FIGURE_H=$(identify -format %h "$WORK/figure.png")
for icon in "$WORK"/root/usr/share/icons/hicolor/*/apps/plinkard.png; do
  dir=$(basename "$(dirname "$(dirname "$icon")")")
  size=${dir%x*}
  [ "$(identify -format %wx%h "$icon")" = "$dir" ] || fail "$dir icon is $(identify -format %wx%h "$icon")"
  [ "$(convert "$icon" -alpha extract -unique-colors -format %w info:)" -le 2 ] ||
    fail "$dir icon has partly transparent pixels"
  [ "$(convert "$icon" -alpha extract -format '%[fx:p{0,0}.r]' info:)" = 0 ] || fail "$dir icon is not transparent around the figure"
  convert "$icon" -background "$CREAM" -flatten "$WORK/flat.png"
  box=$(convert "$WORK/flat.png" -format %@ info:)       # WxH+X+Y of the figure
  w=${box%%x*}; rest=${box#*x}; h=${rest%%+*}; rest=${rest#*+}; x=${rest%%+*}; y=${rest#*+}
  scale=$((w / FIGURE_W))
  if [ "$scale" -lt 1 ] || [ "$w" -ne $((scale * FIGURE_W)) ] || [ "$h" -ne $((scale * FIGURE_H)) ]; then
    fail "$dir icon's figure is $w x $h, not a whole multiple of ${FIGURE_W} x ${FIGURE_H}"
  fi
  # centred: twice its margin is the spare room, give or take a pixel
  for off in $((2 * x + w - size)) $((2 * y + h - size)); do
    if [ "$off" -lt -1 ] || [ "$off" -gt 1 ]; then fail "$dir icon's figure at $box is not centred"; fi
  done
  convert "$WORK/flat.png" -crop "$box" +repage -sample "${FIGURE_W}x${FIGURE_H}!" "$WORK/back.png"
  DIFF=$(compare -metric AE "$WORK/back.png" "$WORK/figure.png" null: 2>&1 || true)
  [ "$DIFF" = 0 ] || fail "$dir icon differs from the standing frame in $DIFF pixels"
  # No stray pixels inside the box either, and every pixel a whole square.
  convert "$WORK/back.png" -sample "${w}x${h}!" "$WORK/up.png"
  DIFF=$(compare -metric AE "$WORK/up.png" "$WORK/flat.png[$box]" null: 2>&1 || true)
  [ "$DIFF" = 0 ] || fail "$dir icon is not the frame scaled $scale times pixel for pixel ($DIFF pixels differ)"
  note "$dir: figure $w x $h at +$x+$y"
done

echo "PASS (lintian clean; the contents, version, menu entry, metadata and icons checked)"
