#include "paint/sGraphUtilsGdi.h"

#include "paint/acGdiHandles.h"

#include "paint/acColors.h"

namespace {

uint32_t GdiSysColor(int index) { return GetSysColor(index); }

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
  const TacBrushHandle brush = NewSolidBrush(ColorToRGB(color));
  if (!brush) return;
  FillStrip(dc, r.Left, r.Top, r.Right, r.Bottom, brush.Get());
}

void FillSolidFrame(HDC dc, const TacRect& r, int left, int top, int right, int bottom, uint32_t color) {
  if (!dc) return;
  SavedDcState state(dc);
  const TacBrushHandle brush = NewSolidBrush(ColorToRGB(color));
  if (!brush) return;
  FillStrip(dc, r.Left, r.Top, r.Right, r.Top + top, brush.Get());
  FillStrip(dc, r.Left, r.Top + top, r.Left + left, r.Bottom, brush.Get());
  FillStrip(dc, r.Left + left, r.Bottom - bottom, r.Right, r.Bottom, brush.Get());
  FillStrip(dc, r.Right - right, r.Top + top, r.Right, r.Bottom - bottom, brush.Get());
}
