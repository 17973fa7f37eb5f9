// The badging reader opens whatever file it is given as a zip archive, and then
// reads the badging from whatever the archive holds.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "tools/badging/PackageBadging.h"
#include "tools/badging/ZipDirectory.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view archive(reinterpret_cast<const char*>(data), size);
  ZipDirectory zip;
  std::string error;
  if (zip.Open(archive, error)) {
    for (const ZipEntry& entry : zip.Entries()) {
      std::string bytes;
      if (zip.Read(entry, bytes, error, 1 << 20) && bytes.size() != entry.uncompressedSize) __builtin_trap();
    }
  }
  ReadPackageBadging(archive);
  return 0;
}
