#include "paint/sGraphUtilsGdi.h"

#include "paint/acGdiScopes.h"

#include "paint/acColors.h"

namespace {

uint32_t GdiSysColor(int index) { return GetSysColor(index); }

// A solid brush that is freed on every path.
class SolidBrush {
 public:
  explicit SolidBrush(uint32_t rgb) : brush_(CreateSolidBrush(static_cast<COLORREF>(rgb))) {}
  ~SolidBrush() {
    if (brush_) DeleteObject(brush_);
  }
  SolidBrush(const SolidBrush&) = delete;
  SolidBrush& operator=(const SolidBrush&) = delete;
  HBRUSH get() const { return brush_; }

 private:
  HBRUSH brush_;
};

using SavedDcState = TacSavedDcState;

void FillStrip(HDC dc, int left, int top, int right, int bottom, HBRUSH brush) {
  RECT rc = {left, top, right, bottom};
  if (left < right && top < bottom) FillRect(dc, &rc, brush);
}

}  // namespace

void InstallGdiColorSource() { SetSysColorSource(&GdiSysColor); }

void FillSolidRect(HDC dc, const TacRect& r, uint32_t color) {
  if (!dc) return;
  SavedDcState state(dc);
  SolidBrush brush(ColorToRGB(color));
  if (!brush.get()) return;
  FillStrip(dc, r.Left, r.Top, r.Right, r.Bottom, brush.get());
}

void FillSolidFrame(HDC dc, const TacRect& r, int left, int top, int right, int bottom, uint32_t color) {
  if (!dc) return;
  SavedDcState state(dc);
  SolidBrush brush(ColorToRGB(color));
  if (!brush.get()) return;
  FillStrip(dc, r.Left, r.Top, r.Right, r.Top + top, brush.get());
  FillStrip(dc, r.Left, r.Top + top, r.Left + left, r.Bottom, brush.get());
  FillStrip(dc, r.Left + left, r.Bottom - bottom, r.Right, r.Bottom, brush.get());
  FillStrip(dc, r.Right - right, r.Top + top, r.Right, r.Bottom - bottom, brush.get());
}
