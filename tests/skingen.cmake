# The committed skin folder, built-in shadows and program artwork must be exactly
# what their generators in tools/skingen make (no hand edits, deterministic output).
# Host-side only: the generators are Python scripts of the standard library.
if(NOT CMAKE_CROSSCOMPILING)
  find_program(VQ_PYTHON3 python3)
  if(VQ_PYTHON3)
    foreach(generator make_air_skin make_builtin_shadows make_artwork)
      add_test(NAME skingen.${generator}
               COMMAND ${VQ_PYTHON3} ${CMAKE_SOURCE_DIR}/tools/skingen/${generator}.py --check)
    endforeach()
  endif()
endif()
