#include "frame/acBorderImage.h"

#include <algorithm>

#include "paint/sNinePartImage.h"

namespace {

bool Is32(const TacBitmap* b) { return b && b->Format() == TacPixelFormat::pf32bit && b->Width() > 0 && b->Height() > 0; }

constexpr TacEdges kStretch{npStretch, npStretch, npStretch, npStretch};

TacEdges Edges(const TacRect& r) { return TacEdges{r.Left, r.Top, r.Right, r.Bottom}; }

bool IsKey(const TacBitmap& image, int x, int y) {
  const uint8_t* p = image.Pixel(x, y);
  return p[0] == 0xFF && p[1] == 0x00 && p[2] == 0xFF;
}

// One corner area: `w` x `h` pixels at (cx, cy) of the cache, tested against the mask
// pixels from (mx, my) of the mask image, replaced from the border image pixels from
// (ix, iy).
void FillCorner(TacBitmap* cache, const TacBitmap* image, const TacBitmap& maskImage, int w, int h, int cx, int cy,
                int mx, int my, int ix, int iy) {
  for (int j = 0; j < h; ++j) {
    const int y = cy + j, sy = iy + j, kmy = my + j;
    if (y < 0 || y >= cache->Height() || sy < 0 || sy >= image->Height() || kmy < 0 || kmy >= maskImage.Height())
      continue;
    for (int i = 0; i < w; ++i) {
      const int x = cx + i, sx = ix + i, kmx = mx + i;
      if (x < 0 || x >= cache->Width() || sx < 0 || sx >= image->Width() || kmx < 0 || kmx >= maskImage.Width())
        continue;
      if (!IsKey(maskImage, kmx, kmy)) continue;
      const uint8_t* s = image->Pixel(sx, sy);
      uint8_t* d = cache->Pixel(x, y);
      d[0] = s[0];
      d[1] = s[1];
      d[2] = s[2];
      d[3] = s[3];
    }
  }
}

}  // namespace

void ComposeShadowRing(TacBitmap* cache, const TacBitmap* image, const TacRect& ext, int formOffset) {
  if (!Is32(cache) || !Is32(image)) return;
  const TacRect margins{ext.Left + formOffset, ext.Top + formOffset, ext.Right + formOffset, ext.Bottom + formOffset};
  DrawNinePartImage(cache, image, TacRect{0, 0, cache->Width(), cache->Height()},
                    TacRect{0, 0, image->Width(), image->Height()}, Edges(margins), Edges(ext), kStretch, -1, false);
}

void FillCutCornersFromBorder(TacBitmap* cache, const TacBitmap* image, const TacRect& frame, const TacCornerMask& top,
                              const TacCornerMask& bottom, bool limitTopLeft) {
  if (!Is32(cache) || !Is32(image)) return;
  // A cache pixel at (x, y) takes the image pixel a corner of the nine-part drawing
  // put there: left and top corners from the image's start, right and bottom ones
  // from its end.
  const int dx = image->Width() - cache->Width(), dy = image->Height() - cache->Height();
  if (top.Mask && top.Image) {
    const TsMaskData& m = *top.Mask;
    const int fw = MaskFrameWidth(m);
    int wl = std::min(MaskMarginLeft(m), fw), wt = std::min(MaskMarginTop(m), MaskFrameHeight(m));
    const int wr = std::min(MaskMarginRight(m), fw);
    const int wtRight = wt;
    if (limitTopLeft) {
      wl = std::min(wl, 8);
      wt = std::min(wt, 8);
    }
    FillCorner(cache, image, *top.Image, wl, wt, frame.Left, frame.Top, m.R.Left, m.R.Top, frame.Left, frame.Top);
    FillCorner(cache, image, *top.Image, wr, wtRight, frame.Right - wr, frame.Top, m.R.Left + fw - wr, m.R.Top,
               frame.Right - wr + dx, frame.Top);
  }
  if (bottom.Mask && bottom.Image) {
    const TsMaskData& m = *bottom.Mask;
    const int fw = MaskFrameWidth(m), fh = MaskFrameHeight(m);
    const int wl = std::min(MaskMarginLeft(m), fw), wr = std::min(MaskMarginRight(m), fw);
    const int wb = std::min(MaskMarginBottom(m), fh);
    const int my = m.R.Top + fh - wb;
    FillCorner(cache, image, *bottom.Image, wl, wb, frame.Left, frame.Bottom - wb, m.R.Left, my, frame.Left,
               frame.Bottom - wb + dy);
    FillCorner(cache, image, *bottom.Image, wr, wb, frame.Right - wr, frame.Bottom - wb, m.R.Left + fw - wr, my,
               frame.Right - wr + dx, frame.Bottom - wb + dy);
  }
}

void ComposeCentredBorder(TacBitmap* cache, const TacBitmap* image, const TacCentredBorderLayout& layout) {
  if (!Is32(cache) || !Is32(image)) return;
  DrawNinePartImage(cache, image, TacRect{0, 0, cache->Width(), cache->Height()},
                    TacRect{0, 0, image->Width(), image->Height()}, Edges(layout.Margins), Edges(layout.Insets),
                    kStretch, -1, false);
}

void RestoreAlphaWhereChanged(TacBitmap* cache, const TacBitmap& before, int rows) {
  if (!Is32(cache) || before.Format() != TacPixelFormat::pf32bit) return;
  const int h = std::min({rows, cache->Height(), before.Height()});
  const int w = std::min(cache->Width(), before.Width());
  for (int y = 0; y < h; ++y) {
    uint8_t* d = cache->Row(y);
    const uint8_t* s = before.Row(y);
    for (int x = 0; x < w; ++x, d += 4, s += 4)
      if (d[0] != s[0] || d[1] != s[1] || d[2] != s[2]) d[3] = s[3];
  }
}
