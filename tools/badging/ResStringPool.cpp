#include "tools/badging/ResStringPool.h"

#include "tools/badging/ByteView.h"

namespace {

constexpr uint16_t kStringPoolType = 0x0001;
constexpr uint32_t kUtf8Flag = 0x100;

bool DecodeUtf16(const ByteView& data, uint64_t at, std::string& out) {
  uint64_t length = data.U16(at);
  at += 2;
  if (length & 0x8000) {
    length = (length & 0x7FFF) << 16 | data.U16(at);
    at += 2;
  }
  if (!data.Has(at, length * 2)) return false;
  out.reserve(static_cast<size_t>(length));
  for (uint64_t i = 0; i < length; ++i) {
    uint32_t unit = data.U16(at + 2 * i);
    if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < length) {
      const uint32_t low = data.U16(at + 2 * (i + 1));
      if (low >= 0xDC00 && low < 0xE000) {
        unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
        ++i;
      }
    }
    AppendUtf8(unit, out);
  }
  return true;
}

// UTF-8 strings carry two lengths (UTF-16 units, then bytes), each one or two bytes long.
uint64_t Utf8Length(const ByteView& data, uint64_t& at) {
  uint64_t length = data.U8(at++);
  if (length & 0x80) length = (length & 0x7F) << 8 | data.U8(at++);
  return length;
}

bool DecodeUtf8(const ByteView& data, uint64_t at, std::string& out) {
  Utf8Length(data, at);
  const uint64_t bytes = Utf8Length(data, at);
  if (!data.Has(at, bytes)) return false;
  out.assign(data.bytes().substr(at, bytes));
  return true;
}

}  // namespace

void AppendUtf8(uint32_t c, std::string& out) {
  if ((c >= 0xD800 && c < 0xE000) || c > 0x10FFFF) c = 0xFFFD;
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | c >> 6);
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | c >> 12);
    out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | c >> 18);
    out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

bool ResStringPool::Parse(std::string_view bytes) {
  count_ = 0;
  const ByteView chunk(bytes);
  const uint16_t headerSize = chunk.U16(2);
  const uint32_t size = chunk.U32(4);
  if (chunk.U16(0) != kStringPoolType || headerSize < 28 || size < headerSize || size > chunk.size()) return false;
  const uint32_t count = chunk.U32(8);
  const uint32_t stringsStart = chunk.U32(20);
  if (!chunk.Has(headerSize, uint64_t(count) * 4) || stringsStart > size) return false;
  chunk_ = bytes;
  headerSize_ = headerSize;
  utf8_ = (chunk.U32(16) & kUtf8Flag) != 0;
  data_ = bytes.substr(stringsStart, size - stringsStart);
  count_ = count;
  return true;
}

std::string ResStringPool::At(uint32_t index) const {
  std::string s;
  if (index >= count_) return s;
  const uint32_t offset = ByteView(chunk_).U32(headerSize_ + uint64_t(index) * 4);
  const ByteView data(data_);
  const bool ok = utf8_ ? DecodeUtf8(data, offset, s) : DecodeUtf16(data, offset, s);
  if (!ok) s.clear();
  return s;
}
