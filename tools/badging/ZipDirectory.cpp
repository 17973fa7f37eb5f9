#include "tools/badging/ZipDirectory.h"

#include <zlib.h>

#include <algorithm>

#include "tools/badging/ByteView.h"

namespace {

constexpr uint32_t kEndSignature = 0x06054B50;
constexpr uint32_t kZip64EndSignature = 0x06064B50;
constexpr uint32_t kZip64LocatorSignature = 0x07064B50;
constexpr uint32_t kCentralSignature = 0x02014B50;
constexpr uint32_t kLocalSignature = 0x04034B50;
constexpr size_t kEndSize = 22;
constexpr size_t kCentralSize = 46;
constexpr size_t kLocalSize = 30;
constexpr uint16_t kZip64ExtraId = 0x0001;

// The end record: the last signature that leaves room for its comment, searched
// back over at most the largest comment.
bool FindEnd(const ByteView& zip, uint64_t& at) {
  if (zip.size() < kEndSize) return false;
  const uint64_t lowest = zip.size() > kEndSize + 0xFFFF ? zip.size() - kEndSize - 0xFFFF : 0;
  for (uint64_t pos = zip.size() - kEndSize + 1; pos-- > lowest;) {
    if (zip.U32(pos) == kEndSignature && pos + kEndSize + zip.U16(pos + 20) <= zip.size()) {
      at = pos;
      return true;
    }
  }
  return false;
}

// Replaces the 32-bit fields that are all ones by the values of the ZIP64 extra field,
// which holds exactly those, in this order.
bool ApplyZip64Extra(const ByteView& extra, ZipEntry& entry, uint32_t rawUncompressed,
                     uint32_t rawCompressed, uint32_t rawOffset) {
  for (uint64_t at = 0; extra.Has(at, 4);) {
    const uint16_t id = extra.U16(at);
    const uint16_t length = extra.U16(at + 2);
    if (!extra.Has(at + 4, length)) return false;
    if (id == kZip64ExtraId) {
      ByteView field = extra.Sub(at + 4, length);
      uint64_t pos = 0;
      auto take = [&](uint64_t& value) {
        if (!field.Has(pos, 8)) return false;
        value = field.U64(pos);
        pos += 8;
        return true;
      };
      if (rawUncompressed == 0xFFFFFFFF && !take(entry.uncompressedSize)) return false;
      if (rawCompressed == 0xFFFFFFFF && !take(entry.compressedSize)) return false;
      if (rawOffset == 0xFFFFFFFF && !take(entry.localHeaderOffset)) return false;
      return true;
    }
    at += 4 + length;
  }
  // Fields marked as being in the ZIP64 extra without one: the archive is damaged.
  return rawUncompressed != 0xFFFFFFFF && rawCompressed != 0xFFFFFFFF && rawOffset != 0xFFFFFFFF;
}

// Raw deflate into exactly `expected` bytes: a stream that ends early or runs past it fails.
bool Inflate(std::string_view in, uint64_t expected, std::string& out) {
  if (in.size() > 0xFFFFFFFFu || expected > 0xFFFFFFFFu) return false;
  out.assign(static_cast<size_t>(expected), '\0');
  z_stream z{};
  if (inflateInit2(&z, -MAX_WBITS) != Z_OK) return false;
  char empty = 0;
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.empty() ? &empty : in.data()));
  z.avail_in = static_cast<uInt>(in.size());
  z.next_out = reinterpret_cast<Bytef*>(out.empty() ? &empty : &out[0]);
  z.avail_out = static_cast<uInt>(out.size());
  const int rc = inflate(&z, Z_FINISH);
  const bool whole = rc == Z_STREAM_END && z.total_out == expected;
  inflateEnd(&z);
  return whole;
}

}  // namespace

