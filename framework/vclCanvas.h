// A drawing surface over a device context: font, brush colour and text output
// with GBK texts. TBitmapCanvas draws into one of our DIB-section bitmaps.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "framework/vclFont.h"
#include "paint/acGdiHandles.h"
#include "paint/acBitmap.h"

class TCanvas {
 public:
  explicit TCanvas(HDC dc) : dc_(dc) {}
  virtual ~TCanvas() = default;
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  HDC Handle() const { return dc_; }
  TFont& Font() { return font_; }

  void FillRect(const RECT& r, COLORREF color);
  void FrameRect(const RECT& r, COLORREF color);
  // Text in the canvas font and colour, transparent background. Flags are DrawText's DT_*.
  void DrawText(const std::string& text, RECT& r, UINT flags);
  void DrawText(const std::wstring& text, RECT& r, UINT flags);
  void TextOut(int x, int y, const std::string& text);
  SIZE TextExtent(const std::string& text);
  SIZE TextExtent(const std::wstring& text);
  // The same text drawn several times (contours, then the face) in one selection of
  // the canvas font: pass i at rects[i] in colors[i] with flags[i]. The canvas font
  // ends in the last colour, as after that many DrawText calls.
  void DrawTextPasses(const std::wstring& text, const RECT* rects, const COLORREF* colors, const UINT* flags,
                      int count);

 protected:
  // Selects the font into the DC for the duration of one call.
  class FontScope {
   public:
    FontScope(HDC dc, const TFont& font);
    ~FontScope();
   private:
    HDC dc_;
    TacSelectObject font_;
    COLORREF oldColor_;
    int oldMode_;
  };
  HDC dc_;
  TFont font_;
};

// Text measured on the screen in a font: DrawText's DT_CALCRECT answer for r and
// flags, and GetTextExtentPoint32's extent. The answers are remembered per face,
// text, rectangle and flags (controls measure their captions on every paint);
// ForgetTextMeasures drops them when the installed fonts change.
RECT ScreenTextRect(const TFont& font, const std::wstring& text, const RECT& r, UINT flags);
SIZE ScreenTextExtent(const TFont& font, const std::wstring& text);
void ForgetTextMeasures();

class TBitmapCanvas : public TCanvas {
 public:
  // The bitmap must have a GDI handle (made by NewDibBitmap or the DIB allocator).
  // Draws through the bitmap's kept DC, whose state comes back when the canvas goes.
  explicit TBitmapCanvas(TacBitmap& bitmap);
  ~TBitmapCanvas() override;

 private:
  std::optional<TacSavedDcState> saved_;
};
