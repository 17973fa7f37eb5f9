// The main window on its shadow: the layered border window behind the form, the
// image it is handed, clicks in the shadow, maximizing, an alpha-blended form,
// hiding, and a skin without a shadow of its own (in both composition runs).
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>
#include <string>
#include <vector>

#include "app/ProgramArguments.h"
#include "app/uVqMainFrm.h"
#include "controls/sFadeTimer.h"
#include "frame/acAnimationSteps.h"
#include "frame/acBorderForm.h"
#include "frame/acFrameGeometry.h"
#include "frame/acFrameHitTest.h"
#include "frame/sSkinProvider.h"
#include "framework/vclApplication.h"
#include "framework/vclSubclass.h"
#include "framework/vclText.h"
#include "paint/acDibBitmap.h"
#include "paint/acGdiHandles.h"
#include "paint/acLayeredWindow.h"
#include "skin/acSkinWriter.h"
#include "skin/sSkinManager.h"
#include "ShadowlessSkin.h"
#include "support/StandInDwm.h"
#include "support/TestPaths.h"
#include "support/WinPixels.h"

namespace {

// The next window below `w` in z-order that is visible (hidden helper windows of the
// platform may lie in between).
HWND NextVisible(HWND w) {
  for (HWND h = GetWindow(w, GW_HWNDNEXT); h; h = GetWindow(h, GW_HWNDNEXT))
    if (IsWindowVisible(h)) return h;
  return nullptr;
}

// The images handed to UpdateLayeredWindow for one window, as they were handed.
struct SentImage {
  TacBitmapPtr Pixels;  // premultiplied, as the platform takes them
  int Opacity;
  POINT At;
};
TUpdateLayeredWindowFn g_real = nullptr;
HWND g_watched = nullptr;
std::vector<SentImage>* g_sent = nullptr;

BOOL WINAPI RecordSent(HWND wnd, HDC screen, POINT* at, SIZE* size, HDC source, POINT* from, COLORREF key,
                       BLENDFUNCTION* blend, DWORD flags) {
  if (g_sent && wnd == g_watched && source && size) {
    TacBitmapPtr copy = NewBitmap32(size->cx, size->cy);
    TacMemoryDC dc(source);
    TacSelectObject selected(dc.Get(), static_cast<HBITMAP>(copy->Handle()));
    BitBlt(dc.Get(), 0, 0, size->cx, size->cy, source, 0, 0, SRCCOPY);
    GdiFlush();
    g_sent->push_back({std::move(copy), blend ? blend->SourceConstantAlpha : -1, at ? *at : POINT{0, 0}});
  }
  return g_real(wnd, screen, at, size, source, from, key, blend, flags);
}

// Records what the border window is handed while it lives.
class SentImages {
 public:
  explicit SentImages(HWND border) {
    g_real = LayeredWindowUpdater();
    g_watched = border;
    g_sent = &images_;
    SetLayeredWindowUpdater(RecordSent);
  }
  ~SentImages() {
    SetLayeredWindowUpdater(g_real);
    g_sent = nullptr;
  }
  const std::vector<SentImage>& Images() const { return images_; }

 private:
  std::vector<SentImage> images_;
};

// A plain top-level window of one colour that records the mouse presses it gets.
class Backdrop {
 public:
  Backdrop(COLORREF color, RECT r) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"BorderTestBackdrop";
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    RegisterClassW(&wc);
    brush_ = NewSolidBrush(color);
    window_ = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, r.left, r.top, r.right - r.left, r.bottom - r.top,
                              nullptr, nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~Backdrop() { DestroyWindow(window_); }
  HWND Window() const { return window_; }
  int Presses() const { return presses_; }
  // Shown below `form`: a desktop of its colour. The display server keeps the window
  // it mapped last on top whatever the z-order says, so the form is shown again over it.
  void ShowBelow(TForm* form) {
    ShowWindow(window_, SW_SHOWNOACTIVATE);
    UpdateWindow(window_);
    PumpFor(50);
    form->SetVisible(false);
    form->Show();
    PumpFor(150);
  }

