#include "app/UserDecimalSeparator.h"

#include <windows.h>

std::string UserDecimalSeparator() {
  char buffer[8] = {};
  const int n = GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer, sizeof(buffer));
  if (n <= 1) return ".";
  return std::string(buffer);
}
