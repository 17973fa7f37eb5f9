#include "controls/sBitBtn.h"

#include <algorithm>

#include "framework/vclCanvas.h"
#include "framework/vclText.h"
#include "paint/acGdiHandles.h"
#include "paint/sAlphaGraph.h"
#include "paint/sMaskPieces.h"
#include "paint/acSkinnedText.h"

namespace {
// A 32-bit copy of one frame of an image with alpha, its alpha scaled by `alpha`
// (0..1) and turned grey when asked.
TacBitmapPtr AlphaFrame(const TacBitmap& src, int x0, int width, bool grey, double alpha) {
  const int h = src.Height();
  width = std::max(0, std::min(width, src.Width() - x0));
  TacBitmapPtr out = NewMemoryBitmap(width, h, TacPixelFormat::pf32bit);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < width; ++x) {
      const uint8_t* s = src.Pixel(x0 + x, y);
      uint8_t* d = out->Pixel(x, y);
      if (src.Format() == TacPixelFormat::pf32bit) {
        d[0] = s[0], d[1] = s[1], d[2] = s[2], d[3] = s[3];
      } else {
        const bool key = s[0] == 0xFF && s[1] == 0x00 && s[2] == 0xFF;
        d[0] = s[0], d[1] = s[1], d[2] = s[2], d[3] = key ? 0 : 255;
      }
      if (grey) d[0] = d[1] = d[2] = static_cast<uint8_t>((d[0] + d[1] + d[2]) / 3);
      d[3] = static_cast<uint8_t>(d[3] * alpha + 0.5);
    }
  }
  return out;
}

// A 24-bit copy of src (the list's size) over the key colour.
TacBitmapPtr KeyedCopy(const TacBitmap& src, int width, int height) {
  TacBitmapPtr out = NewMemoryBitmap(width, height, TacPixelFormat::pf24bit);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      uint8_t* d = out->Pixel(x, y);
      d[0] = 0xFF, d[1] = 0x00, d[2] = 0xFF;
      if (x < src.Width() && y < src.Height()) {
        const uint8_t* s = src.Pixel(x, y);
        d[0] = s[0], d[1] = s[1], d[2] = s[2];
      }
    }
  return out;
}
}  // namespace

TsBitBtn::TsBitBtn(TComponent* owner) : TacSkinButton(owner, ckBitBtn) {}

TsBitBtn::~TsBitBtn() {
  if (images_) images_->RemoveFreeNotification(this);
}

void TsBitBtn::Loaded() {
  TacSkinButton::Loaded();
  if (ListImage()) glyph_.reset();
}

// ---- properties

void TsBitBtn::SetImages(TImageList* images) {
  if (images == images_) return;
  if (images_) images_->RemoveFreeNotification(this);
  images_ = images;
  if (images_)
    images_->AddFreeNotification(this, [this] {
      images_ = nullptr;
      if (!Destroying()) SkinData().RequestRepaint();
    });
  SkinData().RequestRepaint();
  Invalidate();
}

void TsBitBtn::SetImageIndex(int index) {
  if (index == imageIndex_) return;
  imageIndex_ = index;
  SkinData().RequestRepaint();
  Invalidate();
}

void TsBitBtn::SetGlyph(TacBitmapPtr glyph) {
  glyph_ = std::move(glyph);
  SkinData().RequestRepaint();
  Invalidate();
}

void TsBitBtn::SetNumGlyphs(int n) {
  n = std::max(1, std::min(4, n));
  if (n == numGlyphs_) return;
  numGlyphs_ = n;
  SkinData().RequestRepaint();
}

#define VQ_BITBTN_SETTER(Name, member, Type)   \
  void TsBitBtn::Set##Name(Type value) {       \
    if (value == member) return;               \
    member = value;                            \
    SkinData().RequestRepaint();               \
  }
VQ_BITBTN_SETTER(Layout, layout_, TButtonLayout)
VQ_BITBTN_SETTER(Margin, margin_, int)
VQ_BITBTN_SETTER(Spacing, spacing_, int)
VQ_BITBTN_SETTER(Alignment, alignment_, TAlignment)
VQ_BITBTN_SETTER(TextAlignment, textAlignment_, TAlignment)
VQ_BITBTN_SETTER(TextOffset, textOffset_, int)
VQ_BITBTN_SETTER(ShowCaption, showCaption_, bool)
VQ_BITBTN_SETTER(Grayed, grayed_, bool)
VQ_BITBTN_SETTER(Reflected, reflected_, bool)
VQ_BITBTN_SETTER(DrawOverBorder, drawOverBorder_, bool)
VQ_BITBTN_SETTER(DisabledGlyphKind, disabledGlyphKind_, int)
#undef VQ_BITBTN_SETTER

void TsBitBtn::SetBlend(int percent) {
  percent = std::max(0, std::min(100, percent));
  if (percent == blend_) return;
  blend_ = percent;
  SkinData().RequestRepaint();
}

// ---- layout

const TacBitmap* TsBitBtn::ListImage() const { return images_ ? images_->Image(imageIndex_) : nullptr; }

