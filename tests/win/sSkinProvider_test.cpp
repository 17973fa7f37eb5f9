// The skin provider on real forms: hit test answers at points of a skinned frame,
// the platform's system-menu style, duplicate providers, the redraw lock, mouse
// messages on the frame, title-button clicks, the frame's pixels on the window
// against the frame cache, the keyed corners of the region, and GDI counts over
// many activation changes.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "BoxesTestSupport.h"
#include "frame/acFrameGeometry.h"
#include "controls/sGroupBox.h"
#include "frame/acTitleButtonAnimation.h"
#include "frame/acHideAnimation.h"
#include "paint/acLayeredWindow.h"
#include "frame/sSkinProvider.h"
#include "skin/acDwmApi.h"
#include "support/StandInDwm.h"

using namespace boxestest;

namespace {

class ProviderTest : public ::testing::Test {
 protected:
  static constexpr UINT kFadeEnds = WM_APP + 5;
  void Make(TFormBorderStyle style, unsigned icons, bool withProvider = true) {
    ASSERT_EQ(DefaultManager(), nullptr) << "a manager outlived its test";
    InstallDibBitmapAllocator();
    SetCursorPos(1270, 1010);
    form_ = new TForm(Application);
    TFormDescription d;
    d.Name = "ProviderTestForm";
    d.Caption = "铂蜓 skinned frame test";
    d.ClientWidth = 450;
    d.ClientHeight = 262;
    d.BorderStyle = style;
    d.BorderIcons = icons;
    // Away from where other test programs on the same display look at the screen.
    d.Left = 700;
    d.Top = 560;
    form_->ApplyDescription(d);
    form_->FinishCreate();
    form_->HandleNeeded();
    // Sees what the provider hands on.
    auto inner = form_->WindowProc;
    form_->WindowProc = [this, inner](TMessage& m) {
      passed_.push_back(m.Msg);
      if (m.Msg == kFadeEnds) --FadeTimerCount;  // stands for a fade that ends
      inner(m);
    };
    originalStyle_ = GetWindowLongW(form_->Handle(), GWL_STYLE);
    if (withProvider) provider_ = new TsSkinProvider(form_);
    manager_ = new TsSkinManager(form_);
    const std::vector<uint8_t> air = PackSkinFolder(SourcePath("skins/air"));
    manager_->InternalSkins.Add("air", air.data(), air.size());
    manager_->SetSkinName("air");
    ASSERT_TRUE(manager_->SkinData.Active);
  }
  void TearDown() override {
    delete form_;
    EXPECT_EQ(DefaultManager(), nullptr);
  }
  // A group box as the main window holds one, below the title.
  TsGroupBox* AddGroupBox() {
    TsGroupBox* box = new TsGroupBox(form_);
    box->SetCaption("Box");
    box->SetBounds(16, 150, 417, 90);
    box->SetParent(form_);
    return box;
  }
  void ShowAndSettle() {
    form_->Show();
    SetForegroundWindow(form_->Handle());
    UpdateWindow(form_->Handle());
    PumpUntil([this] { return GetActiveWindow() == form_->Handle(); }, 500);
    Pump(80);
  }
  LRESULT HitAt(int x, int y) {
    RECT wr;
    GetWindowRect(form_->Handle(), &wr);
    return SendMessageW(form_->Handle(), WM_NCHITTEST, 0, MAKELPARAM(wr.left + x, wr.top + y));
  }
  LPARAM ScreenAt(int x, int y) {
    RECT wr;
    GetWindowRect(form_->Handle(), &wr);
    return MAKELPARAM(wr.left + x, wr.top + y);
  }
  int Passed(UINT msg) const {
    int n = 0;
    for (UINT m : passed_) n += m == msg;
    return n;
  }
  POINT Centre(const TacRect& r) const { return POINT{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }
  int WindowWidth() const {
    RECT wr;
    GetWindowRect(form_->Handle(), &wr);
    return wr.right - wr.left;
  }
  int WindowHeight() const {
    RECT wr;
    GetWindowRect(form_->Handle(), &wr);
    return wr.bottom - wr.top;
  }
  // The whole window as it is on the screen, read through the window DC.
  TacBitmapPtr WindowPixels() {
    GdiFlush();
    const int w = WindowWidth(), h = WindowHeight();
    TacBitmapPtr out = NewDibBitmap(w, h, TacPixelFormat::pf24bit);
    TacWholeWindowDC dc(form_->Handle());
    TacMemoryDC mem(dc.Get());
    TacSelectObject sel(mem.Get(), static_cast<HBITMAP>(out->Handle()));
    BitBlt(mem.Get(), 0, 0, w, h, dc.Get(), 0, 0, SRCCOPY);
    GdiFlush();
    return out;
  }

  TForm* form_ = nullptr;
  TsSkinProvider* provider_ = nullptr;
  TsSkinManager* manager_ = nullptr;
  std::vector<UINT> passed_;
  LONG originalStyle_ = 0;
};

TEST_F(ProviderTest, RaisesForAnOwnerThatIsNoForm) {
  TComponent holder(nullptr);
  EXPECT_THROW(new TsSkinProvider(&holder), EAbort);
  EXPECT_EQ(holder.ComponentCount(), 0) << "nothing left behind";
}

TEST_F(ProviderTest, HitTestAnswersAtPointsOfTheFrame) {
  Make(bsSizeable, biSystemMenu | biMinimize | biMaximize);
  ShowAndSettle();
  ASSERT_TRUE(provider_->Skinned());
  const TacFrameModel m = provider_->Model();
  const int w = WindowWidth(), h = WindowHeight();
  const int captionY = TopBorderWidth(m, false) + CaptionHeight(m, false) / 2;
  const POINT close = Centre(provider_->Button(2).R);
  const POINT max = Centre(provider_->Button(1).R);
  const POINT min = Centre(provider_->Button(0).R);
  ASSERT_GT(provider_->Button(2).R.Width(), 0) << "the close button was laid out";
  struct Case {
    const char* what;
    int x, y;
    LRESULT want;
  } cases[] = {
      {"caption", w / 3, captionY, HTCAPTION},
      {"close", close.x, close.y, HTCLOSE},
      {"maximize", max.x, max.y, HTMAXBUTTON},
      {"minimize", min.x, min.y, HTMINBUTTON},
      {"left border", 1, h / 2, HTLEFT},
      {"right border", w - 2, h / 2, HTRIGHT},
      {"bottom border", w / 2, h - 1, HTBOTTOM},
      {"top-left corner", 1, 1, HTTOPLEFT},
      {"bottom-right corner", w - 2, h - 2, HTBOTTOMRIGHT},
      {"client", w / 2, h / 2, HTCLIENT},
  };
  for (const Case& c : cases) EXPECT_EQ(HitAt(c.x, c.y), c.want) << c.what;
  // Hovering the close button makes it hot; the caption clears it.
  HitAt(close.x, close.y);
  EXPECT_EQ(provider_->Button(2).State, 1);
  HitAt(w / 3, captionY);
  EXPECT_EQ(provider_->Button(2).State, 0);
}

TEST_F(ProviderTest, MainWindowFrameHasCloseAndMinimizeOnly) {
  Make(bsSingle, biSystemMenu | biMinimize);
  ShowAndSettle();
  EXPECT_GT(provider_->Button(2).R.Width(), 0);
  EXPECT_GT(provider_->Button(0).R.Width(), 0);
  EXPECT_EQ(provider_->Button(1).R.Width(), 0) << "no maximize button";
  EXPECT_LE(provider_->Button(2).R.Right, WindowWidth());
  EXPECT_LT(provider_->Button(0).R.Right, provider_->Button(2).R.Right);
  // Double-clicking the caption of a form without maximize does nothing.
  passed_.clear();
  SendMessageW(form_->Handle(), WM_NCLBUTTONDBLCLK, HTCAPTION, ScreenAt(WindowWidth() / 3, 10));
  Pump(30);
  EXPECT_FALSE(IsZoomed(form_->Handle()));
  EXPECT_EQ(Passed(WM_SYSCOMMAND), 0);
  EXPECT_EQ(Passed(WM_NCLBUTTONDBLCLK), 0) << "swallowed";
}

TEST_F(ProviderTest, SystemMenuStyleComesBackOnlyWhenTheProviderTookIt) {
  Make(bsSingle, biSystemMenu | biMinimize);
  ASSERT_TRUE(originalStyle_ & WS_SYSMENU);
  EXPECT_FALSE(GetWindowLongW(form_->Handle(), GWL_STYLE) & WS_SYSMENU) << "skinned: the platform caption stays away";
  EXPECT_TRUE(provider_->SysMenuStyleRemoved());
  manager_->SetActive(false);
  EXPECT_TRUE(GetWindowLongW(form_->Handle(), GWL_STYLE) & WS_SYSMENU);
  EXPECT_FALSE(provider_->SysMenuStyleRemoved());
}

// Runs in both composition states (the composited run sets VQ_DWM_COMPOSITION=1 for
// the stand-in dwmapi.dll): transitions are switched off for a skinned form only
// while composition is on, and switched back on when the skin is removed.
TEST_F(ProviderTest, CompositionTransitionsOffWhileSkinnedAndBackOnRemoval) {
  const LONG before = standindwm::CallCount();
  Make(bsSingle, biSystemMenu | biMinimize);
  ShowAndSettle();
  ASSERT_TRUE(standindwm::Loaded()) << "the test prefix's dwmapi.dll is not the stand-in";
  ASSERT_EQ(DwmCompositionEnabled(), standindwm::CompositionRun());
  HWND w = form_->Handle();
  auto transitions = [&] {
    std::vector<DWORD> values;
    for (const standindwm::Call& c : standindwm::CallsSince(before))
      if (c.Window == w && c.Attribute == 3 /* DWMWA_TRANSITIONS_FORCEDISABLED */) {
        EXPECT_EQ(c.Size, 4u);
        values.push_back(c.Value);
      }
    return values;
  };
  if (standindwm::CompositionRun())
    EXPECT_EQ(transitions(), std::vector<DWORD>{1}) << "switched off once, when the skin was applied";
  else
    EXPECT_TRUE(transitions().empty()) << "nothing asked of a platform without composition";
  manager_->SetActive(false);
  const std::vector<DWORD> after = transitions();
  ASSERT_FALSE(after.empty());
  EXPECT_EQ(after.back(), 0u) << "transitions on again without the skin";
}

TEST_F(ProviderTest, SystemMenuStyleNotAddedToAFormWithoutIt) {
  Make(bsSingle, 0);
  ASSERT_FALSE(originalStyle_ & WS_SYSMENU);
  EXPECT_FALSE(provider_->SysMenuStyleRemoved());
  manager_->SetActive(false);
  EXPECT_FALSE(GetWindowLongW(form_->Handle(), GWL_STYLE) & WS_SYSMENU);
}

TEST_F(ProviderTest, LaterProviderReplacesAnAutomaticOneAndIsPassiveAfterANormalOne) {
  Make(bsSizeable, biSystemMenu | biMinimize | biMaximize, false);
  auto* automatic = new TsSkinProvider(form_, true);
  EXPECT_EQ(ProviderOfForm(form_), automatic);
  auto* designed = new TsSkinProvider(form_);
  EXPECT_EQ(ProviderOfForm(form_), designed) << "the automatic one is gone";
  EXPECT_FALSE(designed->PassiveDuplicate());
  auto* third = new TsSkinProvider(form_);
  EXPECT_TRUE(third->PassiveDuplicate());
  EXPECT_EQ(ProviderOfForm(form_), designed);
  delete third;
  EXPECT_EQ(ProviderOfForm(form_), designed) << "a passive one never attached";
}

TEST_F(ProviderTest, RedrawLockNeverBelowZero) {
  Make(bsSingle, biSystemMenu | biMinimize);
  SendMessageW(form_->Handle(), WM_SETREDRAW, 0, 0);
  EXPECT_EQ(provider_->RedrawLockCount(), 1);
  SendMessageW(form_->Handle(), WM_SETREDRAW, 1, 0);
  SendMessageW(form_->Handle(), WM_SETREDRAW, 1, 0);
  EXPECT_EQ(provider_->RedrawLockCount(), 0);
  EXPECT_EQ(Passed(WM_SETREDRAW), 3) << "passed on each time";
}

TEST_F(ProviderTest, RightButtonReleaseOnABorderIsSwallowed) {
  Make(bsSizeable, biSystemMenu | biMinimize | biMaximize);
  ShowAndSettle();
  passed_.clear();
  const LPARAM at = ScreenAt(1, WindowHeight() / 2);
  SendMessageW(form_->Handle(), WM_NCRBUTTONUP, HTLEFT, at);
  EXPECT_EQ(Passed(WM_NCRBUTTONUP), 0);
  SendMessageW(form_->Handle(), WM_NCRBUTTONDOWN, HTCAPTION, ScreenAt(WindowWidth() / 3, 10));
  EXPECT_EQ(Passed(WM_NCRBUTTONDOWN), 0) << "a right press on the caption waits for its release";
}

TEST_F(ProviderTest, TitleButtonsMinimizeAndClose) {
  Make(bsSingle, biSystemMenu | biMinimize);
  ShowAndSettle();
  HWND w = form_->Handle();
  const POINT min = Centre(provider_->Button(0).R);
  // Press, move off, come back, release: the pressed flag went on leaving.
  HitAt(min.x, min.y);
  SendMessageW(w, WM_NCLBUTTONDOWN, HTMINBUTTON, ScreenAt(min.x, min.y));
  EXPECT_EQ(provider_->Button(0).State, 2);
  HitAt(WindowWidth() / 3, 10);
  HitAt(min.x, min.y);
  SendMessageW(w, WM_NCLBUTTONUP, HTMINBUTTON, ScreenAt(min.x, min.y));
  Pump(30);
  EXPECT_FALSE(IsIconic(w)) << "no minimize after leaving the button";
  // A real press and release on it minimizes.
  SendMessageW(w, WM_NCLBUTTONDOWN, HTMINBUTTON, ScreenAt(min.x, min.y));
  SendMessageW(w, WM_NCLBUTTONUP, HTMINBUTTON, ScreenAt(min.x, min.y));
  Pump(30);
  EXPECT_TRUE(IsIconic(w));
  ShowWindow(w, SW_RESTORE);
  ShowAndSettle();
  const POINT close = Centre(provider_->Button(2).R);
  HitAt(close.x, close.y);
  SendMessageW(w, WM_NCLBUTTONDOWN, HTCLOSE, ScreenAt(close.x, close.y));
  SendMessageW(w, WM_NCLBUTTONUP, HTCLOSE, ScreenAt(close.x, close.y));
  Pump(30);
  EXPECT_FALSE(IsWindowVisible(w)) << "the close button closed the form";
}

TEST_F(ProviderTest, RealPointerHoversAndClicksTheTitleButtons) {
  Make(bsSingle, biSystemMenu | biMinimize);
  ShowAndSettle();
  HWND w = form_->Handle();
  RECT wr;
  GetWindowRect(w, &wr);
  const POINT close = Centre(provider_->Button(2).R);
  EXPECT_TRUE(PumpUntil([&] {
    SetCursorPos(wr.left + close.x, wr.top + close.y);
    return provider_->Button(2).State == 1;
  }, 1500)) << "hot under the pointer";
  SetCursorPos(1270, 1010);
  EXPECT_TRUE(PumpUntil([this] { return provider_->Button(2).State == 0; }, 1500))
      << "leaving the window clears the hover";
  const POINT min = Centre(provider_->Button(0).R);
  EXPECT_TRUE(ClickUntil(w, POINT{wr.left + min.x, wr.top + min.y}, [w] { return IsIconic(w) != FALSE; }))
      << "the minimize button minimizes";
  ShowWindow(w, SW_RESTORE);
  ShowAndSettle();
  GetWindowRect(w, &wr);
  EXPECT_TRUE(ClickUntil(w, POINT{wr.left + close.x, wr.top + close.y}, [w] { return !IsWindowVisible(w); }))
      << "the close button closes";
  SetCursorPos(1270, 1010);
}

TEST_F(ProviderTest, WindowShowsTheFrameCacheInBothStatesAndCutsTheCorners) {
  Make(bsSingle, biSystemMenu | biMinimize);
  ShowAndSettle();
  HWND w = form_->Handle();
  const TacFrameModel m = provider_->Model();
  const int top = CaptionAreaHeight(m);
  const std::vector<TacRect> cut = provider_->RegionRects();
  ASSERT_FALSE(cut.empty()) << "the air skin keys its corners";
  std::vector<RECT> skip;
  for (const TacRect& r : cut) skip.push_back(RECT{r.Left, r.Top, r.Right, r.Bottom});
  const char* names[2] = {"inactive", "active"};
  TacBitmapPtr shots[2];
  for (int active = 1; active >= 0; --active) {
    // Test programs beside this one may move the activation meanwhile: look again then.
    TacBitmapPtr screen;
    for (int attempt = 0; attempt < 5 && !screen; ++attempt) {
      SendMessageW(w, WM_NCACTIVATE, active, 0);
      Pump(30);
      if (provider_->ActiveState() != (active == 1)) continue;
      screen = WindowPixels();
      Pump(10);
      if (provider_->ActiveState() != (active == 1)) screen.reset();
    }
    ASSERT_TRUE(screen) << "the activation kept changing";
    const TacBitmap* cache = provider_->FrameCache();
    ASSERT_TRUE(cache);
    ASSERT_EQ(cache->Width(), screen->Width());
    WritePng(ShotDir() + "/provider-" + names[active] + ".png", *screen);
    std::string first;
    const RECT title{0, 0, screen->Width(), top};
    EXPECT_EQ(Differences(*cache, 0, 0, *screen, title, skip, &first), 0) << names[active] << " title " << first;
    const RECT left{0, top, SideBorderWidth(m, true), screen->Height()};
    EXPECT_EQ(Differences(*cache, 0, 0, *screen, left, skip, &first), 0) << names[active] << " left " << first;
    const RECT bottom{0, screen->Height() - TopBorderWidth(m, true), screen->Width(), screen->Height()};
    EXPECT_EQ(Differences(*cache, 0, 0, *screen, bottom, skip, &first), 0) << names[active] << " bottom " << first;
    shots[active] = std::move(screen);
  }
  EXPECT_GT(Differences(*shots[0], 0, 0, *shots[1], RECT{0, 0, WindowWidth(), top}), 0)
      << "the active and the inactive title look different";
  // The region leaves the keyed corner pixels out.
  TacRegionHandle rgn = NewRectRegion(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(w, rgn.Get()), ERROR);
  for (const TacRect& r : cut) {
    EXPECT_FALSE(PtInRegion(rgn.Get(), r.Left, r.Top)) << r.Left << "," << r.Top;
  }
  EXPECT_TRUE(PtInRegion(rgn.Get(), WindowWidth() / 2, 1));
  EXPECT_TRUE(PtInRegion(rgn.Get(), WindowWidth() / 2, WindowHeight() / 2));
}

TEST_F(ProviderTest, ChildrenGetTheFrameCacheAtTheClientOriginAsBackground) {
  Make(bsSingle, biSystemMenu | biMinimize);
  ShowAndSettle();
  const TacFrameModel m = provider_->Model();
  TacBgRequest request;
  request.Offset = TacPoint{16, 12};  // a child's place in the client area
  SendMessageW(form_->Handle(), SM_ALPHACMD, static_cast<WPARAM>(PackCommand(SMC_GETBGINFO)),
               reinterpret_cast<LPARAM>(&request));
  ASSERT_EQ(request.Kind, bgkImage);
  EXPECT_EQ(request.Image, provider_->FrameCache());
  EXPECT_EQ(request.Offset.X, ClientOffsetX(m)) << "where the client area starts in the image";
  EXPECT_EQ(request.Offset.Y, ClientOffsetY(m));
  // Painting at once copies the cache behind the child's place.
  TacBitmapPtr target = NewDibBitmap(40, 20, TacPixelFormat::pf24bit);
  {
    TBitmapCanvas canvas(*target);
    TacBgRequest now;
    now.Offset = TacPoint{16, 12};
    now.Area = TacRect{0, 0, 40, 20};
    now.PaintNow = true;
    now.TargetDC = canvas.Handle();
    SendMessageW(form_->Handle(), SM_ALPHACMD, static_cast<WPARAM>(PackCommand(SMC_GETBGINFO)),
                 reinterpret_cast<LPARAM>(&now));
    GdiFlush();
  }
  EXPECT_EQ(Differences(*provider_->FrameCache(), 16 + ClientOffsetX(m), 12 + ClientOffsetY(m), *target,
                        RECT{0, 0, 40, 20}),
            0);
  EXPECT_EQ(static_cast<uint32_t>(SendMessageW(form_->Handle(), SM_ALPHACMD,
                                               static_cast<WPARAM>(PackCommand(SMC_GETCLIENTOFFSET)), 0)),
            static_cast<uint32_t>(MAKELONG(ClientOffsetX(m), ClientOffsetY(m))));
}

// As the program's main window is built: manager and provider made while the form
// is read, the skin announced before the window exists.
TEST_F(ProviderTest, AProviderMadeWithItsFormSkinsTheFrameOnceTheWindowExists) {
  InstallDibBitmapAllocator();
  SetCursorPos(1270, 1010);
  form_ = new TForm(Application);
  TFormDescription d;
  d.Caption = "made with its form";
  d.ClientWidth = 300;
  d.ClientHeight = 120;
  d.BorderStyle = bsSingle;
  d.BorderIcons = biSystemMenu | biMinimize;
  d.Left = 720;
  d.Top = 580;
  form_->ApplyDescription(d);
  manager_ = new TsSkinManager(form_);
  const std::vector<uint8_t> air = PackSkinFolder(SourcePath("skins/air"));
  manager_->InternalSkins.Add("air", air.data(), air.size());
  manager_->SetSkinName("air");
  provider_ = new TsSkinProvider(form_);
  form_->FinishCreate();
  ASSERT_FALSE(form_->HandleAllocated());
  ShowAndSettle();
  EXPECT_TRUE(provider_->Skinned());
  EXPECT_TRUE(provider_->SysMenuStyleRemoved());
  EXPECT_FALSE(GetWindowLongW(form_->Handle(), GWL_STYLE) & WS_SYSMENU);
  EXPECT_GT(provider_->Button(2).R.Width(), 0) << "close laid out";
  EXPECT_GT(provider_->Button(0).R.Width(), 0) << "minimize laid out";
}

TEST_F(ProviderTest, AGroupBoxShowsTheFrameImageBehindItsCaptionRow) {
  Make(bsSingle, biSystemMenu | biMinimize);
  TsGroupBox* box = AddGroupBox();
  ShowAndSettle();
  box->Invalidate();
  Pump(60);
  const TacFrameModel m = provider_->Model();
  TacBitmapPtr client = Screen(form_);
  // The first rows of the caption row, right of the caption text: only background.
  const RECT strip{16 + 300, 150, 16 + 410, 152};
  std::string first;
  EXPECT_EQ(Differences(*provider_->FrameCache(), ClientOffsetX(m), ClientOffsetY(m), *client, strip, {}, &first), 0)
      << first;
}

TEST_F(ProviderTest, ShutDownQueryWaitsForRunningFades) {
  Make(bsSingle, biSystemMenu | biMinimize);
  ++FadeTimerCount;
  PostMessageW(form_->Handle(), kFadeEnds, 0, 0);
  passed_.clear();
  SendMessageW(form_->Handle(), WM_QUERYENDSESSION, 0, 0);
  EXPECT_EQ(FadeTimerCount, 0);
  EXPECT_TRUE(ShutdownPending);
  ASSERT_EQ(Passed(WM_QUERYENDSESSION), 1);
  const auto fade = std::find(passed_.begin(), passed_.end(), kFadeEnds);
  const auto query = std::find(passed_.begin(), passed_.end(), static_cast<UINT>(WM_QUERYENDSESSION));
  EXPECT_LT(fade, query) << "passed on only once the fade had ended";
  ShutdownPending = false;
}

TEST_F(ProviderTest, SizeGripIsPaintedAndSizesTheWindow) {
  Make(bsSizeable, biSystemMenu | biMinimize | biMaximize);
  ShowAndSettle();
  const int w = WindowWidth(), h = WindowHeight();
  const TacFrameModel m = provider_->Model();
  const int sb = SysBorderWidth(m, true);
  // Just inside the client's bottom-right corner.
  const POINT corner{w - sb - 4, h - sb - 4};
  EXPECT_EQ(HitAt(corner.x, corner.y), HTCLIENT) << "no grip";
  TacBitmapPtr plain = NewMemoryBitmap(w, h, TacPixelFormat::pf24bit);
  for (int y = 0; y < h; ++y)
    std::copy(provider_->FrameCache()->Pixel(0, y), provider_->FrameCache()->Pixel(0, y) + 3 * w, plain->Pixel(0, y));
  provider_->GripMode = gmRightBottom;
  provider_->SkinData().CacheDirty = true;
  provider_->PaintFrameCache();
  EXPECT_EQ(HitAt(corner.x, corner.y), HTBOTTOMRIGHT);
  const RECT square{w - sb - 20, h - sb - 20, w - sb, h - sb};
  EXPECT_GT(Differences(*plain, 0, 0, *provider_->FrameCache(), square), 0) << "the grip image is in the frame";
  const RECT away{0, h / 2, w / 2, h / 2 + 20};
  EXPECT_EQ(Differences(*plain, 0, 0, *provider_->FrameCache(), away), 0) << "and nothing else changed";
}

// Hovering close fades its glow in, in a click-through layered window just above the
// form, over the button's place widened by the skin's glow margin; the frame below
// keeps the normal look. When the pointer has gone at the end of the fade-in, the
// hover clears and the glow fades out and goes.
TEST_F(ProviderTest, HoveringCloseFadesItsGlowInAboveTheFrameAndOutAgain) {
  Make(bsSingle, biSystemMenu | biMinimize);
  ShowAndSettle();
  HWND w = form_->Handle();
  const TsButtonRecord& close = provider_->Button(2);
  const int margin = manager_->SkinData.BICloseGlowMargin;
  ASSERT_EQ(margin, 6) << "our skin's close glow margin";
  const POINT c = Centre(close.R);
  HitAt(c.x, c.y);
  ASSERT_EQ(close.State, 1);
  TacSBAnimation* a = close.Animation;
  ASSERT_NE(a, nullptr);
  a->SetEnabled(false);  // the steps are taken here, one by one
  std::vector<int> opacities{a->Opacity()};
  HWND glow = a->Window();
  ASSERT_NE(glow, nullptr);
  EXPECT_TRUE(IsWindowVisible(glow));
  const LONG_PTR ex = GetWindowLongPtrW(glow, GWL_EXSTYLE);
  EXPECT_EQ(ex & (WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE),
            WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE);
  EXPECT_EQ(GetWindow(w, GW_HWNDPREV), glow) << "just above the form";
  RECT wr, gr;
  GetWindowRect(w, &wr);
  GetWindowRect(glow, &gr);
  EXPECT_EQ(gr.left, wr.left + close.R.Left - margin);
  EXPECT_EQ(gr.top, wr.top + close.R.Top - margin);
  EXPECT_EQ(gr.right - gr.left, close.R.Width() + 2 * margin) << "the glow image BICONCLOSEGLOW0";
  EXPECT_EQ(gr.bottom - gr.top, close.R.Height() + 2 * margin);
  const TacBitmapPtr frameBefore = WindowPixels();
  while (a->Target() == 1 && opacities.size() < 20) {
    const bool wasRunning = opacities.back() < 255;
    if (!wasRunning) break;
    a->Step();
    opacities.push_back(a->Opacity());
  }
  const std::vector<int> fadeIn{25, 50, 75, 100, 125, 150, 175, 200, 225, 255};
  EXPECT_EQ(opacities, fadeIn) << "ten steps of 255 / 10";
  // The frame under the glow is unchanged: the normal close button.
  const TacBitmapPtr frameAfter = WindowPixels();
  int changed = 0;
  for (int y = close.R.Top; y < close.R.Bottom; ++y)
    for (int x = close.R.Left; x < close.R.Right; ++x) changed += Rgb(*frameBefore, x, y) != Rgb(*frameAfter, x, y);
  EXPECT_EQ(changed, 0);
  // The pointer is far away: the end of the fade-in cleared the hover.
  ASSERT_TRUE(PumpUntil([&] { return close.State == 0; }, 500));
  ASSERT_EQ(a->Target(), 0);
  a->SetEnabled(false);
  // The fade-out's first step came with the leave; the timer may have taken one more.
  opacities = {a->Opacity()};
  EXPECT_TRUE(opacities[0] == 230 || opacities[0] == 205) << opacities[0];
  while (a->Target() == 0 && opacities.size() < 20) {
    a->Step();
    opacities.push_back(a->Opacity());
  }
  for (size_t i = 1; i + 1 < opacities.size(); ++i) EXPECT_EQ(opacities[i], opacities[i - 1] - 25) << i;
  EXPECT_EQ(opacities.back(), 0);
  EXPECT_EQ(opacities[opacities.size() - 2], 5) << "255 / 10 a step, down to nothing";
  EXPECT_EQ(a->Target(), -1);
  EXPECT_EQ(a->Window(), nullptr);
  EXPECT_FALSE(IsWindow(glow)) << "the glow window is gone";
}

TEST_F(ProviderTest, NoLeakOverManyHoverAndLeaveCyclesOfEachTitleButton) {
  Make(bsSingle, biSystemMenu | biMinimize);
  ShowAndSettle();
  HWND w = form_->Handle();
  auto cycle = [&](int index) {
    const TsButtonRecord& b = provider_->Button(index);
    const POINT c = Centre(b.R);
    HitAt(c.x, c.y);
    SendMessageW(w, WM_MOUSELEAVE, 0, 0);
    // The fade-out to its end, without waiting for the timer.
    for (int i = 0; b.Animation && b.Animation->Target() == 0 && i < 20; ++i) b.Animation->Step();
  };
  cycle(0);
  cycle(2);
  Pump(20);
  const long gdi = GdiLiveCountAll();
  const int windows = ThreadWindowCount();
  for (int i = 0; i < 1000; ++i) {
    cycle(0);  // minimize
    cycle(2);  // close
  }
  Pump(20);
  EXPECT_EQ(GdiLiveCountAll(), gdi);
  EXPECT_EQ(ThreadWindowCount(), windows);
  EXPECT_EQ(provider_->Button(0).Animation->Window(), nullptr);
  EXPECT_EQ(provider_->Button(2).Animation->Window(), nullptr);
}

TEST_F(ProviderTest, NoGdiLeakOverActivationChanges) {
  Make(bsSingle, biSystemMenu | biMinimize);
  ShowAndSettle();
  HWND w = form_->Handle();
  SendMessageW(w, WM_NCACTIVATE, 0, 0);
  SendMessageW(w, WM_NCACTIVATE, 1, 0);
  Pump(20);
  const long before = GdiLiveCountAll();
  for (int i = 0; i < 100; ++i) {
    SendMessageW(w, WM_NCACTIVATE, 0, 0);
    SendMessageW(w, WM_NCACTIVATE, 1, 0);
  }
  Pump(20);
  EXPECT_EQ(GdiLiveCountAll(), before);
}

// What the hide animation hands to its layered window: each picture copied (the
// source DC's bitmap blitted into one of ours) with its opacity and place.
struct HidePicture {
  TacBitmapPtr picture;
  int opacity;
  POINT at;
};
std::vector<HidePicture>* g_hidePictures = nullptr;
TUpdateLayeredWindowFn g_realUpdate = nullptr;

BOOL WINAPI RecordHidePicture(HWND wnd, HDC screen, POINT* at, SIZE* size, HDC source, POINT* from, COLORREF key,
                              BLENDFUNCTION* blend, DWORD flags) {
  if (g_hidePictures && wnd == HideTimer().Window() && source && size && at) {
    TacBitmapPtr copy = NewBitmap32(size->cx, size->cy);
    TacMemoryDC dc(source);
    TacSelectObject selected(dc.Get(), static_cast<HBITMAP>(copy->Handle()));
    BitBlt(dc.Get(), 0, 0, size->cx, size->cy, source, 0, 0, SRCCOPY);
    GdiFlush();
    g_hidePictures->push_back({std::move(copy), blend ? blend->SourceConstantAlpha : -1, *at});
  }
  return g_realUpdate(wnd, screen, at, size, source, from, key, blend, flags);
}

TEST_F(ProviderTest, HidingLeavesTheWholeWindowFadingInATopmostSnapshot) {
  Make(bsSingle, biSystemMenu | biMinimize);
  AddGroupBox();
  ShowAndSettle();
  const TacBitmapPtr before = Screen(form_);
  ASSERT_TRUE(before);
  const TacFrameModel m = provider_->Model();
  RECT wr;
  GetWindowRect(form_->Handle(), &wr);

  std::vector<HidePicture> pictures;
  g_hidePictures = &pictures;
  g_realUpdate = LayeredWindowUpdater();
  SetLayeredWindowUpdater(RecordHidePicture);
  struct Case {
    const char* what;
    int time;
    bool animates;
  } cases[] = {{"the default: no hide animation", 0, false}, {"50 ms", 50, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    pictures.clear();
    manager_->AnimEffects.FormHide = TacFormAnimation{true, c.time, atFading};
    form_->Hide();
    EXPECT_EQ(HideTimer().Running(), c.animates);
    if (!c.animates) {
      EXPECT_TRUE(pictures.empty());
      ShowAndSettle();
      continue;
    }
    ASSERT_FALSE(pictures.empty());
    const HidePicture& first = pictures.front();
    EXPECT_EQ(first.opacity, 127);
    EXPECT_EQ(first.at.x, wr.left);
    EXPECT_EQ(first.at.y, wr.top);
    ASSERT_EQ(first.picture->Width(), wr.right - wr.left);
    ASSERT_EQ(first.picture->Height(), wr.bottom - wr.top);
    EXPECT_TRUE(GetWindowLongW(HideTimer().Window(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    // The client as it was on the screen, box and caption included, and an opaque frame.
    // A few levels per channel are allowed: when the platform moves the activation away
    // while hiding, the client's texture takes its inactive shade (about 5 levels).
    int distant = 0;
    for (int y = 0; y < before->Height(); ++y)
      for (int x = 0; x < before->Width(); ++x) {
        const uint8_t* a = first.picture->Pixel(x + ClientOffsetX(m), y + ClientOffsetY(m));
        const uint8_t* b = before->Pixel(x, y);
        for (int ch = 0; ch < 3; ++ch) distant += std::abs(a[ch] - b[ch]) > 8 ? 1 : 0;
      }
    EXPECT_EQ(distant, 0);
    EXPECT_EQ(first.picture->Pixel(first.picture->Width() / 2, 2)[3], 255);
    WritePng(PictureDir("screens") + "/hide-snapshot.png", *first.picture);
    ASSERT_TRUE(PumpUntil([] { return !HideTimer().Running(); }, 3000));
    EXPECT_EQ(pictures.back().opacity, 0);
  }
  SetLayeredWindowUpdater(g_realUpdate);
  g_hidePictures = nullptr;
}

}  // namespace
