// The string pool of compiled Android resources (binary XML and resource tables):
// UTF-8 or UTF-16 strings, handed out as UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class ResStringPool {
 public:
  // chunk: the whole pool chunk, header included. False when it is damaged; strings
  // whose own bytes are damaged read as empty rather than failing the pool.
  bool Parse(std::string_view chunk);

  size_t Size() const { return strings_.size(); }
  // Empty for an index outside the pool (0xFFFFFFFF means "no string").
  const std::string& At(uint32_t index) const;

 private:
  std::vector<std::string> strings_;
};

// Appends a code point as UTF-8; invalid ones become U+FFFD.
void AppendUtf8(uint32_t codePoint, std::string& out);
