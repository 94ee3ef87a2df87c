#!/bin/sh
# make release: every file of a release, built from the committed tree (HEAD)
# into build/release/, and their SHA256SUMS. The same commit gives the same
# bytes whenever and wherever it is built: every time stamp is the commit's
# (SOURCE_DATE_EPOCH), and the directories built in are mapped out of the
# programs. The builds themselves go in build-release/.
set -eu
cd "$(dirname "$0")/.."
top=$(pwd)

git rev-parse --verify -q HEAD >/dev/null 2>&1 || {
  echo "make release: a release is built from a git commit, and there is none here" >&2
  exit 1
}
if [ -n "$(git status --porcelain --untracked-files=no)" ]; then
  echo "make release: changes not yet committed are not in the release (it is built from HEAD)" >&2
fi

SOURCE_DATE_EPOCH=$(git log -1 --format=%ct HEAD)
TZ=UTC
LC_ALL=C
export SOURCE_DATE_EPOCH TZ LC_ALL
umask 022
version=$(sed -n 's/^project(plinkard VERSION \([0-9.]*\) .*/\1/p' CMakeLists.txt)

stage=$top/build-release
out=$top/build/release
rm -rf "$stage" "$out"
mkdir -p "$stage/src" "$out"
git archive HEAD | tar -x -C "$stage/src"

step() { printf '\n== %s\n' "$*"; }

# configure NAME [CMAKE ARGUMENTS...]: the staged tree configured in $stage/NAME.
# A release is built with Debian 12's compilers, by which no warning passes.
configure() {
  build=$stage/$1
  shift
  cmake -S "$stage/src" -B "$build" -G Ninja -DBUILD_TESTING=OFF -DPLINKARD_REPRODUCIBLE=ON \
    -DCMAKE_COMPILE_WARNING_AS_ERROR=ON "$@" >/dev/null
}

# deb ARCH [CMAKE ARGUMENTS...]: plinkard_VERSION_ARCH.deb.
deb() {
  arch=$1
  shift
  step "plinkard_${version}_$arch.deb"
  configure "linux-$arch" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
  cmake --build "$build"
  (cd "$build" && cpack -G DEB >/dev/null)
  cp "$build/plinkard_${version}_$arch.deb" "$out/"
}

deb amd64
deb arm64 -DCMAKE_TOOLCHAIN_FILE="$stage/src/cmake/arm64-toolchain.cmake"

step "plinkard-$version-web.zip"
NODE_PATH=/usr/share/nodejs configure web -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE=/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake
NODE_PATH=/usr/share/nodejs cmake --build "$build" --target package-web
cp "$build/plinkard-$version-web.zip" "$out/"

step "plinkard-$version-windows-x64.zip, plinkard-$version-setup.exe"
configure windows -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$stage/src/cmake/windows-toolchain.cmake"
cmake --build "$build" --target package-windows
cp "$build/plinkard-$version-windows-x64.zip" "$build/plinkard-$version-setup.exe" "$out/"

step "plinkard-$version.tar.gz"
git archive --format=tar.gz --prefix="plinkard-$version/" --output="$out/plinkard-$version.tar.gz" HEAD

step SHA256SUMS
cd "$out"
sha256sum -- plinkard* >SHA256SUMS
ls -l
