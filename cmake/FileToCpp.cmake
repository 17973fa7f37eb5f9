# Script mode: writes OUTPUT, a C++ source defining the bytes of INPUT as
#   extern const unsigned char SYMBOL[];  extern const size_t SYMBOL_size;
# Usage: cmake -DINPUT=file -DOUTPUT=file.cpp -DSYMBOL=name -P FileToCpp.cmake
if(NOT INPUT OR NOT OUTPUT OR NOT SYMBOL)
  message(FATAL_ERROR "FileToCpp.cmake needs INPUT, OUTPUT and SYMBOL")
endif()
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR size "${hex_length} / 2")
# Sixteen bytes a line keep the generated file readable and the compiler fast.
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REPEAT "0x[0-9a-f][0-9a-f]," 16 line_pattern)
string(REGEX REPLACE "(${line_pattern})" "\\1\n  " bytes "${bytes}")
if(size EQUAL 0)
  set(bytes "0")
endif()
get_filename_component(input_name "${INPUT}" NAME)
file(WRITE "${OUTPUT}"
"// Generated from ${input_name} at build time; do not edit.\n"
"#include <cstddef>\n\n"
"extern const unsigned char ${SYMBOL}[];\n"
"extern const size_t ${SYMBOL}_size;\n"
"alignas(16) const unsigned char ${SYMBOL}[] = {\n  ${bytes}\n};\n"
"const size_t ${SYMBOL}_size = ${size};\n")
