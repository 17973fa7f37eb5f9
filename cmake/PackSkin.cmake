# vq_pack_skin(TARGET_NAME FOLDER OUTPUT): a target that packs the skin folder
# FOLDER into the archive OUTPUT at build time, again whenever a file of the folder
# or the packer changes. Relative FOLDER is taken from the current source dir,
# relative OUTPUT from the current binary dir.
#
# The packer target is defined by tools/packer, which the top level adds after
# app/; this file does not depend on that order, so app/ may include it itself.
include_guard(GLOBAL)

if(CMAKE_CROSSCOMPILING)
  set_property(GLOBAL PROPERTY VQ_SKIN_PACKER "${CMAKE_BINARY_DIR}/host/acSkinPacker")
  set_property(GLOBAL PROPERTY VQ_SKIN_PACKER_TARGET acSkinPacker_host)
else()
  set_property(GLOBAL PROPERTY VQ_SKIN_PACKER "$<TARGET_FILE:acSkinPacker>")
  set_property(GLOBAL PROPERTY VQ_SKIN_PACKER_TARGET acSkinPacker)
endif()

function(vq_pack_skin target_name folder output)
  get_property(packer GLOBAL PROPERTY VQ_SKIN_PACKER)
  get_property(packer_target GLOBAL PROPERTY VQ_SKIN_PACKER_TARGET)
  get_filename_component(folder "${folder}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
  get_filename_component(output "${output}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_BINARY_DIR}")
  file(GLOB skin_files LIST_DIRECTORIES false CONFIGURE_DEPENDS "${folder}/*")
  get_filename_component(output_dir "${output}" DIRECTORY)
  set(packer_file_dep "${packer}")
  add_custom_command(
    OUTPUT "${output}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${output_dir}"
    COMMAND "${packer}" "${folder}" "${output}"
    DEPENDS ${skin_files} "${packer_file_dep}" ${packer_target}
    COMMENT "Packing skin ${folder}"
    VERBATIM)
  add_custom_target(${target_name} DEPENDS "${output}")
  add_dependencies(${target_name} ${packer_target})
endfunction()
