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

# Links the page `target` keeping the functions its script calls: the game's
# page's, and those named after the target. They go in one list: a later list
# of exports replaces an earlier one.
function(plinkard_page_exports target)
  get_target_property(exports plinkard_page PLINKARD_EXPORTS)
  list(APPEND exports ${ARGN})
  list(JOIN exports "','" joined)
  target_link_options(${target} PRIVATE "-sEXPORTED_FUNCTIONS=['${joined}']")
endfunction()

# A page's directory holds, beside the game's HTML, JavaScript and
# WebAssembly, the parts web/ makes for every page (the manifest that installs
# it, its icons) and its own service worker, which keeps all of these for
# playing offline.
set(PLINKARD_PAGE_PARTS plinkard.webmanifest icon-192.png icon-512.png)
set(PLINKARD_PAGE_KEPT plinkard.html plinkard.js plinkard.wasm ${PLINKARD_PAGE_PARTS})

# The parts and the service worker of `target`'s page, which it links into `dir`.
function(plinkard_page_files target dir)
  set(parts ${PROJECT_BINARY_DIR}/generated/page)
  set(outputs ${dir}/sw.js)
  set(inputs "")
  set(copies "")
  foreach(part IN LISTS PLINKARD_PAGE_PARTS)
    list(APPEND outputs ${dir}/${part})
    list(APPEND inputs ${parts}/${part})
    list(APPEND copies COMMAND ${CMAKE_COMMAND} -E copy ${parts}/${part} ${dir}/${part})
  endforeach()
  string(REPLACE ";" "|" kept "${PLINKARD_PAGE_KEPT}")
  add_custom_command(
    OUTPUT ${outputs}
    ${copies}
    COMMAND ${CMAKE_COMMAND} -DTEMPLATE=${PROJECT_SOURCE_DIR}/web/sw.js -DDIR=${dir} -DFILES=${kept}
            -DVERSION=${PROJECT_VERSION} -P ${PROJECT_SOURCE_DIR}/cmake/ServiceWorker.cmake
    DEPENDS ${target} plinkard-page-parts ${inputs} ${PROJECT_SOURCE_DIR}/web/sw.js
            ${PROJECT_SOURCE_DIR}/cmake/ServiceWorker.cmake
    COMMENT "Keeping ${target}'s page for offline"
    VERBATIM)
  add_custom_target(${target}-files ALL DEPENDS ${outputs})
endfunction()
