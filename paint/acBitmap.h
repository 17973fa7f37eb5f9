// In-memory device-independent bitmaps of 24 (B,G,R) or 32 (B,G,R,A) bits per pixel.
// Rows are addressed from row 0 by a signed row step, so top-down buffers and
// bottom-up GDI sections look the same to the pixel code.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

enum class TacPixelFormat : uint8_t { pf24bit, pf32bit };

class TacBitmap;
using TacBitmapPtrFwd = std::unique_ptr<TacBitmap>;

class TacBitmap {
 public:
  virtual ~TacBitmap();
  TacBitmap(const TacBitmap&) = delete;
  TacBitmap& operator=(const TacBitmap&) = delete;

  int Width() const { return width_; }
  int Height() const { return height_; }
  TacPixelFormat Format() const { return format_; }
  int BytesPerPixel() const { return format_ == TacPixelFormat::pf24bit ? 3 : 4; }
  // Signed distance in bytes from row 0 to row 1 (includes the padding to 4 bytes).
  ptrdiff_t RowStep() const { return rowStep_; }
  uint8_t* Row0() const { return row0_; }
  uint8_t* Row(int y) const { return row0_ + static_cast<ptrdiff_t>(y) * rowStep_; }
  uint8_t* Pixel(int x, int y) const { return Row(y) + static_cast<ptrdiff_t>(x) * BytesPerPixel(); }
  // The platform handle behind the pixels (an HBITMAP on Windows), or null for plain memory.
  void* Handle() const { return handle_; }

  // Bytes of one padded row.
  static size_t StrideFor(int width, TacPixelFormat format);

 protected:
  TacBitmap(int width, int height, TacPixelFormat format, uint8_t* row0, ptrdiff_t rowStep,
            void* handle);

 private:
  friend TacBitmapPtrFwd NewMemoryBitmap(int, int, TacPixelFormat);
  int width_;
  int height_;
  TacPixelFormat format_;
  uint8_t* row0_;
  ptrdiff_t rowStep_;
  void* handle_;
  std::unique_ptr<uint8_t[]> owned_;
};

using TacBitmapPtr = std::unique_ptr<TacBitmap>;

// Creates a zero-filled bitmap through the installed allocator (plain memory by
// default; the Windows layer installs one that makes GDI DIB sections).
// Sizes below 0 are treated as 0.
TacBitmapPtr NewBitmap(int width, int height, TacPixelFormat format);
inline TacBitmapPtr NewBitmap24(int width, int height) { return NewBitmap(width, height, TacPixelFormat::pf24bit); }
inline TacBitmapPtr NewBitmap32(int width, int height) { return NewBitmap(width, height, TacPixelFormat::pf32bit); }

// Plain-memory bitmap, whatever allocator is installed.
TacBitmapPtr NewMemoryBitmap(int width, int height, TacPixelFormat format);

// A bitmap that wraps pixels owned elsewhere; `release` is called with `context` on destruction.
class TacForeignBitmap : public TacBitmap {
 public:
  using ReleaseFn = void (*)(void* handle, void* context);
  TacForeignBitmap(int width, int height, TacPixelFormat format, uint8_t* row0, ptrdiff_t rowStep,
                   void* handle, ReleaseFn release, void* context)
      : TacBitmap(width, height, format, row0, rowStep, handle), release_(release), context_(context) {}
  ~TacForeignBitmap() override;

 private:
  ReleaseFn release_;
  void* context_;
};

using TacBitmapAllocator = TacBitmapPtr (*)(int width, int height, TacPixelFormat format);
// Installs the allocator NewBitmap uses; null restores plain memory. Returns the previous one.
TacBitmapAllocator SetBitmapAllocator(TacBitmapAllocator allocator);