bool ZipDirectory::Open(std::string_view archive, std::string& error) {
  archive_ = archive;
  entries_.clear();
  const ByteView zip(archive);
  uint64_t end = 0;
  if (!FindEnd(zip, end)) {
    error = "no zip end record";
    return false;
  }
  uint64_t count = zip.U16(end + 10);
  uint64_t directorySize = zip.U32(end + 12);
  uint64_t directoryOffset = zip.U32(end + 16);
  if (end >= 20 && zip.U32(end - 20) == kZip64LocatorSignature) {
    const uint64_t record = zip.U64(end - 20 + 8);
    if (!zip.Has(record, 56) || zip.U32(record) != kZip64EndSignature) {
      error = "damaged ZIP64 end record";
      return false;
    }
    count = zip.U64(record + 32);
    directorySize = zip.U64(record + 40);
    directoryOffset = zip.U64(record + 48);
  }
  if (!zip.Has(directoryOffset, directorySize)) {
    error = "central directory outside the file";
    return false;
  }
  // Each entry takes at least its fixed header: a count beyond that is a lie.
  if (count > directorySize / kCentralSize) {
    error = "damaged central directory";
    return false;
  }
  const ByteView directory = zip.Sub(directoryOffset, directorySize);
  entries_.reserve(static_cast<size_t>(count));
  uint64_t at = 0;
  for (uint64_t i = 0; i < count; ++i) {
    if (!directory.Has(at, kCentralSize) || directory.U32(at) != kCentralSignature) {
      error = "damaged central directory";
      return false;
    }
    const uint16_t nameLength = directory.U16(at + 28);
    const uint16_t extraLength = directory.U16(at + 30);
    const uint16_t commentLength = directory.U16(at + 32);
    if (!directory.Has(at + kCentralSize, uint64_t(nameLength) + extraLength + commentLength)) {
      error = "damaged central directory";
      return false;
    }
    ZipEntry entry;
    entry.flags = directory.U16(at + 8);
    entry.method = directory.U16(at + 10);
    entry.crc32 = directory.U32(at + 16);
    const uint32_t rawCompressed = directory.U32(at + 20);
    const uint32_t rawUncompressed = directory.U32(at + 24);
    const uint32_t rawOffset = directory.U32(at + 42);
    entry.compressedSize = rawCompressed;
    entry.uncompressedSize = rawUncompressed;
    entry.localHeaderOffset = rawOffset;
    entry.name.assign(directory.bytes().substr(at + kCentralSize, nameLength));
    if (!ApplyZip64Extra(directory.Sub(at + kCentralSize + nameLength, extraLength), entry, rawUncompressed,
                         rawCompressed, rawOffset)) {
      error = "damaged ZIP64 field of " + entry.name;
      return false;
    }
    entries_.push_back(std::move(entry));
    at += kCentralSize + nameLength + extraLength + commentLength;
  }
  return true;
}

const ZipEntry* ZipDirectory::Find(std::string_view name) const {
  for (const ZipEntry& entry : entries_)
    if (entry.name == name) return &entry;
  return nullptr;
}

// Where an entry's data starts, from its local header; 0 when the header is damaged.
static uint64_t DataStart(const ByteView& zip, const ZipEntry& entry) {
  const uint64_t local = entry.localHeaderOffset;
  if (!zip.Has(local, kLocalSize) || zip.U32(local) != kLocalSignature) return 0;
  const uint64_t start = local + kLocalSize + zip.U16(local + 26) + zip.U16(local + 28);
  return zip.Has(start, entry.compressedSize) ? start : 0;
}

bool ZipDirectory::View(const ZipEntry& entry, std::string_view& data, std::string& buffer, std::string& error) const {
  data = std::string_view();
  if (entry.method != 0) {
    if (!Read(entry, buffer, error)) return false;
    data = buffer;
    return true;
  }
  const uint64_t start = DataStart(ByteView(archive_), entry);
  if (start == 0 || entry.compressedSize != entry.uncompressedSize) {
    error = "damaged header of " + entry.name;
    return false;
  }
  data = archive_.substr(start, entry.compressedSize);
  return true;
}

bool ZipDirectory::Read(const ZipEntry& entry, std::string& data, std::string& error, uint64_t maxSize) const {
  data.clear();
  const ByteView zip(archive_);
  const uint64_t local = entry.localHeaderOffset;
  if (!zip.Has(local, kLocalSize) || zip.U32(local) != kLocalSignature) {
    error = "damaged local header of " + entry.name;
    return false;
  }
  // The local header's own sizes may be zero (data descriptor) or ZIP64 markers:
  // the central directory's are the ones to trust; only the lengths are taken from here.
  const uint64_t start = local + kLocalSize + zip.U16(local + 26) + zip.U16(local + 28);
  if (!zip.Has(start, entry.compressedSize)) {
    error = "data of " + entry.name + " outside the file";
    return false;
  }
  if (entry.uncompressedSize > maxSize) {
    error = entry.name + " is too large";
    return false;
  }
  const std::string_view raw = archive_.substr(start, entry.compressedSize);
  // Deflate shrinks by at most about 1032 to 1: a larger claim is a damaged (or hostile)
  // header, refused before anything is allocated for it.
  if (entry.method == 8 && entry.uncompressedSize / 1032 > entry.compressedSize + 1) {
    error = "impossible size of " + entry.name;
    return false;
  }
  if (entry.method == 0) {
    if (entry.compressedSize != entry.uncompressedSize) {
      error = "sizes of stored " + entry.name + " differ";
      return false;
    }
    data.assign(raw);
  } else if (entry.method == 8) {
    if (!Inflate(raw, entry.uncompressedSize, data)) {
      data.clear();
      error = "damaged compressed data of " + entry.name;
      return false;
    }
  } else {
    error = "unsupported compression method of " + entry.name;
    return false;
  }
  uLong crc = crc32(0L, Z_NULL, 0);
  for (size_t done = 0; done < data.size();) {
    const uInt chunk = static_cast<uInt>(std::min<size_t>(data.size() - done, 1u << 30));
    crc = crc32(crc, reinterpret_cast<const Bytef*>(data.data() + done), chunk);
    done += chunk;
  }
  if (static_cast<uint32_t>(crc) != entry.crc32) {
    data.clear();
    error = "CRC of " + entry.name + " does not match";
    return false;
  }
  return true;
}