 private:
  static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    Backdrop* self = reinterpret_cast<Backdrop*>(GetWindowLongPtrW(w, GWLP_USERDATA));
    if (self && msg == WM_LBUTTONDOWN) ++self->presses_;
    if (self && msg == WM_ERASEBKGND) {
      RECT r;
      GetClientRect(w, &r);
      FillRect(reinterpret_cast<HDC>(wp), &r, self->brush_.Get());
      return 1;
    }
    return DefWindowProcW(w, msg, wp, lp);
  }
  HWND window_ = nullptr;
  TacBrushHandle brush_;
  int presses_ = 0;
};

class BorderForm : public testing::Test {
 protected:
  void SetUp() override {
    SetCursorPos(1270, 1010);
    SetProgramArgumentsW({ProgramFileW(), GbkToWide(SourcePath("tests/data/sample/VqSample.apk"))});
    form_ = Application->CreateForm<TVqMainFrm>();
    form_->Show();
    ASSERT_TRUE(PumpUntil([&] { return !form_->PackageLoading(); }, 15000));
    SetForegroundWindow(form_->Handle());
    Settle();
    provider_ = ProviderOfForm(form_);
    ASSERT_NE(provider_, nullptr);
    ASSERT_NE(provider_->BorderForm(), nullptr) << "the main window has extended borders";
    border_ = provider_->BorderForm()->BorderWindow();
  }
  void TearDown() override {
    delete form_;
    SetProgramArgumentsW({});
  }
  static void Settle() {
    PumpFor(80);
    PumpUntil([] { return FadeTimerCount == 0; });
    PumpFor(40);
  }
  RECT BorderRect() const {
    RECT r;
    GetWindowRect(border_, &r);
    return r;
  }
  TacRect Margins() const { return ExtMargins(provider_->Model()); }

  TVqMainFrm* form_ = nullptr;
  TsSkinProvider* provider_ = nullptr;
  HWND border_ = nullptr;
};

TEST_F(BorderForm, MainWindowStandsOnALayeredShadowBehindIt) {
  ASSERT_TRUE(IsWindowVisible(border_));
  const LONG ex = GetWindowLongW(border_, GWL_EXSTYLE);
  EXPECT_TRUE(ex & WS_EX_LAYERED);
  EXPECT_TRUE(ex & WS_EX_NOACTIVATE);
  EXPECT_TRUE(ex & WS_EX_TOOLWINDOW) << "no task-bar button of its own";
  EXPECT_EQ(NextVisible(form_->Handle()), border_) << "directly behind the form";

  const TacFrameModel m = provider_->Model();
  const TacRect e = Margins();
  EXPECT_EQ(e.Left, 12) << "FORMOFFSET on every side in centred mode";
  RECT fr, br = BorderRect();
  GetWindowRect(form_->Handle(), &fr);
  EXPECT_EQ(br.right - br.left, (fr.right - fr.left) + 2 * (SysBorderWidth(m, true) - SysBorderWidth(m, false)) +
                                    e.Left + e.Right);
  EXPECT_EQ(br.bottom - br.top, provider_->FrameCache()->Height());
  EXPECT_GT(br.bottom - br.top, (fr.bottom - fr.top) + e.Top + e.Bottom);

  SentImages sent(border_);
  provider_->BorderForm()->UpdateBorder(true);
  ASSERT_EQ(sent.Images().size(), 1u);
  const TacBitmap& img = *sent.Images()[0].Pixels;
  EXPECT_EQ(sent.Images()[0].Opacity, 255);
  EXPECT_EQ(sent.Images()[0].At.x, br.left);
  ASSERT_EQ(img.Width(), br.right - br.left);
  ASSERT_EQ(img.Height(), br.bottom - br.top);
  // The shadow: translucent, fading outwards; the frame and client opaque.
  const int midY = img.Height() / 2, midX = img.Width() / 2;
  const int nearFrame = img.Pixel(e.Left - 1, midY)[3], farOut = img.Pixel(0, midY)[3];
  EXPECT_GT(nearFrame, 0);
  EXPECT_LT(nearFrame, 255);
  EXPECT_LT(farOut, nearFrame) << "the shadow fades away from the frame";
  EXPECT_LT(img.Pixel(0, 0)[3], 255);
  EXPECT_EQ(img.Pixel(midX, img.Height() - e.Bottom - 1)[3], 255) << "bottom border";
  EXPECT_EQ(img.Pixel(midX, midY)[3], 255) << "client";
  // Premultiplied, as the platform takes it: no channel above its alpha.
  int invalid = 0;
  for (int y = 0; y < img.Height(); ++y)
    for (int x = 0; x < img.Width(); ++x) {
      const uint8_t* p = img.Pixel(x, y);
      invalid += p[0] > p[3] || p[1] > p[3] || p[2] > p[3];
    }
  EXPECT_EQ(invalid, 0);
  // The form's client shows through the border window's region; the frame is on it.
  TacRegionHandle rgn = NewRectRegion(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(border_, rgn.Get()), ERROR);
  EXPECT_FALSE(PtInRegion(rgn.Get(), midX, midY));
  EXPECT_TRUE(PtInRegion(rgn.Get(), midX, 20)) << "title";
  EXPECT_TRUE(PtInRegion(rgn.Get(), 2, midY)) << "shadow";
  TacRegionHandle formRgn = NewRectRegion(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(form_->Handle(), formRgn.Get()), ERROR);
  RECT box;
  GetRgnBox(formRgn.Get(), &box);
  RECT client;
  GetClientRect(form_->Handle(), &client);
  EXPECT_EQ(box.right - box.left, client.right) << "the form is cut to its client area";
  EXPECT_EQ(box.bottom - box.top, client.bottom);
}

