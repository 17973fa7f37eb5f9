#include "paint/sItemPaintGdi.h"

#include <algorithm>
#include <cstdint>

#include "paint/acDefaultSkin.h"
#include "paint/acGdiHandles.h"
#include "paint/acItemBinding.h"
#include "paint/sGraphUtilsGdi.h"
#include "paint/sItemPaint.h"
#include "skin/sSkinModel.h"

namespace {

using SavedDcState = TacSavedDcState;

}  // namespace

void CopyBitmapToDC(HDC dc, int x, int y, const TacBitmap& src, const TacRect& q0) {
  TacRect q{std::max(q0.Left, 0), std::max(q0.Top, 0), std::min(q0.Right, src.Width()),
            std::min(q0.Bottom, src.Height())};
  if (q.Left >= q.Right || q.Top >= q.Bottom) return;
  x += q.Left - q0.Left;
  y += q.Top - q0.Top;
  const int bpp = src.BytesPerPixel();
  // GDI reads padded rows; only bitmaps whose row step is exactly that can be handed over.
  const ptrdiff_t stride = static_cast<ptrdiff_t>(TacBitmap::StrideFor(src.Width(), src.Format()));
  if (src.RowStep() != stride && src.RowStep() != -stride) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = src.Width();
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = static_cast<WORD>(bpp * 8);
  info.bmiHeader.biCompression = BI_RGB;
  const bool topDown = src.RowStep() > 0;
  info.bmiHeader.biHeight = topDown ? -src.Height() : src.Height();
  const void* bits = topDown ? src.Row(0) : src.Row(src.Height() - 1);
  // SetDIBitsToDevice counts its source y from the bottom row of the DIB.
  const int ySrc = src.Height() - q.Bottom;
  SetDIBitsToDevice(dc, x, y, static_cast<DWORD>(q.Width()), static_cast<DWORD>(q.Height()), q.Left, ySrc, 0,
                    static_cast<UINT>(src.Height()), bits, &info, DIB_RGB_COLORS);
}

void PaintItemToDC(int section, const std::string& name, TacParentImage pi, const TsSkinModel* manager, HDC dc,
                   TacPoint p, const TacRect& r, int state, bool fillCentre) {
  const TsSkinModel* model = manager ? manager : DefaultSkinModel();
  if (!dc || !model || !model->IsValidSkinIndex(section)) return;
  if (r.Left < 0 || r.Top < 0 || r.Width() < 1 || r.Height() < 1) return;
  SavedDcState saved(dc);
  TacBitmapPtr item = NewMemoryBitmap(r.Width(), r.Height(), TacPixelFormat::pf24bit);
  PaintItem(section, name, pi, -1, -1, model, item.get(), p, TacRect{0, 0, r.Width(), r.Height()}, state,
            fillCentre);
  CopyBitmapToDC(dc, r.Left, r.Top, *item, TacRect{0, 0, r.Width(), r.Height()});
}

void PaintControlBorder(HDC dc, const TacRect& r, int w, int state, TacItemBinding& b) {
  const TsSkinModel* model = b.SkinModel();
  if (model && model->IsValidImgIndex(b.BorderMaskIndex())) {
    TacBitmap* cache = b.InitCacheBitmap();
    if (!cache) return;
    PaintControlBorder(cache, r, w, state, b);
    if (w == 0 || !dc) return;
    const TacRect strips[4] = {{r.Left, r.Top, r.Left + w, r.Bottom},
                               {r.Left, r.Top, r.Right, r.Top + w},
                               {r.Right - w, r.Top, r.Right, r.Bottom},
                               {r.Left, r.Bottom - w, r.Right, r.Bottom}};
    for (const TacRect& s : strips) CopyBitmapToDC(dc, s.Left, s.Top, *cache, s);
    return;
  }
  if (w != 0 && dc) FillSolidFrame(dc, r, w, w, w, w, b.GetControlColor(state));
}
