// The skinned push buttons under a real skin manager with our built-in skin, in a
// real form: the visible state for hover, press, drag, Down and Default; the fades
// between states counted by their painted steps; the short pressed look of a quick
// click; the glyph and caption layout; the window region cut at the border's keyed
// corners; Space, Enter and Tab; the screen's pixels against the button's cache and
// against item painting; and the GDI counts over many state changes.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "app/BuiltinSkin.h"
#include "controls/sBitBtn.h"
#include "controls/sButton.h"
#include "framework/vclApplication.h"
#include "framework/vclForm.h"
#include "framework/vclStdCtrls.h"
#include "paint/acDibBitmap.h"
#include "paint/acGdiHandles.h"
#include "paint/acGlow.h"
#include "paint/acFocusDots.h"
#include "paint/sBorderMask.h"
#include "paint/sGraphUtils.h"
#include "paint/sItemPaint.h"
#include "skin/acImageDecode.h"
#include "skin/sCommandMessages.h"
#include "skin/sSkinManager.h"
#include "support/WinPixels.h"

namespace {

// Counts what the fade asks of the button: a rebuilt cache, a step about to be shown.
template <class Base>
class Counting : public Base {
 public:
  explicit Counting(TComponent* owner) : Base(owner) {}
  int steps = 0;
  int builds = 0;
  int clicks = 0;
  int focusLosses = 0;
  void WndProc(TMessage& m) override {
    if (m.Msg == WM_KILLFOCUS) ++focusLosses;
    if (m.Msg == SM_ALPHACMD) {
      if (CommandCode(m.WParam) == SMC_FREEREGION) ++steps;
      if (CommandCode(m.WParam) == SMC_BUILDCACHE) ++builds;
    }
    Base::WndProc(m);
  }
  void Click() override {
    ++clicks;
    Base::Click();
  }
};
using BitBtn = Counting<TsBitBtn>;
using PushBtn = Counting<TsButton>;

// Each channel within one level (blends through alpha 255 may land a level short).
bool Near(uint32_t a, uint32_t b) {
  for (int shift = 0; shift < 24; shift += 8)
    if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > 1) return false;
  return true;
}

// The window's pixels as they are on the screen.
TacBitmapPtr Screen(TWinControl* c) { return ScreenPixels(c); }

// The pixels of a and b that differ inside the window's region (all pixels without one).
// Images of different sizes differ everywhere (-1).
int DiffInsideRegion(const TacBitmap& a, const TacBitmap& b, HWND wnd, std::string* first = nullptr) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) {
    if (first) *first = "sizes differ";
    return -1;
  }
  TacRegionHandle rgn = NewRectRegion(0, 0, 0, 0);
  const bool shaped = GetWindowRgn(wnd, rgn.Get()) != ERROR;
  int n = 0;
  for (int y = 0; y < a.Height() && y < b.Height(); ++y)
    for (int x = 0; x < a.Width() && x < b.Width(); ++x) {
      if (shaped && !PtInRegion(rgn.Get(), x, y)) continue;
      if (Rgb(a, x, y) != Rgb(b, x, y)) {
        if (n == 0 && first) {
          char text[96];
          std::snprintf(text, sizeof text, "(%d,%d): %06X vs %06X", x, y, Rgb(a, x, y), Rgb(b, x, y));
          *first = text;
        }
        ++n;
      }
    }
  return n;
}

// A solid, fully opaque 16 x 16 image with alpha.
TacBitmapPtr SolidImage(uint32_t bgr) {
  TacBitmapPtr b = NewMemoryBitmap(16, 16, TacPixelFormat::pf32bit);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      uint8_t* p = b->Pixel(x, y);
      p[0] = static_cast<uint8_t>(bgr >> 16), p[1] = static_cast<uint8_t>(bgr >> 8), p[2] = static_cast<uint8_t>(bgr);
      p[3] = 255;
    }
  return b;
}

constexpr TColor kFormColor = 0x507090;

