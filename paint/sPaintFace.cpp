#include "paint/sPaintFace.h"

#include "paint/sAlphaGraph.h"
#include "paint/sGradient.h"
#include "paint/sGraphUtils.h"
#include "paint/sTexture.h"
#include "skin/sSkinModel.h"

namespace {

void FillColor(TacBitmap* p, const TacRect& r, uint32_t color) {
  if (p->Format() == TacPixelFormat::pf32bit)
    FillOpaque32(p, r, color);
  else
    FillSolidRect(p, r, color);
}

// The gradient, or the plain colour when the section has no gradient pieces.
void GradientOrColor(TacBitmap* p, const TacRect& r, const TacFace& face) {
  if (face.Gradient && !face.Gradient->empty())
    PaintGradient(p, r, *face.Gradient);
  else
    FillColor(p, r, face.Color);
}

}  // namespace

void PaintFace(TacBitmap* p, const TacRect& r, const TacFace& face, const TacParentImage& pi) {
  if (!p || r.Left >= r.Right || r.Top >= r.Bottom) return;
  const int gp = face.GradientPercent, ip = face.ImagePercent;
  TacRect rest = r;
  bool textured = false;
  if (ip > 0) {
    const TacTextureSource& t = face.Texture;
    const TsSkinModel* model = t.Model;
    if (model && t.Type == TacTextureSource::Kind::Pattern && t.Index >= 0 &&
        static_cast<size_t>(t.Index) < model->Patterns.size()) {
      DrawTexture(p, rest, model->Patterns[static_cast<size_t>(t.Index)].Img.get(), 0, TsMaskData());
      textured = true;
    } else if (model && t.Type == TacTextureSource::Kind::Mask && model->IsValidImgIndex(t.Index)) {
      const TsMaskData& mask = model->Masks[static_cast<size_t>(t.Index)];
      if (mask.MaskType != 0)
        DrawMaskedTexture(p, rest, pi, mask.DrawMode, mask);
      else
        DrawTexture(p, rest, mask.Bmp.get(), mask.DrawMode, mask);
      textured = true;
    }
    if (!IsNoRect(rest)) FillColor(p, rest, face.Color);
  }
  if (gp > 0) {
    if (textured) {
      const int w = r.Width(), h = r.Height();
      TacBitmapPtr g = NewMemoryBitmap(w, h, p->Format());  // pixels only: no DIB section needed
      if (g) {
        GradientOrColor(g.get(), TacRect{0, 0, w, h}, face);
        const uint32_t a = ClampByte(ip * 255 / 100);
        BlendBitmapOver(p, g.get(), a | a << 8 | a << 16, r.Left, r.Top, TacRect{0, 0, w, h});
      }
    } else {
      GradientOrColor(p, r, face);
    }
  }
  const int s = gp + ip;
  if (s <= 0) {
    // With nothing behind the item to mix with, a partly transparent face is
    // painted in its colour like the opaque and the fully transparent ones.
    FillColor(p, r, face.Color);
  } else if (s <= 99) {
    FadeRectToColor(p, TacRect{r.Left, r.Top, r.Right - 1, r.Bottom - 1}, static_cast<uint8_t>(s), face.Color);
  }
}
