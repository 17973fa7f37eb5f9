#include "skin/sSkinRecolor.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "paint/acColors.h"
#include "paint/sGraphUtils.h"
#include "skin/acBitmapFormat.h"
#include "skin/sSkinModel.h"

namespace {

bool IsKey(const uint8_t* p) { return p[0] == 0xFF && p[1] == 0x00 && p[2] == 0xFF; }
bool IsGrey(const uint8_t* p) { return p[0] == p[1] && p[1] == p[2]; }

// Applies fn to the colour of every pixel that is not key-coloured (and not grey
// when skipGrey), keeping alpha.
template <typename Fn>
void RecolorPixels(TacBitmap& bmp, bool skipGrey, Fn fn) {
  const int bpp = bmp.BytesPerPixel();
  uint32_t lastIn = 0, lastOut = 0;
  bool haveLast = false;
  for (int y = 0; y < bmp.Height(); ++y) {
    uint8_t* p = bmp.Row(y);
    for (int x = 0; x < bmp.Width(); ++x, p += bpp) {
      if (IsKey(p) || (skipGrey && IsGrey(p))) continue;
      uint32_t in = static_cast<uint32_t>(p[2]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[0]) << 16;
      // Skin images are mostly runs of one colour.
      if (!haveLast || in != lastIn) {
        lastIn = in;
        lastOut = fn(in);
        haveLast = true;
      }
      p[0] = static_cast<uint8_t>(lastOut >> 16);
      p[1] = static_cast<uint8_t>(lastOut >> 8);
      p[2] = static_cast<uint8_t>(lastOut);
    }
  }
}

template <typename Fn>
void RecolorMaskBitmap(TacBitmapPtr& bmp, Fn fn) {
  if (bmp->Format() == TacPixelFormat::pf32bit) {
    RecolorPixels(*bmp, true, fn);
  } else {
    EnsurePixelFormat(bmp, TacPixelFormat::pf24bit);
    RecolorPixels(*bmp, false, fn);
  }
}

// A rectangle of the master bitmap saved before the change and put back after it.
struct SavedArea {
  TacRect R;
  TacBitmapPtr Pixels;
};

TacRect ClipToBitmap(TacRect r, const TacBitmap& bmp) {
  r.Left = std::max(r.Left, 0);
  r.Top = std::max(r.Top, 0);
  r.Right = std::min(r.Right, bmp.Width());
  r.Bottom = std::min(r.Bottom, bmp.Height());
  return r;
}

void CopyArea(const TacBitmap& src, int sx, int sy, TacBitmap& dst, int dx, int dy, int w, int h) {
  const size_t bytes = static_cast<size_t>(w) * static_cast<size_t>(src.BytesPerPixel());
  for (int y = 0; y < h; ++y) std::memcpy(dst.Pixel(dx, dy + y), src.Pixel(sx, sy + y), bytes);
}

template <typename Fn>
void RecolorSections(TsSkinModel& model, bool glowColors, Fn fn) {
  for (TsGeneralData& s : model.Sections) {
    s.Color = fn(s.Color);
    s.HotColor = fn(s.HotColor);
    if (glowColors) {
      s.GlowColor = fn(s.GlowColor);
      s.HotGlowColor = fn(s.HotGlowColor);
    }
    for (int i = 0; i < 5; ++i) {
      if (s.FontColor[i] != ColorNotSet) s.FontColor[i] = fn(s.FontColor[i]);
      if (s.HotFontColor[i] != ColorNotSet) s.HotFontColor[i] = fn(s.HotFontColor[i]);
    }
    for (TsGradArray* g : {&s.GradientArray, &s.HotGradientArray})
      for (TsGradPiece& p : *g) {
        p.Color1 = fn(p.Color1);
        p.Color2 = fn(p.Color2);
      }
  }
  model.SkinData.Shadow1Color = fn(model.SkinData.Shadow1Color);
  model.SkinData.BorderColor = fn(model.SkinData.BorderColor);
}

}  // namespace

void ApplySkinHueOffset(TsSkinModel& model, int offset) {
  auto hue = [offset](uint32_t c) { return RotateHue(offset, c); };
  std::vector<const TsMaskData*> skip;
  std::vector<SavedArea> saved;
  const int16_t keep = model.SkinData.BIKeepHue;
  if (keep != 0) {
    std::vector<std::string> icons = {"BICONCLOSE", "SICONCLOSE"};
    if (keep == 1)
      icons.insert(icons.end(), {"BICONMAX", "BICONMIN", "BICONNORM", "BICONHELP", "SICONMAX", "SICONMIN",
                                 "SICONNORM"});
    for (const std::string& name : icons) {
      int i = model.FindMask("GLOBALINFO", name);
      if (i >= 0) {
        const TsMaskData& icon = model.Masks[static_cast<size_t>(i)];
        if (icon.Bmp) {
          skip.push_back(&icon);
        } else if (model.MasterBitmap) {
          TacRect r = ClipToBitmap(icon.R, *model.MasterBitmap);
          if (r.Width() > 0 && r.Height() > 0) {
            SavedArea area{r, NewMemoryBitmap(r.Width(), r.Height(), model.MasterBitmap->Format())};
            CopyArea(*model.MasterBitmap, r.Left, r.Top, *area.Pixels, 0, 0, r.Width(), r.Height());
            saved.push_back(std::move(area));
          }
        }
      }
      int glow = model.FindMask("GLOBALINFO", name + "GLOW0");
      if (glow >= 0 && model.Masks[static_cast<size_t>(glow)].Bmp) skip.push_back(&model.Masks[static_cast<size_t>(glow)]);
    }
  }
  if (model.MasterBitmap) {
    RecolorPixels(*model.MasterBitmap, true, hue);
    for (const SavedArea& a : saved)
      CopyArea(*a.Pixels, 0, 0, *model.MasterBitmap, a.R.Left, a.R.Top, a.R.Width(), a.R.Height());
  }
  for (TsMaskData& m : model.Masks)
    if (m.Bmp && std::find(skip.begin(), skip.end(), &m) == skip.end()) RecolorMaskBitmap(m.Bmp, hue);
  RecolorSections(model, true, hue);
}

void ApplySkinSaturation(TsSkinModel& model, int saturation) {
  const int amount = static_cast<int>((-static_cast<int64_t>(saturation)) % 101);
  auto sat = [amount](uint32_t c) { return AdjustSaturation(c, amount); };
  if (model.MasterBitmap) RecolorPixels(*model.MasterBitmap, true, sat);
  for (TsMaskData& m : model.Masks) {
    if (!m.Bmp) continue;
    if (m.Bmp->Format() != TacPixelFormat::pf32bit) EnsurePixelFormat(m.Bmp, TacPixelFormat::pf24bit);
    RecolorPixels(*m.Bmp, true, sat);
  }
  RecolorSections(model, false, sat);
}
