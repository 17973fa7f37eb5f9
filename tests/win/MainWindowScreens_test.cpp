// The program's windows as a user sees them, written as pictures to look at
// (build/<preset>/screens): the main window at start, with a package, with the
// pointer over the install button (hot look and glow), while it is pressed, with
// the error label, and the driver dialog. Each state is also checked on the
// screen: the button shows its own cache, the hot look differs from the normal
// one and has its glow.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/ProgramArguments.h"
#include "app/uDriveFrm.h"
#include "app/uVqMainFrm.h"
#include "controls/sCommonData.h"
#include "controls/sFadeTimer.h"
#include "frame/acBorderForm.h"
#include "frame/acTitleButtonAnimation.h"
#include "frame/sSkinProvider.h"
#include "framework/vclApplication.h"
#include "framework/vclMessageForm.h"
#include "framework/vclText.h"
#include "paint/acDibBitmap.h"
#include "paint/acGdiHandles.h"
#include "frame/acAnimationSteps.h"
#include "paint/acLayeredWindow.h"
#include "skin/sSkinManager.h"
#include "support/TestPaths.h"
#include "support/WinPixels.h"

namespace {

std::wstring W(const std::string& gbk) { return GbkToWide(gbk); }

// Pixels where the button's on-screen image differs from its cache.
int DiffersFromCache(TsBitBtn* b) {
  TacBitmapPtr shown = ScreenPixels(b);
  const TacBitmap* cache = b->SkinData().CacheBitmap();
  if (!shown || !cache || cache->Width() != shown->Width() || cache->Height() != shown->Height()) return -1;
  TacRegionHandle rgn = NewRectRegion(0, 0, 0, 0);
  const bool shaped = GetWindowRgn(b->Handle(), rgn.Get()) != ERROR;
  int n = 0;
  for (int y = 0; y < shown->Height(); ++y)
    for (int x = 0; x < shown->Width(); ++x)
      if ((!shaped || PtInRegion(rgn.Get(), x, y)) && Rgb(*shown, x, y) != Rgb(*cache, x, y)) ++n;
  return n;
}

bool SamePixels(const TacBitmap& a, const TacBitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (Rgb(a, x, y) != Rgb(b, x, y)) return false;
  return true;
}

class Screens : public testing::Test {
 protected:
  void SetUp() override {
    for (const char* var : {"PTQ_SCRIPT", "PTQAPK_SCRIPT", "PTQLIST_SCRIPT", "PTQ_DEVICE", "PTQ_LOG", "PTQ_DELAY_MS"})
      SetEnvironmentVariableA(var, nullptr);
    SetCursorPos(1270, 1010);  // the pointer parked off every window
    dir_ = PictureDir("screens");
  }
  void TearDown() override {
    delete form_;
    SetProgramArgumentsW({});
    SetEnvironmentVariableA("PTQ_DEVICE", nullptr);
  }
  void Start(const std::vector<std::wstring>& args) {
    std::vector<std::wstring> all{ProgramFileW()};
    all.insert(all.end(), args.begin(), args.end());
    SetProgramArgumentsW(all);
    form_ = Application->CreateForm<TVqMainFrm>();
    form_->Show();
    ASSERT_TRUE(PumpUntil([&] { return !form_->PackageLoading(); }, 15000));
    Settle();
  }
  static void Settle() {
    PumpFor(80);
    ASSERT_TRUE(PumpUntil([] { return FadeTimerCount == 0; }));
    PumpFor(40);
  }
  // The window as the screen shows it, with what lies around it: a frame on a border
  // window is taken with its whole shadow.
  void Shot(HWND wnd, const std::string& name) {
    TWinControl* control = TWinControl::FromHandle(wnd);
    TsSkinProvider* provider = control ? ProviderOfForm(dynamic_cast<TForm*>(control)) : nullptr;
    TacBitmapPtr shot = provider && provider->BorderForm() ? ScreenAround(provider->BorderForm()->BorderWindow(), 8)
                                                           : ScreenAround(wnd, 12);
    ASSERT_TRUE(shot);
    EXPECT_TRUE(WritePng(dir_ + "/" + name + ".png", *shot)) << name;
  }