TEST_F(BorderForm, ShadowOverLightAndDarkDesktops) {
  const RECT br = BorderRect();
  RECT around = br;
  InflateRect(&around, 30, 30);
  const std::string dir = PictureDir("screens");
  struct Case {
    const char* name;
    COLORREF color;
  } cases[] = {{"main-shadow-light", RGB(250, 250, 250)}, {"main-shadow-dark", RGB(30, 40, 60)}};
  for (const Case& c : cases) {
    Backdrop back(c.color, around);
    back.ShowBelow(form_);
    Settle();
    ASSERT_EQ(WindowFromPoint(POINT{br.left + 3, (br.top + br.bottom) / 2}), border_) << c.name;
    TacBitmapPtr shot = ScreenAround(border_, 8);
    ASSERT_TRUE(shot);
    EXPECT_TRUE(WritePng(dir + "/" + c.name + ".png", *shot)) << c.name;
    // In the shadow next to the frame the backdrop is darkened; far out it shows as it is.
    const int midY = shot->Height() / 2;
    const uint32_t bg = Rgb(*shot, 1, midY);
    const uint32_t shade = Rgb(*shot, 8 + Margins().Left - 2, midY);
    EXPECT_EQ(bg, static_cast<uint32_t>(GetBValue(c.color)) << 16 | GetGValue(c.color) << 8 | GetRValue(c.color))
        << c.name;
    EXPECT_LT(shade & 0xFF, bg & 0xFF) << c.name << ": the shadow darkens what lies below";
  }
}

TEST_F(BorderForm, ClickInTheShadowReachesTheWindowBelowNotTheForm) {
  RECT below = BorderRect();
  InflateRect(&below, 40, 40);
  Backdrop back(RGB(200, 220, 200), below);
  back.ShowBelow(form_);
  Settle();
  int formPresses = 0;
  TMessageSubclass watch([&](TMessage& m) {
    if (m.Msg == WM_LBUTTONDOWN || m.Msg == WM_NCLBUTTONDOWN) ++formPresses;
    return false;
  });
  ASSERT_TRUE(watch.Attach(form_->Handle()));
  PumpFor(100);
  const RECT br = BorderRect();
  const POINT shadow{br.left + 3, (br.top + br.bottom) / 2};
  ASSERT_TRUE(provider_->BorderForm()->InShadow(POINT{3, (br.bottom - br.top) / 2}));
  ASSERT_EQ(WindowFromPoint(shadow), border_) << "the shadow lies over the window below";
  EXPECT_TRUE(ClickUntil(form_->Handle(), shadow, [&] { return back.Presses() > 0; }));
  PumpFor(100);
  EXPECT_EQ(formPresses, 0);
  EXPECT_EQ(GetForegroundWindow(), back.Window()) << "the window below is activated";
  EXPECT_NE(GetForegroundWindow(), form_->Handle());
  watch.Detach();
  SetCursorPos(1270, 1010);
}

