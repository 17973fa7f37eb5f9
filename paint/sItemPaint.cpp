#include "paint/sItemPaint.h"

#include <algorithm>

#include "paint/acBgRequest.h"
#include "paint/acBlockCopy.h"
#include "paint/acDefaultSkin.h"
#include "paint/acItemBinding.h"
#include "paint/sAlphaGraph.h"
#include "paint/sBorderMask.h"
#include "paint/sGraphUtils.h"
#include "paint/sPaintFace.h"
#include "paint/sStateGlyph.h"
#include "paint/sTexture.h"
#include "skin/sSkinModel.h"

namespace {

TacParentImage Moved(TacParentImage pi, int64_t dx, int64_t dy) {
  pi.X = static_cast<int32_t>(pi.X + dx);
  pi.Y = static_cast<int32_t>(pi.Y + dy);
  return pi;
}

bool LiesInside(const TacRect& r, const TacBitmap* bmp) {
  return r.Left < r.Right && r.Top < r.Bottom && r.Left >= 0 && r.Top >= 0 && r.Right <= bmp->Width() &&
         r.Bottom <= bmp->Height();
}

void FillColor(TacBitmap* bmp, const TacRect& r, uint32_t color) {
  if (bmp->Format() == TacPixelFormat::pf32bit)
    FillOpaque32(bmp, r, color);
  else
    FillSolidRect(bmp, r, color);
}

// The background alone: pi's image block behind r, or its fill colour.
void PutBackground(TacBitmap* bmp, const TacRect& r, TacPoint p, const TacParentImage& pi) {
  if (pi.HasImage && pi.Image) {
    if (pi.Image == bmp) return;
    const int64_t x = static_cast<int64_t>(pi.X) + p.X, y = static_cast<int64_t>(pi.Y) + p.Y;
    CopyBitmapRect(bmp, r.Left, r.Top, pi.Image,
                   TacRect{static_cast<int32_t>(x), static_cast<int32_t>(y), static_cast<int32_t>(x + r.Width()),
                           static_cast<int32_t>(y + r.Height())});
  } else {
    FillColor(bmp, r, pi.FillColor);
  }
}

// The section's texture for the state: a given texture mask without mask half,
// else the texture mask found by name (with the parent sections), else the
// pattern image found by name.
TacTextureSource FindTexture(const TsSkinModel& model, int section, const std::string& name, int state, int ti,
                             int hti) {
  const char* key = state == 0 ? "PATTERN" : "HOTPATTERN";
  const int given = state == 0 ? ti : hti;
  int mask = -1;
  if (given != -1) {
    if (model.IsValidImgIndex(given) && model.Masks[static_cast<size_t>(given)].MaskType == 0) mask = given;
  } else {
    mask = model.GetTextureIndex(section, name, key);
  }
  if (model.IsValidImgIndex(mask)) return TacTextureSource::Mask(&model, mask);
  const int pattern = model.GetPatternIndex(section, name, key);
  if (pattern >= 0) return TacTextureSource::Pattern(&model, pattern);
  return TacTextureSource::None();
}

void DrawCornerImages(const TsSkinModel& model, const TsGeneralData& sec, TacBitmap* bmp, const TacRect& r,
                      int state) {
  const int corners[4] = {sec.ImgTL, sec.ImgTR, sec.ImgBL, sec.ImgBR};
  for (int k = 0; k < 4; ++k) {
    if (!model.IsValidImgIndex(corners[k])) continue;
    const TsMaskData& m = model.Masks[static_cast<size_t>(corners[k])];
    const int fw = MaskFrameWidth(m), fh = MaskFrameHeight(m);
    const TacPoint at{(k & 1) ? r.Right - fw : r.Left, (k & 2) ? r.Bottom - fh : r.Top};
    // The target itself as parent: key-coloured glyph pixels leave it unchanged.
    DrawStateGlyph(bmp, at, state, 1, m, ParentImageFromBitmap(bmp, 0, 0));
  }
}

}  // namespace

