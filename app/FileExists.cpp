#include "app/FileExists.h"

#include <windows.h>

#include "app/LongPathName.h"
#include "framework/vclText.h"

bool FileExists(const std::wstring& path) {
  if (path.empty()) return false;
  const DWORD attributes = GetFileAttributesW(LongPathName(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool FileExists(const std::string& path) { return FileExists(GbkToWide(path)); }
