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

# The build-time tools (the picture embedder, the icon tool) run on the
# machine that builds: a build of their own for it, from the same sources, made
# first. Custom commands name them as usual.
include(ExternalProject)
set(PLINKARD_HOST_TOOLS_DIR ${PROJECT_BINARY_DIR}/host-tools)
set(host_tools plinkard-embed plinkard-icon)
list(TRANSFORM host_tools PREPEND ${PLINKARD_HOST_TOOLS_DIR}/ OUTPUT_VARIABLE host_tool_files)
ExternalProject_Add(plinkard_host_tools
  SOURCE_DIR ${PROJECT_SOURCE_DIR}
  BINARY_DIR ${PLINKARD_HOST_TOOLS_DIR}
  CMAKE_ARGS -DPLINKARD_HOST_TOOLS=ON -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
  BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target ${host_tools}
  BUILD_ALWAYS ON
  BUILD_BYPRODUCTS ${host_tool_files}
  INSTALL_COMMAND "")
foreach(tool IN LISTS host_tools)
  add_executable(${tool} IMPORTED GLOBAL)
  set_target_properties(${tool} PROPERTIES IMPORTED_LOCATION ${PLINKARD_HOST_TOOLS_DIR}/${tool})
endforeach()