  TVqMainFrm* form_ = nullptr;
  std::string dir_;
};

TEST_F(Screens, MainWindowAtStartAndWithAPackage) {
  Start({});
  EXPECT_FALSE(form_->sbtbtn1->Enabled());
  EXPECT_EQ(DiffersFromCache(form_->sbtbtn1), 0);
  Shot(form_->Handle(), "main-start");
  delete form_;
  form_ = nullptr;
  Start({W(SourcePath("tests/data/sample/VqSample.apk"))});
  ASSERT_TRUE(form_->sbtbtn1->Enabled());
  EXPECT_EQ(DiffersFromCache(form_->sbtbtn1), 0);
  EXPECT_EQ(DiffersFromCache(form_->sbtbtn2), 0);
  Shot(form_->Handle(), "main-loaded");
}

TEST_F(Screens, InstallButtonHotPressedAndTheErrorLabel) {
  SetEnvironmentVariableA("PTQ_DEVICE", "none");
  Start({W(SourcePath("tests/data/sample/VqSample.apk"))});
  TsBitBtn* install = form_->sbtbtn1;
  ASSERT_TRUE(install->Enabled());
  TacBitmapPtr normal = ScreenPixels(install);

  // The pointer's arrival as the window's hover tracking reports it (the real
  // pointer stays parked: other tests share the desktop).
  install->Perform(CM_MOUSEENTER);
  Settle();
  EXPECT_EQ(install->CurrentState(), 1);
  EXPECT_GE(install->SkinData().GlowId, 0) << "the hot button shows its glow";
  EXPECT_EQ(DiffersFromCache(install), 0);
  TacBitmapPtr hot = ScreenPixels(install);
  EXPECT_FALSE(SamePixels(*normal, *hot)) << "the hot look shows on the screen";
  Shot(form_->Handle(), "main-install-hot");

  // Pressed and held, shot at once and without a fade: the platform reports the
  // parked pointer outside the button soon after the press takes the capture (a
  // press dragged off), while a user's pointer stays on it.
  install->SetAnimatEvents(0);
  const LPARAM centre = MAKELPARAM(install->Width() / 2, install->Height() / 2);
  SendMessageW(install->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, centre);
  UpdateWindow(install->Handle());
  EXPECT_EQ(install->CurrentState(), 2);
  EXPECT_EQ(DiffersFromCache(install), 0);
  EXPECT_FALSE(SamePixels(*hot, *ScreenPixels(install))) << "the pressed look shows on the screen";
  Shot(form_->Handle(), "main-install-pressed");

  // The release starts the install; without a phone the error label comes.
  SendMessageW(install->Handle(), WM_LBUTTONUP, 0, centre);
  ASSERT_TRUE(PumpUntil([&] { return form_->lblErrorInfo->Visible() && install->Enabled(); }, 15000));
  install->Perform(CM_MOUSELEAVE);
  Settle();
  EXPECT_FALSE(form_->lblSoftInfo->Visible());
  Shot(form_->Handle(), "main-error-label");
}

// The keyboard as on any dialog: Tab goes round the main window's enabled buttons
// in their order (the group boxes take no focus, btn1 is hidden), the focused button
// looks active, Enter presses it.
class Keyboard : public Screens {
 protected:
  void Key(UINT vk) {
    PostMessageW(GetFocus(), WM_KEYDOWN, vk, 1);
    PostMessageW(GetFocus(), WM_KEYUP, vk, 0xC0000001);
    PumpFor(30);
  }
};

TEST_F(Keyboard, TabGoesRoundTheButtonsAndEnterPressesTheFocusedOne) {
  SetEnvironmentVariableA("PTQ_DEVICE", "none");
  Start({W(SourcePath("tests/data/sample/VqSample.apk"))});
  ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() == form_->Handle(); }, 2000));
  form_->sbtbtn1->SetFocus();
  Settle();
  ASSERT_TRUE(form_->sbtbtn1->Focused());
  EXPECT_EQ(form_->sbtbtn1->CurrentState(), 1) << "the focused button looks active";
  const struct {
    TsBitBtn* focused;
    const char* name;
  } round[] = {{form_->sbtbtn2, "close"}, {form_->sbtbtn1, "install"}, {form_->sbtbtn2, "close again"}};
  for (const auto& step : round) {
    Key(VK_TAB);
    EXPECT_TRUE(step.focused->Focused()) << step.name;
  }
  Key(VK_TAB);
  ASSERT_TRUE(form_->sbtbtn1->Focused());
  Settle();
  EXPECT_EQ(form_->sbtbtn2->CurrentState(), 0) << "the button left behind looks normal again";
  Key(VK_RETURN);
  ASSERT_TRUE(PumpUntil([&] { return form_->lblErrorInfo->Visible() && form_->sbtbtn1->Enabled(); }, 15000))
      << "Enter started the install";
}

