// Writes small zip archives in memory the way different packers do: stored or
// deflated entries, sizes in a trailing data descriptor, ZIP64 records.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

struct ZipFixtureEntry {
  std::string name;
  std::string data;
  bool deflate = false;
  bool descriptor = false;  // sizes and CRC after the data, zero in the local header
  bool zip64 = false;       // sizes and offset in the ZIP64 extra field
  bool utf8Name = false;
};

inline void PutLe(std::string& out, uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>(value >> (8 * i) & 0xFF);
}

inline std::string RawDeflate(const std::string& data) {
  z_stream z{};
  deflateInit2(&z, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&z, data.size()) + 16, '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  z.avail_in = static_cast<uInt>(data.size());
  z.next_out = reinterpret_cast<Bytef*>(&out[0]);
  z.avail_out = static_cast<uInt>(out.size());
  deflate(&z, Z_FINISH);
  out.resize(z.total_out);
  deflateEnd(&z);
  return out;
}

// zip64End: write the ZIP64 end record and locator (with all-ones counts in the plain end record).
inline std::string BuildZip(const std::vector<ZipFixtureEntry>& entries, bool zip64End = false,
                            const std::string& comment = "") {
  std::string out, central;
  for (const ZipFixtureEntry& e : entries) {
    const std::string body = e.deflate ? RawDeflate(e.data) : e.data;
    const uint32_t crc = static_cast<uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(e.data.data()), static_cast<uInt>(e.data.size())));
    const uint16_t flags = (e.descriptor ? 0x08 : 0) | (e.utf8Name ? 0x800 : 0);
    const uint16_t method = e.deflate ? 8 : 0;
    const uint64_t offset = out.size();
    std::string extra;
    if (e.zip64) {
      PutLe(extra, 1, 2);
      PutLe(extra, 24, 2);
      PutLe(extra, e.data.size(), 8);
      PutLe(extra, body.size(), 8);
      PutLe(extra, offset, 8);
    }
    const uint32_t small = e.zip64 ? 0xFFFFFFFF : 0;
    PutLe(out, 0x04034B50, 4);
    PutLe(out, e.zip64 ? 45 : 20, 2);
    PutLe(out, flags, 2);
    PutLe(out, method, 2);
    PutLe(out, 0, 4);
    PutLe(out, e.descriptor ? 0 : crc, 4);
    PutLe(out, e.descriptor ? 0 : (small ? small : body.size()), 4);
    PutLe(out, e.descriptor ? 0 : (small ? small : e.data.size()), 4);
    PutLe(out, e.name.size(), 2);
    PutLe(out, 0, 2);
    out += e.name + body;
    if (e.descriptor) {
      PutLe(out, 0x08074B50, 4);
      PutLe(out, crc, 4);
      PutLe(out, body.size(), 4);
      PutLe(out, e.data.size(), 4);
    }
    PutLe(central, 0x02014B50, 4);
    PutLe(central, 45, 2);
    PutLe(central, e.zip64 ? 45 : 20, 2);
    PutLe(central, flags, 2);
    PutLe(central, method, 2);
    PutLe(central, 0, 4);
    PutLe(central, crc, 4);
    PutLe(central, small ? small : body.size(), 4);
    PutLe(central, small ? small : e.data.size(), 4);
    PutLe(central, e.name.size(), 2);
    PutLe(central, extra.size(), 2);
    PutLe(central, 0, 2);
    PutLe(central, 0, 2);
    PutLe(central, 0, 2);
    PutLe(central, 0, 4);
    PutLe(central, small ? small : offset, 4);
    central += e.name + extra;
  }
  const uint64_t directoryOffset = out.size();
  out += central;
  if (zip64End) {
    const uint64_t record = out.size();
    PutLe(out, 0x06064B50, 4);
    PutLe(out, 44, 8);
    PutLe(out, 45, 2);
    PutLe(out, 45, 2);
    PutLe(out, 0, 4);
    PutLe(out, 0, 4);
    PutLe(out, entries.size(), 8);
    PutLe(out, entries.size(), 8);
    PutLe(out, central.size(), 8);
    PutLe(out, directoryOffset, 8);
    PutLe(out, 0x07064B50, 4);
    PutLe(out, 0, 4);
    PutLe(out, record, 8);
    PutLe(out, 1, 4);
  }
  PutLe(out, 0x06054B50, 4);
  PutLe(out, 0, 2);
  PutLe(out, 0, 2);
  PutLe(out, zip64End ? 0xFFFF : entries.size(), 2);
  PutLe(out, zip64End ? 0xFFFF : entries.size(), 2);
  PutLe(out, zip64End ? 0xFFFFFFFF : central.size(), 4);
  PutLe(out, zip64End ? 0xFFFFFFFF : directoryOffset, 4);
  PutLe(out, comment.size(), 2);
  out += comment;
  return out;
}