const TacBitmap* TsBitBtn::GlyphBitmap() const {
  if (const TacBitmap* image = ListImage()) return image;
  return glyph_.get();
}

SIZE TsBitBtn::GlyphSize() const {
  if (ListImage()) return SIZE{images_->Width() / numGlyphs_, images_->Height()};
  if (glyph_ && glyph_->Width() > 0) return SIZE{glyph_->Width() / numGlyphs_, glyph_->Height()};
  return SIZE{0, 0};
}

UINT TsBitBtn::TextAlignmentFlags() const {
  return textAlignment_ == taLeftJustify ? DT_LEFT : textAlignment_ == taRightJustify ? DT_RIGHT : DT_CENTER;
}

SIZE TsBitBtn::CaptionExtent() {
  if (!showCaption_ || caption_.empty()) return SIZE{0, 0};
  const SIZE g = GlyphSize();
  int limit = width_ - 2 * margin_;
  if (g.cx > 0 && (layout_ == blGlyphLeft || layout_ == blGlyphRight)) limit -= g.cx + spacing_;
  const RECT calc = ScreenTextRect(font_, GbkToWide(caption_), RECT{0, 0, std::max(0, limit), 0},
                                   DT_CALCRECT | DT_EXPANDTABS | (wordWrap_ ? DT_WORDBREAK : 0) | TextAlignmentFlags());
  return SIZE{calc.right - calc.left, calc.bottom - calc.top};
}

RECT TsBitBtn::CaptionRect(int state) {
  const SIZE g = GlyphSize();
  const SIZE t = CaptionExtent();
  const int gw = g.cx, gh = g.cy, tw = t.cx, th = t.cy;
  const int cw = width_, ch = height_;
  const bool horizontal = layout_ == blGlyphLeft || layout_ == blGlyphRight;
  int gx = 0, gy = 0, tx = 0, ty = 0;
  if (horizontal) {
    gy = (ch - gh + 1) / 2;
    ty = (ch - th + 1) / 2;
  } else {
    gx = (cw - gw + 1) / 2;
    tx = (cw - tw + 1) / 2;
  }
  int s = (tw == 0 || gw == 0) ? 0 : spacing_;
  int m = margin_;
  if (m == -1) {
    if (s < 0) {
      m = s = horizontal ? (cw - gw - tw) / 3 : (ch - gh - th) / 3;
    } else if (alignment_ == taCenter) {
      m = horizontal ? (cw - (gw + s + tw) + 1) / 2 : (ch - (gh + s + th) + 1) / 2;
    } else {
      m = 2;
    }
  } else if (s < 0) {
    s = horizontal ? (cw - m - gw - tw) / 2 : (ch - m - gh - th) / 2;
  }
  switch (layout_) {
    case blGlyphLeft:
      if (alignment_ == taLeftJustify) {
        gx = m;
        tx = m + gw + s;
      } else if (alignment_ == taRightJustify) {
        tx = cw - m - tw;
        gx = tx - s - gw;
      } else {
        m = (cw - tw - s - gw) / 2;
        gx = m;
        tx = m + s + gw;
      }
      break;
    case blGlyphRight:
      if (alignment_ == taLeftJustify) {
        gx = m + tw + s;
        tx = m;
      } else if (alignment_ == taRightJustify) {
        gx = cw - m - gw;
        tx = gx - s - tw;
      } else {
        m = (cw - tw - s - gw) / 2;
        tx = m;
        gx = m + s + tw;
      }
      break;
    case blGlyphTop:
      gy = (ch - gh - s - th) / 2;
      ty = gy + gh + s;
      break;
    case blGlyphBottom:
      gy = ch - gh - ((ch - gh - s - th) / 2);
      ty = gy - s - th;
      break;
  }
  (void)gx;
  (void)gy;
  RECT r = {tx, ty, tx + tw, ty + th};
  if (state == 2) OffsetRect(&r, 1, 1);
  return r;
}

RECT TsBitBtn::GlyphRect(int state) {
  const SIZE g = GlyphSize();
  const SIZE t = CaptionExtent();
  const int gw = g.cx, gh = g.cy, tw = t.cx, th = t.cy;
  const int w = width_, h = height_;
  const int m = margin_ < 0 ? 0 : margin_ + 3;
  const int s = (showCaption_ && gw > 0 && !caption_.empty()) ? spacing_ : 0;
  const int hx = (w - gw - s - tw) / 2 - m;
  const int hy = (h - gh - s - th) / 2 - m;
  const int cy = (h - gh) / 2;
  int x = 0, y = cy;
  switch (layout_) {
    case blGlyphLeft:
      x = alignment_ == taLeftJustify ? m : alignment_ == taRightJustify ? m + 2 * hx : m + hx;
      break;
    case blGlyphRight:
      x = alignment_ == taLeftJustify    ? w - m - 2 * hx - s - gw
          : alignment_ == taRightJustify ? w - gw - m
                                         : (tw + w + s - gw) / 2;
      break;
    case blGlyphTop:
      x = (w - gw) / 2 + 1;
      y = m + hy;
      break;
    case blGlyphBottom:
      x = (w - gw) / 2 + 1;
      y = h - m - hy - gh;
      break;
  }
  if (state == 2) {
    ++x;
    ++y;
  }
  if (reflected_) y -= gw / 6;
  return RECT{x, y, x + gw, y + gh};
}