void ComposeItem(int section, const std::string& name, TacParentImage pi, int state, const TacRect& r, TacPoint p,
                 TacBitmap* bmp, const TsSkinModel* manager, int ti, int hti, uint32_t customColor) {
  const TsSkinModel* model = manager ? manager : DefaultSkinModel();
  if (!bmp || !model || !model->IsValidSkinIndex(section)) return;
  if (r.Left >= r.Right || r.Top >= r.Bottom) return;
  const TsGeneralData& sec = model->Sections[static_cast<size_t>(section)];
  const bool hot = state != 0;

  TacFace face;
  if (customColor == TransparentKey) {
    face.Color = ColorToRGB(hot ? sec.HotColor : sec.Color);
    face.Transparency = hot ? sec.HotTransparency : sec.Transparency;
    face.GradientPercent = hot ? sec.HotGradientPercent : sec.GradientPercent;
    face.Gradient = hot ? &sec.HotGradientArray : &sec.GradientArray;
    face.ImagePercent = hot ? sec.HotImagePercent : sec.ImagePercent;
    if (face.Transparency == 100) {
      face.GradientPercent = 0;
      face.ImagePercent = 0;
    } else if (face.ImagePercent > 0) {
      face.Texture = FindTexture(*model, section, name, state, ti, hti);
    }
  } else {
    face.Color = ColorToRGB(customColor);
  }

  const int tr = face.Transparency;
  const int w = r.Width(), h = r.Height();
  const bool parentImage = pi.HasImage && pi.Image;
  if ((!parentImage && pi.FillColor == TransparentKey) || tr == 0) {
    PaintFace(bmp, r, face, Moved(pi, static_cast<int64_t>(p.X) - r.Left, static_cast<int64_t>(p.Y) - r.Top));
  } else if (tr == 100) {
    PutBackground(bmp, r, p, pi);
  } else if (parentImage || face.GradientPercent + face.ImagePercent != 0) {
    // Pixels only, never drawn on by GDI: plain memory (a DIB section costs the platform a mapping).
    TacBitmapPtr f = NewMemoryBitmap(w, h, bmp->Format());
    if (f) {
      PaintFace(f.get(), TacRect{0, 0, w, h}, face, Moved(pi, p.X, p.Y));
      PutBackground(bmp, r, p, pi);
      const uint32_t a = ClampByte(tr * 255 / 100);
      BlendBitmapOver(bmp, f.get(), a | a << 8 | a << 16, r.Left, r.Top, TacRect{0, 0, w, h});
    }
  } else {
    FillColor(bmp, r, WeightedColor(pi.FillColor, face.Color, tr / 100.0));
  }

  // Masked textures of mode 10 lie over the composed face, in the normal state only.
  if (state == 0) {
    auto maskedTexture = [&](int idx) -> const TsMaskData* {
      if (idx == -1 || !model->IsValidImgIndex(idx)) return nullptr;
      const TsMaskData& m = model->Masks[static_cast<size_t>(idx)];
      return m.MaskType > 0 ? &m : nullptr;
    };
    const TsMaskData* m = maskedTexture(ti);
    if (!m) m = maskedTexture(hti);
    if (m && m->DrawMode == 10) {
      TacRect rest = r;
      DrawMaskedTexture(bmp, rest, Moved(pi, static_cast<int64_t>(p.X) - r.Left, static_cast<int64_t>(p.Y) - r.Top),
                        10, *m);
    }
  }
}

void PaintItem(int section, const std::string& name, TacParentImage pi, int ti, int hti, const TsSkinModel* manager,
               TacBitmap* bmp, TacPoint p, const TacRect& r, int state, bool fillCentre) {
  const TsSkinModel* model = manager ? manager : DefaultSkinModel();
  if (!bmp || !model || !model->IsValidSkinIndex(section) || !LiesInside(r, bmp)) return;
  ComposeItem(section, name, pi, state, r, p, bmp, model, ti, hti, TransparentKey);
  const TsGeneralData& sec = model->Sections[static_cast<size_t>(section)];
  DrawCornerImages(*model, sec, bmp, r, state);
  if (model->IsValidImgIndex(sec.BorderIndex))
    DrawBorderMask(bmp, r, fillCentre, true, state, model->Masks[static_cast<size_t>(sec.BorderIndex)],
                   Moved(pi, static_cast<int64_t>(p.X) - r.Left, static_cast<int64_t>(p.Y) - r.Top));
}

void PaintControlItem(TacItemBinding& b, TacParentImage pi, bool fillCentre, bool cornersUseParent, TacBitmap* bmp,
                      TacPoint p, const TacRect& r, int state) {
  const TsSkinModel* model = b.SkinModel();
  const int section = b.SectionIndex();
  if (!bmp || !model || !model->IsValidSkinIndex(section) || !LiesInside(r, bmp)) return;
  ComposeItem(section, b.SkinSection(), pi, state, r, p, bmp, model, b.TextureIndex(), b.HotTextureIndex(),
              b.CustomColor());
  const int border = b.BorderMaskIndex();
  if (model->IsValidImgIndex(border))
    DrawBorderMask(bmp, r, fillCentre, cornersUseParent, state, model->Masks[static_cast<size_t>(border)],
                   Moved(pi, static_cast<int64_t>(p.X) - r.Left, static_cast<int64_t>(p.Y) - r.Top));
  DrawCornerImages(*model, model->Sections[static_cast<size_t>(section)], bmp, r, state);
}

