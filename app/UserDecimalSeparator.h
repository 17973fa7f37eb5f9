// The decimal separator of the user's regional settings.
#pragma once

#include <string>

// LOCALE_SDECIMAL of the user's locale; "." when it cannot be read.
std::string UserDecimalSeparator();
