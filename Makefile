# make run   installs what is missing, builds and starts the game
# make test  installs what is missing, builds and runs every test, then all of
#            them again built with AddressSanitizer and UBSan
# make package  builds the Debian package build/plinkard_VERSION_ARCH.deb
# make dist     makes the source tarball build/plinkard-VERSION.tar.gz of the
#               committed tree
.PHONY: run test build deps assets screenshots bench soak clean package dist

run: build
	./build/plinkard

test: build
	ctest --preset default
	cmake --preset sanitize >/dev/null
	cmake --build --preset sanitize
	ctest --preset sanitize

build: deps
	cmake --preset default >/dev/null
	cmake --build --preset default

deps:
	@scripts/install-deps.sh

assets: build
	cmake --build --preset default --target assets

screenshots: build
	cmake --build --preset default --target screenshots

bench: deps
	cmake --preset bench >/dev/null
	cmake --build --preset bench
	./build-bench/plinkard-bench

clean:
	rm -rf build build-sanitize build-bench

soak: build
	./build/plinkard-soak --frames 10000000

package: build
	cd build && cpack -G DEB

dist: deps
	cmake --preset default >/dev/null
	cmake --build --preset default --target dist