class SkinnedButtons : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(DefaultManager(), nullptr) << "a manager outlived its test";
    InstallDibBitmapAllocator();
    form_ = TForm::Create<TForm>(Application);
    form_->SetClientSize(360, 240);
    form_->SetColor(kFormColor);
    holder_ = new TPanel(form_);  // takes the focus the form hands out on activation
    holder_->SetBounds(300, 200, 20, 20);
    holder_->SetTabStop(true);
    holder_->SetParent(form_);
    manager_ = new TsSkinManager(form_);
    // The form keeps its own colour (no automatic provider): buttons over it are under test.
    manager_->SetSkinningRules(srStdDialogs | srThirdParty);
    manager_->InternalSkins.Add(BuiltinSkinName, BuiltinSkinData(), BuiltinSkinSize());
    manager_->SetSkinName(BuiltinSkinName);
    ASSERT_TRUE(manager_->SkinData.Active);
    section_ = manager_->GetSkinIndex("BUTTON");
    ASSERT_GE(section_, 0);
    form_->Show();
    Application->ProcessMessages();
  }
  void TearDown() override {
    delete form_;
    ForcePressedLook = false;
    EXPECT_EQ(DefaultManager(), nullptr);
  }

  template <class T>
  T* Make(int left, int top, int width, int height, const std::string& caption = "") {
    T* b = new T(form_);
    b->SetBounds(left, top, width, height);
    b->SetCaption(caption);
    b->SetParent(form_);
    b->HandleNeeded();
    holder_->SetFocus();
    Application->ProcessMessages();
    UpdateWindow(b->Handle());
    return b;
  }

  const TsGeneralData& Section() const { return manager_->Sections[static_cast<size_t>(section_)]; }
  TsGeneralData& Section() { return manager_->Sections[static_cast<size_t>(section_)]; }

  // What item painting gives for the button's section in a state, over the form.
  TacBitmapPtr Expected(TControl* b, int state, bool disabled = false) {
    TacBitmapPtr e = NewMemoryBitmap(b->Width(), b->Height(), TacPixelFormat::pf24bit);
    const TacParentImage pi = ParentImageFromColor(ResolveColor(kFormColor));
    PaintItem(section_, "BUTTON", pi, -1, -1, manager_, e.get(), TacPoint{b->Left(), b->Top()},
              TacRect{0, 0, b->Width(), b->Height()}, state, true);
    if (disabled) DisabledLook(e.get(), dlBlended, nullptr, TacPoint{b->Left(), b->Top()}, pi);
    return e;
  }

  static void Enter(TControl* b) { b->Perform(CM_MOUSEENTER); }
  static void Leave(TWinControl* b) { SendMessageW(b->Handle(), WM_MOUSELEAVE, 0, 0); }
  static void Press(TWinControl* b, int x = 5, int y = 5) {
    SendMessageW(b->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  }
  static void Move(TWinControl* b, int x, int y) {
    SendMessageW(b->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
  }
  static void Release(TWinControl* b, int x = 5, int y = 5) {
    SendMessageW(b->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  }
  static bool FadeDone(TacSkinButton* b) { return b->FadeTimer() == nullptr; }

  TForm* form_ = nullptr;
  TPanel* holder_ = nullptr;
  TsSkinManager* manager_ = nullptr;
  int section_ = -1;
};

}  // namespace

TEST_F(SkinnedButtons, StateFollowsHoverPressDragDownAndDefault) {
  BitBtn* b = Make<BitBtn>(20, 20, 90, 28);
  b->SetAnimatEvents(0);  // every change shows at once
  ASSERT_TRUE(b->SkinData().IsSkinned());
  EXPECT_EQ(b->SkinData().SkinSection(), "BUTTON");

  struct Step {
    const char* what;
    std::function<void()> act;
    int state;
  };
  const std::vector<Step> steps = {
      {"fresh", [] {}, 0},
      {"hover", [&] { Enter(b); }, 1},
      {"press", [&] { Press(b); }, 2},
      {"drag off", [&] { Move(b, -30, -30); }, 1},  // released look; still focused, so hot
      {"drag back", [&] { Move(b, 6, 6); }, 2},
      {"release", [&] { Release(b, 6, 6); }, 1},
      {"leave, focus elsewhere", [&] { Leave(b); holder_->SetFocus(); }, 0},
      {"Down", [&] { b->SetDown(true); }, 2},
      {"not Down", [&] { b->SetDown(false); }, 0},
      {"Default", [&] { b->SetDefault(true); }, 1},
      {"another button focused", [&] { Make<TsButton>(150, 20, 60, 24)->SetFocus(); }, 0},
      {"focus off the buttons", [&] { holder_->SetFocus(); }, 1},
  };
  for (const Step& s : steps) {
    s.act();
    Application->ProcessMessages();
    EXPECT_EQ(b->CurrentState(), s.state) << s.what;
    // What the screen shows is the cache built for that state.
    TacBitmapPtr shown = Screen(b);
    std::string where;
    EXPECT_EQ(DiffInsideRegion(*shown, *b->SkinData().CacheBitmap(), b->Handle(), &where), 0) << s.what << where;
    EXPECT_EQ(DiffInsideRegion(*shown, *Expected(b, s.state), b->Handle(), &where), 0) << s.what << where;
  }
  EXPECT_EQ(b->clicks, 1);
}

TEST_F(SkinnedButtons, ScreenShowsTheCacheAndWhatItemPaintingGives) {
  // A plain button and a bitmap button, without caption and glyph: nothing but the skin's face.
  for (TacSkinButton* b : std::vector<TacSkinButton*>{Make<PushBtn>(20, 20, 80, 26), Make<BitBtn>(20, 60, 96, 30)}) {
    b->SetAnimatEvents(0);
    for (int state : {0, 1, 2}) {
      if (state == 1) Enter(b);
      if (state == 2) b->SetDown(true);
      Application->ProcessMessages();
      ASSERT_EQ(b->CurrentState(), state);
      TacBitmapPtr shown = Screen(b);
      TacBitmapPtr expected = Expected(b, state);
      std::string where;
      EXPECT_EQ(DiffInsideRegion(*shown, *expected, b->Handle(), &where), 0) << "state " << state << where;
      EXPECT_EQ(DiffInsideRegion(*b->SkinData().CacheBitmap(), *expected, nullptr, &where), 0)
          << "state " << state << ": the whole cache, corners included " << where;
    }
    // The states do look different: a painter ignoring them fails above.
    EXPECT_GT(DiffInsideRegion(*Expected(b, 0), *Expected(b, 1), nullptr), 0);
    EXPECT_GT(DiffInsideRegion(*Expected(b, 0), *Expected(b, 2), nullptr), 0);
  }
}

TEST_F(SkinnedButtons, WindowRegionLacksTheKeyedCornerPixels) {
  BitBtn* b = Make<BitBtn>(20, 20, 90, 28);
  const TsMaskData& m = manager_->Masks[static_cast<size_t>(b->SkinData().BorderMaskIndex())];
  const TacBitmap* src = MaskSource(m);
  ASSERT_NE(src, nullptr);
  TacRegionHandle rgn = NewRectRegion(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(b->Handle(), rgn.Get()), ERROR) << "the button has a window region";
  const int fw = MaskFrameWidth(m), fh = MaskFrameHeight(m);
  int keyed = 0;
  // Four corners of the normal frame against the four corners of the button.
  for (int j = 0; j < m.WT; ++j)
    for (int i = 0; i < m.WL; ++i) {
      const struct {
        int sx, sy, x, y;
      } at[4] = {{m.R.Left + i, m.R.Top + j, i, j},
                 {m.R.Left + fw - m.WR + i, m.R.Top + j, b->Width() - m.WR + i, j},
                 {m.R.Left + i, m.R.Top + fh - m.WB + j, i, b->Height() - m.WB + j},
                 {m.R.Left + fw - m.WR + i, m.R.Top + fh - m.WB + j, b->Width() - m.WR + i, b->Height() - m.WB + j}};
      for (const auto& c : at) {
        const bool key = Rgb(*src, c.sx, c.sy) == TransparentKey;
        keyed += key;
        EXPECT_EQ(PtInRegion(rgn.Get(), c.x, c.y) != FALSE, !key) << c.x << "," << c.y;
      }
    }
  EXPECT_GT(keyed, 0) << "the skin's button corners are rounded";
  EXPECT_TRUE(PtInRegion(rgn.Get(), b->Width() / 2, b->Height() / 2));
  EXPECT_TRUE(PtInRegion(rgn.Get(), m.WL, 0));
  // A skin taken away takes the shape with it.
  manager_->SetActive(false);
  Application->ProcessMessages();
  EXPECT_EQ(GetWindowRgn(b->Handle(), rgn.Get()), ERROR);
}

// Tests run side by side on one desktop: another test's window may take the focus from
// ours (or move the real mouse over it), which stops a running fade as it should. A
// run disturbed that way is repeated with a fresh button; a fault fails every run.
TEST_F(SkinnedButtons, HoverFadePaintsTenStepsAndPressFadeFive) {
  ASSERT_TRUE(Section().FadingEnabled);
  ASSERT_EQ(Section().FadingIterations, 10);
  for (int attempt = 0; attempt < 3; ++attempt) {
    SetForegroundWindow(form_->Handle());
    BitBtn* b = Make<BitBtn>(20, 20 + 30 * attempt, 90, 28, "OK");
    Enter(b);
    ASSERT_NE(b->FadeTimer(), nullptr);
    ASSERT_TRUE(PumpUntil([&] { return FadeDone(b); }));
    const int hoverSteps = b->steps;
    b->SetFocus();
    Application->ProcessMessages();
    const int losses = b->focusLosses;
    b->steps = 0;
    Press(b);
    ASSERT_TRUE(PumpUntil([&] { return FadeDone(b); }));
    const int pressSteps = b->steps;
    b->steps = 0;
    Release(b);
    ASSERT_TRUE(PumpUntil([&] { return FadeDone(b); }));
    const int releaseSteps = b->steps;
    if ((b->focusLosses != losses || hoverSteps != 10) && attempt < 2) continue;
    EXPECT_EQ(hoverSteps, 10);
    EXPECT_EQ(pressSteps, 5);
    EXPECT_EQ(releaseSteps, 5);
    // After the fade the screen shows the final image.
    EXPECT_EQ(DiffInsideRegion(*Screen(b), *b->SkinData().CacheBitmap(), b->Handle()), 0);
    EXPECT_EQ(b->clicks, 1);

    // A skin section without fading switches at once.
    Section().FadingEnabled = false;
    b->steps = 0;
    Leave(b);
    EXPECT_EQ(b->FadeTimer(), nullptr);
    Application->ProcessMessages();
    EXPECT_EQ(b->steps, 0);
    break;
  }
}

TEST_F(SkinnedButtons, LeavingDuringAHoverFadeStartsFromTheFullHoverImage) {
  BitBtn* b = Make<BitBtn>(20, 20, 90, 28);
  Enter(b);
  ASSERT_TRUE(PumpUntil([&] { return b->steps >= 3; }));
  ASSERT_NE(b->FadeTimer(), nullptr) << "still fading";
  Leave(b);
  ASSERT_NE(b->FadeTimer(), nullptr);
  ASSERT_TRUE(b->FadeTimer()->StartImage);
  std::string where;
  EXPECT_EQ(DiffInsideRegion(*b->FadeTimer()->StartImage, *Expected(b, 1), b->Handle(), &where), 0) << where;
  b->steps = 0;
  ASSERT_TRUE(PumpUntil([&] { return FadeDone(b); }));
  EXPECT_EQ(b->steps, 10) << "a new, whole fade";
  EXPECT_EQ(DiffInsideRegion(*Screen(b), *Expected(b, 0), b->Handle(), &where), 0) << where;
}

TEST_F(SkinnedButtons, DisablingDuringAFadeEndsInTheDisabledLook) {
  BitBtn* b = Make<BitBtn>(20, 20, 90, 28);
  Enter(b);
  ASSERT_TRUE(PumpUntil([&] { return b->steps >= 2; }));
  b->SetEnabled(false);
  ASSERT_TRUE(PumpUntil([&] { return b->FadeTimer() == nullptr || !b->FadeTimer()->Running(); }));
  Application->ProcessMessages();
  std::string where;
  TacBitmapPtr shown = Screen(b);
  EXPECT_EQ(DiffInsideRegion(*shown, *Expected(b, 0, true), b->Handle(), &where), 0) << where;
  EXPECT_GT(DiffInsideRegion(*shown, *Expected(b, 0), b->Handle()), 0);
}

TEST_F(SkinnedButtons, QuickClickShowsThePressedImageFirst) {
  for (int attempt = 0; attempt < 3; ++attempt) {  // see HoverFadePaintsTenStepsAndPressFadeFive
    SetForegroundWindow(form_->Handle());
    BitBtn* b = Make<BitBtn>(20, 20 + 30 * attempt, 90, 28);
    Enter(b);
    ASSERT_TRUE(PumpUntil([&] { return FadeDone(b); }));
    b->SetFocus();
    Application->ProcessMessages();
    const int losses = b->focusLosses;
    Press(b);
    ASSERT_NE(b->FadeTimer(), nullptr) << "the press fade runs";
    LARGE_INTEGER f, t0, t1;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t0);
    Release(b);
    QueryPerformanceCounter(&t1);
    if (b->focusLosses != losses && attempt < 2) continue;
    EXPECT_GE((t1.QuadPart - t0.QuadPart) * 1000 / f.QuadPart, 25) << "the pressed image stays about 30 ms";
    // The release fade starts from the whole pressed image, which is on the screen now.
    ASSERT_NE(b->FadeTimer(), nullptr);
    std::string where;
    EXPECT_EQ(DiffInsideRegion(*b->FadeTimer()->StartImage, *Expected(b, 2), b->Handle(), &where), 0) << where;
    TacBitmapPtr shown = Screen(b);
    EXPECT_EQ(DiffInsideRegion(*shown, *Expected(b, 2), b->Handle(), &where), 0) << where;
    ASSERT_TRUE(PumpUntil([&] { return FadeDone(b); }));
    EXPECT_EQ(b->CurrentState(), 1);
    EXPECT_EQ(b->clicks, 1);
    break;
  }
}

