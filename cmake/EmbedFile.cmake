# vq_embed_file(TARGET_NAME INPUT OUTPUT_CPP SYMBOL [DEPENDS targets...]): a target
# that turns the file INPUT into the C++ source OUTPUT_CPP (see FileToCpp.cmake) at
# build time, again whenever INPUT changes. Relative INPUT is taken from the current
# source dir, relative OUTPUT_CPP from the current binary dir. The caller adds
# OUTPUT_CPP to a library and makes the library depend on TARGET_NAME (the library
# may live in another directory, so the rule is carried by the target).
include_guard(GLOBAL)

function(vq_embed_file target_name input output symbol)
  cmake_parse_arguments(PARSE_ARGV 4 arg "" "" "DEPENDS")
  set(script "${CMAKE_CURRENT_FUNCTION_LIST_DIR}/FileToCpp.cmake")
  get_filename_component(input "${input}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
  get_filename_component(output "${output}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_BINARY_DIR}")
  add_custom_command(
    OUTPUT "${output}"
    COMMAND ${CMAKE_COMMAND} -DINPUT=${input} -DOUTPUT=${output} -DSYMBOL=${symbol} -P ${script}
    DEPENDS "${input}" "${script}" ${arg_DEPENDS}
    COMMENT "Embedding ${input}"
    VERBATIM)
  add_custom_target(${target_name} DEPENDS "${output}")
  if(arg_DEPENDS)
    add_dependencies(${target_name} ${arg_DEPENDS})
  endif()
  set_source_files_properties("${output}" PROPERTIES GENERATED TRUE)
endfunction()
