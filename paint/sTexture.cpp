#include "paint/sTexture.h"

#include <algorithm>

#include "paint/acBlockCopy.h"
#include "paint/acPixelOps.h"
#include "paint/acStretch.h"
#include "paint/sAlphaGraph.h"
#include "paint/sGraphUtils.h"
#include "skin/sSkinModel.h"

namespace {

const TacBitmap* MasterOf(const TsMaskData& t) {
  return t.Manager && t.Manager->MasterBitmap ? t.Manager->MasterBitmap.get() : nullptr;
}

TacRect Intersect(const TacRect& a, const TacRect& b) {
  return TacRect{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
                 std::min(a.Bottom, b.Bottom)};
}

// Copies a w x h block of src at (sx, sy) to (x, y), cut to the clip rectangle.
void CopyClipped(TacBitmap* dst, const TacRect& clip, int x, int y, const TacBitmap* src, int sx, int sy, int w,
                 int h) {
  const TacRect block = Intersect(clip, TacRect{x, y, x + w, y + h});
  if (block.Left >= block.Right || block.Top >= block.Bottom) return;
  CopyBitmapRect(dst, block.Left, block.Top, src,
                 TacRect{sx + block.Left - x, sy + block.Top - y, sx + block.Right - x, sy + block.Bottom - y});
}

// Tiles the w x h block of src at (sx, sy) over r, from its top-left, the last
// column and row cut.
void TileBlock(TacBitmap* dst, const TacRect& r, const TacBitmap* src, int sx, int sy, int w, int h) {
  if (w <= 0 || h <= 0) return;
  TileBitmapRect(dst, r, src, TacRect{sx, sy, sx + w, sy + h});
}

void FillFromParent(TacBitmap* bmp, const TacRect& r, const TacParentImage& pi) {
  if (r.Left >= r.Right || r.Top >= r.Bottom) return;
  if (pi.HasImage && pi.Image) {
    CopyBitmapRect(bmp, r.Left, r.Top, pi.Image,
                   TacRect{r.Left + pi.X, r.Top + pi.Y, r.Right + pi.X, r.Bottom + pi.Y});
  } else if (bmp->Format() == TacPixelFormat::pf32bit) {
    FillOpaque32(bmp, r, pi.FillColor);
  } else {
    FillSolidRect(bmp, r, pi.FillColor);
  }
}

}  // namespace

void TileImage(TacBitmap* surface, const TacRect& r, const TacBitmap* image) {
  if (!surface || !image || image->Width() <= 0 || image->Height() <= 0) return;
  TileBlock(surface, r, image, 0, 0, image->Width(), image->Height());
}

void DrawTexture(TacBitmap* surface, TacRect& r, const TacBitmap* image, int mode, const TsMaskData& t) {
  if (!surface) return;
  if (image && image->Width() > 0 && image->Height() > 0) {
    TileImage(surface, r, image);
    r = NoRect;
    return;
  }
  const TacBitmap* master = MasterOf(t);
  if (!master) return;
  const int sx = t.R.Left, sy = t.R.Top, w = t.R.Width(), h = t.R.Height();
  if (w <= 0 || h <= 0) return;
  const TacRect whole = r;
  switch (mode) {
    case 0:
      TileBlock(surface, whole, master, sx, sy, w, h);
      r = NoRect;
      break;
    case 1:
      StretchNearest(surface, whole, master, t.R);
      r = NoRect;
      break;
    case 2:
      TileBlock(surface, Intersect(whole, TacRect{r.Left, r.Top, r.Right, r.Top + h}), master, sx, sy, w, h);
      r.Top += h;
      break;
    case 3:
      TileBlock(surface, Intersect(whole, TacRect{r.Left, r.Top, r.Left + w, r.Bottom}), master, sx, sy, w, h);
      r.Left += w;
      break;
    case 4: {
      const TacRect strip{r.Left, r.Top, r.Right, r.Top + h};
      const TacRect visible = Intersect(whole, strip);
      // Stretch over the whole strip width, cut to r when r is lower than the tile.
      if (visible.Bottom == strip.Bottom) StretchNearest(surface, strip, master, t.R);
      else StretchNearest(surface, visible, master, TacRect{sx, sy, sx + w, sy + visible.Height()});
      r.Top += h;
      break;
    }
    case 5: {
      const TacRect strip{r.Left, r.Top, r.Left + w, r.Bottom};
      const TacRect visible = Intersect(whole, strip);
      if (visible.Right == strip.Right) StretchNearest(surface, strip, master, t.R);
      else StretchNearest(surface, visible, master, TacRect{sx, sy, sx + visible.Width(), sy + h});
      r.Left += w;
      break;
    }
    case 6: {
      // Whole tiles from the bottom edge up; a rectangle lower than the tile
      // shows the tile's lower rows.
      const TacRect strip = Intersect(whole, TacRect{r.Left, r.Bottom - h, r.Right, r.Bottom});
      for (int64_t x = r.Left; x < r.Right; x += w)
        CopyClipped(surface, strip, static_cast<int>(x), r.Bottom - h, master, sx, sy, w, h);
      r.Bottom -= h;
      break;
    }
    case 7: {
      const TacRect strip = Intersect(whole, TacRect{r.Right - w, r.Top, r.Right, r.Bottom});
      for (int64_t y = r.Top; y < r.Bottom; y += h)
        CopyClipped(surface, strip, r.Right - w, static_cast<int>(y), master, sx, sy, w, h);
      r.Right -= w;
      break;
    }
    case 10: {
      // Columns while column + w < Right, then one more cut at Right; rows of
      // whole tiles only while row + h < Bottom.
      int64_t x = r.Left;
      auto column = [&](int64_t cx) {
        for (int64_t y = r.Top; y + h < r.Bottom; y += h)
          CopyClipped(surface, whole, static_cast<int>(cx), static_cast<int>(y), master, sx, sy, w, h);
      };
      for (; x + w < r.Right; x += w) column(x);
      if (x < r.Right) column(x);
      r = NoRect;
      break;
    }
    default:
      break;
  }
}

