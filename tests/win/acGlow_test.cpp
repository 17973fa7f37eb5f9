#include "paint/acGdiHandles.h"
#include "paint/acGlow.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "core/SkinFixtures.h"
#include "paint/acDefaultSkin.h"
#include "paint/acDibBitmap.h"
#include "paint/acLayeredWindow.h"

using skinfix::PackedSkin;

namespace {

constexpr COLORREF kBackground = RGB(40, 80, 160);

// The glow image: 30 x 30 with edges of 10; corners red at alpha 128, sides green at
// alpha 200, the centre blue and opaque (a glow never shows its centre).
uint32_t GlowImagePixel(int x, int y) {
  const bool midX = x >= 10 && x < 20, midY = y >= 10 && y < 20;
  if (midX && midY) return 0xFF000000u | 0xFF0000;
  if (midX || midY) return (200u << 24) | 0x00FF00;
  return (128u << 24) | 0x0000FF;
}

LRESULT CALLBACK BackgroundProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_ERASEBKGND) {
    RECT r;
    GetClientRect(wnd, &r);
    const TacBrushHandle brush = NewSolidBrush(kBackground);
    FillRect(reinterpret_cast<HDC>(wParam), &r, brush.Get());
    return 1;
  }
  return DefWindowProcW(wnd, msg, wParam, lParam);
}

// A plain window of one colour behind the glows, topmost so that nothing of the
// desktop gets between.
class BackgroundWindow {
 public:
  BackgroundWindow(const RECT& r, bool topmost) {
    static const bool registered = [] {
      WNDCLASSW wc = {};
      wc.lpfnWndProc = BackgroundProc;
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.lpszClassName = L"GlowTestBackground";
      return RegisterClassW(&wc) != 0;
    }();
    (void)registered;
    wnd_ = CreateWindowExW(topmost ? WS_EX_TOPMOST : 0, L"GlowTestBackground", L"", WS_POPUP | WS_VISIBLE, r.left,
                           r.top, r.right - r.left, r.bottom - r.top, nullptr, nullptr, GetModuleHandleW(nullptr),
                           nullptr);
    UpdateWindow(wnd_);
  }
  ~BackgroundWindow() {
    if (wnd_) DestroyWindow(wnd_);
  }
  HWND Handle() const { return wnd_; }
  void Destroy() {
    DestroyWindow(wnd_);
    wnd_ = nullptr;
  }

 private:
  HWND wnd_;
};

void Pump() {
  for (int i = 0; i < 5; ++i) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(20);
  }
}

// What the screen shows at (x, y); a layered window is only seen through the screen DC.
COLORREF ScreenPixel(int x, int y) {
  TacBitmapPtr dib = NewDibBitmap(1, 1, TacPixelFormat::pf32bit);
  {
    TacWindowDC screen(nullptr);
    TacMemoryDC mem(screen.Get());
    TacSelectObject picture(mem.Get(), static_cast<HBITMAP>(dib->Handle()));
    BitBlt(mem.Get(), 0, 0, 1, 1, screen.Get(), x, y, SRCCOPY);
    GdiFlush();
  }
  const uint8_t* p = dib->Pixel(0, 0);
  return RGB(p[2], p[1], p[0]);
}

// Straight colour `rgb` at `alpha` as the screen shows it: blended over the background
// (premultiplied colour plus the background's share), or, where the display does not
// blend (Wine on an X server without compositing shows a layered window's premultiplied
// colours as they are, and only alpha 0 as see-through), the premultiplied colour alone.
::testing::AssertionResult ShowsAlpha(COLORREF got, COLORREF rgb, int alpha) {
  auto premul = [alpha](int s) { return (s * alpha + 127) / 255; };
  auto under = [alpha](int d) { return d * (255 - alpha) / 255; };
  auto within = [](int a, int b) { return std::abs(a - b) <= 3; };
  const int pr = premul(GetRValue(rgb)), pg = premul(GetGValue(rgb)), pb = premul(GetBValue(rgb));
  const bool blended = within(GetRValue(got), pr + under(GetRValue(kBackground))) &&
                       within(GetGValue(got), pg + under(GetGValue(kBackground))) &&
                       within(GetBValue(got), pb + under(GetBValue(kBackground)));
  const bool unblended = within(GetRValue(got), pr) && within(GetGValue(got), pg) && within(GetBValue(got), pb);
  if (blended || unblended) return ::testing::AssertionSuccess();
  char text[96];
  std::snprintf(text, sizeof text, "got %06lX for %06lX at alpha %d", static_cast<unsigned long>(got),
                static_cast<unsigned long>(rgb), alpha);
  return ::testing::AssertionFailure() << text;
}

