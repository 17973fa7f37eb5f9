// A drawing surface over a device context: font, brush colour and text output
// with GBK texts. TBitmapCanvas draws into one of our DIB-section bitmaps.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "framework/vclFont.h"
#include "paint/acGdiHandles.h"
#include "paint/acBitmap.h"

class TCanvas {
 public:
  explicit TCanvas(HDC dc) : dc_(dc) {}
  // A canvas on a DC that has `bitmap` selected (its text is remembered, vclTextMemo.h).
  TCanvas(HDC dc, TacBitmap* bitmap) : dc_(dc), bitmap_(bitmap) {}
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
  // The text drawn (texts, fonts, places relative to `origin`, colours, flags) as
  // the key of the remembered result; see vclTextMemo.h.
  std::string TextDescription(const std::wstring& text, const RECT* rects, const COLORREF* colors,
                              const UINT* flags, int count) const;
  void DrawRemembered(const std::wstring& text, const RECT* rects, const COLORREF* colors, const UINT* flags,
                      int count, const std::function<void()>& draw);
  HDC dc_;
  TFont font_;
  TacBitmap* bitmap_ = nullptr;  // the bitmap selected into dc_, when the canvas knows it
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
  // Its text output is remembered (vclTextMemo.h).
  explicit TBitmapCanvas(TacBitmap& bitmap);
  ~TBitmapCanvas() override;

 private:
  std::optional<TacSavedDcState> saved_;
};