TEST_F(SkinnedButtons, BlendIsClampedToAPercentage) {
  BitBtn* b = Make<BitBtn>(20, 20, 90, 28);
  const struct {
    int set, stored;
  } cases[] = {{150, 100}, {100, 100}, {40, 40}, {0, 0}, {-5, 0}};
  for (const auto& c : cases) {
    b->SetBlend(c.set);
    EXPECT_EQ(b->Blend(), c.stored) << c.set;
  }
}

TEST_F(SkinnedButtons, ImageListGlyphIsCentredWithTheCaptionFourPixelsApart) {
  TImageList* list = new TImageList(form_, 16, 16);
  list->Add(SolidImage(0x0000FF));
  BitBtn* b = Make<BitBtn>(20, 20, 88, 27, "安装");
  b->SetAnimatEvents(0);
  b->SetGlyph(SolidImage(0x00FF00));
  b->SetImages(list);
  b->SetImageIndex(0);
  b->Loaded();
  EXPECT_EQ(b->Glyph(), nullptr) << "the image list's glyph replaces the bitmap";
  UpdateWindow(b->Handle());
  const RECT g = b->GlyphRect(0), t = b->CaptionRect(0);
  EXPECT_EQ(g.right - g.left, 16);
  EXPECT_EQ(g.top, (27 - 16) / 2);
  EXPECT_EQ(t.left - g.right, 4);
  EXPECT_LE(std::abs(g.left - (88 - t.right)), 1) << "the pair is centred";
  // The image is drawn there, on the screen too.
  const TacBitmap& cache = *b->SkinData().CacheBitmap();
  EXPECT_TRUE(Near(Rgb(cache, g.left + 8, g.top + 8), 0x0000FF));
  EXPECT_TRUE(Near(Rgb(*Screen(b), g.left, g.top), 0x0000FF));
  EXPECT_TRUE(Near(Rgb(*Screen(b), g.right - 1, g.bottom - 1), 0x0000FF));
  EXPECT_FALSE(Near(Rgb(*Screen(b), g.left - 1, g.top), 0x0000FF)) << "nothing left of the glyph";
  // Pressed, glyph and caption move by one pixel down and right.
  const RECT g2 = b->GlyphRect(2), t2 = b->CaptionRect(2);
  EXPECT_EQ(g2.left, g.left + 1);
  EXPECT_EQ(g2.top, g.top + 1);
  EXPECT_EQ(t2.left, t.left + 1);
  EXPECT_EQ(t2.top, t.top + 1);
  // Disabled with the default glyph look: blended half into the face.
  b->SetEnabled(false);
  UpdateWindow(b->Handle());
  const uint32_t c = Rgb(*b->SkinData().CacheBitmap(), g.left + 8, g.top + 8);
  EXPECT_FALSE(Near(c, 0x0000FF));
  EXPECT_GT(c & 0xFF, (c >> 16) & 0xFF) << "still reddish";
  // An invalid index draws no glyph.
  b->SetEnabled(true);
  b->SetImageIndex(5);
  UpdateWindow(b->Handle());
  EXPECT_FALSE(Near(Rgb(*b->SkinData().CacheBitmap(), g.left + 8, g.top + 8), 0x0000FF));
  // A destroyed list is forgotten, and the button paints on without it.
  b->SetImageIndex(0);
  delete list;
  EXPECT_EQ(b->Images(), nullptr);
  UpdateWindow(b->Handle());
  EXPECT_FALSE(Near(Rgb(*b->SkinData().CacheBitmap(), g.left + 8, g.top + 8), 0x0000FF));
}

