# Every GDI/USER object goes through the counted owners of paint/acGdiHandles.h: a raw
# create/delete call anywhere else fails. The second test shows the check sees one.
find_program(VQ_BASH bash)
if(VQ_BASH)
  add_test(NAME check.RawGdiCallsOnlyInTheOwnersHeader
           COMMAND ${VQ_BASH} ${CMAKE_SOURCE_DIR}/scripts/check-raw-gdi.sh ${CMAKE_SOURCE_DIR})
  set(planted ${CMAKE_BINARY_DIR}/raw-gdi-planted)
  add_test(NAME check.RawGdiCheckFindsAPlantedCall
           COMMAND ${VQ_BASH} -c "rm -rf '${planted}' && mkdir -p '${planted}/paint' && printf 'void f(HDC dc) {\\n  DeleteDC(dc);\\n}\\n' > '${planted}/paint/x.cpp' && ! '${VQ_BASH}' '${CMAKE_SOURCE_DIR}/scripts/check-raw-gdi.sh' '${planted}'")
endif()
