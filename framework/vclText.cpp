#include "framework/vclText.h"

#include <windows.h>

std::wstring GbkToWide(const std::string& text) {
  if (text.empty()) return std::wstring();
  int n = MultiByteToWideChar(kTextCodePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(kTextCodePage, 0, text.data(), static_cast<int>(text.size()), &out[0], n);
  return out;
}

std::string WideToGbk(const std::wstring& text) {
  if (text.empty()) return std::string();
  int n = WideCharToMultiByte(kTextCodePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                              nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(kTextCodePage, 0, text.data(), static_cast<int>(text.size()), &out[0], n, nullptr, nullptr);
  return out;
}
