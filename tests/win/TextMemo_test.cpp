// Remembered text: every drawing given back from the memo must be the pixels a fresh
// drawing makes, and a change to anything that decides them (background, text,
// colour, font, flags, place, clip) must draw afresh.
#include "framework/vclTextMemo.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "framework/vclCanvas.h"
#include "paint/acDibBitmap.h"
#include "paint/acGdiHandles.h"

namespace {

// One drawing on a fresh 24-bit DIB with a seeded noisy background, through a
// TBitmapCanvas clipped to `clip`.
struct Drawing {
  const char* name;
  uint32_t backgroundSeed = 1;
  std::wstring text = L"安装 Install";
  COLORREF color = RGB(20, 40, 200);
  int fontHeight = -13;
  unsigned style = 0;
  UINT flags = DT_CENTER | DT_SINGLELINE | DT_VCENTER;
  RECT place{10, 6, 130, 30};
  RECT clip{8, 4, 132, 32};
  bool passes = false;  // a contour pass below the face
  bool complexClip = false;
};

TacBitmapPtr Draw(const Drawing& d) {
  TacBitmapPtr b = NewDibBitmap(160, 40, TacPixelFormat::pf24bit);
  EXPECT_TRUE(b);
  if (!b) return b;
  std::mt19937 rng(d.backgroundSeed);
  GdiFlush();
  for (int y = 0; y < b->Height(); ++y)
    for (int x = 0; x < b->Width() * 3; ++x) b->Row(y)[x] = static_cast<uint8_t>(160 + rng() % 96);
  TBitmapCanvas canvas(*b);
  canvas.Font().SetName("Tahoma");
  canvas.Font().SetHeight(d.fontHeight);
  canvas.Font().SetStyle(d.style);
  if (d.complexClip) {
    TacRegionHandle a = NewRectRegion(d.clip.left, d.clip.top, d.clip.left + 20, d.clip.bottom);
    TacRegionHandle c = NewRectRegion(d.clip.right - 20, d.clip.top, d.clip.right, d.clip.bottom);
    CombineRgn(a.Get(), a.Get(), c.Get(), RGN_OR);
    SelectClipRgn(canvas.Handle(), a.Get());
  } else {
    IntersectClipRect(canvas.Handle(), d.clip.left, d.clip.top, d.clip.right, d.clip.bottom);
  }
  if (d.passes) {
    RECT rects[2] = {d.place, d.place};
    OffsetRect(&rects[0], 1, 1);
    const COLORREF colors[2] = {RGB(255, 255, 255), d.color};
    const UINT flags[2] = {d.flags, d.flags | DT_NOCLIP};
    canvas.DrawTextPasses(d.text, rects, colors, flags, 2);
  } else {
    canvas.Font().SetColor(d.color);
    RECT r = d.place;
    canvas.DrawText(d.text, r, d.flags);
  }
  return b;
}

bool SamePixels(const TacBitmap& a, const TacBitmap& b) {
  GdiFlush();
  for (int y = 0; y < a.Height(); ++y)
    if (std::memcmp(a.Row(y), b.Row(y), static_cast<size_t>(a.Width()) * 3) != 0) return false;
  return true;
}

TacBitmapPtr DrawFresh(const Drawing& d) {
  SetTextMemoEnabled(false);
  TacBitmapPtr b = Draw(d);
  SetTextMemoEnabled(true);
  return b;
}

TEST(TextMemo, GivesBackExactlyWhatAFreshDrawingMakesAndRedrawsOnEveryChange) {
  ForgetRememberedText();
  const Drawing base{"base"};
  auto variant = [&](const char* name, const std::function<void(Drawing&)>& change) {
    Drawing d = base;
    d.name = name;
    change(d);
    return d;
  };
  struct Case {
    Drawing drawing;
    bool remembered;  // given back from the memo, not drawn
  } cases[] = {
      {base, false},
      {base, true},
      {variant("other background", [](Drawing& d) { d.backgroundSeed = 2; }), false},
      {variant("other text", [](Drawing& d) { d.text = L"安装 Instal1"; }), false},
      {variant("other colour", [](Drawing& d) { d.color = RGB(21, 40, 200); }), false},
      {variant("other height", [](Drawing& d) { d.fontHeight = -14; }), false},
      {variant("bold", [](Drawing& d) { d.style = fsBold; }), false},
      {variant("left aligned", [](Drawing& d) { d.flags = DT_LEFT | DT_SINGLELINE | DT_VCENTER; }), false},
      {variant("text one pixel lower in the clip", [](Drawing& d) { OffsetRect(&d.place, 0, 1); }), false},
      {variant("contour passes", [](Drawing& d) { d.passes = true; }), false},
      {variant("contour passes", [](Drawing& d) { d.passes = true; }), true},
      {variant("clip of two pieces", [](Drawing& d) { d.complexClip = true; }), false},
      {variant("clip of two pieces", [](Drawing& d) { d.complexClip = true; }), false},
      {base, true},
  };
  for (const Case& c : cases) {
    const TacTextMemoStats before = TextMemoStats();
    TacBitmapPtr drawn = Draw(c.drawing);
    const TacTextMemoStats after = TextMemoStats();
    ASSERT_TRUE(drawn);
    EXPECT_EQ(after.Hits - before.Hits, c.remembered ? 1 : 0) << c.drawing.name;
    TacBitmapPtr fresh = DrawFresh(c.drawing);
    EXPECT_TRUE(SamePixels(*drawn, *fresh)) << c.drawing.name;
  }
  EXPECT_GT(TextMemoStats().Bypassed, 0) << "the two-piece clip was drawn, not remembered";
}

TEST(TextMemo, TheSameCaptionOverTheSameBackgroundElsewhereIsRemembered) {
  ForgetRememberedText();
  // A flat background, so the same caption lands on the same pixels at both places.
  auto drawFlat = [](RECT place, RECT clip) {
    TacBitmapPtr b = NewDibBitmap(160, 40, TacPixelFormat::pf24bit);
    GdiFlush();
    for (int y = 0; y < b->Height(); ++y) std::memset(b->Row(y), 0xE0, static_cast<size_t>(b->Width()) * 3);
    TBitmapCanvas canvas(*b);
    canvas.Font().SetName("Tahoma");
    canvas.Font().SetHeight(-13);
    IntersectClipRect(canvas.Handle(), clip.left, clip.top, clip.right, clip.bottom);
    canvas.Font().SetColor(RGB(0, 0, 0));
    canvas.DrawText(std::wstring(L"铂蜓"), place, DT_LEFT | DT_SINGLELINE);
    return b;
  };
  TacBitmapPtr first = drawFlat(RECT{4, 4, 60, 20}, RECT{2, 2, 62, 22});
  const long hits = TextMemoStats().Hits;
  TacBitmapPtr moved = drawFlat(RECT{84, 14, 140, 30}, RECT{82, 12, 142, 32});
  EXPECT_EQ(TextMemoStats().Hits, hits + 1);
  SetTextMemoEnabled(false);
  TacBitmapPtr fresh = drawFlat(RECT{84, 14, 140, 30}, RECT{82, 12, 142, 32});
  SetTextMemoEnabled(true);
  EXPECT_TRUE(SamePixels(*moved, *fresh));
  EXPECT_FALSE(SamePixels(*first, *moved)) << "the text is at its new place";
}

}  // namespace