// Nothing piles up: the objects the program made (counted by kind through its own
// owners: Wine's GetGuiResources answers 0) and its top-level windows (glows are
// windows of their own) are as many after 1,000 rounds of hover, press, drag off,
// release and leave on the install button as before.
// The skinned frame, active and inactive, and the close button hot: its glow fades
// in above the frame (a layered window: read through the screen).
TEST_F(Screens, FrameActiveInactiveAndTheCloseGlow) {
  Start({W(SourcePath("tests/data/sample/VqSample.apk"))});
  HWND w = form_->Handle();
  TsSkinProvider* provider = ProviderOfForm(form_);
  ASSERT_NE(provider, nullptr);
  Shot(w, "frame-active");
  SendMessageW(w, WM_NCACTIVATE, FALSE, 0);
  Settle();
  EXPECT_FALSE(provider->ActiveState());
  Shot(w, "frame-inactive");
  SendMessageW(w, WM_NCACTIVATE, TRUE, 0);
  Settle();
  const TsButtonRecord& close = provider->Button(2);
  ASSERT_NE(provider->BorderForm(), nullptr) << "the main window's frame is on its border window";
  HWND border = provider->BorderForm()->BorderWindow();
  const POINT origin = provider->FrameOrigin();
  const POINT centre{origin.x + (close.R.Left + close.R.Right) / 2, origin.y + (close.R.Top + close.R.Bottom) / 2};
  // The pointer over the button, as the border window hears of it.
  SetCursorPos(centre.x, centre.y);
  SendMessageW(border, WM_SETCURSOR, reinterpret_cast<WPARAM>(border), MAKELPARAM(HTOBJECT, WM_MOUSEMOVE));
  ASSERT_EQ(close.State, 1);
  ASSERT_NE(close.Animation, nullptr);
  // The fade-in to its end, as if the pointer stayed on the button (the real one
  // stays parked: the hover would clear at the end of the fade-in).
  close.Animation->PointerInside = [] { return true; };
  close.Animation->SetEnabled(false);
  for (int i = 0; i < 10 && close.Animation->Opacity() < 255; ++i) close.Animation->Step();
  ASSERT_EQ(close.Animation->Opacity(), 255);
  PumpFor(60);
  TacBitmapPtr glowing = ScreenAround(border, 0);
  ASSERT_TRUE(glowing);
  EXPECT_TRUE(WritePng(dir_ + "/frame-close-glow.png", *glowing));
  // On the screen the close button's place shows the glow, not the frame cache below.
  const TacBitmap* cache = provider->FrameCache();
  ASSERT_NE(cache, nullptr);
  const int cx = (close.R.Left + close.R.Right) / 2, cy = close.R.Top + 3;
  EXPECT_NE(Rgb(*glowing, cx, cy), Rgb(*cache, cx, cy)) << "the glow shows above the border window";
  // The glow's window lies above the form, so above the border window behind it.
  HWND glowWindow = close.Animation->Window();
  ASSERT_NE(glowWindow, nullptr);
  bool glowAbove = false;
  for (HWND h = GetWindow(border, GW_HWNDPREV); h; h = GetWindow(h, GW_HWNDPREV)) glowAbove = glowAbove || h == glowWindow;
  EXPECT_TRUE(glowAbove);
}

TEST_F(Screens, InstallButtonRoundsLeaveNoObjectsBehind) {
  Start({W(SourcePath("tests/data/sample/VqSample.apk"))});
  TsBitBtn* install = form_->sbtbtn1;
  ASSERT_TRUE(install->Enabled());
  const HWND h = install->Handle();
  const LPARAM inside = MAKELPARAM(install->Width() / 2, install->Height() / 2);
  const LPARAM outside = MAKELPARAM(install->Width() + 20, install->Height() / 2);
  auto round = [&] {
    install->Perform(CM_MOUSEENTER);
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, inside);
    SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, outside);
    SendMessageW(h, WM_LBUTTONUP, 0, outside);  // released off the button: no install
    SendMessageW(h, WM_MOUSELEAVE, 0, 0);
    Application->ProcessMessages();
  };
  round();  // whatever is made once and kept (caches, the glow's picture) exists now
  Settle();
  long before[static_cast<int>(TacGdiKind::Count)];
  for (int k = 0; k < static_cast<int>(TacGdiKind::Count); ++k) before[k] = GdiLiveCount(static_cast<TacGdiKind>(k));
  const int windowsBefore = ThreadWindowCount();
  const std::string status = form_->lblSoftInfo->Caption();
  install->SetAnimatEvents(0);  // a thousand real fades would take minutes; one ran above
  for (int i = 0; i < 1000; ++i) round();
  Settle();
  for (int k = 0; k < static_cast<int>(TacGdiKind::Count); ++k)
    EXPECT_EQ(GdiLiveCount(static_cast<TacGdiKind>(k)), before[k]) << "objects of kind " << k;
  EXPECT_EQ(ThreadWindowCount(), windowsBefore);
  EXPECT_EQ(form_->lblSoftInfo->Caption(), status) << "a press released off the button installs nothing";
}

