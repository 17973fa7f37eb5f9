# The libraries are layers, each allowed to include only what lies below it:
#   vq_base   pixel, rectangle and colour types (part of paint/)
#   vq_skin   skin data: archive, options file, skin model (skin/)
#   vq_paint  painting (the rest of paint/)
#   vq_core   the installer's text work (app/), and with it the whole platform-free core
#   vq_win    the Win32 layer: framework/, controls/, frame/win32/, menus/win32/, paint/win32/, skin/win32/
#   vq_app    the application
# No target sees the source tree as an include root. Each layer gets an include root of
# its own in the build tree, build/layers/<target>, holding links to exactly its headers
# under their usual names ("paint/acBitmap.h"; a Win32 file of paint/win32/ is
# "paint/acGlow.h"), and passes it on to the layers above. An include of a higher
# layer's header from a lower one therefore finds no file and fails to build.
include_guard(GLOBAL)

set(VQ_LAYERS_DIR ${CMAKE_BINARY_DIR}/layers)
# The roots are laid anew at each configure, so a header that left a layer is gone too.
file(REMOVE_RECURSE ${VQ_LAYERS_DIR})

function(vq_layer_root target)
  target_include_directories(${target} PUBLIC ${VQ_LAYERS_DIR}/${target})
endfunction()

# vq_expose_header(target real exposed): `real` (source-relative) is seen as `exposed`.
function(vq_expose_header target real exposed)
  set(link ${VQ_LAYERS_DIR}/${target}/${exposed})
  get_filename_component(dir ${link} DIRECTORY)
  file(MAKE_DIRECTORY ${dir})
  file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${real} ${link} SYMBOLIC)
endfunction()

# vq_layer_files(target name...): for each name (relative to the current source folder,
# without extension) the .cpp, when there is one, is compiled into `target` and the .h,
# when there is one, is exposed in the target's root. A name under win32/ is exposed
# without that folder.
function(vq_layer_files target)
  file(RELATIVE_PATH folder ${CMAKE_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  foreach(name ${ARGN})
    set(base ${CMAKE_CURRENT_SOURCE_DIR}/${name})
    if(NOT EXISTS ${base}.cpp AND NOT EXISTS ${base}.h)
      message(FATAL_ERROR "${folder}/${name}: neither .cpp nor .h")
    endif()
    if(EXISTS ${base}.cpp)
      target_sources(${target} PRIVATE ${base}.cpp)
    endif()
    set_property(GLOBAL APPEND PROPERTY VQ_LAYERED_NAMES ${folder}/${name})
    if(EXISTS ${base}.h)
      string(REGEX REPLACE "^win32/" "" exposed ${name})
      vq_expose_header(${target} ${folder}/${name}.h ${folder}/${exposed}.h)
    endif()
  endforeach()
endfunction()

# vq_layer_folder_headers(target pattern...): exposes every header matching the
# source-relative glob patterns under its own name (for folders wholly in one layer).
function(vq_layer_folder_headers target)
  foreach(pattern ${ARGN})
    file(GLOB headers CONFIGURE_DEPENDS RELATIVE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/${pattern})
    foreach(h ${headers})
      string(REGEX REPLACE "/win32/" "/" exposed ${h})
      vq_expose_header(${target} ${h} ${exposed})
    endforeach()
  endforeach()
endfunction()

# vq_check_layered_folders(folder...): every source and header of the folders (and of
# their win32/ subfolders) was given to a layer; a file left out would silently be
# neither built nor reachable.
function(vq_check_layered_folders)
  get_property(listed GLOBAL PROPERTY VQ_LAYERED_NAMES)
  foreach(folder ${ARGN})
    file(GLOB files CONFIGURE_DEPENDS RELATIVE ${CMAKE_SOURCE_DIR}
         ${CMAKE_SOURCE_DIR}/${folder}/*.h ${CMAKE_SOURCE_DIR}/${folder}/*.cpp
         ${CMAKE_SOURCE_DIR}/${folder}/win32/*.h ${CMAKE_SOURCE_DIR}/${folder}/win32/*.cpp)
    foreach(f ${files})
      string(REGEX REPLACE "\\.(h|cpp)$" "" name ${f})
      list(FIND listed ${name} at)
      if(at EQUAL -1 AND (WIN32 OR NOT name MATCHES "/win32/"))
        message(FATAL_ERROR "${f} belongs to no layer: add it to a vq_layer_files call")
      endif()
    endforeach()
  endforeach()
endfunction()
