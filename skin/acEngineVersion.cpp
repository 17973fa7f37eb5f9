#include "skin/acEngineVersion.h"

#include <cmath>
#include <cstdio>

const char* const SkinEngineVersion = "6.57";
const char* const SkinEngineVersionText = "Corvane v6.57";

bool HasEngineVersionSwitch(const std::vector<std::string>& arguments) {
  for (const std::string& a : arguments) {
    if (a.size() != 6) continue;
    std::string lower = a;
    for (char& c : lower)
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (lower == "/acver") return true;
  }
  return false;
}

std::string FormatSkinVersion(double version) {
  if (!std::isfinite(version)) return "0";
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.15g", version);
  std::string s = buf;
  // The C locale may have been changed by the host; the skin text always uses ".".
  for (char& c : s)
    if (c == ',') c = '.';
  return s;
}