::testing::AssertionResult Near(COLORREF got, COLORREF want) {
  auto off = [](int a, int b) { return std::abs(a - b) > 3; };
  if (off(GetRValue(got), GetRValue(want)) || off(GetGValue(got), GetGValue(want)) ||
      off(GetBValue(got), GetBValue(want))) {
    char text[64];
    std::snprintf(text, sizeof text, "got %06lX, want %06lX", static_cast<unsigned long>(got),
                  static_cast<unsigned long>(want));
    return ::testing::AssertionFailure() << text;
  }
  return ::testing::AssertionSuccess();
}

class Glow : public ::testing::Test {
 protected:
  void SetUp() override {
    skin_.Load("[BUTTON]\nGLOW0=!GLOWTEST.PNG!1!0!4!0010!0010!0010!0010\n[PLAIN]\n",
               {TacPackEntry{"GLOWTEST.PNG", skinfix::MakePng(30, 30, GlowImagePixel)}});
    ClearGlows();
  }
  void TearDown() override { ClearGlows(); }

  RECT WindowRect(int id) {
    RECT r = {0, 0, 0, 0};
    TacGlowEffect* g = GlowEffects().Item(id);
    if (g && g->Window) GetWindowRect(g->Window, &r);
    return r;
  }
  int Show(const TacRect& item, const TacRect& visible, int margin, HWND owner = nullptr) {
    return ShowGlow(item, visible, "BUTTON", "GLOW", margin, 255, owner, &skin_.Model);
  }

  PackedSkin skin_;
  const TacRect item_{200, 150, 240, 170};  // 40 x 20
  const TacRect all_{0, 0, 40, 20};
};

void ExpectRect(const RECT& r, int left, int top, int width, int height) {
  EXPECT_EQ(r.left, left);
  EXPECT_EQ(r.top, top);
  EXPECT_EQ(r.right - r.left, width);
  EXPECT_EQ(r.bottom - r.top, height);
}

}  // namespace


// A glow window of this process (tests of other processes may run alongside).
BOOL CALLBACK FindOwnGlowWindow(HWND h, LPARAM p) {
  wchar_t cls[64];
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  if (pid == GetCurrentProcessId() && GetClassNameW(h, cls, 64) && !wcscmp(cls, L"TacGlowWindow")) {
    *reinterpret_cast<HWND*>(p) = h;
    return FALSE;
  }
  return TRUE;
}

HWND OwnGlowWindow() {
  HWND found = nullptr;
  EnumWindows(&FindOwnGlowWindow, reinterpret_cast<LPARAM>(&found));
  return found;
}

TEST_F(Glow, TheWindowLiesOverTheItemGrownByTheImageEdgesLessTheMargin) {
  const int exact = Show(item_, all_, 10);
  ASSERT_GE(exact, 0);
  ExpectRect(WindowRect(exact), 200, 150, 40, 20);
  const int wider = Show(item_, all_, 4);
  ASSERT_GE(wider, 0);
  ExpectRect(WindowRect(wider), 194, 144, 52, 32);
  // Left 5 columns hidden by the parent: l + 5 - m = 11 columns go, the window moves right.
  const int hidden = Show(item_, TacRect{5, 0, 40, 20}, 4);
  ASSERT_GE(hidden, 0);
  ExpectRect(WindowRect(hidden), 205, 144, 41, 32);

  HWND wnd = GlowEffects().Item(wider)->Window;
  const LONG_PTR ex = GetWindowLongPtrW(wnd, GWL_EXSTYLE);
  EXPECT_TRUE(ex & WS_EX_LAYERED);
  EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);  // no task-bar button
  EXPECT_FALSE(ex & WS_EX_TOPMOST);    // no owner, so not topmost
  EXPECT_TRUE(IsWindowVisible(wnd));
  EXPECT_NE(GetForegroundWindow(), wnd);  // shown without activation
  EXPECT_EQ(GlowEffects().Item(wider)->Bitmap, nullptr);  // freed once the picture is set
}

