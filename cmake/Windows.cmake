# The Windows build (`make windows`, cross-compiled with MinGW-w64): plinkard.exe
# in a Win32 window and plinkard-replay.exe, each standing alone.

enable_language(RC)

# stb is header-only: the host's Debian package serves this build too.
find_path(STB_INCLUDE_DIR stb_image.h PATHS /usr/include PATH_SUFFIXES stb REQUIRED NO_CMAKE_FIND_ROOT_PATH)

# Windows 10's names (per-monitor DPI awareness, high-resolution timers); the
# programs still start on older Windows, where they do without them. printf and
# friends are MinGW's own, which format numbers exactly as the C standard (and
# Linux) does: the traces are byte for byte the same.
add_compile_definitions(_WIN32_WINNT=0x0A00 WINVER=0x0A00 UNICODE _UNICODE __USE_MINGW_ANSI_STDIO=1)

# Everything linked in: the programs import only Windows' own DLLs and run
# from any folder.
add_link_options(-static -s)

# The same files from the same commit, wherever and whenever they are built:
# no time stamp in the programs' headers (and, as the preset asks, no build
# paths in the code: PLINKARD_REPRODUCIBLE).
add_link_options(-Wl,--no-insert-timestamp)

# The build-time tools run on the machine that builds.
include(cmake/HostTools.cmake)