void DrawMaskedTile(const TacRect& d, const TacRect& s, TacBitmap* bmp, const TsMaskData& t,
                    const TacParentImage& pi) {
  const TacBitmap* master = MasterOf(t);
  if (!bmp || !master) return;
  const int half = t.R.Height() / 2;
  int64_t dx = d.Left, dy = d.Top, sx = s.Left, sy = s.Top;
  int64_t w = std::min<int64_t>(static_cast<int64_t>(d.Right) - d.Left, static_cast<int64_t>(s.Right) - s.Left);
  int64_t h = std::min<int64_t>(static_cast<int64_t>(d.Bottom) - d.Top, static_cast<int64_t>(s.Bottom) - s.Top);
  int64_t cut = std::max<int64_t>({0, -dx, -sx});
  dx += cut, sx += cut, w -= cut;
  cut = std::max<int64_t>({0, -dy, -sy});
  dy += cut, sy += cut, h -= cut;
  w = std::min<int64_t>({w, bmp->Width() - dx, master->Width() - sx});
  // The mask rows must lie inside the master bitmap as well.
  h = std::min<int64_t>({h, bmp->Height() - dy, master->Height() - sy - half});
  if (w <= 0 || h <= 0 || half <= 0) return;

  const int dbpp = bmp->BytesPerPixel(), sbpp = master->BytesPerPixel();
  const bool parentImage = pi.HasImage && pi.Image;
  const bool fill = !parentImage && pi.FillColor != TransparentKey;
  const uint32_t fillRgb = ColorToRGB(pi.FillColor);
  for (int64_t j = 0; j < h; ++j) {
    uint8_t* p = bmp->Pixel(static_cast<int>(dx), static_cast<int>(dy + j));
    const uint8_t* c = master->Pixel(static_cast<int>(sx), static_cast<int>(sy + j));
    const uint8_t* m = master->Pixel(static_cast<int>(sx), static_cast<int>(sy + j + half));
    for (int64_t i = 0; i < w; ++i, p += dbpp, c += sbpp, m += sbpp) {
      if (!IsKeyPixel(c)) {
        for (int k = 0; k < 3; ++k) p[k] = MaskMix(p[k], c[k], m[k]);
        if (dbpp == 4) p[3] = 255;
      } else if (parentImage) {
        const int64_t px = dx + i + pi.X, py = dy + j + pi.Y;
        if (!InBitmap(pi.Image, px, py)) continue;
        PutRgb(p, PixelRgb(pi.Image->Pixel(static_cast<int>(px), static_cast<int>(py))));
        if (dbpp == 4) p[3] = 255;
      } else if (fill) {
        PutRgb(p, fillRgb);
        if (dbpp == 4) p[3] = 255;
      }
    }
  }
}

void DrawMaskedTexture(TacBitmap* bmp, TacRect& r, const TacParentImage& pi, int mode, const TsMaskData& t) {
  if (!bmp || !MasterOf(t) || t.ImageCount <= 0) return;
  if (mode != 0 && mode != 10) return;
  const int w = t.R.Width() / t.ImageCount, h = t.R.Height() / 2;
  // A tile without width or height cannot advance the loops.
  if (w <= 0 || h <= 0) return;
  const TacRect src{t.R.Left, t.R.Top, t.R.Left + w, t.R.Top + h};
  int64_t x = r.Left, yEnd = r.Top;
  for (; x < static_cast<int64_t>(r.Right) - w; x += w) {
    int64_t y = r.Top;
    for (; y < static_cast<int64_t>(r.Bottom) - h; y += h)
      DrawMaskedTile(TacRect{static_cast<int>(x), static_cast<int>(y), static_cast<int>(x + w), static_cast<int>(y + h)},
                     src, bmp, t, pi);
    yEnd = y;
  }
  if (mode == 0) {
    for (int64_t y = r.Top; y < static_cast<int64_t>(r.Bottom) - h; y += h)
      DrawMaskedTile(TacRect{static_cast<int>(x), static_cast<int>(y), r.Right, static_cast<int>(y + h)}, src, bmp,
                     t, pi);
  } else {
    // What the whole tiles left uncovered shows the parent.
    FillFromParent(bmp, TacRect{r.Left, static_cast<int>(yEnd), r.Right, r.Bottom}, pi);
    FillFromParent(bmp, TacRect{static_cast<int>(x), r.Top, r.Right, static_cast<int>(yEnd)}, pi);
  }
  r = NoRect;
}