TEST_F(SkinnedButtons, LayoutOfGlyphAndCaption) {
  TImageList* list = new TImageList(form_, 16, 16);
  list->Add(SolidImage(0x0000FF));
  BitBtn* b = Make<BitBtn>(20, 20, 100, 40, "OK");
  b->SetImages(list);
  b->SetImageIndex(0);
  const SIZE e = b->CaptionExtent();
  ASSERT_GT(e.cx, 0);
  const int tw = e.cx, th = e.cy;
  struct Case {
    const char* what;
    TButtonLayout layout;
    int margin, spacing;
    TAlignment alignment;
    bool caption;
    POINT glyph;  // top-left of the glyph rectangle
    POINT text;   // top-left of the caption rectangle
  };
  const int autoS = (100 - 16 - tw) / 3;
  const int autoM = (100 - tw - autoS - 16) / 2;
  const int topGy = (40 - 16 - 4 - th) / 2;
  const Case cases[] = {
      {"left, centred", blGlyphLeft, -1, 4, taCenter, true, {(100 - 16 - 4 - tw) / 2, 12},
       {(100 - 16 - 4 - tw) / 2 + 20, (40 - th + 1) / 2}},
      {"left, left-justified, margin 5", blGlyphLeft, 5, 4, taLeftJustify, true, {8, 12}, {25, (40 - th + 1) / 2}},
      {"left, right-justified, margin 5", blGlyphLeft, 5, 4, taRightJustify, true,
       {8 + 2 * ((100 - 16 - 4 - tw) / 2 - 8), 12}, {100 - 5 - tw, (40 - th + 1) / 2}},
      {"left, spacing shared out", blGlyphLeft, -1, -1, taCenter, true, {(100 - 16 - (-1) - tw) / 2, 12},
       {autoM + autoS + 16, (40 - th + 1) / 2}},
      {"right, centred", blGlyphRight, -1, 4, taCenter, true, {(tw + 100 + 4 - 16) / 2, 12},
       {(100 - tw - 4 - 16) / 2, (40 - th + 1) / 2}},
      {"top", blGlyphTop, -1, 4, taCenter, true, {(100 - 16) / 2 + 1, topGy}, {(100 - tw + 1) / 2, topGy + 20}},
      {"bottom", blGlyphBottom, -1, 4, taCenter, true, {(100 - 16) / 2 + 1, 40 - topGy - 16},
       {(100 - tw + 1) / 2, 40 - 16 - topGy - 4 - th}},
      {"no caption", blGlyphLeft, -1, 4, taCenter, false, {(100 - 16) / 2, 12}, {(100 - 16) / 2 + 16, 20}},
  };
  for (const Case& c : cases) {
    b->SetLayout(c.layout);
    b->SetMargin(c.margin);
    b->SetSpacing(c.spacing);
    b->SetAlignment(c.alignment);
    b->SetShowCaption(c.caption);
    const RECT g = b->GlyphRect(0), t = b->CaptionRect(0);
    EXPECT_EQ(g.left, c.glyph.x) << c.what;
    EXPECT_EQ(g.top, c.glyph.y) << c.what;
    EXPECT_EQ(g.right - g.left, 16) << c.what;
    EXPECT_EQ(t.left, c.text.x) << c.what;
    EXPECT_EQ(t.top, c.text.y) << c.what;
    EXPECT_EQ(t.right - t.left, c.caption ? tw : 0) << c.what;
  }
}

