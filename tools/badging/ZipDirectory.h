// The central directory of a zip archive (a package file): entry names, sizes and
// where their data lies, with ZIP64 records and data descriptors; and reading an
// entry's bytes, stored or deflated, checked against its CRC.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct ZipEntry {
  std::string name;  // as stored: UTF-8 when the archive says so, else the archive's own bytes
  uint16_t method = 0;  // 0 stored, 8 deflated
  uint16_t flags = 0;
  uint32_t crc32 = 0;
  uint64_t compressedSize = 0;
  uint64_t uncompressedSize = 0;
  uint64_t localHeaderOffset = 0;
};

class ZipDirectory {
 public:
  // Reads the directory of the archive's bytes, which must outlive this object.
  // False with a reason when the bytes are no zip archive or its directory is damaged.
  bool Open(std::string_view archive, std::string& error);

  const std::vector<ZipEntry>& Entries() const { return entries_; }
  const ZipEntry* Find(std::string_view name) const;

  // The entry's uncompressed bytes. False with a reason for an unknown method, a
  // damaged header or stream, a size or CRC that does not match, or more than maxSize bytes.
  bool Read(const ZipEntry& entry, std::string& data, std::string& error,
            uint64_t maxSize = kDefaultMaxEntrySize) const;

  // A stored entry's bytes where they lie in the archive, without copy or CRC check
  // (for large entries a bounds-checked parser reads anyway); a deflated entry is
  // read into `buffer` as by Read and the view points there.
  bool View(const ZipEntry& entry, std::string_view& data, std::string& buffer, std::string& error) const;

  static constexpr uint64_t kDefaultMaxEntrySize = 512ull << 20;

 private:
  std::string_view archive_;
  std::vector<ZipEntry> entries_;
};