// ---- painting

void TsBitBtn::PaintCaption(int state) {
  if (!showCaption_ || caption_.empty()) return;
  TsCommonData& sd = SkinData();
  TBitmapCanvas canvas(*sd.CacheBitmap());
  canvas.Font().Assign(font_);
  const RECT r = CaptionRect(state);
  DrawSkinnedText(canvas, caption_, enabled_, state != 0, sd.TextBinding(),
                  TextAlignmentFlags() | DT_VCENTER | DT_EXPANDTABS | (wordWrap_ ? DT_WORDBREAK : 0),
                  TacRect{r.left, r.top, r.right, r.bottom});
  PaintFocus(canvas, r);
}

void TsBitBtn::PaintGlyph(int state) {
  TacBitmap* cache = SkinData().CacheBitmap();
  if (!cache) return;
  const RECT gr = GlyphRect(state);
  const bool active = state != 0;
  if (const TacBitmap* image = ListImage()) {
    const int lw = images_->Width(), lh = images_->Height();
    if (image->Format() == TacPixelFormat::pf32bit) {
      // An image with alpha draws itself, by the same rules as a keyed one.
      const bool grey = enabled_ ? (!active && grayed_) : (disabledGlyphKind_ & dgGrayed) != 0;
      double alpha = 1.0;
      if (enabled_ && !active && blend_ >= 1) alpha = (100 - blend_) / 100.0;
      if (!enabled_ && (disabledGlyphKind_ & dgBlended)) alpha = 0.5;
      TacBitmapPtr frame = AlphaFrame(*image, 0, std::min(lw, image->Width()), grey, alpha);
      const int fw = frame->Width(), fh = std::min(lh, frame->Height());
      CopyImageRect(TacRect{gr.left, gr.top, gr.left + fw, gr.top + fh}, TacRect{0, 0, fw, fh}, cache, false,
                    EmptyParentImage, frame.get());
      return;
    }
    TacBitmapPtr keyed = KeyedCopy(*image, lw, lh);
    const TacRect whole{0, 0, lw - 1, lh - 1};
    if (enabled_) {
      if (!active && grayed_) MakeGreyExceptKey(keyed.get(), TransparentKey);
      if (active || blend_ < 1)
        CopyKeyedImage(cache, keyed.get(), gr.left, gr.top, TransparentKey);
      else
        CopyBlendedRect(cache, gr.left, gr.top, TransparentKey, blend_ / 100.0, whole, keyed.get());
    } else {
      if (disabledGlyphKind_ & dgGrayed) MakeGreyExceptKey(keyed.get(), TransparentKey);
      if (disabledGlyphKind_ & dgBlended)
        CopyBlendedRect(cache, gr.left, gr.top, TransparentKey, 0.5, whole, keyed.get());
      else
        CopyKeyedImage(cache, keyed.get(), gr.left, gr.top, TransparentKey);
    }
    return;
  }
  if (!glyph_ || glyph_->Width() == 0) return;
  if (glyph_->Format() == TacPixelFormat::pf32bit) {
    const int fw = glyph_->Width() / numGlyphs_;
    const int frameIndex = std::min(state, numGlyphs_ - 1);
    const bool grey = (state == 0 && grayed_) || (!enabled_ && (disabledGlyphKind_ & dgGrayed));
    int blend = blend_;
    if (!enabled_ && (disabledGlyphKind_ & dgGrayed)) blend = std::max(blend, 50);
    // Here Blend scales the glyph's own alpha (the image-list path lets the face through instead).
    const double alpha = state == 0 && blend != 0 ? blend / 100.0 : 1.0;
    TacBitmapPtr frame = AlphaFrame(*glyph_, frameIndex * fw, fw, grey, alpha);
    CopyImageRect(TacRect{gr.left, gr.top, gr.left + frame->Width(), gr.top + frame->Height()},
                  TacRect{0, 0, frame->Width(), frame->Height()}, cache, false, EmptyParentImage, frame.get());
    return;
  }
  TacGlyphDraw how;
  how.Down = IsDown();
  how.Blend = blend_;
  how.State = state;
  how.DisabledKind = disabledGlyphKind_;
  how.Enabled = enabled_;
  how.GlyphCount = numGlyphs_;
  DrawBitmapGlyph(glyph_.get(), cache, TacRect{gr.left, gr.top, gr.right, gr.bottom}, how);
}

void TsBitBtn::PrepareCache() {
  TacParentImage pi;
  if (!BeginCache(pi)) return;
  TsCommonData& sd = SkinData();
  const int state = CurrentState();
  PaintFace(pi, state);
  if (drawOverBorder_) {
    PaintBorder(state);
    PaintCaption(state);
    PaintGlyph(state);
  } else {
    PaintCaption(state);
    PaintGlyph(state);
    PaintBorder(state);
  }
  ApplyDisabledLook(pi);
  if (OnPaint) OnPaint(this, sd.CacheBitmap());
  sd.CacheDirty = false;
}
