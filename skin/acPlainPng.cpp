#include "skin/acPlainPng.h"

#include <zlib.h>

#include <cstring>
#include <vector>

#include "skin/acBitmapFormat.h"
#include "skin/acImageDecode.h"

namespace {

uint32_t U32BE(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 | static_cast<uint32_t>(p[2]) << 8 |
         static_cast<uint32_t>(p[3]);
}

bool IsType(const uint8_t* chunk, const char* type) { return std::memcmp(chunk + 4, type, 4) == 0; }

// One inflater and one buffer of filtered rows per thread, reset for each image.
class RowInflater {
 public:
  RowInflater() {
    std::memset(&zs_, 0, sizeof zs_);
    ready_ = inflateInit(&zs_) == Z_OK;
  }
  ~RowInflater() {
    if (ready_) inflateEnd(&zs_);
  }
  RowInflater(const RowInflater&) = delete;
  RowInflater& operator=(const RowInflater&) = delete;

  // Inflates the image data, given as the IDAT chunks in order, into exactly `bytes`
  // bytes; false unless the stream ends there, intact, with no data left over.
  bool Inflate(const std::vector<const uint8_t*>& chunks, size_t bytes) {
    if (!ready_ || inflateReset(&zs_) != Z_OK) return false;
    rows_.resize(bytes + 1);  // one byte more, to see a stream that goes on
    zs_.next_out = rows_.data();
    zs_.avail_out = static_cast<uInt>(bytes + 1);
    int rc = Z_OK;
    for (const uint8_t* chunk : chunks) {
      const uint32_t length = U32BE(chunk);
      if (rc == Z_STREAM_END) {
        if (length != 0) return false;  // data after the end of the stream
        continue;
      }
      zs_.next_in = const_cast<Bytef*>(chunk + 8);
      zs_.avail_in = static_cast<uInt>(length);
      rc = inflate(&zs_, Z_NO_FLUSH);
      if (rc != Z_OK && rc != Z_STREAM_END && rc != Z_BUF_ERROR) return false;
      if (zs_.avail_in != 0) return false;  // more data than the rows, or after the end
    }
    return rc == Z_STREAM_END && zs_.total_out == bytes;
  }
  uint8_t* Rows() { return rows_.data(); }

 private:
  z_stream zs_;
  bool ready_;
  std::vector<uint8_t> rows_;
};

uint8_t Paeth(int a, int b, int c) {
  const int p = a + b - c;
  const int pa = p > a ? p - a : a - p, pb = p > b ? p - b : b - p, pc = p > c ? p - c : c - p;
  return static_cast<uint8_t>(pa <= pb && pa <= pc ? a : pb <= pc ? b : c);
}

// Undoes the filter of one row in place; `prior` is the row above, already undone
// (null for the first row). False for an unknown filter type.
bool Unfilter(uint8_t type, uint8_t* row, const uint8_t* prior, size_t bytes, size_t bpp) {
  switch (type) {
    case 0:
      return true;
    case 1:
      for (size_t i = bpp; i < bytes; ++i) row[i] = static_cast<uint8_t>(row[i] + row[i - bpp]);
      return true;
    case 2:
      if (prior)
        for (size_t i = 0; i < bytes; ++i) row[i] = static_cast<uint8_t>(row[i] + prior[i]);
      return true;
    case 3:
      for (size_t i = 0; i < bytes; ++i) {
        const int left = i >= bpp ? row[i - bpp] : 0, up = prior ? prior[i] : 0;
        row[i] = static_cast<uint8_t>(row[i] + ((left + up) >> 1));
      }
      return true;
    case 4:
      for (size_t i = 0; i < bytes; ++i) {
        const int left = i >= bpp ? row[i - bpp] : 0, up = prior ? prior[i] : 0;
        const int upLeft = prior && i >= bpp ? prior[i - bpp] : 0;
        row[i] = static_cast<uint8_t>(row[i] + Paeth(left, up, upLeft));
      }
      return true;
    default:
      return false;
  }
}

}  // namespace

