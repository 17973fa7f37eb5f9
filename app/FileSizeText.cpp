#include "app/FileSizeText.h"

namespace {

std::string TwoDecimals(int64_t hundredths, const std::string& separator) {
  const int64_t whole = hundredths / 100;
  const int64_t fraction = hundredths % 100;
  return std::to_string(whole) + separator + (fraction < 10 ? "0" : "") + std::to_string(fraction);
}

// size / unit in hundredths, for size > unit > 0; exact even near INT64_MAX.
int64_t HundredthsOf(int64_t size, int64_t unit) {
  const int64_t whole = size / unit;
  const int64_t rest = size % unit;  // below 2^30, so rest * 200 cannot overflow
  return whole * 100 + (rest * 200 + unit) / (2 * unit);
}

}  // namespace

std::string FileSizeText(int64_t size, const std::string& decimalSeparator) {
  struct Unit { int64_t bytes; const char* suffix; };
  static const Unit kUnits[] = {{1073741824, " G"}, {1048576, " M"}, {1024, " K"}};
  for (const Unit& unit : kUnits)
    if (size > unit.bytes) return TwoDecimals(HundredthsOf(size, unit.bytes), decimalSeparator) + unit.suffix;
  // Whole bytes; a negative size cannot come from a file but must not misprint.
  return std::to_string(size) + decimalSeparator + "00 字节";
}
