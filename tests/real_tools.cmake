# The real console tools (bin/real/): the Windows-side tests run the bridge with a
# stand-in adb.exe, so both are built first; and, like every executable of this
# build, they are checked as they ship (PE kind, system DLLs only).
if(TARGET win_tests AND TARGET PTQApkBridge)
  add_dependencies(win_tests PTQApkBridge PTQListReal StandInAdb)
endif()
if(WIN32 AND TARGET PTQApkBridge AND TARGET PTQListReal)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(VQ_REAL_PE_KIND pe32+)
  else()
    set(VQ_REAL_PE_KIND pe32)
  endif()
  foreach(target PTQApkBridge PTQListReal)
    add_test(NAME pe.real.${target} COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/check-pe.sh $<TARGET_FILE:${target}>
                                            ${VQ_REAL_PE_KIND})
  endforeach()
endif()
