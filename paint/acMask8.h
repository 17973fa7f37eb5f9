// 8-bit single-channel bitmaps: one byte per pixel, rows addressed from row 0 by
// a signed row step (padded to 4 bytes). The glow of skinned text is rendered
// into one (255 untouched, lower values pull toward the glow colour).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

class TacMask8 {
 public:
  using ReleaseFn = void (*)(void* handle);
  // Pixels owned elsewhere; `release` (may be null) gets `handle` on destruction.
  TacMask8(int width, int height, uint8_t* row0, ptrdiff_t rowStep, void* handle, ReleaseFn release);
  ~TacMask8();
  TacMask8(const TacMask8&) = delete;
  TacMask8& operator=(const TacMask8&) = delete;

  int Width() const { return width_; }
  int Height() const { return height_; }
  ptrdiff_t RowStep() const { return rowStep_; }
  uint8_t* Row(int y) const { return row0_ + static_cast<ptrdiff_t>(y) * rowStep_; }
  uint8_t* Pixel(int x, int y) const { return Row(y) + x; }
  // The platform handle behind the bytes (an HBITMAP on Windows), or null for plain memory.
  void* Handle() const { return handle_; }

  void Fill(uint8_t value);

  // Bytes of one padded row.
  static size_t StrideFor(int width) { return (static_cast<size_t>(width < 0 ? 0 : width) + 3) & ~size_t{3}; }

 private:
  friend std::unique_ptr<TacMask8> NewMemoryMask8(int, int);
  int width_;
  int height_;
  uint8_t* row0_;
  ptrdiff_t rowStep_;
  void* handle_;
  ReleaseFn release_;
  std::unique_ptr<uint8_t[]> owned_;
};

using TacMask8Ptr = std::unique_ptr<TacMask8>;

// A zero-filled mask in plain memory, top-down. Sizes below 0 are taken as 0.
TacMask8Ptr NewMemoryMask8(int width, int height);
