# The i686 program as most users run it: on 64-bit Windows, through WoW64. Run by
# scripts/run-tests.sh with `ctest -L wow64` inside a 64-bit Wine session; it skips
# itself in a 32-bit prefix.
if(WIN32 AND CMAKE_SIZEOF_VOID_P EQUAL 4)
  add_test(NAME wow64.InstalledUnderProgramFilesX86RegistersAndShowsTheSample
           COMMAND bash ${CMAKE_SOURCE_DIR}/tests/wow64/smoke.sh ${CMAKE_BINARY_DIR}/bin
                   ${CMAKE_SOURCE_DIR}/tests/data/sample/VqSample.apk ${CMAKE_BINARY_DIR}/wow64)
  set_tests_properties(wow64.InstalledUnderProgramFilesX86RegistersAndShowsTheSample
                       PROPERTIES LABELS wow64 SKIP_RETURN_CODE 77 TIMEOUT 180)
endif()
