# The web build, with Emscripten: the game's page (app/) and the programs that
# run under node (the replay tool, the picture embedder).

# stb is header-only: the host's Debian package serves this build too.
find_path(STB_INCLUDE_DIR stb_image.h PATHS /usr/include PATH_SUFFIXES stb REQUIRED NO_CMAKE_FIND_ROOT_PATH)

# The replay tool ends its runs by exceptions (a close, a run that can't end),
# and the game's code is built once for it and the page.
add_compile_options(-fexceptions)
add_link_options(-fexceptions)

# A program for node, with the real file system and the process's exit status.
# Its code is compiled as it loads: node's fetch can't read the .wasm from a path.
function(plinkard_node_program target)
  target_link_options(${target} PRIVATE
    -sENVIRONMENT=node -sNODERAWFS=1 -sEXIT_RUNTIME=1 -sALLOW_MEMORY_GROWTH=1 -sWASM_ASYNC_COMPILATION=0)
endfunction()
