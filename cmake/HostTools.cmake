# A cross build (for Windows, for 64-bit ARM) runs its build-time tools (the
# picture embedder, the icon tool) on the machine that builds: a build of
# their own for it, from the same sources, made first. Custom commands name
# them as usual.
include(ExternalProject)
set(PLINKARD_HOST_TOOLS_DIR ${PROJECT_BINARY_DIR}/host-tools)
set(host_tools plinkard-embed plinkard-icon)
list(TRANSFORM host_tools PREPEND ${PLINKARD_HOST_TOOLS_DIR}/ OUTPUT_VARIABLE host_tool_files)
ExternalProject_Add(plinkard_host_tools
  SOURCE_DIR ${PROJECT_SOURCE_DIR}
  BINARY_DIR ${PLINKARD_HOST_TOOLS_DIR}
  CMAKE_ARGS -DPLINKARD_HOST_TOOLS=ON -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
             -DCMAKE_COMPILE_WARNING_AS_ERROR=${CMAKE_COMPILE_WARNING_AS_ERROR}
  BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target ${host_tools}
  BUILD_ALWAYS ON
  BUILD_BYPRODUCTS ${host_tool_files}
  INSTALL_COMMAND "")
foreach(tool IN LISTS host_tools)
  add_executable(${tool} IMPORTED GLOBAL)
  set_target_properties(${tool} PROPERTIES IMPORTED_LOCATION ${PLINKARD_HOST_TOOLS_DIR}/${tool})
endforeach()
