# vq_version_resource(TARGET DESCRIPTION "..." [MANIFEST file]): compiles a version
# resource into the Windows executable TARGET (product name, file description,
# the project's version, copyright, original file name) and, when MANIFEST is
# given, that application manifest as resource 1.
include_guard(GLOBAL)

function(vq_version_resource target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "DESCRIPTION;MANIFEST" "")
  set(VQ_RC_DESCRIPTION "${arg_DESCRIPTION}")
  set(VQ_RC_ORIGINAL_NAME "${target}.exe")
  get_target_property(output_name ${target} OUTPUT_NAME)
  if(output_name)
    set(VQ_RC_ORIGINAL_NAME "${output_name}.exe")
  endif()
  set(VQ_RC_MANIFEST "")
  if(arg_MANIFEST)
    get_filename_component(manifest "${arg_MANIFEST}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
    # 24 is RT_MANIFEST; resource 1 is the manifest of a program.
    set(VQ_RC_MANIFEST "1 24 \"${manifest}\"")
  endif()
  set(rc "${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc")
  configure_file("${CMAKE_SOURCE_DIR}/cmake/version.rc.in" "${rc}" @ONLY)
  if(arg_MANIFEST)
    set_source_files_properties("${rc}" PROPERTIES OBJECT_DEPENDS "${manifest}")
  endif()
  target_sources(${target} PRIVATE "${rc}")
endfunction()
