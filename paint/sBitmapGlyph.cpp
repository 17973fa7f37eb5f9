#include "paint/sBitmapGlyph.h"

#include <algorithm>

#include "paint/acBlockCopy.h"
#include "paint/acPixelOps.h"
#include "paint/sAlphaGraph.h"
#include "paint/sMaskPieces.h"

namespace {

TacBitmapPtr Copy24(const TacBitmap* g) {
  TacBitmapPtr c = NewMemoryBitmap(g->Width(), g->Height(), TacPixelFormat::pf24bit);
  CopyBitmapRect(c.get(), 0, 0, g, TacRect{0, 0, g->Width(), g->Height()});
  return c;
}

uint32_t BottomLeft(const TacBitmap* b, int x) { return PixelRgb(b->Pixel(x, b->Height() - 1)); }

}  // namespace

void DrawBitmapGlyph(const TacBitmap* glyph, TacBitmap* dst, const TacRect& r, const TacGlyphDraw& how) {
  if (!glyph || !dst || glyph->Width() <= 0 || glyph->Height() <= 0 || how.GlyphCount < 1) return;
  const double x = how.Blend / 100.0;
  // The blended copies take the glyph's size within r (inclusive rectangles).
  const TacRect whole{0, 0, std::min(r.Width(), glyph->Width()) - 1, std::min(r.Height(), glyph->Height()) - 1};
  if (how.GlyphCount == 1) {
    TacBitmapPtr e = Copy24(glyph);
    uint32_t k = BottomLeft(e.get(), 0);
    if (how.Enabled) {
      if (how.State == 0 && how.Blend > 0)
        CopyBlendedRect(dst, r.Left, r.Top, k, x, whole, e.get());
      else
        CopyKeyedImage(dst, e.get(), r.Left, r.Top, k);
      return;
    }
    if (how.DisabledKind & dgGrayed) {
      MakeGrey(e.get());
      k = BottomLeft(e.get(), 0);
    }
    if (how.DisabledKind & dgBlended)
      CopyBlendedRect(dst, r.Left, r.Top, k, 0.5, whole, e.get());
    else
      CopyKeyedImage(dst, e.get(), r.Left, r.Top, k);
    return;
  }
  TacBitmapPtr c = Copy24(glyph);
  const int n = how.GlyphCount;
  int f = 0;
  if (how.Enabled && how.State == 1) {
    f = how.FourBitGlyph ? 0 : 1;
  } else if (how.Enabled && how.State == 2) {
    const int down = (how.Down ? 1 : 0) + 2;
    f = down < n ? down : how.FourBitGlyph ? 0 : std::min(n - 1, 1);
  }
  const int fw = c->Width() / n;
  if (fw <= 0) return;
  const TacRect frame{f * fw, 0, (f + 1) * fw - 1, c->Height() - 1};
  if (how.Enabled)
    CopyKeyed(dst, c.get(), r.Left, r.Top, BottomLeft(c.get(), f * fw), frame);
  else if (how.State == 0 && how.Blend > 0)
    CopyBlendedRect(dst, r.Left, r.Top, BottomLeft(c.get(), 0), x, frame, c.get());
  else
    CopyKeyed(dst, c.get(), r.Left, r.Top, BottomLeft(c.get(), 0), frame);
}