TEST_F(SkinnedButtons, SpaceEnterAndTabWorkAsInADialog) {
  PushBtn* first = Make<PushBtn>(20, 20, 90, 28, "First");
  BitBtn* second = Make<BitBtn>(120, 20, 90, 28, "Second");
  second->SetAnimatEvents(0);
  holder_->SetFocus();
  // Tab goes from the holder round to the first button, then to the second.
  auto key = [](UINT msg, WPARAM vk) {
    PostMessageW(GetFocus(), msg, vk, msg == WM_KEYUP ? 0xC0000001 : 1);
    Application->ProcessMessages();
  };
  key(WM_KEYDOWN, VK_TAB);
  EXPECT_TRUE(first->Focused());
  key(WM_KEYDOWN, VK_TAB);
  ASSERT_TRUE(second->Focused());
  EXPECT_EQ(second->CurrentState(), 1) << "a focused button is hot";
  key(WM_KEYDOWN, VK_SPACE);
  EXPECT_EQ(second->CurrentState(), 2) << "held down by the space bar";
  EXPECT_EQ(DiffInsideRegion(*Screen(second), *second->SkinData().CacheBitmap(), second->Handle()), 0);
  EXPECT_EQ(second->clicks, 0);
  key(WM_KEYUP, VK_SPACE);
  EXPECT_EQ(second->clicks, 1);
  EXPECT_EQ(second->CurrentState(), 1);
  key(WM_KEYDOWN, VK_RETURN);
  EXPECT_EQ(second->clicks, 2);
  EXPECT_EQ(first->clicks, 0);
}

