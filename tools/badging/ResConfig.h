// The configuration a resource value is for (the ResTable_config record): the
// locale and screen density the badging needs, and whether anything else is set.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct ResConfig {
  static constexpr uint16_t kDensityMedium = 160;
  static constexpr uint16_t kDensityAny = 0xFFFE;
  static constexpr uint16_t kDensityNone = 0xFFFF;

  std::string language;  // "en", "zh", "fil"; empty for the default
  std::string country;   // "CN", "419"
  std::string script;    // "Latn", only when the package named it
  std::string variant;
  uint16_t density = 0;
  uint16_t sdkVersion = 0;
  uint16_t mcc = 0, mnc = 0;
  int otherQualifiers = 0;  // count of further qualifier fields that are set

  // Reads the record; false when it is too short to hold its own size field.
  bool Parse(std::string_view bytes);
  // "zh-CN", "sr-Latn", "de"; empty for the default locale.
  std::string LocaleName() const;
};