TEST_F(Screens, DriverDialog) {
  Start({});  // the dialog is opened from the main window, whose skin it wears
  TDriveFrm* dialog = TForm::Create<TDriveFrm>(Application);
  dialog->Show();
  Settle();
  EXPECT_TRUE(dialog->rb1->Checked());
  EXPECT_EQ(DiffersFromCache(dialog->sbtbtn1), 0);
  EXPECT_EQ(DiffersFromCache(dialog->sbtbtn2), 0);
  Shot(dialog->Handle(), "driver-dialog");
  delete dialog;
}

// What the skin change hands to its cover window: each picture (copied out of the
// source DC) with its opacity; the screen as it is while the fifth one shows.
struct CoverPicture {
  TacBitmapPtr picture;
  int opacity;
};
std::vector<CoverPicture>* g_coverPictures = nullptr;
TacBitmapPtr* g_midFade = nullptr;
HWND g_fadingForm = nullptr;
TUpdateLayeredWindowFn g_realUpdate = nullptr;

bool IsCover(HWND wnd) {
  wchar_t name[64] = {};
  GetClassNameW(wnd, name, 64);
  return std::wstring(name) == L"TacRedrawCover";
}

BOOL WINAPI RecordCover(HWND wnd, HDC screen, POINT* at, SIZE* size, HDC source, POINT* from, COLORREF key,
                        BLENDFUNCTION* blend, DWORD flags) {
  const BOOL done = g_realUpdate(wnd, screen, at, size, source, from, key, blend, flags);
  if (g_coverPictures && IsCover(wnd) && source && size) {
    TacBitmapPtr copy = NewBitmap32(size->cx, size->cy);
    {
      TacMemoryDC dc(source);
      TacSelectObject selected(dc.Get(), static_cast<HBITMAP>(copy->Handle()));
      BitBlt(dc.Get(), 0, 0, size->cx, size->cy, source, 0, 0, SRCCOPY);
      GdiFlush();
    }
    g_coverPictures->push_back({std::move(copy), blend ? blend->SourceConstantAlpha : -1});
    if (g_midFade && g_coverPictures->size() == 6) {
      Sleep(40);  // the compositor puts the cover over the old look
      *g_midFade = ScreenAround(g_fadingForm, 0);
    }
  }
  return done;
}

// Pixels inside `inset` of the edges where a and b differ by more than `tolerance`
// in a channel (a capture prints its text once more: antialiasing may differ a level).
// A 32-bit `a` is looked at only where it is opaque: the screen shows the rest blended.
int DifferentPixels(const TacBitmap& a, const TacBitmap& b, int inset, int tolerance) {
  int n = 0;
  for (int y = inset; y < std::min(a.Height(), b.Height()) - inset; ++y)
    for (int x = inset; x < std::min(a.Width(), b.Width()) - inset; ++x) {
      if (a.Format() == TacPixelFormat::pf32bit && a.Pixel(x, y)[3] != 255) continue;
      const uint32_t p = Rgb(a, x, y), q = Rgb(b, x, y);
      for (int shift = 0; shift < 24; shift += 8)
        if (std::abs(static_cast<int>((p >> shift) & 255) - static_cast<int>((q >> shift) & 255)) > tolerance) {
          ++n;
          break;
        }
    }
  return n;
}