TEST_F(SkinnedButtons, FocusDotsWhereSectionAndButtonBothAskForThem) {
  BitBtn* b = Make<BitBtn>(20, 20, 100, 30, "Focus");
  b->SetAnimatEvents(0);
  const struct {
    bool section, button, focused, dots;
  } cases[] = {
      {false, true, true, false},  // our skin's BUTTON section shows no focus
      {true, true, true, true},   {true, false, true, false}, {true, true, false, false},
  };
  for (const auto& c : cases) {
    Section().ShowFocus = c.section;
    b->SetShowFocus(c.button);
    if (c.focused)
      b->SetFocus();
    else
      holder_->SetFocus();
    b->SkinData().RequestRepaint();
    Application->ProcessMessages();
    UpdateWindow(b->Handle());
    RECT r = b->CaptionRect(b->CurrentState());
    InflateRect(&r, b->FocusMargin(), b->FocusMargin());
    const TacBitmap& cache = *b->SkinData().CacheBitmap();
    int black = 0, total = 0;
    for (const TacFocusDot& d : FocusDots(TacRect{r.left, r.top, r.right, r.bottom})) {
      if (d.White || d.X < 0 || d.Y < 0 || d.X >= cache.Width() || d.Y >= cache.Height()) continue;
      ++total;
      black += Rgb(cache, d.X, d.Y) == 0;
    }
    ASSERT_GT(total, 8);
    if (c.dots)
      EXPECT_EQ(black, total) << c.section << c.button << c.focused;
    else
      EXPECT_LT(black, total / 2) << c.section << c.button << c.focused;
  }
}

