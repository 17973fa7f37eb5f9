#include "skin/acSkinPack.h"

#include <zlib.h>

#include <climits>
#include <cstring>

#include "skin/acAnsiFile.h"
#include "skin/acAnsiText.h"

EacNotPackedSkin::EacNotPackedSkin() : EacSkinPackError("Loaded data is not packed Veltra file") {}

namespace {

class ZInflater {
 public:
  ZInflater() {
    std::memset(&zs_, 0, sizeof zs_);
    if (inflateInit(&zs_) != Z_OK) throw EacDecompressionError("Cannot start the zlib inflater");
  }
  ~ZInflater() { inflateEnd(&zs_); }
  ZInflater(const ZInflater&) = delete;
  ZInflater& operator=(const ZInflater&) = delete;
  z_stream& operator*() { return zs_; }

 private:
  z_stream zs_;
};

class PackReader {
 public:
  PackReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  size_t Remaining() const { return size_ - pos_; }

  int32_t ReadInt32(const char* what) {
    if (Remaining() < 4) throw EacStreamReadError(std::string("Skin archive ends inside ") + what);
    const uint8_t* p = data_ + pos_;
    pos_ += 4;
    uint32_t v = static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                 static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
    return static_cast<int32_t>(v);
  }

  std::string ReadName(int32_t length) {
    if (length < 0 || static_cast<size_t>(length) > Remaining())
      throw EacStreamReadError("Skin archive entry name of " + std::to_string(length) +
                               " bytes does not fit the archive");
    std::string name(reinterpret_cast<const char*>(data_ + pos_), static_cast<size_t>(length));
    pos_ += static_cast<size_t>(length);
    return name;
  }

