# Where an install puts the programs, and the Debian package: `cpack -G DEB` in
# a build directory (or `make package`) makes plinkard_<version>_<arch>.deb.

# Debian keeps games in /usr/games, and so does the package: it packs the
# component "games". Every other install puts the programs in
# CMAKE_INSTALL_BINDIR (bin unless told otherwise): `cmake --install build
# --prefix ~/.local` gives ~/.local/bin/plinkard, which is on a user's PATH
# where ~/.local/games is not. A distribution that builds with its own tools
# sets -DCMAKE_INSTALL_BINDIR=games.
set(PLINKARD_PROGRAMS plinkard plinkard-replay)
install(TARGETS ${PLINKARD_PROGRAMS} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT programs)
install(TARGETS ${PLINKARD_PROGRAMS} RUNTIME DESTINATION games COMPONENT games EXCLUDE_FROM_ALL)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME plinkard)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Plinkard")
set(CPACK_PACKAGE_CONTACT "${PLINKARD_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "side-view platform game")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

# One package of the programs in /usr/games and everything installed without
# a component named ("Unspecified": the manuals, icons, menu entry, metadata).
set(CPACK_COMPONENTS_ALL games Unspecified)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The architecture is the machine's, or the one a cross build is for.
if(CMAKE_CROSSCOMPILING AND CMAKE_SYSTEM_PROCESSOR STREQUAL aarch64)
  set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE arm64)
endif()
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# CPack puts the summary above this as the first line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Plinkard is a small side-view platform game for one player at the keyboard
or with a game pad. Walk and run along three bands of grey rock, jump and
double-jump over the steps, crawl through the low gaps, raise the two
checkpoint flags, die on the red spikes and come back at the last flag, and
leave the level through the exit door. It runs on X11 and on Wayland.

The package also holds plinkard-replay, which plays the same game without a
window from a script of key events and writes a trace of every frame.")

# The message shown on a death is SDL's X11 message box, which needs the X
# server to have core fonts. Without them the game still runs and puts the
# message in the window's caption instead, and the fonts matter on the machine
# that shows the window, not necessarily this one: so recommended, not required.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xfonts-base)

# Depends comes from the libraries the programs really link, with the versions
# their symbols need. Where dpkg-shlibdeps (dpkg-dev) or file is missing, CPack
# would silently write no Depends at all, so the names are written out instead.
find_program(PLINKARD_DPKG_SHLIBDEPS dpkg-shlibdeps)
find_program(PLINKARD_FILE file)
mark_as_advanced(PLINKARD_DPKG_SHLIBDEPS PLINKARD_FILE)
if(PLINKARD_DPKG_SHLIBDEPS AND PLINKARD_FILE)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6, libgcc-s1, libsdl2-2.0-0, libstdc++6")
endif()

include(CPack)

# `make dist`: the source tarball plinkard-<version>.tar.gz of the committed
# tree (HEAD: changes not yet committed are not in it), in the build directory.
# Unpacked, it builds and tests without git.
add_custom_target(dist
  COMMAND git -C ${PROJECT_SOURCE_DIR} archive --format=tar.gz --prefix=plinkard-${PROJECT_VERSION}/
          --output=${PROJECT_BINARY_DIR}/plinkard-${PROJECT_VERSION}.tar.gz HEAD
  COMMENT "Making plinkard-${PROJECT_VERSION}.tar.gz from the committed tree"
  VERBATIM)
