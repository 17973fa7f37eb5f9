# The shipped program is a PE32 file, and every Windows executable imports only
# system DLLs. The i686 build lies beside this one (build/win32), built before the tests run.
if(WIN32)
  get_filename_component(VQ_BUILD_ROOT ${CMAKE_BINARY_DIR} DIRECTORY)
  foreach(exe ApkInstaller PTQApk PTQList)
    add_test(NAME pe.win32.${exe}
             COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/check-pe.sh ${VQ_BUILD_ROOT}/win32/bin/${exe}.exe pe32)
    add_test(NAME pe.win64.${exe}
             COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/check-pe.sh ${CMAKE_BINARY_DIR}/bin/${exe}.exe pe32+)
  endforeach()
endif()
