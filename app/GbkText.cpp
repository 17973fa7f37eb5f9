#include "app/GbkText.h"

#include <windows.h>

#include "app/PackageDisplayName.h"

namespace {

// GBK bytes of the UTF-16 units, or 0 when one of them has no exact form.
int ExactGbkBytes(const wchar_t* units, int count) {
  char buffer[16];
  BOOL usedDefault = FALSE;
  const int n = WideCharToMultiByte(936, WC_NO_BEST_FIT_CHARS, units, count, buffer, sizeof(buffer), nullptr,
                                    &usedDefault);
  return n <= 0 || usedDefault ? 0 : n;
}

}  // namespace

size_t GbkLength(char32_t codePoint) {
  wchar_t units[2];
  int count = 1;
  if (codePoint >= 0x10000) {
    units[0] = static_cast<wchar_t>(0xD800 + ((codePoint - 0x10000) >> 10));
    units[1] = static_cast<wchar_t>(0xDC00 + ((codePoint - 0x10000) & 0x3FF));
    count = 2;
  } else {
    units[0] = static_cast<wchar_t>(codePoint);
  }
  const int n = ExactGbkBytes(units, count);
  return n == 1 ? 1 : 2;
}

bool FitsGbk(const std::wstring& text) {
  if (text.empty()) return true;
  BOOL usedDefault = FALSE;
  const int n = WideCharToMultiByte(936, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()), nullptr,
                                    0, nullptr, &usedDefault);
  return n > 0 && !usedDefault;
}

std::wstring PackageDisplayNameW(const std::wstring& path) {
  const std::u16string shown = PackageDisplayName(std::u16string(path.begin(), path.end()), GbkLength);
  return std::wstring(shown.begin(), shown.end());
}
