# The real console tools (bin/real/): the Windows-side tests run the bridge with a
# stand-in adb.exe, so both are built first; and they import only system DLLs.
if(TARGET win_tests AND TARGET PTQApkBridge)
  add_dependencies(win_tests PTQApkBridge PTQListReal StandInAdb)
endif()
if(WIN32)
  get_filename_component(VQ_BUILD_ROOT ${CMAKE_BINARY_DIR} DIRECTORY)
  foreach(exe PTQApk PTQList)
    add_test(NAME pe.win32.real.${exe}
             COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/check-pe.sh ${VQ_BUILD_ROOT}/win32/bin/real/${exe}.exe pe32)
    add_test(NAME pe.win64.real.${exe}
             COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/check-pe.sh ${CMAKE_BINARY_DIR}/bin/real/${exe}.exe pe32+)
  endforeach()
endif()