TEST_F(Glow, TheMouseGoesThrough) {
  BackgroundWindow back(RECT{180, 130, 260, 190}, true);
  const int id = Show(item_, all_, 4, back.Handle());
  ASSERT_GE(id, 0);
  HWND wnd = GlowEffects().Item(id)->Window;
  EXPECT_TRUE(GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST);  // over a topmost owner
  EXPECT_EQ(SendMessageW(wnd, WM_NCHITTEST, 0, MAKELPARAM(196, 146)), HTTRANSPARENT);
  EXPECT_EQ(WindowFromPoint(POINT{196, 146}), back.Handle());
  // Other messages still reach the window's own procedure.
  EXPECT_TRUE(SetWindowTextW(wnd, L"glow"));
  wchar_t text[8] = {};
  GetWindowTextW(wnd, text, 8);
  EXPECT_STREQ(text, L"glow");
}

TEST_F(Glow, TheScreenShowsTheImageBlendedByItsAlpha) {
  BackgroundWindow back(RECT{150, 100, 300, 220}, true);
  Pump();
  ASSERT_TRUE(Near(ScreenPixel(190, 140), kBackground));
  const int id = Show(item_, all_, 4, back.Handle());  // 52 x 32 at (194, 144)
  ASSERT_GE(id, 0);
  Pump();
  // Corner (red, alpha 128), top side (green, alpha 200), left side, the empty centre.
  EXPECT_TRUE(ShowsAlpha(ScreenPixel(194 + 2, 144 + 3), RGB(255, 0, 0), 128));
  EXPECT_TRUE(ShowsAlpha(ScreenPixel(194 + 25, 144 + 4), RGB(0, 255, 0), 200));
  EXPECT_TRUE(ShowsAlpha(ScreenPixel(194 + 4, 144 + 15), RGB(0, 255, 0), 200));
  EXPECT_TRUE(ShowsAlpha(ScreenPixel(194 + 50, 144 + 30), RGB(255, 0, 0), 128));
  EXPECT_TRUE(Near(ScreenPixel(194 + 51, 144 + 31), ScreenPixel(194 + 50, 144 + 30)));  // the window's last pixel
  EXPECT_TRUE(Near(ScreenPixel(194 + 52, 144 + 15), kBackground));  // and just past it
  EXPECT_TRUE(Near(ScreenPixel(194 + 25, 144 + 15), kBackground));
  HideGlow(id);
  Pump();
  EXPECT_TRUE(Near(ScreenPixel(194 + 2, 144 + 3), kBackground));
}

TEST_F(Glow, IdsStayUntilTheListIsCleared) {
  const int a = Show(item_, all_, 4);
  const int b = Show(item_, all_, 4);
  ASSERT_EQ(a, 0);
  ASSERT_EQ(b, 1);
  HWND wndA = GlowEffects().Item(a)->Window;
  HideGlow(a);
  EXPECT_FALSE(IsWindow(wndA));
  EXPECT_EQ(GlowEffects().Item(a), nullptr);
  ASSERT_NE(GlowEffects().Item(b), nullptr);
  // Hiding what is already hidden, -1 or an id past the list does nothing.
  HideGlow(a);
  HideGlow(-1);
  HideGlow(99);
  EXPECT_TRUE(IsWindow(GlowEffects().Item(b)->Window));
  EXPECT_EQ(Show(item_, all_, 4), 2);
  HWND wndB = GlowEffects().Item(b)->Window;
  ClearGlows();
  EXPECT_EQ(GlowEffects().Count(), 0);
  EXPECT_FALSE(IsWindow(wndB));
  EXPECT_EQ(OwnGlowWindow(), nullptr);
}

