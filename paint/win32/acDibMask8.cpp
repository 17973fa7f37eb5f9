#include "paint/acDibMask8.h"

#include <windows.h>

#include "paint/acGdiHandles.h"

namespace {

void ReleaseDib(void* handle) {
  TacBitmapHandle::Reclaim(static_cast<HBITMAP>(handle));
}

struct GreyBitmapInfo {
  BITMAPINFOHEADER Header;
  RGBQUAD Palette[256];
};

}  // namespace

TacMask8Ptr NewDibMask8(int width, int height) {
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  GreyBitmapInfo bi = {};
  bi.Header.biSize = sizeof(BITMAPINFOHEADER);
  // GDI refuses empty sections; an empty mask still gets one pixel of memory.
  bi.Header.biWidth = width ? width : 1;
  bi.Header.biHeight = -(height ? height : 1);  // top-down: row step is positive
  bi.Header.biPlanes = 1;
  bi.Header.biBitCount = 8;
  bi.Header.biCompression = BI_RGB;
  bi.Header.biClrUsed = 256;
  for (int i = 0; i < 256; ++i) {
    const BYTE v = static_cast<BYTE>(i);
    bi.Palette[i] = RGBQUAD{v, v, v, 0};
  }
  void* bits = nullptr;
  TacBitmapHandle dib = NewDibSection(*reinterpret_cast<const BITMAPINFO*>(&bi), &bits);
  if (!dib || !bits) return nullptr;
  const ptrdiff_t stride = static_cast<ptrdiff_t>(TacMask8::StrideFor(width ? width : 1));
  return TacMask8Ptr(new TacMask8(width, height, static_cast<uint8_t*>(bits), stride, dib.Release(), &ReleaseDib));
}
