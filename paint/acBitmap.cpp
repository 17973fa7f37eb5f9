#include "paint/acBitmap.h"

#include <cstring>

namespace {
TacBitmapAllocator g_allocator = nullptr;
}

TacBitmap::TacBitmap(int width, int height, TacPixelFormat format, uint8_t* row0, ptrdiff_t rowStep,
                     void* handle)
    : width_(width), height_(height), format_(format), row0_(row0), rowStep_(rowStep), handle_(handle) {}

TacBitmap::~TacBitmap() = default;

size_t TacBitmap::StrideFor(int width, TacPixelFormat format) {
  size_t bpp = format == TacPixelFormat::pf24bit ? 3 : 4;
  return (static_cast<size_t>(width < 0 ? 0 : width) * bpp + 3) & ~static_cast<size_t>(3);
}

TacBitmapPtr NewMemoryBitmap(int width, int height, TacPixelFormat format) {
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  size_t stride = TacBitmap::StrideFor(width, format);
  size_t bytes = stride * static_cast<size_t>(height);
  std::unique_ptr<uint8_t[]> mem(new uint8_t[bytes ? bytes : 1]);
  std::memset(mem.get(), 0, bytes ? bytes : 1);
  TacBitmapPtr bmp(new TacBitmap(width, height, format, mem.get(), static_cast<ptrdiff_t>(stride), nullptr));
  bmp->owned_ = std::move(mem);
  return bmp;
}

TacBitmapPtr NewBitmap(int width, int height, TacPixelFormat format) {
  if (g_allocator) return g_allocator(width < 0 ? 0 : width, height < 0 ? 0 : height, format);
  return NewMemoryBitmap(width, height, format);
}

TacBitmapAllocator SetBitmapAllocator(TacBitmapAllocator allocator) {
  TacBitmapAllocator previous = g_allocator;
  g_allocator = allocator;
  return previous;
}

TacForeignBitmap::~TacForeignBitmap() {
  if (release_) release_(Handle(), context_);
}
