// The string pool of compiled Android resources (binary XML and resource tables):
// UTF-8 or UTF-16 strings, handed out as UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class ResStringPool {
 public:
  // chunk: the whole pool chunk, header included, which must outlive this object.
  // False when it is damaged; strings
  // whose own bytes are damaged read as empty rather than failing the pool.
  bool Parse(std::string_view chunk);

  size_t Size() const { return count_; }
  // Empty for an index outside the pool (0xFFFFFFFF means "no string"). Decoded on
  // each call: a table's pool holds a hundred thousand strings, of which few are read.
  std::string At(uint32_t index) const;

 private:
  std::string_view chunk_;
  uint32_t count_ = 0;
  uint16_t headerSize_ = 0;
  bool utf8_ = false;
  std::string_view data_;
};

// Appends a code point as UTF-8; invalid ones become U+FFFD.
void AppendUtf8(uint32_t codePoint, std::string& out);
