// Text to integer the way skin files were always read: leading blanks allowed,
// an optional sign, decimal digits or hexadecimal after "$", "0x" or "x";
// nothing may follow the digits. Hexadecimal covers the full 32 bits (so
// "0xFF00000F" is the negative system colour), decimal must fit a signed 32-bit.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

// The conversion error of a value that is not a number.
class EConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

bool TryStrToInt(std::string_view text, int32_t& value);
// Raises EConvertError "'text' is not a valid integer value".
int32_t StrToInt(std::string_view text);
int32_t StrToIntDef(std::string_view text, int32_t fallback);
