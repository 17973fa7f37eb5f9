#include "app/GetApkFileSize.h"

#include <windows.h>

#include "app/FileExists.h"
#include "app/LongPathName.h"
#include "app/ScopedHandle.h"
#include "framework/vclText.h"

int64_t GetApkFileSize(const std::wstring& path) {
  if (!FileExists(path)) return 0;
  ScopedHandle file(CreateFileW(LongPathName(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) return 0;
  DWORD high = 0;
  SetLastError(NO_ERROR);
  const DWORD low = GetFileSize(file.Get(), &high);
  if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return 0;
  return static_cast<int64_t>((static_cast<uint64_t>(high) << 32) | low);
}

int64_t GetApkFileSize(const std::string& path) { return GetApkFileSize(GbkToWide(path)); }
