#include "app/AndroidLevel.h"

#include <cstdint>

#include "app/InstallerError.h"

int ParseDecimalInt(const std::string& text) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i == text.size()) throw EConvertError("'" + text + "' 不是有效的整数.");
  int64_t value = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c < '0' || c > '9') throw EConvertError("'" + text + "' 不是有效的整数.");
    value = value * 10 + (c - '0');
    if (value > int64_t{INT32_MAX} + 1) throw EConvertError("'" + text + "' 不是有效的整数.");
  }
  if (negative) value = -value;
  if (value > INT32_MAX || value < INT32_MIN) throw EConvertError("'" + text + "' 不是有效的整数.");
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
