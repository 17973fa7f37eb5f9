# Our PTQList against the Android asset packaging tool, line by line, on packages
# that tool builds from our manifests and on the packages Debian ships.
if(NOT WIN32 AND TARGET PTQListReal)
  find_program(VQ_AAPT aapt)
  find_package(Python3 COMPONENTS Interpreter)
  if(VQ_AAPT AND Python3_Interpreter_FOUND)
    add_test(NAME parity.badging
             COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tools/badging/badging_parity.py
                     $<TARGET_FILE:PTQListReal> ${CMAKE_BINARY_DIR}/parity)
    set_tests_properties(parity.badging PROPERTIES TIMEOUT 300)
  else()
    message(WARNING "aapt or python3 missing: the badging parity test is not registered")
  endif()
endif()
