#include "paint/acDibBitmap.h"

#include <windows.h>

#include "paint/acGdiHandles.h"

namespace {

void ReleaseDib(void* handle, void*) {
  TacBitmapHandle::Reclaim(static_cast<HBITMAP>(handle));
}

TacBitmapPtr AllocateDib(int width, int height, TacPixelFormat format) {
  TacBitmapPtr bmp = NewDibBitmap(width, height, format);
  return bmp ? std::move(bmp) : NewMemoryBitmap(width, height, format);
}

}  // namespace

TacBitmapPtr NewDibBitmap(int width, int height, TacPixelFormat format) {
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  // GDI refuses empty sections; an empty bitmap still gets one pixel of memory.
  bi.bmiHeader.biWidth = width ? width : 1;
  bi.bmiHeader.biHeight = -(height ? height : 1);  // top-down: row step is positive
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = format == TacPixelFormat::pf24bit ? 24 : 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  TacBitmapHandle dib = NewDibSection(bi, &bits);
  if (!dib || !bits) return nullptr;
  ptrdiff_t stride = static_cast<ptrdiff_t>(TacBitmap::StrideFor(width ? width : 1, format));
  return TacBitmapPtr(new TacForeignBitmap(width, height, format, static_cast<uint8_t*>(bits), stride, dib.Release(),
                                           &ReleaseDib, nullptr));
}

void InstallDibBitmapAllocator() { SetBitmapAllocator(&AllocateDib); }
