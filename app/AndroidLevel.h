// The minimum platform level of a package as the window shows it.
#pragma once

#include <string>

// Decimal integer: an optional sign and at least one digit, nothing else, within
// 32 bits. Anything else raises the program's conversion error (EConvertError of
// skin/acStrToInt.h, "'text' is not a valid integer value").
int ParseDecimalInt(const std::string& text);

// "Android 1.0" .. "Android 2.3" for the levels 1 to 9; any other level is shown
// as the text it was read from. Raises EConvertError when the text is no number.
std::string AndroidVersionText(const std::string& levelText);
