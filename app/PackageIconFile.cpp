#include "app/PackageIconFile.h"

#include <windows.h>

#include <exception>
#include <string_view>

#include "app/LongPathName.h"
#include "app/PackageIcon.h"
#include "app/ScopedHandle.h"
#include "tools/badging/PackageBadging.h"

namespace {

class MappedView {
 public:
  explicit MappedView(const void* p) : p_(p) {}
  ~MappedView() {
    if (p_) UnmapViewOfFile(p_);
  }
  MappedView(const MappedView&) = delete;
  MappedView& operator=(const MappedView&) = delete;
  const char* Data() const { return static_cast<const char*>(p_); }

 private:
  const void* p_;
};

}  // namespace

TacBitmapPtr ReadPackageIconFile(const std::wstring& path) {
  ScopedHandle file(CreateFileW(LongPathName(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) return nullptr;
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart <= 0 ||
      static_cast<unsigned long long>(size.QuadPart) > SIZE_MAX)
    return nullptr;
  ScopedHandle mapping(CreateFileMappingW(file.Get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
  if (!mapping.Valid()) return nullptr;
  MappedView view(MapViewOfFile(mapping.Get(), FILE_MAP_READ, 0, 0, 0));
  if (!view.Data()) return nullptr;
  const std::string_view bytes(view.Data(), static_cast<size_t>(size.QuadPart));
  try {
    const PackageBadgingOutcome outcome = ReadPackageBadging(bytes);
    // A badging cut short by a bad attribute may still have found the icon.
    if (outcome.status != BadgingStatus::kOk && outcome.status != BadgingStatus::kBadAttribute) return nullptr;
    return ReadPackageIcon(bytes, outcome.badging);
  } catch (const std::exception&) {
    return nullptr;
  }
}