TEST_F(Glow, NoGlowWithoutLayeredWindowsAnImageOrAVisiblePart) {
  TUpdateLayeredWindowFn saved = SetLayeredWindowUpdater(nullptr);
  EXPECT_EQ(Show(item_, all_, 4), -1);
  SetLayeredWindowUpdater(saved);
  EXPECT_EQ(OwnGlowWindow(), nullptr);

  EXPECT_EQ(ShowGlow(item_, all_, "PLAIN", "GLOW", 4, 255, nullptr, &skin_.Model), -1);
  EXPECT_EQ(ShowGlow(item_, all_, "BUTTON", "glow", 4, 255, nullptr, &skin_.Model), -1);  // exact names
  EXPECT_EQ(ShowGlow(item_, all_, "NOSUCH", "GLOW", 4, 255, nullptr, &skin_.Model), -1);
  EXPECT_EQ(Show(item_, TacRect{0, 0, 40, 0}, 4), -1);
  EXPECT_EQ(GlowEffects().Count(), 0);
  EXPECT_EQ(OwnGlowWindow(), nullptr);

  // Null names the default skin; without one there is no glow.
  TsSkinModel* savedDefault = DefaultSkinModel();
  SetDefaultSkinModel(nullptr);
  EXPECT_EQ(ShowGlow(item_, all_, "BUTTON", "GLOW", 4, 255, nullptr, nullptr), -1);
  SetDefaultSkinModel(&skin_.Model);
  EXPECT_GE(ShowGlow(item_, all_, "BUTTON", "GLOW", 4, 255, nullptr, nullptr), 0);
  SetDefaultSkinModel(savedDefault);
}

TEST_F(Glow, AGlowWhoseOwnerWentIsFreedQuietly) {
  BackgroundWindow owner(RECT{180, 130, 260, 190}, false);
  const int id = Show(item_, all_, 4, owner.Handle());
  ASSERT_GE(id, 0);
  HWND wnd = GlowEffects().Item(id)->Window;
  EXPECT_EQ(GetWindow(wnd, GW_OWNER), owner.Handle());
  owner.Destroy();  // takes its owned windows with it
  EXPECT_FALSE(IsWindow(wnd));
  EXPECT_EQ(GlowEffects().Item(id)->Window, nullptr);
  HideGlow(id);
}

TEST(GlowEffect, PrepareBitmapDrawsTheImageAsABorderWithAnEmptyCentre) {
  PackedSkin skin;
  skin.Load("[BUTTON]\nGLOW0=!GLOWTEST.PNG!1!0!4!0010!0010!0010!0010\n",
            {TacPackEntry{"GLOWTEST.PNG", skinfix::MakePng(30, 30, GlowImagePixel)}});
  TacGlowEffect glow(&skin.Model);
  glow.MaskIndex = skin.Model.FindMask("BUTTON", "GLOW0");
  ASSERT_GE(glow.MaskIndex, 0);
  glow.PrepareBitmap(52, 32);
  ASSERT_TRUE(glow.Bitmap);
  ASSERT_EQ(glow.Bitmap->Format(), TacPixelFormat::pf32bit);
  std::string picture;
  for (int y = 0; y < 32; y += 3) {
    for (int x = 0; x < 52; x += 3) {
      const uint8_t* p = glow.Bitmap->Pixel(x, y);
      picture += p[3] == 128 && p[2] == 255 ? 'C' : p[3] == 200 && p[1] == 255 ? 'S' : p[3] == 0 && !p[0] && !p[1] && !p[2] ? '.' : '?';
    }
    picture += '\n';
  }
  EXPECT_EQ(picture,
            "CCCCSSSSSSSSSSCCCC\n"
            "CCCCSSSSSSSSSSCCCC\n"
            "CCCCSSSSSSSSSSCCCC\n"
            "CCCCSSSSSSSSSSCCCC\n"
            "SSSS..........SSSS\n"
            "SSSS..........SSSS\n"
            "SSSS..........SSSS\n"
            "SSSS..........SSSS\n"
            "CCCCSSSSSSSSSSCCCC\n"
            "CCCCSSSSSSSSSSCCCC\n"
            "CCCCSSSSSSSSSSCCCC\n");
}
