# Cross-compiling for 64-bit ARM Linux with Debian's g++-aarch64-linux-gnu,
# against Debian's arm64 packages (libsdl2-dev:arm64): multiarch puts their
# headers and libraries beside this machine's, in /usr/include and
# /usr/lib/aarch64-linux-gnu, where the cross compiler looks, so there is no
# separate root to search.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)

set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)
set(PKG_CONFIG_EXECUTABLE aarch64-linux-gnu-pkg-config CACHE FILEPATH "pkg-config for the arm64 packages")

# The programs run on this machine under qemu-user, with the cross
# toolchain's loader and C library (libc6-arm64-cross).
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64 -L /usr/aarch64-linux-gnu)
