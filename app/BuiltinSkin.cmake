# The built-in skin: skins/air packed with the project's packer at build time, the
# archive turned into a byte array compiled into the application library.
if(WIN32)
  include(${CMAKE_SOURCE_DIR}/cmake/PackSkin.cmake)
  include(${CMAKE_SOURCE_DIR}/cmake/EmbedFile.cmake)
  vq_pack_skin(vq_pack_builtin_skin ${CMAKE_SOURCE_DIR}/skins/air ${CMAKE_CURRENT_BINARY_DIR}/builtin/air.asz)
  vq_embed_file(vq_embed_builtin_skin ${CMAKE_CURRENT_BINARY_DIR}/builtin/air.asz builtin/AirSkinAsz.cpp
                BuiltinAirSkinAsz DEPENDS vq_pack_builtin_skin)
  target_sources(vq_app PRIVATE ${CMAKE_CURRENT_LIST_DIR}/BuiltinSkin.cpp
                                ${CMAKE_CURRENT_BINARY_DIR}/builtin/AirSkinAsz.cpp)
  add_dependencies(vq_app vq_embed_builtin_skin)
endif()