// A skin change of the main window (a hue change, as the skin menu's colour entries
// make): the new look, captured whole, fades in over the old one in a cover at the
// window's place with the manager's SkinChanging settings (100 ms, fading: steps of
// 25 opacity levels); then the window shows the same pixels itself and the cover is gone.
TEST_F(Screens, SkinChangeFadesTheNewLookInOverTheOld) {
  Start({});
  TsSkinProvider* provider = ProviderOfForm(form_);
  ASSERT_NE(provider, nullptr);
  ASSERT_NE(provider->BorderForm(), nullptr);
  // The frame and its shadow are on the border window: that is what changes look.
  HWND w = provider->BorderForm()->BorderWindow();
  TsSkinManager* mgr = form_->sknmngr1;
  ASSERT_TRUE(mgr->AnimEffects.SkinChanging.Active);
  ASSERT_EQ(mgr->AnimEffects.SkinChanging.Time, 100);
  ASSERT_EQ(mgr->AnimEffects.SkinChanging.Mode, atFading);
  const TacBitmapPtr before = ScreenAround(w, 0);
  std::vector<CoverPicture> pictures;
  TacBitmapPtr midFade;
  g_realUpdate = LayeredWindowUpdater();
  ASSERT_NE(g_realUpdate, nullptr);
  g_coverPictures = &pictures;
  g_midFade = &midFade;
  g_fadingForm = w;
  SetLayeredWindowUpdater(RecordCover);
  mgr->SetHueOffset(120);
  SetLayeredWindowUpdater(g_realUpdate);
  g_coverPictures = nullptr;
  g_midFade = nullptr;
  Settle();
  const TacBitmapPtr after = ScreenAround(w, 0);
  ASSERT_FALSE(pictures.empty());
  std::vector<int> opacities;
  for (const CoverPicture& p : pictures) opacities.push_back(p.opacity);
  std::vector<int> expected{0};
  for (const TacAnimationStep& step : ShowAnimationSteps(after->Width(), after->Height(), 10, 255, atFading, false))
    expected.push_back(step.Opacity);
  EXPECT_EQ(opacities, expected);
  EXPECT_EQ(pictures.back().opacity, 255);
  // Every picture is the new look, as the window then shows it itself, never the old one.
  EXPECT_EQ(DifferentPixels(*pictures.front().picture, *after, 10, 8), 0);
  EXPECT_EQ(DifferentPixels(*pictures.back().picture, *after, 10, 8), 0);
  EXPECT_GT(DifferentPixels(*before, *after, 10, 8), 1000) << "the hue change shows";
  EXPECT_EQ(FindWindowW(L"TacRedrawCover", nullptr), nullptr) << "the cover is gone";
  EXPECT_TRUE(IsWindowVisible(form_->Handle())) << "unfrozen";
  EXPECT_TRUE(IsWindowVisible(w));
  ASSERT_TRUE(midFade);
  EXPECT_GT(DifferentPixels(*midFade, *before, 22, 8), 0);
  EXPECT_GT(DifferentPixels(*midFade, *after, 22, 8), 0) << "half way between the two looks";
  EXPECT_TRUE(WritePng(dir_ + "/skin-change-fade.png", *midFade));
}

TEST_F(Screens, HundredSkinChangesLeaveNoObjectsBehind) {
  Start({});
  TsSkinManager* mgr = form_->sknmngr1;
  mgr->AnimEffects.SkinChanging.Time = 20;  // two steps: the same path, a shorter wait
  mgr->SetHueOffset(40);
  Settle();
  const long gdi = GdiLiveCountAll();
  const int windows = ThreadWindowCount();
  for (int i = 0; i < 100; ++i) {
    if (i % 2) mgr->SetSaturation(i % 4 == 1 ? 20 : 0);
    else mgr->SetHueOffset(i % 4 == 0 ? 0 : 40);
    Application->ProcessMessages();
  }
  Settle();
  EXPECT_EQ(GdiLiveCountAll(), gdi);
  EXPECT_EQ(ThreadWindowCount(), windows);
  EXPECT_EQ(FindWindowW(L"TacRedrawCover", nullptr), nullptr);
}

// The "错误" box of an install without a package: a framework message form, skinned
// by the manager's hook like the driver dialog.
TEST_F(Screens, ErrorMessageBox) {
  Start({});
  TMessageForm* box = new TMessageForm(Application, "请双击APK文件进行安装或鼠标拖APK文件到窗口上进行安装.", "错误", mtError);
  box->FinishCreate();
  box->Show();
  Settle();
  const TsSkinProvider* provider = ProviderOfForm(box);
  ASSERT_NE(provider, nullptr);
  EXPECT_TRUE(provider->Skinned());
  Shot(box->Handle(), "error-box");
  delete box;
}

}  // namespace
