#include "framework/vclCanvas.h"

#include <unordered_map>

#include "framework/vclText.h"
#include "framework/vclTextMemo.h"
#include "paint/acDibBitmap.h"

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
  auto draw = [&] {
    FontScope scope(dc_, font_);
    ::DrawTextW(dc_, w.c_str(), static_cast<int>(w.size()), &r, flags);
  };
  if (flags & DT_CALCRECT) {
    draw();
    return;
  }
  const COLORREF color = font_.Color();
  DrawRemembered(w, &r, &color, &flags, 1, draw);
}

std::string TCanvas::TextDescription(const std::wstring& text, const RECT* rects, const COLORREF* colors,
                                     const UINT* flags, int count) const {
  std::string key = font_.Name();
  key += '\0';
  const long face[] = {font_.Height(), static_cast<long>(font_.Style()), count, static_cast<long>(text.size())};
  key.append(reinterpret_cast<const char*>(face), sizeof face);
  key.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
  for (int i = 0; i < count; ++i) {
    const long pass[] = {rects[i].left - rects[0].left, rects[i].top - rects[0].top, rects[i].right - rects[0].left,
                         rects[i].bottom - rects[0].top, static_cast<long>(colors[i]), static_cast<long>(flags[i])};
    key.append(reinterpret_cast<const char*>(pass), sizeof pass);
  }
  return key;
}

void TCanvas::DrawRemembered(const std::wstring& text, const RECT* rects, const COLORREF* colors, const UINT* flags,
                             int count, const std::function<void()>& draw) {
  if (!bitmap_ || count <= 0) {
    draw();
    return;
  }
  DrawTextRemembered(dc_, *bitmap_, TextDescription(text, rects, colors, flags, count),
                     POINT{rects[0].left, rects[0].top}, draw);
}

void TCanvas::DrawTextPasses(const std::wstring& w, const RECT* rects, const COLORREF* colors, const UINT* flags,
                             int count) {
  if (count <= 0) return;
  DrawRemembered(w, rects, colors, flags, count, [&] {
    font_.SetColor(colors[0]);
    FontScope scope(dc_, font_);
    for (int i = 0; i < count; ++i) {
      if (i > 0) {
        font_.SetColor(colors[i]);
        SetTextColor(dc_, colors[i]);
      }
      RECT r = rects[i];
      ::DrawTextW(dc_, w.c_str(), static_cast<int>(w.size()), &r, flags[i]);
    }
  });
  font_.SetColor(colors[count - 1]);
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

namespace {

// Painting happens on the main thread only: the store needs no lock.
std::unordered_map<std::string, RECT>& Measures() {
  static std::unordered_map<std::string, RECT> measures;
  return measures;
}

std::string MeasureKey(char kind, const TFont& font, const std::wstring& text, const RECT& r, UINT flags) {
  std::string key;
  key.reserve(font.Name().size() + text.size() * sizeof(wchar_t) + 32);
  key += kind;
  key += font.Name();
  key += '\0';
  const long numbers[] = {font.Height(), static_cast<long>(font.Style()), r.left, r.top, r.right, r.bottom,
                          static_cast<long>(flags)};
  key.append(reinterpret_cast<const char*>(numbers), sizeof(numbers));
  key.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
  return key;
}

template <class Measure>
RECT Remembered(const std::string& key, Measure measure) {
  auto it = Measures().find(key);
  if (it != Measures().end()) return it->second;
  const RECT answer = measure();
  if (Measures().size() >= 1024) Measures().clear();  // a bound, not a policy: captions are few
  Measures().emplace(key, answer);
  return answer;
}

}  // namespace

RECT ScreenTextRect(const TFont& font, const std::wstring& text, const RECT& r, UINT flags) {
  return Remembered(MeasureKey('r', font, text, r, flags), [&] {
    RECT calc = r;
    TacWindowDC screen(nullptr);
    TCanvas canvas(screen.Get());
    canvas.Font().Assign(font);
    canvas.DrawText(text, calc, flags);
    return calc;
  });
}

SIZE ScreenTextExtent(const TFont& font, const std::wstring& text) {
  const RECT answer = Remembered(MeasureKey('e', font, text, RECT{0, 0, 0, 0}, 0), [&] {
    SIZE size = {0, 0};
    TacWindowDC screen(nullptr);
    if (!screen) return RECT{0, 0, 0, 0};
    TacSelectObject selected(screen.Get(), font.Handle());
    if (!GetTextExtentPoint32W(screen.Get(), text.c_str(), static_cast<int>(text.size()), &size)) size = SIZE{0, 0};
    return RECT{0, 0, size.cx, size.cy};
  });
  return SIZE{answer.right, answer.bottom};
}

void ForgetTextMeasures() {
  Measures().clear();
  ForgetRememberedText();
}

TBitmapCanvas::TBitmapCanvas(TacBitmap& bitmap) : TCanvas(KeptBitmapDC(bitmap)) {
  if (dc_) saved_.emplace(dc_);
  bitmap_ = dc_ ? &bitmap : nullptr;
}

// The pixels are read as memory next: GDI's batch goes out first.
TBitmapCanvas::~TBitmapCanvas() {
  saved_.reset();
  GdiFlush();
}
