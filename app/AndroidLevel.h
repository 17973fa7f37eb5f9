// The minimum platform level of a package as the window shows it.
#pragma once

#include <string>

// Decimal integer: an optional sign and at least one digit, nothing else, within
// 32 bits. Anything else raises the program's conversion error (EConvertError of
// skin/acStrToInt.h, "'text' is not a valid integer value").
int ParseDecimalInt(const std::string& text);

// Android's own version name for the levels 1 to 36 ("Android 4.4" for 19,
// "Android 12L" for 32); a higher, zero or negative level as the text it was read
// from. A preview build names its level by codename ("Q", "L", "Tiramisu"): a
// known codename shows as the version it names, any other as itself. Never raises.
std::string AndroidVersionText(const std::string& levelText);
