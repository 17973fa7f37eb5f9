#include "skin/sSkinRecolor.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "paint/acColors.h"
#include "skin/acBitmapFormat.h"
#include "skin/acColorMemo.h"
#include "skin/acHueRotation.h"
#include "skin/acRecolorBitmap.h"
#include "skin/acSaturationChange.h"
#include "skin/sSkinModel.h"

namespace {

uint32_t TurnHue(const void* rotation, uint32_t color) { return (*static_cast<const TacHueRotation*>(rotation))(color); }
uint32_t ChangeSaturation(const void* change, uint32_t color) {
  return (*static_cast<const TacSaturationChange*>(change))(color);
}

// 32-bit masks keep their grey pixels; others are made 24-bit and change them too.
void RecolorMaskBitmap(TacBitmapPtr& bmp, TacColorMemo& keepingGrey, std::optional<TacColorMemo>& changingGrey,
                       const TacHueRotation& hue) {
  if (bmp->Format() == TacPixelFormat::pf32bit) {
    RecolorBitmap(*bmp, keepingGrey);
  } else {
    EnsurePixelFormat(bmp, TacPixelFormat::pf24bit);
    if (!changingGrey) changingGrey.emplace(TurnHue, &hue, false);
    RecolorBitmap(*bmp, *changingGrey);
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
  const TacHueRotation hue(offset);
  TacColorMemo keepingGrey(TurnHue, &hue, true);
  std::optional<TacColorMemo> changingGrey;  // made for the first 24-bit mask
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
    RecolorBitmap(*model.MasterBitmap, keepingGrey);
    for (const SavedArea& a : saved)
      CopyArea(*a.Pixels, 0, 0, *model.MasterBitmap, a.R.Left, a.R.Top, a.R.Width(), a.R.Height());
  }
  for (TsMaskData& m : model.Masks)
    if (m.Bmp && std::find(skip.begin(), skip.end(), &m) == skip.end()) RecolorMaskBitmap(m.Bmp, keepingGrey, changingGrey, hue);
  RecolorSections(model, true, hue);
}

void ApplySkinSaturation(TsSkinModel& model, int saturation) {
  const int amount = static_cast<int>((-static_cast<int64_t>(saturation)) % 101);
  const TacSaturationChange sat(amount);
  TacColorMemo memo(ChangeSaturation, &sat, true);  // key and grey pixels never change
  if (model.MasterBitmap) RecolorBitmap(*model.MasterBitmap, memo);
  for (TsMaskData& m : model.Masks) {
    if (!m.Bmp) continue;
    if (m.Bmp->Format() != TacPixelFormat::pf32bit) EnsurePixelFormat(m.Bmp, TacPixelFormat::pf24bit);
    RecolorBitmap(*m.Bmp, memo);
  }
  RecolorSections(model, false, sat);
}
