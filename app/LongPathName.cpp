#include "app/LongPathName.h"

namespace {
constexpr size_t kShortPathLimit = 260;  // MAX_PATH, counted with its terminating zero
}

std::wstring LongPathName(const std::wstring& path) {
  if (path.size() + 1 < kShortPathLimit || path.compare(0, 4, L"\\\\?\\") == 0) return path;
  std::wstring p = path;
  for (wchar_t& c : p)
    if (c == L'/') c = L'\\';
  if (p.size() >= 3 && p[1] == L':' && p[2] == L'\\') return L"\\\\?\\" + p;
  if (p.compare(0, 2, L"\\\\") == 0) return L"\\\\?\\UNC\\" + p.substr(2);
  return path;  // relative: the long form would not resolve it
}
