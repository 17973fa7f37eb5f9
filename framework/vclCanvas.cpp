#include "framework/vclCanvas.h"

#include "framework/vclText.h"

TCanvas::FontScope::FontScope(HDC dc, const TFont& font) : dc_(dc), font_(dc, font.Handle()) {
  oldColor_ = SetTextColor(dc, font.Color());
  oldMode_ = SetBkMode(dc, TRANSPARENT);
}

TCanvas::FontScope::~FontScope() {
  SetTextColor(dc_, oldColor_);
  SetBkMode(dc_, oldMode_);
}

void TCanvas::FillRect(const RECT& r, COLORREF color) {
  const TacBrushHandle brush = NewSolidBrush(color);
  ::FillRect(dc_, &r, brush.Get());
}

void TCanvas::FrameRect(const RECT& r, COLORREF color) {
  const TacBrushHandle brush = NewSolidBrush(color);
  ::FrameRect(dc_, &r, brush.Get());
}

void TCanvas::DrawText(const std::string& text, RECT& r, UINT flags) { DrawText(GbkToWide(text), r, flags); }

void TCanvas::DrawText(const std::wstring& w, RECT& r, UINT flags) {
  FontScope scope(dc_, font_);
  ::DrawTextW(dc_, w.c_str(), static_cast<int>(w.size()), &r, flags);
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
  FontScope scope(dc_, font_);
  std::wstring w = GbkToWide(text);
  ::TextOutW(dc_, x, y, w.c_str(), static_cast<int>(w.size()));
}

SIZE TCanvas::TextExtent(const std::string& text) { return TextExtent(GbkToWide(text)); }

SIZE TCanvas::TextExtent(const std::wstring& w) {
  FontScope scope(dc_, font_);
  SIZE size = {0, 0};
  ::GetTextExtentPoint32W(dc_, w.c_str(), static_cast<int>(w.size()), &size);
  return size;
}

TBitmapCanvas::TBitmapCanvas(TacBitmap& bitmap)
    : TCanvas(nullptr), memory_(nullptr), bitmap_(memory_.Get(), static_cast<HBITMAP>(bitmap.Handle())) {
  dc_ = memory_.Get();
}

// Then the members put the bitmap back and delete the DC.
TBitmapCanvas::~TBitmapCanvas() { GdiFlush(); }
