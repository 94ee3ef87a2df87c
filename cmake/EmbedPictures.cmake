# The game's pictures are compiled into it: at build time each PNG in
# assets/ is decoded once (a missing or broken picture fails the build) and its
# bytes are written into a generated source file.
set(PLINKARD_PICTURES background maskmap spritemap flagpic doorpic pausedpic measure lettering)

function(plinkard_embed_pictures target)
  set(inputs "")
  set(args "")
  foreach(name IN LISTS PLINKARD_PICTURES)
    list(APPEND inputs ${PROJECT_SOURCE_DIR}/assets/${name}.png)
    list(APPEND args ${name} ${PROJECT_SOURCE_DIR}/assets/${name}.png)
  endforeach()
  set(output ${PROJECT_BINARY_DIR}/generated/embedded_pictures.cpp)
  # Ninja makes an output's directory itself, the Makefile generators do not.
  file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/generated)
  add_custom_command(
    OUTPUT ${output}
    COMMAND plinkard-embed ${output} ${args}
    DEPENDS plinkard-embed ${inputs}
    COMMENT "Embedding the pictures"
    VERBATIM)
  target_sources(${target} PRIVATE ${output})
endfunction()