// The title lies on the border window: dragging it moves the form, and the border
// window follows.
TEST_F(BorderForm, DraggingTheTitleMovesTheForm) {
  RECT before;
  GetWindowRect(form_->Handle(), &before);
  const RECT br = BorderRect();
  const POINT grab{br.left + 200, br.top + Margins().Top + 10};
  ASSERT_EQ(provider_->BorderForm()->BorderHitTest(grab), acHit::Caption);
  SetForegroundWindow(form_->Handle());
  // The pointer is worked from another thread: the press starts the platform's move
  // loop on this one, which runs until the button comes up.
  std::atomic<bool> done{false};
  std::thread hand([&] {
    INPUT in{};
    in.type = INPUT_MOUSE;
    SetCursorPos(grab.x, grab.y);
    Sleep(50);
    in.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    SendInput(1, &in, sizeof in);
    Sleep(100);
    for (int i = 1; i <= 8; ++i) {
      SetCursorPos(grab.x + 10 * i, grab.y + 5 * i);
      in.mi.dwFlags = MOUSEEVENTF_MOVE;
      SendInput(1, &in, sizeof in);
      Sleep(30);
    }
    in.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(1, &in, sizeof in);
    Sleep(50);
    done = true;
  });
  PumpUntil([&] { return done.load(); }, 10000);
  hand.join();
  Settle();
  RECT after;
  GetWindowRect(form_->Handle(), &after);
  EXPECT_EQ(after.left - before.left, 80);
  EXPECT_EQ(after.top - before.top, 40);
  const RECT moved = BorderRect();
  EXPECT_EQ(moved.left - br.left, after.left - before.left) << "the border window follows";
  EXPECT_EQ(moved.top - br.top, after.top - before.top);
  SetCursorPos(1270, 1010);
}

TEST_F(BorderForm, MaximizingCutsTheBottomShadow) {
  const int normal = BorderRect().bottom - BorderRect().top;
  const TacFrameModel m = provider_->Model();
  ShowWindow(form_->Handle(), SW_MAXIMIZE);
  Settle();
  ASSERT_TRUE(IsZoomed(form_->Handle()));
  const int cache = provider_->FrameCache()->Height();
  EXPECT_EQ(BorderRect().bottom - BorderRect().top, cache - (Margins().Bottom + SysBorderWidth(m, true)));
  EXPECT_FALSE(provider_->BorderForm()->InShadow(POINT{1, 1})) << "no shadow to click through when maximized";
  ShowWindow(form_->Handle(), SW_RESTORE);
  Settle();
  EXPECT_EQ(BorderRect().bottom - BorderRect().top, normal);
}

TEST_F(BorderForm, AlphaBlendedFormShowsItsBorderAtItsValue) {
  SentImages sent(border_);
  form_->SetAlphaBlendValue(160);
  form_->SetAlphaBlend(true);
  provider_->BorderForm()->UpdateBorder(true);
  ASSERT_FALSE(sent.Images().empty());
  EXPECT_EQ(sent.Images().back().Opacity, 160);
  EXPECT_EQ(provider_->BorderForm()->SentOpacity(), 160);
  form_->SetAlphaBlend(false);
  provider_->BorderForm()->UpdateBorder(true);
  EXPECT_EQ(sent.Images().back().Opacity, 255);
}

TEST_F(BorderForm, HidingHidesTheBorderWindowBeforeTheForm) {
  bool borderVisibleWhenFormWent = true;
  int hides = 0;
  TMessageSubclass watch([&](TMessage& m) {
    if (m.Msg == WM_WINDOWPOSCHANGING) {
      const WINDOWPOS* wp = reinterpret_cast<const WINDOWPOS*>(m.LParam);
      if (wp->flags & SWP_HIDEWINDOW) {
        ++hides;
        borderVisibleWhenFormWent = IsWindowVisible(border_) != FALSE;
      }
    }
    return false;
  });
  ASSERT_TRUE(watch.Attach(form_->Handle()));
  form_->SetVisible(false);
  Settle();
  EXPECT_EQ(hides, 1);
  EXPECT_FALSE(borderVisibleWhenFormWent) << "the shadow must not stay behind a form already gone";
  EXPECT_FALSE(IsWindowVisible(border_));
  watch.Detach();
  form_->SetVisible(true);
  Settle();
  EXPECT_TRUE(IsWindowVisible(border_)) << "back with the form";
  EXPECT_EQ(NextVisible(form_->Handle()), border_);
}