  // Inflates one zlib stream that must yield exactly `size` bytes and leaves the
  // position right after its Adler-32 trailer.
  std::vector<uint8_t> InflateEntry(const std::string& name, int32_t size) {
    if (size < 0) throw EacStreamReadError("Skin archive entry \"" + name + "\" has a negative size");
    if (size > MaxSkinPackEntrySize)
      throw EacStreamReadError("Skin archive entry \"" + name + "\" declares " + std::to_string(size) +
                               " bytes, more than a skin file may have");
    if (static_cast<uint64_t>(size) > static_cast<uint64_t>(Remaining()) * MaxDeflateRatio)
      throw EacStreamReadError("Skin archive entry \"" + name + "\" declares " + std::to_string(size) +
                               " bytes, more than the rest of the archive can hold");
    std::vector<uint8_t> out(static_cast<size_t>(size));
    ZInflater inflater;
    z_stream& zs = *inflater;
    const uint8_t* start = data_ + pos_;
    size_t fed = 0;  // input bytes handed to zlib so far
    auto refill = [&]() {
      size_t chunk = Remaining() - fed;
      if (chunk > UINT_MAX) chunk = UINT_MAX;
      zs.next_in = const_cast<Bytef*>(start + fed);
      zs.avail_in = static_cast<uInt>(chunk);
      fed += chunk;
    };
    refill();
    uint8_t spill = 0;  // receives output beyond the declared size, which is an error
    bool spilling = size == 0;
    zs.next_out = spilling ? &spill : out.data();
    zs.avail_out = spilling ? 1u : static_cast<uInt>(size);
    for (;;) {
      int rc = inflate(&zs, Z_NO_FLUSH);
      if (rc == Z_STREAM_END) break;
      if (rc == Z_MEM_ERROR) throw std::bad_alloc();
      if (rc == Z_NEED_DICT || rc == Z_DATA_ERROR || rc == Z_STREAM_ERROR)
        throw EacDecompressionError("Skin archive entry \"" + name + "\" is damaged: " +
                                    (zs.msg ? zs.msg : "invalid zlib stream"));
      if (zs.avail_out == 0) {
        if (spilling)
          throw EacDecompressionError("Skin archive entry \"" + name + "\" inflates to more than its " +
                                      std::to_string(size) + " bytes");
        spilling = true;
        zs.next_out = &spill;
        zs.avail_out = 1;
        continue;
      }
      if (zs.avail_in == 0) {
        if (fed < Remaining()) {
          refill();
          continue;
        }
        throw EacStreamReadError("Skin archive entry \"" + name + "\" ends before its " +
                                 std::to_string(size) + " bytes");
      }
    }
    if (zs.total_out != static_cast<uLong>(size))
      throw EacStreamReadError("Skin archive entry \"" + name + "\" holds " + std::to_string(zs.total_out) +
                               " bytes instead of " + std::to_string(size));
    pos_ += static_cast<size_t>(zs.next_in - start);
    return out;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

// Smallest possible entry: name length, size and an empty zlib stream (8 bytes).
constexpr size_t MinEntryBytes = 4 + 4 + 8;

}  // namespace

void TacSkinConvertor::SetSource(const uint8_t* data, size_t size) {
  ownedSource_.clear();
  ownedSource_.shrink_to_fit();
  source_ = data;
  sourceSize_ = data ? size : 0;
}

void TacSkinConvertor::SetOwnedSource(std::vector<uint8_t> data) {
  ownedSource_ = std::move(data);
  source_ = ownedSource_.data();
  sourceSize_ = ownedSource_.size();
}

void TacSkinConvertor::ReleaseSource() {
  ownedSource_.clear();
  ownedSource_.shrink_to_fit();
  source_ = nullptr;
  sourceSize_ = 0;
}

void TacSkinConvertor::Clear() {
  items_.clear();
  options_.clear();
  hasOptions_ = false;
  imageCount_ = 0;
  ReleaseSource();
}

void TacSkinConvertor::Unpack() {
  try {
    UnpackUnchecked();
  } catch (...) {
    Clear();
    throw;
  }
}

void TacSkinConvertor::UnpackUnchecked() {
  items_.clear();
  options_.clear();
  hasOptions_ = false;
  imageCount_ = 0;
  if (sourceSize_ < 4 || std::memcmp(source_, "ASzf", 4) != 0) throw EacNotPackedSkin();
  PackReader reader(source_ + 4, sourceSize_ - 4);
  int32_t count = reader.ReadInt32("the entry count");
  if (count < 0 || static_cast<size_t>(count) > reader.Remaining() / MinEntryBytes)
    throw EacStreamReadError("Skin archive declares " + std::to_string(count) +
                             " entries, more than its size can hold");
  imageCount_ = count - 1;
  items_.reserve(static_cast<size_t>(count));
  for (int32_t i = 0; i < count; ++i) {
    std::string name = reader.ReadName(reader.ReadInt32("an entry name length"));
    int32_t size = reader.ReadInt32("an entry size");
    std::vector<uint8_t> bytes = reader.InflateEntry(name, size);
    if (AnsiUpperCase(name) == "OPTIONS.DAT") {
      options_ = std::move(bytes);
      hasOptions_ = true;
    } else {
      items_.push_back(TacImageItem{std::move(name), std::move(bytes)});
    }
  }
}

const TacImageItem* TacSkinConvertor::FindImage(const std::string& reference) const {
  size_t limit = imageCount_ > 0 ? static_cast<size_t>(imageCount_) : 0;
  if (limit > items_.size()) limit = items_.size();
  for (size_t i = 0; i < limit; ++i)
    if (AnsiUpperCase(items_[i].Name) == reference) return &items_[i];
  return nullptr;
}

bool LoadSkinPackFile(const std::string& fileName, std::unique_ptr<TacSkinConvertor>& reader,
                      bool releaseSource) {
  if (!AnsiFileExists(fileName)) return false;
  if (reader)
    reader->Clear();
  else
    reader = std::make_unique<TacSkinConvertor>();
  try {
    std::vector<uint8_t> bytes;
    if (!ReadAnsiFile(fileName, bytes)) throw EacStreamReadError("Cannot read skin archive \"" + fileName + "\"");
    reader->SetOwnedSource(std::move(bytes));
    reader->Unpack();
    if (releaseSource) reader->ReleaseSource();
  } catch (...) {
    reader.reset();
    throw;
  }
  return true;
}

void UnpackSkinData(const uint8_t* data, size_t size, std::unique_ptr<TacSkinConvertor>& reader) {
  if (reader)
    reader->Clear();
  else
    reader = std::make_unique<TacSkinConvertor>();
  try {
    reader->SetSource(data, size);
    reader->Unpack();
    reader->SetSource(nullptr, 0);
  } catch (...) {
    reader.reset();
    throw;
  }
}
