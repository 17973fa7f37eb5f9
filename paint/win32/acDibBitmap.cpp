#include "paint/acDibBitmap.h"

#include <windows.h>

#include <memory>
#include <optional>

#include "paint/acGdiHandles.h"

namespace {

// A DIB section that keeps a memory DC for drawing into it; the DC lets go of the
// bitmap and goes before the bitmap is freed.
class TacDibBitmap : public TacForeignBitmap {
 public:
  using TacForeignBitmap::TacForeignBitmap;
  ~TacDibBitmap() override {
    selected_.reset();
    dc_.reset();
  }
  HDC KeptDC() {
    if (dc_) return dc_->Get();
    auto dc = std::make_unique<TacMemoryDC>(nullptr);
    if (!*dc) return nullptr;
    selected_.emplace(dc->Get(), static_cast<HBITMAP>(Handle()));
    if (!selected_->Previous()) {
      selected_.reset();
      return nullptr;
    }
    dc_ = std::move(dc);
    return dc_->Get();
  }

 private:
  std::unique_ptr<TacMemoryDC> dc_;
  std::optional<TacSelectObject> selected_;
};

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
  return TacBitmapPtr(new TacDibBitmap(width, height, format, static_cast<uint8_t*>(bits), stride, dib.Release(),
                                           &ReleaseDib, nullptr));
}

void InstallDibBitmapAllocator() { SetBitmapAllocator(&AllocateDib); }

HDC KeptBitmapDC(TacBitmap& bitmap) {
  auto* dib = dynamic_cast<TacDibBitmap*>(&bitmap);
  return dib ? dib->KeptDC() : nullptr;
}
