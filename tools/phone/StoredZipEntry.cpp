#include "tools/phone/StoredZipEntry.h"

#include <cstdint>

namespace {

constexpr uint32_t kLocalHeaderSignature = 0x04034B50;
constexpr size_t kLocalHeaderSize = 30;

uint32_t Le16(const std::string& s, size_t at) {
  return static_cast<uint8_t>(s[at]) | static_cast<uint32_t>(static_cast<uint8_t>(s[at + 1])) << 8;
}

uint32_t Le32(const std::string& s, size_t at) { return Le16(s, at) | Le16(s, at + 2) << 16; }

}  // namespace

bool LooksLikeZip(const std::string& bytes) {
  return bytes.size() >= 4 && Le32(bytes, 0) == kLocalHeaderSignature;
}

bool FindStoredZipEntry(const std::string& archive, const std::string& name, std::string& data) {
  size_t at = 0;
  while (archive.size() - at >= kLocalHeaderSize && Le32(archive, at) == kLocalHeaderSignature) {
    const uint32_t flags = Le16(archive, at + 6);
    const uint32_t method = Le16(archive, at + 8);
    const uint64_t compressedSize = Le32(archive, at + 18);
    const uint64_t nameLength = Le16(archive, at + 26);
    const uint64_t extraLength = Le16(archive, at + 28);
    // With a trailing data descriptor the sizes are not in the header: stop walking.
    if (flags & 0x08) return false;
    const uint64_t dataStart = at + kLocalHeaderSize + nameLength + extraLength;
    if (dataStart > archive.size() || compressedSize > archive.size() - dataStart) return false;
    if (method == 0 && archive.compare(at + kLocalHeaderSize, nameLength, name) == 0 && nameLength == name.size()) {
      data = archive.substr(static_cast<size_t>(dataStart), static_cast<size_t>(compressedSize));
      return true;
    }
    at = static_cast<size_t>(dataStart + compressedSize);
  }
  return false;
}
