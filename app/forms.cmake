# The forms, the install worker and the executable.
if(WIN32)
  target_sources(vq_app PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/AppImages.cpp
    ${CMAKE_CURRENT_LIST_DIR}/uBadgingThread.cpp
    ${CMAKE_CURRENT_LIST_DIR}/uDriveFrm.cpp
    ${CMAKE_CURRENT_LIST_DIR}/uStupThread.cpp
    ${CMAKE_CURRENT_LIST_DIR}/uVqMainFrm.cpp)
  set(VQ_APP_RC ${CMAKE_CURRENT_LIST_DIR}/res/ApkInstaller.rc)
  set_source_files_properties(${VQ_APP_RC} PROPERTIES OBJECT_DEPENDS
    "${CMAKE_CURRENT_LIST_DIR}/res/ApkInstaller.ico;${CMAKE_CURRENT_LIST_DIR}/res/Placeholder.png;${CMAKE_CURRENT_LIST_DIR}/res/GlyphInstall.png;${CMAKE_CURRENT_LIST_DIR}/res/GlyphClose.png")
  add_executable(ApkInstaller WIN32 ${CMAKE_CURRENT_LIST_DIR}/ApkInstaller.cpp ${VQ_APP_RC})
  target_include_directories(ApkInstaller PRIVATE ${CMAKE_CURRENT_LIST_DIR}/res)
  target_link_libraries(ApkInstaller PRIVATE vq_app)
  set_target_properties(ApkInstaller PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  include(${CMAKE_SOURCE_DIR}/cmake/VersionResource.cmake)
  vq_version_resource(ApkInstaller DESCRIPTION "${VQ_PRODUCT_NAME}"
                      MANIFEST ${CMAKE_CURRENT_LIST_DIR}/res/ApkInstaller.manifest)
endif()
