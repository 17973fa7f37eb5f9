#include "paint/acGlowText.h"

#include "framework/vclText.h"
#include "paint/acBlurMask8.h"
#include "paint/acDibMask8.h"
#include "paint/acGdiHandles.h"
#include "paint/acGlowMask.h"

namespace {

// A memory DC with the mask's DIB and a font selected; everything put back on exit.
class MaskDC {
 public:
  MaskDC(const TacMask8& mask, const TFont& font)
      : dc_(nullptr), bitmap_(dc_.Get(), static_cast<HBITMAP>(mask.Handle())), font_(dc_.Get(), font.Handle()) {
    if (!dc_) return;
    SetTextColor(dc_.Get(), RGB(0, 0, 0));
    SetBkMode(dc_.Get(), TRANSPARENT);
  }
  ~MaskDC() {
    if (dc_) GdiFlush();  // the blur reads the bytes next
  }
  HDC Handle() const { return dc_.Get(); }

 private:
  TacMemoryDC dc_;
  TacSelectObject bitmap_;
  TacSelectObject font_;
};

// A new white mask with the text laid in black at every offset; null when GDI fails.
TacMask8Ptr RenderTextMask(int width, int height, const std::string& text, const TacRect& r, int inset,
                           unsigned offsetFlags, UINT format, const TFont& font) {
  TacMask8Ptr mask = NewDibMask8(width, height);
  if (!mask || !mask->Handle()) return nullptr;
  mask->Fill(255);
  MaskDC dc(*mask, font);
  if (!dc.Handle()) return nullptr;
  const std::wstring wide = GbkToWide(text);
  const TacGlowOffsets offsets = GlowTextOffsets(offsetFlags);
  for (int i = 0; i < offsets.Count; ++i) {
    RECT rc = {inset + offsets.Dx[i], inset + offsets.Dy[i], inset + r.Width() + offsets.Dx[i],
               inset + r.Height() + offsets.Dy[i]};
    DrawTextW(dc.Handle(), wide.c_str(), static_cast<int>(wide.size()), &rc, format);
  }
  return mask;
}

}  // namespace

void DrawGlowText(TacBitmap* target, const std::string& text, const TacRect& r, TacMask8Ptr* mask, uint32_t color,
                  int glowSize, unsigned offsetFlags, UINT format, const TFont& font) {
  if (!target || glowSize <= 0) return;
  const TacRect area = GlowMaskRect(r, glowSize);
  if (area.Width() <= 0 || area.Height() <= 0) return;
  TacMask8Ptr local;
  TacMask8Ptr& m = mask ? *mask : local;
  if (!m || m->Width() != area.Width() || m->Height() != area.Height()) {
    m = RenderTextMask(area.Width(), area.Height(), text, r, glowSize + 4, offsetFlags, format, font);
    if (!m) return;
    BlurMask8(m.get(), glowSize);
  }
  GdiFlush();  // text drawn into the target through GDI must be there before its bytes change
  ApplyGlowMask(target, *m, area.Left, area.Top, color);
}