TEST_F(SkinnedButtons, ManyStateChangesLeaveTheGdiCountsAsTheyWere) {
  BitBtn* b = Make<BitBtn>(20, 20, 90, 28, "Cycle");
  auto cycle = [&] {
    Enter(b);
    UpdateWindow(b->Handle());
    Press(b);
    UpdateWindow(b->Handle());
    Release(b);
    UpdateWindow(b->Handle());
    Leave(b);
    UpdateWindow(b->Handle());
  };
  auto counts = [] {
    std::vector<long> v;
    for (int k = 0; k < static_cast<int>(TacGdiKind::Count); ++k) v.push_back(GdiLiveCount(static_cast<TacGdiKind>(k)));
    v.push_back(GdiLiveCountAll());
    return v;
  };
  // One cycle with the real fades, each run to its end.
  cycle();
  ASSERT_TRUE(PumpUntil([&] { return FadeDone(b); }));
  const std::vector<long> before = counts();
  Enter(b);
  ASSERT_TRUE(PumpUntil([&] { return FadeDone(b); }));
  Press(b);
  ASSERT_TRUE(PumpUntil([&] { return FadeDone(b); }));
  Release(b);
  ASSERT_TRUE(PumpUntil([&] { return FadeDone(b); }));
  Leave(b);
  ASSERT_TRUE(PumpUntil([&] { return FadeDone(b); }));
  EXPECT_EQ(counts(), before) << "one cycle with fades";
  // A thousand more without fades.
  b->SetAnimatEvents(0);
  const int clicksBefore = b->clicks;
  for (int i = 0; i < 1000; ++i) cycle();
  Application->ProcessMessages();
  EXPECT_EQ(counts(), before) << "1000 cycles";
  EXPECT_EQ(b->clicks, clicksBefore + 1000);
}

