// Bounds-checked little-endian reads over bytes we do not trust.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

class ByteView {
 public:
  ByteView() = default;
  explicit ByteView(std::string_view bytes) : bytes_(bytes) {}

  size_t size() const { return bytes_.size(); }
  std::string_view bytes() const { return bytes_; }
  bool Has(uint64_t at, uint64_t count) const { return at <= bytes_.size() && count <= bytes_.size() - at; }

  // Out-of-range reads give 0; callers check Has() where a short read matters.
  uint8_t U8(uint64_t at) const { return Has(at, 1) ? static_cast<uint8_t>(bytes_[at]) : 0; }
  uint16_t U16(uint64_t at) const {
    return Has(at, 2) ? static_cast<uint16_t>(U8(at) | U8(at + 1) << 8) : 0;
  }
  uint32_t U32(uint64_t at) const {
    return Has(at, 4) ? static_cast<uint32_t>(U16(at)) | static_cast<uint32_t>(U16(at + 2)) << 16 : 0;
  }
  uint64_t U64(uint64_t at) const {
    return Has(at, 8) ? static_cast<uint64_t>(U32(at)) | static_cast<uint64_t>(U32(at + 4)) << 32 : 0;
  }
  // The sub-range [at, at + count); empty when it does not lie inside.
  ByteView Sub(uint64_t at, uint64_t count) const {
    return Has(at, count) ? ByteView(bytes_.substr(at, count)) : ByteView();
  }

 private:
  std::string_view bytes_;
};
