# make run    installs what is missing, builds and starts the game
# make check  the inner loop: builds, then runs the unit tests, the routes
#             against their kept traces, shellcheck and the layer check
#             (about a minute); needs no root once the packages are there
# make test   installs what is missing, builds and runs every test but the
#             whole builds from scratch, then most of them again built with
#             AddressSanitizer and UBSan, and beside them the web build's, the
#             Windows build's (under Wine) and the arm64 build's (under
#             qemu-user); under 20 minutes on two cores
# make test-builds  the whole builds from scratch: packagers' plain builds, and
#             the release built twice and compared (about 15 minutes); CI
#             runs make test and then this
# make package-test  the Debian package's tests, installing it system-wide
#                    (as root): make test does that only in CI
# make package  builds the Debian package build/plinkard_VERSION_ARCH.deb
# make dist     makes the source tarball build/plinkard-VERSION.tar.gz of the
#               committed tree
# make web      builds the game's page build-web/plinkard.html (and the replay
#               tool for node); make serve-web serves it on 127.0.0.1
# make release  builds every file of a release from the committed tree into
#               build/release/, the same bytes every time, with SHA256SUMS
# make package-web  zips the page into build-web/plinkard-VERSION-web.zip
# make windows  cross-builds build-windows/plinkard.exe and plinkard-replay.exe;
#               make package-windows makes the zip and the installer beside them
# make arm64    cross-builds build-arm64/plinkard and plinkard-replay for 64-bit
#               ARM Linux
.PHONY: run check test test-ordinary test-other-builds test-builds build deps deps-build deps-check package-test assets screenshots bench soak clean package \
	dist web serve-web release windows package-windows package-web arm64

run: build
	./build/plinkard

check: deps-check
	cmake --preset default >/dev/null
	cmake --build --preset default
	ctest --preset check

# make test runs its two halves side by side, as much of each is waiting (on a
# window, a page, Wine) while the other builds or computes. Their lines are
# told apart by the tests' names: window., web., windows., arm64. and so on.
test: deps build
	$(MAKE) --no-print-directory -j2 test-ordinary test-other-builds
	@[ "$$PLINKARD_INSTALL_PACKAGE" = yes ] || echo "The package was not installed system-wide to be tried: make package-test does that (as root)."

# The ordinary build's tests, then the sanitized build's.
test-ordinary:
	ctest --preset default
	cmake --preset sanitize >/dev/null
	cmake --build --preset sanitize
	ctest --preset sanitize

# The web, Windows and arm64 builds, each built and then tested.
test-other-builds: web tests/web/node_modules/.package-lock.json
	ctest --preset web
	$(MAKE) --no-print-directory package-windows
	ctest --preset windows
	$(MAKE) --no-print-directory arm64
	ctest --preset arm64

test-builds: deps build
	ctest --preset builds

build: deps-build
	cmake --preset default >/dev/null
	cmake --build --preset default

deps:
	@scripts/install-deps.sh test

deps-build:
	@scripts/install-deps.sh build

deps-check:
	@scripts/install-deps.sh check

package-test: deps
	cmake --preset default >/dev/null
	cmake --build --preset default
	PLINKARD_INSTALL_PACKAGE=yes ctest --preset default -L package

web: deps
	cmake --preset web >/dev/null
	cmake --build --preset web

package-web: web
	cmake --build --preset web --target package-web

windows: deps
	cmake --preset windows >/dev/null
	cmake --build --preset windows

package-windows: windows
	cmake --build --preset windows --target package-windows

arm64: deps
	cmake --preset arm64 >/dev/null
	cmake --build --preset arm64

PORT ?= 8000
serve-web: web
	node web/serve.mjs build-web $(PORT)

# The browser tests' npm packages, exactly as locked.
tests/web/node_modules/.package-lock.json: tests/web/package.json tests/web/package-lock.json
	cd tests/web && npm ci --no-audit --no-fund

assets: build
	cmake --build --preset default --target assets

screenshots: build
	cmake --build --preset default --target screenshots

bench: deps web tests/web/node_modules/.package-lock.json windows
	cmake --preset bench >/dev/null
	cmake --build --preset bench
	./build-bench/plinkard-bench
	node tests/web/measure.mjs build-web
	bench/window_bench.sh build-bench/plinkard 10 build-windows/plinkard.exe

clean:
	rm -rf build build-sanitize build-bench build-web build-release build-windows build-arm64 tests/web/node_modules

soak: build
	./build/plinkard-soak --frames 10000000

package: build
	cd build && cpack -G DEB

release: deps
	scripts/release.sh

dist: deps-build
	cmake --preset default >/dev/null
	cmake --build --preset default --target dist
