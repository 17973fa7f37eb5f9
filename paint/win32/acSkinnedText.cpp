#include "paint/acSkinnedText.h"

#include <optional>

#include "framework/vclText.h"
#include "framework/vclWinControl.h"
#include "paint/acDefaultSkin.h"
#include "paint/acFocusDots.h"
#include "paint/acGdiHandles.h"
#include "paint/acGlowText.h"
#include "paint/acTextColors.h"
#include "skin/sCommandMessages.h"

namespace {

RECT ToRect(const TacRect& r, int dx = 0, int dy = 0) { return RECT{r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy}; }

void DrawAt(TCanvas& canvas, const std::string& text, const TacRect& r, int dx, int dy, uint32_t color, UINT format) {
  canvas.Font().SetColor(color);
  RECT rc = ToRect(r, dx, dy);
  canvas.DrawText(text, rc, format);
}

// The contour passes and the face in one font selection; the last pass (the face)
// takes lastFormat.
void DrawPasses(TCanvas& canvas, const std::string& text, const TacRect& r, const TacTextPasses& passes,
                UINT format, UINT lastFormat) {
  constexpr int kMost = sizeof(passes.Items) / sizeof(passes.Items[0]);
  RECT rects[kMost];
  COLORREF colors[kMost];
  UINT formats[kMost];
  const int n = passes.Count < kMost ? passes.Count : kMost;
  for (int i = 0; i < n; ++i) {
    const TacTextPass& p = passes.Items[i];
    rects[i] = ToRect(r, p.Dx, p.Dy);
    colors[i] = p.Color;
    formats[i] = i == n - 1 ? lastFormat : format;
  }
  canvas.DrawTextPasses(GbkToWide(text), rects, colors, formats, n);
}

// Saves the DC state and clips to a rectangle; the state comes back on every path.
class ClipScope {
 public:
  ClipScope(HDC dc, const TacRect& r) : saved_(dc) { IntersectClipRect(dc, r.Left, r.Top, r.Right, r.Bottom); }

 private:
  TacSavedDcState saved_;
};

// The skin index the ancestor `depth` levels above `host` answers, nothing past the top.
std::optional<int> AncestorSection(TControl* host, int depth) {
  TControl* c = host;
  for (int i = 0; i < depth && c; ++i) c = c->Parent();
  if (!c) return std::nullopt;
  return static_cast<int>(SendSkinCommand(c, SMC_GETSKININDEX)) - 1;
}

}  // namespace

void DrawSkinnedText(TCanvas& canvas, const std::string& text, bool enabled, bool hot, const TacTextBinding& b,
                     UINT format, const TacRect& r) {
  if (!b.Manager) return;
  const TsSkinModel& skin = *b.Manager;
  if (b.HostControl) canvas.Font().Assign(b.HostControl->Font());
  if (hot && b.SkinSection == "WEBBUTTON") canvas.Font().SetStyle(canvas.Font().Style() | fsUnderline);

  ClipScope clip(canvas.Handle(), r);
  if (text.empty()) return;

  int k = b.SectionIndex;
  if (b.HostControl && skin.IsValidSkinIndex(b.SectionIndex)) {
    const bool shares = (!b.HostControl->IsWindowed() || KindSharesParentText(b.ControlKind)) && b.ParentFont &&
                        b.HostControl->Parent() != nullptr;
    k = ChooseTextSection(skin, b.SectionIndex, hot, shares,
                          [host = b.HostControl](int depth) { return AncestorSection(host, depth); });
  }
  if (!skin.IsValidSkinIndex(k)) {
    RECT rc = ToRect(r);
    canvas.DrawText(text, rc, format);
    return;
  }
  const TsGeneralData& section = skin.Sections[static_cast<size_t>(k)];

  if (b.CacheBitmap) {
    const int glow = hot ? section.HotGlowSize : section.GlowSize;
    if (glow != 0)
      DrawGlowText(b.CacheBitmap, text, r, nullptr, hot ? section.HotGlowColor : section.GlowColor, glow, 15, format,
                   canvas.Font());
  }

  if (!enabled) {
    DrawAt(canvas, text, r, 0, 0, DisabledTextColor(section.FontColor[0], skin.GetGlobalColor()), format);
    return;
  }
  if (b.CustomFont) {
    RECT rc = ToRect(r);
    canvas.DrawText(text, rc, format | DT_NOCLIP);
    return;
  }
  DrawPasses(canvas, text, r, SectionTextPasses(section, hot), format, format | DT_NOCLIP);
}

void DrawSectionText(TCanvas& canvas, const std::string& text, bool enabled, const TsSkinModel* manager, bool hot,
                     int sectionIndex, UINT format, const TacRect& r) {
  const TsSkinModel* skin = manager ? manager : DefaultSkinModel();
  if (!skin || !skin->IsValidSkinIndex(sectionIndex) || text.empty()) return;
  const TsGeneralData& section = skin->Sections[static_cast<size_t>(sectionIndex)];
  if (!enabled) {
    DrawAt(canvas, text, r, 0, 0, DisabledTextColor(section.FontColor[0], section.Color), format);
    return;
  }
  DrawPasses(canvas, text, r, SectionTextPasses(section, hot), format, format);
}

void DrawFocusDots(TCanvas& canvas, const TacRect& r) {
  for (const TacFocusDot& d : FocusDots(r)) SetPixelV(canvas.Handle(), d.X, d.Y, d.White ? RGB(255, 255, 255) : RGB(0, 0, 0));
}

SIZE TextExtentInFont(const TFont& font, const std::string& text) {
  return ScreenTextExtent(font, GbkToWide(text));
}
