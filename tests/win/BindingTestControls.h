// What the skin binding and fade tests share: a form with a real skin manager that
// loads our built-in skin plus a few test sections, and a small windowed control
// that owns a binding, routes the skin commands to it and paints from its cache.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "controls/sCommonData.h"
#include "controls/sFadeTimer.h"
#include "framework/vclApplication.h"
#include "framework/vclForm.h"
#include "framework/vclWinControl.h"
#include "paint/acDibBitmap.h"
#include "paint/acGdiHandles.h"
#include "paint/sItemPaintGdi.h"
#include "skin/acSkinWriter.h"
#include "skin/sCommandCodes.h"
#include "skin/sCommandMessages.h"
#include "skin/sSkinManager.h"
#include "support/TestPaths.h"
#include "support/WinPixels.h"

namespace bindingtest {

// Sections the tests need beside the skin's own: a half transparent red one, two
// fully transparent ones (the button's thin border and a border 26 pixels wide),
// and fading ones with one step and with fading off.
inline std::vector<std::string> TestSections() {
  return {"[TESTHALF]",
          "COLOR=255",
          "TRANSPARENCY=50",
          "[TESTCLEAR]",
          "TRANSPARENCY=100",
          "BORDERSMASK=^0062^0236^0092^0256^0004^0004^0004^0004^3^1^0^0",
          "[TESTWIDE]",
          "TRANSPARENCY=100",
          "BORDERSMASK=^0062^0236^0092^0256^0013^0004^0013^0004^3^1^0^0",
          "[TESTONESTEP]",
          "COLOR=8421504",
          "FADINGENABLED=TRUE",
          "FADINGITERATIONS=1",
          "[TESTNOFADE]",
          "COLOR=8421504",
          "FADINGENABLED=FALSE",
          "FADINGITERATIONS=10"};
}

inline void FillBitmap(TacBitmap& b, uint32_t color) {
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) {
      uint8_t* p = b.Pixel(x, y);
      p[0] = static_cast<uint8_t>(color >> 16);
      p[1] = static_cast<uint8_t>(color >> 8);
      p[2] = static_cast<uint8_t>(color);
    }
}

inline uint32_t PixelColor(const TacBitmap& b, int x, int y) {
  const uint8_t* p = b.Pixel(x, y);
  return static_cast<uint32_t>(p[2]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[0]) << 16);
}

inline TacBitmapPtr CopyOf(const TacBitmap& b) {
  TacBitmapPtr c = NewMemoryBitmap(b.Width(), b.Height(), b.Format());
  for (int y = 0; y < b.Height(); ++y)
    std::copy_n(b.Row(y), static_cast<size_t>(b.Width()) * b.BytesPerPixel(), c->Row(y));
  return c;
}

// A skinned control reduced to its binding: its look is one colour per state (or a
// pattern), built into the cache on SMC_BUILDCACHE and on a paint of a dirty cache.
class TestControl : public TCustomControl {
 public:
  TestControl(TComponent* owner, int kind) : TCustomControl(owner), Data(this, true) { Data.ControlKind = kind; }
  ~TestControl() override { StopFade(Fade, Data); }

  TsCommonData Data;
  TsFadeTimer* Fade = nullptr;
  int State = 0;
  uint32_t StateColors[3] = {0x302010, 0x3080F0, 0xC0C0C0};
  uint32_t DisabledColor = 0x808080;
  // Draws the cache for the current state when set; else one colour per state.
  std::function<void(TacBitmap&)> Look;
  int Builds = 0;
  std::vector<TacBitmapPtr> Steps;  // every step image offered with SMC_FREEREGION

  void Build() {
    TacBitmap* cache = Data.InitCacheBitmap();
    if (cache && cache->Width() > 0) {
      if (Look)
        Look(*cache);
      else
        FillBitmap(*cache, Enabled() ? StateColors[State] : DisabledColor);
    }
    Data.CacheDirty = false;
    ++Builds;
  }
  void WndProc(TMessage& m) override {
    if (m.Msg == SM_ALPHACMD) {
      switch (CommandCode(m.WParam)) {
        case SMC_BUILDCACHE:
          Build();
          return;
        case SMC_STOPANIMATIONS:
          StopFade(Fade, Data);
          return;
        case SMC_FREEREGION:
          Steps.push_back(CopyOf(*reinterpret_cast<TacBitmap*>(m.LParam)));
          m.Result = 0;
          return;
        default:
          Data.HandleSkinCommand(m);
          return;
      }
    }
    if (Data.CommonWndProc(m)) return;
    TCustomControl::WndProc(m);
  }
  void PaintWindow(HDC dc) override {
    if (Fade && Fade->Running()) return;
    if (Data.CacheDirty) Build();
    if (TacBitmap* cache = Data.CacheBitmap())
      CopyBitmapToDC(dc, 0, 0, *cache, TacRect{0, 0, cache->Width(), cache->Height()});
  }
};

// The screen colour of a window's client pixel.
inline uint32_t WindowPixel(HWND wnd, int x, int y) {
  GdiFlush();
  TacBitmapPtr one = NewDibBitmap(1, 1, TacPixelFormat::pf24bit);
  {
    TacWindowDC dc(wnd);
    TacMemoryDC mem(dc.Get());
    TacSelectObject pick(mem.Get(), static_cast<HBITMAP>(one->Handle()));
    BitBlt(mem.Get(), 0, 0, 1, 1, dc.Get(), x, y, SRCCOPY);
    GdiFlush();
  }
  return PixelColor(*one, 0, 0);
}

class SkinnedFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(DefaultManager(), nullptr) << "a manager outlived its test";
    form_ = TForm::Create<TForm>(Application);
    form_->SetBounds(0, 0, 400, 300);
    form_->SetClientSize(400, 300);
    form_->SetColor(0x00FF00);
    form_->HandleNeeded();
    manager_ = new TsSkinManager(form_);
    // The form stays plain (no automatic provider): the controls' painting over a
    // known colour is under test.
    manager_->SetSkinningRules(srStdDialogs | srThirdParty);
    const std::vector<uint8_t> air = PackSkinFolder(SourcePath("skins/air"));
    manager_->InternalSkins.Add("air", air.data(), air.size());
    manager_->SetCommonSections(TestSections());
    manager_->SetSkinName("air");
    ASSERT_TRUE(manager_->SkinData.Active);
    ASSERT_GE(manager_->GetSkinIndex("TESTHALF"), 0);
  }
  void TearDown() override {
    delete form_;
    EXPECT_EQ(DefaultManager(), nullptr);
    EXPECT_EQ(FadeTimerCount, 0);
    ShutdownPending = false;
  }

  // A control of the kind and section at (left, top) in parent, its window made.
  TestControl* Put(TWinControl* parent, int kind, const std::string& section, int left, int top, int width = 60,
                   int height = 24) {
    auto* c = new TestControl(form_, kind);
    c->SetBounds(left, top, width, height);
    if (parent) c->SetParent(parent);
    c->Data.SetSkinSection(section);
    c->Data.BindingLoaded();
    if (parent) c->HandleNeeded();
    return c;
  }

  TForm* form_ = nullptr;
  TsSkinManager* manager_ = nullptr;
};

}  // namespace bindingtest
