// The simulated badging tool reads whatever file it is given as a zip archive.
// The reader lives with the tool, outside vq_core, so it is compiled in here.
#include <cstddef>
#include <cstdint>
#include <string>

#include "tools/phone/StoredZipEntry.cpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string archive(reinterpret_cast<const char*>(data), size);
  std::string entry;
  if (FindStoredZipEntry(archive, "assets/badging.txt", entry) && entry.size() > size) __builtin_trap();
  LooksLikeZip(archive);
  return 0;
}