TEST_F(SkinnedButtons, ScreenshotsOfTheStates) {
  TImageList* list = new TImageList(form_, 16, 16);
  // The main window's install glyph, read from the program's sources.
  std::ifstream file(std::string(VQ_SOURCE_DIR) + "/app/res/GlyphInstall.png", std::ios::binary);
  const std::vector<uint8_t> png((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  TacBitmapPtr glyph = png.empty() ? nullptr : DecodePng(png.data(), png.size());
  ASSERT_TRUE(glyph);
  list->Add(std::move(glyph));
  BitBtn* b = Make<BitBtn>(20, 20, 88, 27, "安装");
  b->SetAnimatEvents(0);
  b->SetImages(list);
  b->SetImageIndex(0);
  const std::string dir = PictureDir("button-shots");
  const struct {
    const char* name;
    std::function<void()> act;
    int state;
  } shots[] = {
      {"normal", [] {}, 0},
      {"hot", [&] { Enter(b); }, 1},
      {"pressed", [&] { Press(b); }, 2},
      {"disabled", [&] { Release(b); Leave(b); holder_->SetFocus(); b->SetEnabled(false); }, 0},
  };
  for (const auto& s : shots) {
    s.act();
    Application->ProcessMessages();
    EXPECT_EQ(b->CurrentState(), s.state) << s.name;
    TacBitmapPtr shown = Screen(b);
    EXPECT_EQ(DiffInsideRegion(*shown, *b->SkinData().CacheBitmap(), b->Handle()), 0) << s.name;
    WritePng(dir + "/bitbtn-" + s.name + ".png", *shown);
  }
}

TEST_F(SkinnedButtons, GlowFollowsHoverPressReleaseAndLeave) {
  // The built-in skin's button glows: its image's fixed edges reach GLOWMARGIN
  // pixels in over the button, the rest of them lies beyond it.
  const int glowMask = manager_->GetMaskIndex(section_, "BUTTON", "GLOW0");
  ASSERT_TRUE(manager_->IsValidImgIndex(glowMask));
  ASSERT_GE(Section().GlowCount, 1);
  const int reach = manager_->Masks[static_cast<size_t>(glowMask)].WL - Section().GlowMargin;
  ASSERT_GT(reach, 0);
  manager_->SetAllowGlowing(true);
  BitBtn* b = Make<BitBtn>(20, 20, 90, 28);
  b->SetAnimatEvents(0);
  auto shown = [&] {
    const TacGlowEffect* g = b->SkinData().GlowId >= 0 ? GlowEffects().Item(b->SkinData().GlowId) : nullptr;
    return g && g->Window && IsWindowVisible(g->Window);
  };
  const struct {
    const char* what;
    std::function<void()> act;
    bool glow;
  } steps[] = {
      {"hover", [&] { Enter(b); }, true},
      {"press", [&] { Press(b); }, false},
      {"release", [&] { Release(b); }, true},
      {"leave", [&] { Leave(b); }, false},
  };
  for (const auto& s : steps) {
    s.act();
    Application->ProcessMessages();
    EXPECT_EQ(shown(), s.glow) << s.what;
    if (s.glow) {
      RECT wr, br;
      GetWindowRect(GlowEffects().Item(b->SkinData().GlowId)->Window, &wr);
      GetWindowRect(b->Handle(), &br);
      EXPECT_EQ(wr.left, br.left - reach) << "the glow reaches its edges less its margin beyond the button";
      EXPECT_EQ(wr.right, br.right + reach);
    }
  }
}

TEST_F(SkinnedButtons, ShrinkingOnAPlainParentLeavesNoBorderBehind) {
  BitBtn* b = Make<BitBtn>(20, 20, 90, 28);
  b->SetAnimatEvents(0);
  Enter(b);
  Application->ProcessMessages();
  b->SetBounds(20, 20, 60, 20);
  Application->ProcessMessages();
  UpdateWindow(b->Handle());
  TacBitmapPtr parent = Screen(form_);
  const uint32_t plain = ResolveColor(kFormColor);
  int left = 0;
  for (int y = 20; y < 48; ++y)
    for (int x = 20; x < 110; ++x)
      if ((x >= 80 || y >= 40) && Rgb(*parent, x, y) != plain) ++left;
  EXPECT_EQ(left, 0) << "pixels of the old bounds outside the new ones";
  // The button itself shows its new size's image, region and all.
  EXPECT_EQ(b->SkinData().CacheBitmap()->Width(), 60);
  EXPECT_EQ(DiffInsideRegion(*Screen(b), *Expected(b, 1), b->Handle()), 0);
  TacRegionHandle rgn = NewRectRegion(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(b->Handle(), rgn.Get()), ERROR);
  RECT box;
  GetRgnBox(rgn.Get(), &box);
  EXPECT_EQ(box.right, 60);
  EXPECT_EQ(box.bottom, 20);
}

TEST_F(SkinnedButtons, CaptionEnabledAndVisibleChangesRepaintTheButton) {
  // What the installer does to its button: captions, enabled and visible states.
  BitBtn* b = Make<BitBtn>(20, 20, 88, 27, "安装");
  TacBitmapPtr last = Screen(b);
  const struct {
    const char* what;
    std::function<void()> act;
  } steps[] = {
      {"caption", [&] { b->SetCaption("正在安装"); }},
      {"disabled", [&] { b->SetEnabled(false); }},
      {"caption while disabled", [&] { b->SetCaption("安装"); }},
      {"enabled", [&] { b->SetEnabled(true); }},
      {"hidden", [&] { b->SetVisible(false); }},
      {"shown", [&] { b->SetVisible(true); }},
  };
  for (const auto& s : steps) {
    s.act();
    Application->ProcessMessages();
    if (!b->Visible()) {
      EXPECT_FALSE(IsWindowVisible(b->Handle())) << s.what;
      continue;
    }
    TacBitmapPtr shown = Screen(b);
    EXPECT_FALSE(b->SkinData().CacheDirty) << s.what;
    EXPECT_EQ(DiffInsideRegion(*shown, *b->SkinData().CacheBitmap(), b->Handle()), 0) << s.what;
    if (std::string(s.what) != "shown") {
      EXPECT_GT(DiffInsideRegion(*shown, *last, b->Handle()), 0) << s.what;
    }
    last = std::move(shown);
  }
}
