#include "app/AndroidLevel.h"

#include <cstdint>

#include "skin/acStrToInt.h"

namespace {

[[noreturn]] void NotANumber(const std::string& text) {
  throw EConvertError("'" + text + "' is not a valid integer value");
}

bool IsDecimal(const std::string& text) {
  size_t i = text.empty() || (text[0] != '+' && text[0] != '-') ? 0 : 1;
  if (i == text.size()) return false;
  for (; i < text.size(); ++i)
    if (text[i] < '0' || text[i] > '9') return false;
  return true;
}

const char* const kVersions[] = {
    "Android 1.0",   "Android 1.1", "Android 1.5",   "Android 1.6",  "Android 2.0", "Android 2.0.1",
    "Android 2.1",   "Android 2.2", "Android 2.3",   "Android 2.3.3", "Android 3.0", "Android 3.1",
    "Android 3.2",   "Android 4.0", "Android 4.0.3", "Android 4.1",  "Android 4.2", "Android 4.3",
    "Android 4.4",   "Android 4.4W", "Android 5.0",  "Android 5.1",  "Android 6.0", "Android 7.0",
    "Android 7.1",   "Android 8.0", "Android 8.1",   "Android 9",    "Android 10",  "Android 11",
    "Android 12",    "Android 12L", "Android 13",    "Android 14",   "Android 15",  "Android 16"};
constexpr int kKnownLevels = static_cast<int>(sizeof(kVersions) / sizeof(kVersions[0]));

// Codenames the build tools write instead of a level while a release is in preview.
struct Codename {
  const char* name;
  int level;
};
const Codename kCodenames[] = {
    {"K", 19},        {"KitkatWatch", 20},     {"L", 21},    {"M", 23},  {"N", 24},
    {"O", 26},        {"P", 28},               {"Q", 29},    {"R", 30},  {"S", 31},
    {"Sv2", 32},      {"T", 33},               {"Tiramisu", 33},         {"U", 34},
    {"UpsideDownCake", 34},                    {"V", 35},    {"VanillaIceCream", 35},
    {"Baklava", 36}};

}  // namespace

int ParseDecimalInt(const std::string& text) {
  if (!IsDecimal(text)) NotANumber(text);
  size_t i = 0;
  bool negative = false;
  if (text[i] == '+' || text[i] == '-') negative = text[i++] == '-';
  int64_t value = 0;
  for (; i < text.size(); ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > int64_t{INT32_MAX} + 1) NotANumber(text);
  }
  if (negative) value = -value;
  if (value > INT32_MAX || value < INT32_MIN) NotANumber(text);
  return static_cast<int>(value);
}

std::string AndroidVersionText(const std::string& levelText) {
  if (!IsDecimal(levelText)) {
    for (const Codename& c : kCodenames)
      if (levelText == c.name) return kVersions[c.level - 1];
    return levelText;
  }
  int level = 0;
  try {
    level = ParseDecimalInt(levelText);
  } catch (const EConvertError&) {
    return levelText;  // more digits than any level has
  }
  if (level >= 1 && level <= kKnownLevels) return kVersions[level - 1];
  return levelText;
}
