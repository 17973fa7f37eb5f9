# The layers hold: a header of a higher layer is not found from a lower one's include
# roots, while the layer's own and lower headers are (so a failure is the layering's,
# not the probe's). Each probe is one #include compiled with -fsyntax-only and exactly
# the include roots the layer's sources get.
set(vq_layer_probes
  # layer     header                      found?
  vq_base    paint/acBitmap.h            yes
  vq_base    skin/sSkinModel.h           no
  vq_base    paint/sItemPaint.h          no
  vq_skin    skin/sSkinModel.h           yes
  vq_skin    paint/sItemPaint.h          no
  vq_skin    app/BadgingReader.h         no
  vq_paint   paint/sItemPaint.h          yes
  vq_paint   app/BadgingReader.h         no
  vq_paint   paint/acGlow.h              no
  vq_core    app/BadgingReader.h         yes
  vq_core    framework/vclForm.h         no
  vq_core    skin/sSkinManager.h         no
  vq_core    menus/acMenuMeasure.h       yes
  vq_paint   menus/acMenuMeasure.h       no)
if(WIN32)
  list(APPEND vq_layer_probes vq_win paint/acGlow.h yes vq_win app/uVqMainFrm.h no
       vq_win menus/sSkinMenus.h yes vq_core menus/sSkinMenus.h no)
endif()
set(probe_dir ${CMAKE_BINARY_DIR}/layer-probes)
list(LENGTH vq_layer_probes n)
math(EXPR last "${n} - 1")
foreach(i RANGE 0 ${last} 3)
  math(EXPR j "${i} + 1")
  math(EXPR k "${i} + 2")
  list(GET vq_layer_probes ${i} layer)
  list(GET vq_layer_probes ${j} header)
  list(GET vq_layer_probes ${k} found)
  string(MAKE_C_IDENTIFIER ${header} probe)
  file(WRITE ${probe_dir}/${probe}.cpp "#include \"${header}\"\n")
  if(found STREQUAL "yes")
    set(name layers.${layer}.Sees.${probe})
  else()
    set(name layers.${layer}.CannotSee.${probe})
  endif()
  add_test(NAME ${name}
           COMMAND ${CMAKE_CXX_COMPILER} -std=c++17 -fsyntax-only -DNOMINMAX -DWIN32_LEAN_AND_MEAN
                   "-I$<JOIN:$<TARGET_PROPERTY:${layer},INCLUDE_DIRECTORIES>,;-I>" ${probe_dir}/${probe}.cpp
           COMMAND_EXPAND_LISTS)
  if(NOT found STREQUAL "yes")
    # Not found, rather than failing for another reason.
    set_tests_properties(${name} PROPERTIES PASS_REGULAR_EXPRESSION "No such file or directory"
                                            ENVIRONMENT "LC_ALL=C;LANGUAGE=")
  endif()
endforeach()
