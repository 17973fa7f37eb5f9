#include "menus/acPopupBackground.h"

#include "frame/acFrameRegion.h"
#include "paint/acBlockCopy.h"
#include "paint/acColors.h"
#include "paint/acRegion.h"
#include "paint/sBorderMask.h"
#include "paint/sItemPaint.h"
#include "skin/sSkinModel.h"

namespace {

// Paints section `name` into a new bitmap of w x h over `behind` at `at`, copied to
// (x, y) of B; the bitmap is handed to `more` before the copy.
void PaintStrip(const TsSkinModel& skin, int section, const std::string& name, TacBitmap& b, int x, int y, int w,
                int h, const std::function<void(TacBitmap&)>& more = {}) {
  if (w <= 0 || h <= 0) return;
  TacBitmapPtr strip = NewBitmap24(w, h);
  if (!strip) return;
  PaintItem(section, name, ParentImageFromBitmap(&b, 0, 0), -1, -1, &skin, strip.get(), TacPoint{x, y},
            TacRect{0, 0, w, h}, 0, true);
  if (more) more(*strip);
  CopyBitmapRect(&b, x, y, strip.get(), TacRect{0, 0, w, h});
}

}  // namespace

TacPopupBackgroundImage ComposePopupBackground(const TsSkinModel& skin, const TacPopupBackgroundInput& in,
                                               const TacExtraLineText& extraLineText) {
  TacPopupBackgroundImage out;
  out.Bitmap = NewBitmap24(in.Width, in.Height);
  TacBitmap* b = out.Bitmap.get();
  const int menu = skin.GetSkinIndex("MAINMENU");
  if (!b || !skin.IsValidSkinIndex(menu)) return out;
  const TacRect whole{0, 0, in.Width, in.Height};
  ComposeItem(menu, "MAINMENU", ParentImageFromColor(TransparentKey), 0, whole, TacPoint{0, 0}, b, &skin, -1, -1,
              TransparentKey);

  const int sbw = in.SkinBorderWidth;
  const int icoLine = skin.GetSkinIndex(in.IcoLineSkin);
  if (skin.IsValidSkinIndex(icoLine))
    PaintStrip(skin, icoLine, in.IcoLineSkin, *b, in.ExtraLineWidth + sbw, sbw, in.IconLineWidth, in.Height - 2 * sbw);

  const int border = skin.Sections[static_cast<size_t>(menu)].BorderIndex;
  const TsMaskData* mask = skin.IsValidImgIndex(border) ? &skin.Masks[static_cast<size_t>(border)] : nullptr;
  if (mask) DrawBorderMask(b, whole, false, true, 0, *mask, ParentImageFromBitmap(b, 0, 0));

  const int extra = skin.GetSkinIndex(in.ExtraLineSkin);
  if (in.ExtraLineWidth > 0 && skin.IsValidSkinIndex(extra))
    PaintStrip(skin, extra, in.ExtraLineSkin, *b, sbw, sbw, in.ExtraLineWidth, in.Height - 2 * sbw,
               [&](TacBitmap& e) {
                 if (extraLineText) extraLineText(e, extra);
               });

  if (mask) {
    TacCornerMask corners;
    corners.Mask = mask;
    corners.Image = mask->Bmp ? mask->Bmp.get() : skin.MasterBitmap.get();
    out.RegionRects = BuildRegionRects(corners, TacCornerMask(), in.Width, in.Height);
  }
  return out;
}

std::vector<TacRect> PopupRegionKeptRects(int width, int height, const std::vector<TacRect>& cut) {
  TacRegion region(TacRect{0, 0, width, height});
  for (const TacRect& r : cut) region.SubtractRect(r);
  return region.Rects();
}