TacBitmapPtr DecodePlainPng(const uint8_t* data, size_t size) {
  static const uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (!data || size < 8 + 25 + 12 || std::memcmp(data, signature, 8) != 0) return nullptr;

  // The chunks: IHDR, then at most one each of sRGB, pHYs and tIME, then IDAT
  // chunks, then IEND at the very end; every CRC right.
  std::vector<const uint8_t*> idat;
  bool header = false, srgb = false, phys = false, time = false, end = false;
  uint32_t width = 0, height = 0;
  unsigned channels = 0;
  for (size_t pos = 8; pos < size;) {
    if (end || size - pos < 12) return nullptr;
    const uint8_t* chunk = data + pos;
    const uint32_t length = U32BE(chunk);
    if (length > size - pos - 12) return nullptr;
    if (static_cast<uint32_t>(crc32(0, chunk + 4, static_cast<uInt>(length) + 4)) != U32BE(chunk + 8 + length))
      return nullptr;
    pos += 12 + static_cast<size_t>(length);
    if (!header) {
      if (!IsType(chunk, "IHDR") || length != 13) return nullptr;
      const uint8_t* h = chunk + 8;
      width = U32BE(h);
      height = U32BE(h + 4);
      if (h[8] != 8 || (h[9] != 2 && h[9] != 6) || h[10] != 0 || h[11] != 0 || h[12] != 0) return nullptr;
      channels = h[9] == 6 ? 4 : 3;
      header = true;
    } else if (IsType(chunk, "IDAT")) {
      idat.push_back(chunk);
    } else if (IsType(chunk, "IEND")) {
      if (length != 0 || idat.empty()) return nullptr;
      end = true;
    } else if (idat.empty() && IsType(chunk, "sRGB") && length == 1 && chunk[8] <= 3 && !srgb) {
      srgb = true;  // the samples are sRGB, as the reader assumes anyway
    } else if (idat.empty() && IsType(chunk, "pHYs") && length == 9 && !phys) {
      phys = true;
    } else if (idat.empty() && IsType(chunk, "tIME") && length == 7 && !time) {
      time = true;
    } else {
      return nullptr;  // anything else, and anything between IDAT chunks
    }
  }
  if (!end) return nullptr;
  if (width == 0 || height == 0 || width > static_cast<uint32_t>(MaxImageSide) ||
      height > static_cast<uint32_t>(MaxImageSide) ||
      static_cast<uint64_t>(width) * height > static_cast<uint64_t>(MaxImagePixels))
    return nullptr;

  const size_t rowBytes = static_cast<size_t>(width) * channels;
  const size_t filtered = (rowBytes + 1) * height;
  // As the general reader requires: deflate cannot expand by more than about 1032:1.
  if (filtered > static_cast<uint64_t>(size) * 1032 + 4096) return nullptr;
  static thread_local RowInflater inflater;
  if (!inflater.Inflate(idat, filtered)) return nullptr;

  TacBitmapPtr bmp = NewBitmapOrThrow(static_cast<int>(width), static_cast<int>(height), TacPixelFormat::pf32bit);
  const uint8_t* prior = nullptr;
  for (uint32_t y = 0; y < height; ++y) {
    uint8_t* row = inflater.Rows() + (rowBytes + 1) * y;
    if (!Unfilter(row[0], row + 1, prior, rowBytes, channels)) return nullptr;
    prior = row + 1;
    uint8_t* out = bmp->Row(static_cast<int>(y));
    const uint8_t* in = row + 1;
    if (channels == 4) {
      for (uint32_t x = 0; x < width; ++x, in += 4, out += 4) {
        out[0] = in[2];
        out[1] = in[1];
        out[2] = in[0];
        out[3] = in[3];
      }
    } else {
      for (uint32_t x = 0; x < width; ++x, in += 3, out += 4) {
        out[0] = in[2];
        out[1] = in[1];
        out[2] = in[0];
        out[3] = 0xFF;
      }
    }
  }
  return bmp;
}
