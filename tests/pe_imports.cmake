# Every Windows executable of this build is checked as it ships: its PE kind (PE32
# for the i686 build, PE32+ for x86_64) and that it imports only system DLLs.
if(WIN32)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(VQ_PE_KIND pe32+)
  else()
    set(VQ_PE_KIND pe32)
  endif()
  foreach(exe ApkInstaller PTQApk PTQList)
    add_test(NAME pe.${exe} COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/check-pe.sh $<TARGET_FILE:${exe}> ${VQ_PE_KIND})
  endforeach()
endif()