void PaintItemToBitmap(int section, const std::string& name, TacParentImage pi, const TsSkinModel* manager,
                       TacBitmap* target, TacPoint p, const TacRect& r, int state, bool fillCentre) {
  const TsSkinModel* model = manager ? manager : DefaultSkinModel();
  if (!target || !model || !model->IsValidSkinIndex(section)) return;
  if (r.Left < 0 || r.Top < 0 || r.Width() < 1 || r.Height() < 1) return;
  TacBitmapPtr item = NewMemoryBitmap(r.Width(), r.Height(), TacPixelFormat::pf24bit);  // pixels only
  if (!item) return;
  PaintItem(section, name, pi, -1, -1, model, item.get(), p, TacRect{0, 0, r.Width(), r.Height()}, state, fillCentre);
  CopyBitmapRect(target, r.Left, r.Top, item.get(), TacRect{0, 0, r.Width(), r.Height()});
}

void PaintControlBorder(TacBitmap* surface, const TacRect& r, int w, int state, TacItemBinding& b) {
  const uint32_t c = b.GetControlColor(state);
  TacBgRequest request;
  TacParentImage pi = ParentImageFromColor(c);
  if (b.RequestParentBackground(request)) {
    const TacPoint at = b.HostPosition();
    request.Offset.X += at.X;
    request.Offset.Y += at.Y;
    pi = ReduceBgRequest(request);
  }
  const TsSkinModel* model = b.SkinModel();
  const int maskIndex = b.BorderMaskIndex();
  if (model && model->IsValidImgIndex(maskIndex)) {
    const TsMaskData& m = model->Masks[static_cast<size_t>(maskIndex)];
    TacBitmap* cache = b.InitCacheBitmap();
    if (!cache) return;
    if (m.MaskType == 1) {
      // The mask half blends with what is under the border: the parent's pixels
      // (the four border strips) or the control's colour.
      if (pi.HasImage && pi.Image) {
        const TacRect strips[4] = {{r.Left, r.Top, r.Right, r.Top + m.WT},
                                   {r.Left, r.Bottom - m.WB, r.Right, r.Bottom},
                                   {r.Left, r.Top + m.WT, r.Left + m.WL, r.Bottom - m.WB},
                                   {r.Right - m.WR, r.Top + m.WT, r.Right, r.Bottom - m.WB}};
        for (const TacRect& s : strips)
          CopyBitmapRect(cache, s.Left, s.Top, pi.Image,
                         TacRect{s.Left + pi.X, s.Top + pi.Y, s.Right + pi.X, s.Bottom + pi.Y});
      } else {
        FillSolidFrame(cache, r, m.WL, m.WT, m.WR, m.WB, c);
      }
    }
    DrawBorderMask(cache, r, false, true, state, m, pi);
    if (w == 0) return;
    const int rw = r.Width(), rh = r.Height();
    const TacRect inner{r.Left + m.WL, r.Top + m.WT, r.Right - m.WR, r.Bottom - m.WB};
    FillSolidFrame(cache, inner, std::max(0, std::min(w, rw - m.WR) - m.WL), std::max(0, std::min(w, rh - m.WB) - m.WT),
                   std::max(0, std::min(w, rw - m.WL) - m.WR), std::max(0, std::min(w, rh - m.WT) - m.WB), c);
    if (surface && surface != cache) {
      const TacRect strips[4] = {{r.Left, r.Top, r.Left + w, r.Bottom},
                                 {r.Left, r.Top, r.Right, r.Top + w},
                                 {r.Right - w, r.Top, r.Right, r.Bottom},
                                 {r.Left, r.Bottom - w, r.Right, r.Bottom}};
      for (const TacRect& s : strips) CopyBitmapRect(surface, s.Left, s.Top, cache, s);
    }
    return;
  }
  if (w != 0 && surface) FillSolidFrame(surface, r, w, w, w, w, c);
}

void DisabledLook(TacBitmap* bmp, int flags, const std::function<uint32_t()>& controlColor, TacPoint p,
                  const TacParentImage& pi) {
  if (!bmp) return;
  if (flags & dlGrayed) MakeGrey(bmp);
  if (!(flags & dlBlended)) return;
  const int w = bmp->Width(), h = bmp->Height();
  if (pi.HasImage && pi.Image) {
    const int64_t x = static_cast<int64_t>(pi.X) + p.X, y = static_cast<int64_t>(pi.Y) + p.Y;
    const TacRect q{static_cast<int32_t>(x), static_cast<int32_t>(y), static_cast<int32_t>(x + w - 1),
                    static_cast<int32_t>(y + h - 1)};
    // The item keeps 40 %, the parent's background takes 60 %.
    CopyBlendedRect(bmp, 0, 0, 0xFF000000u, 0.4, q, pi.Image);
    return;
  }
  uint32_t color = pi.FillColor;
  if (color == TransparentKey) color = controlColor ? ColorToRGB(controlColor()) : TransparentKey;
  // Fading toward "no colour" would paint the item pink.
  if (color == TransparentKey) return;
  FadeRectToColor(bmp, TacRect{0, 0, w - 1, h - 1}, 50, color);
}
