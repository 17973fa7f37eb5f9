// The window reads the launcher icon of whatever package it is given: the entry
// the badging names, its PNG header and the picture, fitted into the box. Beside
// the badging's own choice, every entry of the archive is offered as an icon, so
// any PNG the fuzzer puts into an archive reaches the header check and decoder.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/PackageIcon.h"
#include "tools/badging/PackageBadging.h"
#include "tools/badging/ZipDirectory.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view archive(reinterpret_cast<const char*>(data), size);
  const PackageBadgingOutcome outcome = ReadPackageBadging(archive);
  auto check = [](const TacBitmapPtr& icon) {
    if (icon && (icon->Width() < 1 || icon->Height() < 1 || icon->Width() > kPackageIconBox ||
                 icon->Height() > kPackageIconBox || icon->Format() != TacPixelFormat::pf32bit))
      __builtin_trap();
  };
  check(ReadPackageIcon(archive, outcome.badging));
  ZipDirectory zip;
  std::string error;
  if (zip.Open(archive, error)) {
    PackageBadging offered;
    uint16_t density = 120;
    for (const ZipEntry& entry : zip.Entries()) {
      offered.iconsByDensity.emplace_back(density, entry.name);
      density = static_cast<uint16_t>(density + 40);
    }
    check(ReadPackageIcon(archive, offered));
  }
  return 0;
}