// A skin without its own shadow image: the built-in shadows around a frame drawn in
// the form section's look (not centred), one pixel wider with composition on.
TEST(CompositionShadowlessBorder, BuiltinShadowAroundTheFrame) {
  const std::vector<uint8_t> shadowless = ShadowlessSkin();
  ASSERT_FALSE(shadowless.empty());

  TForm* form = TForm::Create<TForm>(Application);
  form->SetClientSize(300, 200);
  TsSkinManager* m = new TsSkinManager(form);
  m->InternalSkins.Add("shadowless", shadowless.data(), shadowless.size());
  m->SetExtendedBorders(true);
  m->SetSkinName("shadowless");
  TsSkinProvider* provider = new TsSkinProvider(form);
  form->Show();
  PumpFor(200);
  ASSERT_TRUE(provider->Skinned());
  ASSERT_NE(provider->BorderForm(), nullptr);
  const int grow = standindwm::CompositionRun() ? 1 : 0;
  const TacFrameModel model = provider->Model();
  const TacRect e = ExtMargins(model);
  EXPECT_EQ(e.Left, 11 + grow);
  EXPECT_EQ(e.Top, 7 + grow);
  EXPECT_FALSE(CentredBorderMode(model)) << "the built-in shadows hold no title";
  RECT fr, br;
  GetWindowRect(form->Handle(), &fr);
  GetWindowRect(provider->BorderForm()->BorderWindow(), &br);
  EXPECT_EQ(br.right - br.left, (fr.right - fr.left) + 2 * (SysBorderWidth(model, true) - SysBorderWidth(model, false)) +
                                    e.Left + e.Right);
  const TacBitmap* cache = provider->FrameCache();
  ASSERT_NE(cache, nullptr);
  ASSERT_EQ(cache->Format(), TacPixelFormat::pf32bit);
  const int midY = cache->Height() / 2;
  EXPECT_LT(cache->Pixel(0, midY)[3], 255) << "the shadow ring";
  EXPECT_EQ(cache->Pixel(e.Left, midY)[3], 255) << "the frame";
  // The title comes from the skin's title section, not from the shadow image.
  EXPECT_EQ(cache->Pixel(cache->Width() / 2, e.Top + 5)[3], 255);
  delete form;
}

}  // namespace

