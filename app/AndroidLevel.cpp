#include "app/AndroidLevel.h"

#include <cstdint>

#include "skin/acStrToInt.h"

namespace {
[[noreturn]] void NotANumber(const std::string& text) {
  throw EConvertError("'" + text + "' is not a valid integer value");
}
}  // namespace

int ParseDecimalInt(const std::string& text) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i == text.size()) NotANumber(text);
  int64_t value = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c < '0' || c > '9') NotANumber(text);
    value = value * 10 + (c - '0');
    if (value > int64_t{INT32_MAX} + 1) NotANumber(text);
  }
  if (negative) value = -value;
  if (value > INT32_MAX || value < INT32_MIN) NotANumber(text);
  return static_cast<int>(value);
}

std::string AndroidVersionText(const std::string& levelText) {
  static const char* const kVersions[] = {"Android 1.0", "Android 1.1", "Android 1.5",
                                          "Android 1.6", "Android 2.0", "Android 2.0.1",
                                          "Android 2.1", "Android 2.2", "Android 2.3"};
  const int level = ParseDecimalInt(levelText);
  if (level >= 1 && level <= 9) return kVersions[level - 1];
  return levelText;
}
