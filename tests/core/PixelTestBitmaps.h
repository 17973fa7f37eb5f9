// Bitmaps for pixel tests: plain memory in either row order (bottom-up means a
// negative row step), with guard bytes around the buffer to catch stray writes.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "paint/acBitmap.h"

class TestBitmap {
 public:
  static constexpr size_t kGuard = 64;
  static constexpr uint8_t kGuardByte = 0xA5;

  TestBitmap(int width, int height, TacPixelFormat format, bool bottomUp = false)
      : stride_(TacBitmap::StrideFor(width, format)),
        storage_(2 * kGuard + stride_ * static_cast<size_t>(height), kGuardByte) {
    uint8_t* first = storage_.data() + kGuard;
    uint8_t* row0 = bottomUp && height > 0 ? first + stride_ * (height - 1) : first;
    ptrdiff_t step = bottomUp ? -static_cast<ptrdiff_t>(stride_) : static_cast<ptrdiff_t>(stride_);
    bmp_ = std::make_unique<TacForeignBitmap>(width, height, format, row0, step, nullptr, nullptr, nullptr);
    // Pixels start black; row padding keeps the guard pattern.
    for (int y = 0; y < height; ++y) std::memset(bmp_->Row(y), 0, static_cast<size_t>(width) * bmp_->BytesPerPixel());
  }

  TacBitmap* get() const { return bmp_.get(); }
  TacBitmap* operator->() const { return bmp_.get(); }

  // Colour value 0x00BBGGRR of a pixel.
  uint32_t Rgb(int x, int y) const {
    const uint8_t* p = bmp_->Pixel(x, y);
    return p[2] | (p[1] << 8) | (static_cast<uint32_t>(p[0]) << 16);
  }
  uint8_t Alpha(int x, int y) const { return bmp_->Pixel(x, y)[3]; }
  void Set(int x, int y, uint32_t rgb, uint8_t alpha = 0) {
    uint8_t* p = bmp_->Pixel(x, y);
    p[0] = static_cast<uint8_t>(rgb >> 16);
    p[1] = static_cast<uint8_t>(rgb >> 8);
    p[2] = static_cast<uint8_t>(rgb);
    if (bmp_->BytesPerPixel() == 4) p[3] = alpha;
  }
  void Fill(uint32_t rgb, uint8_t alpha = 0) {
    for (int y = 0; y < bmp_->Height(); ++y)
      for (int x = 0; x < bmp_->Width(); ++x) Set(x, y, rgb, alpha);
  }
  // Random pixel bytes; row padding and guards keep their pattern.
  void Randomize(std::mt19937& rng) {
    for (int y = 0; y < bmp_->Height(); ++y) {
      uint8_t* row = bmp_->Row(y);
      for (int i = 0; i < bmp_->Width() * bmp_->BytesPerPixel(); ++i) row[i] = static_cast<uint8_t>(rng());
    }
  }
  // Copies every byte (guards and padding too) of a bitmap of the same shape.
  void CopyFrom(const TestBitmap& other) {
    // Element copy: the bitmap keeps pointing into this buffer.
    if (other.storage_.size() == storage_.size()) std::memcpy(storage_.data(), other.storage_.data(), storage_.size());
  }
  // The whole buffer, guards and padding included.
  std::vector<uint8_t> Snapshot() const { return storage_; }
  bool GuardsIntact() const {
    for (size_t i = 0; i < kGuard; ++i)
      if (storage_[i] != kGuardByte || storage_[storage_.size() - 1 - i] != kGuardByte) return false;
    return true;
  }

 private:
  size_t stride_;
  std::vector<uint8_t> storage_;
  std::unique_ptr<TacForeignBitmap> bmp_;
};