namespace {

// What happened around a show, in order: pictures handed to border windows, and the
// form's own visibility and paints.
struct ShowEvent {
  enum Kind { BorderPicture, FormShown, FormPaint } What;
  int Opacity;     // BorderPicture
  bool Visible;    // FormPaint: the form was on the screen while it painted
  SIZE Size;
};
std::vector<ShowEvent>* g_showEvents = nullptr;
TUpdateLayeredWindowFn g_showReal = nullptr;

BOOL WINAPI RecordShowPicture(HWND wnd, HDC screen, POINT* at, SIZE* size, HDC source, POINT* from, COLORREF key,
                              BLENDFUNCTION* blend, DWORD flags) {
  wchar_t cls[64] = {};
  GetClassNameW(wnd, cls, 64);
  if (g_showEvents && source && size && std::wstring(cls) == L"TacBorderForm")
    g_showEvents->push_back({ShowEvent::BorderPicture, blend ? blend->SourceConstantAlpha : -1, false, *size});
  return g_showReal(wnd, screen, at, size, source, from, key, blend, flags);
}

// The main window shown with its FormShow settings, every event recorded.
std::vector<ShowEvent> RecordMainWindowShow(int timeMs, TacAnimType mode, SIZE* cacheSize) {
  std::vector<ShowEvent> events;
  SetProgramArgumentsW({ProgramFileW()});
  TVqMainFrm* form = Application->CreateForm<TVqMainFrm>();
  form->sknmngr1->AnimEffects.FormShow.Time = timeMs;
  form->sknmngr1->AnimEffects.FormShow.Mode = mode;
  bool seenVisible = false;
  TMessageSubclass watch([&](TMessage& m) {
    // The first message the form gets with its visible bit set: it is on the screen.
    if (!seenVisible && IsWindowVisible(form->Handle())) {
      seenVisible = true;
      events.push_back({ShowEvent::FormShown, 0, true, {0, 0}});
    }
    if (m.Msg == WM_PAINT || m.Msg == WM_ERASEBKGND)
      events.push_back({ShowEvent::FormPaint, 0, IsWindowVisible(form->Handle()) != FALSE, {0, 0}});
    return false;
  });
  watch.Attach(form->Handle());
  g_showReal = LayeredWindowUpdater();
  g_showEvents = &events;
  SetLayeredWindowUpdater(RecordShowPicture);
  form->Show();
  SetLayeredWindowUpdater(g_showReal);
  g_showEvents = nullptr;
  const TsSkinProvider* provider = ProviderOfForm(form);
  if (cacheSize && provider && provider->FrameCache())
    *cacheSize = SIZE{provider->FrameCache()->Width(), provider->FrameCache()->Height()};
  EXPECT_TRUE(provider && provider->BorderForm() && IsWindowVisible(provider->BorderForm()->BorderWindow()));
  watch.Detach();
  PumpFor(100);
  delete form;
  SetProgramArgumentsW({});
  return events;
}

// FormShow.Time 0, the program's setting: the window's whole picture is on the border
// window at full opacity before the form is on the screen, and the form paints its
// client over it before the call returns, so no pumped message comes in between.
TEST(FormShowAnimation, AtTimeZeroThePictureComesBeforeTheForm) {
  SIZE cache{0, 0};
  const std::vector<ShowEvent> events = RecordMainWindowShow(0, atAero, &cache);
  size_t firstPicture = events.size(), shown = events.size(), firstVisiblePaint = events.size();
  for (size_t i = 0; i < events.size(); ++i) {
    if (events[i].What == ShowEvent::BorderPicture && firstPicture == events.size()) firstPicture = i;
    if (events[i].What == ShowEvent::FormShown && shown == events.size()) shown = i;
    if (events[i].What == ShowEvent::FormPaint && events[i].Visible && firstVisiblePaint == events.size())
      firstVisiblePaint = i;
  }
  ASSERT_LT(firstPicture, events.size()) << "a picture on the border window";
  ASSERT_LT(shown, events.size());
  ASSERT_LT(firstVisiblePaint, events.size()) << "the form painted itself once shown";
  EXPECT_EQ(events[firstPicture].Opacity, 255) << "at once at full opacity";
  EXPECT_EQ(events[firstPicture].Size.cx, cache.cx) << "the whole window with its shadow";
  EXPECT_EQ(events[firstPicture].Size.cy, cache.cy);
  EXPECT_LT(firstPicture, shown) << "the picture is there before the form";
  EXPECT_LT(shown, firstVisiblePaint);
}

// A timed show in aero mode: the border window's pictures rise in opacity as the steps
// say, the last at the target, all before the form appears.
TEST(FormShowAnimation, TimedShowRampsBeforeTheFormAppears) {
  SIZE cache{0, 0};
  const std::vector<ShowEvent> events = RecordMainWindowShow(50, atAero, &cache);
  std::vector<int> opacities;
  size_t shown = events.size();
  for (size_t i = 0; i < events.size(); ++i) {
    if (events[i].What == ShowEvent::FormShown && shown == events.size()) shown = i;
    if (events[i].What == ShowEvent::BorderPicture && shown == events.size()) opacities.push_back(events[i].Opacity);
  }
  std::vector<int> expected{0};
  for (const TacAnimationStep& step : ShowAnimationSteps(cache.cx, cache.cy, 5, 255, atAero, false))
    expected.push_back(step.Opacity);
  expected.push_back(255);
  EXPECT_EQ(opacities, expected);
}

}  // namespace
