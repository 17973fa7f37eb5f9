// What the group box, radio button and label tests share: a shown form with a real
// skin manager on our built-in skin (plus the sections a test adds), reading a
// window's pixels back from the screen, and writing PNG pictures to look at.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "controls/sFadeTimer.h"
#include "framework/vclApplication.h"
#include "framework/vclForm.h"
#include "framework/vclWinControl.h"
#include "paint/acBgRequest.h"
#include "paint/acDibBitmap.h"
#include "paint/acGdiHandles.h"
#include "paint/acSkinnedText.h"
#include "skin/sCommandCodes.h"
#include "skin/sCommandMessages.h"
#include "skin/acSkinWriter.h"
#include "skin/sSkinManager.h"
#include "support/TestPaths.h"
#include "support/WinPixels.h"

namespace boxestest {

// Lets queued paints and timers run for a while.
inline void Pump(DWORD ms) { PumpFor(ms); }

// The window's client pixels as they are on the screen.
inline TacBitmapPtr Screen(TWinControl* c) { return ScreenPixels(c); }

// Pixels of a (at offset ax, ay) and b that differ inside r of b, skipping `skip`
// rectangles; the first difference is described in *first.
inline int Differences(const TacBitmap& a, int ax, int ay, const TacBitmap& b, const RECT& r,
                       const std::vector<RECT>& skip = {}, std::string* first = nullptr) {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) {
      const POINT p{x, y};
      bool skipped = false;
      for (const RECT& s : skip) skipped = skipped || PtInRect(&s, p);
      if (skipped || x + ax < 0 || y + ay < 0 || x + ax >= a.Width() || y + ay >= a.Height() || x >= b.Width() ||
          y >= b.Height())
        continue;
      if (Rgb(a, x + ax, y + ay) != Rgb(b, x, y)) {
        if (n == 0 && first) {
          char text[96];
          std::snprintf(text, sizeof text, "(%d,%d): %06X vs %06X", x, y, Rgb(a, x + ax, y + ay), Rgb(b, x, y));
          *first = text;
        }
        ++n;
      }
    }
  return n;
}

// Pixels of exactly this colour inside r.
inline int CountColor(const TacBitmap& b, const RECT& r, uint32_t color) {
  int n = 0;
  for (int y = std::max<LONG>(r.top, 0); y < r.bottom && y < b.Height(); ++y)
    for (int x = std::max<LONG>(r.left, 0); x < r.right && x < b.Width(); ++x) n += Rgb(b, x, y) == color;
  return n;
}

// A folder under the build tree for pictures a person looks at.
inline std::string ShotDir() { return PictureDir("boxes-shots"); }

// A shown form (green, so that borrowed background is easy to tell) with the
// default manager on the built-in skin and the sections Sections() adds.
class SkinnedForm : public ::testing::Test {
 protected:
  virtual std::vector<std::string> Sections() const { return {}; }

  void SetUp() override {
    ASSERT_EQ(DefaultManager(), nullptr) << "a manager outlived its test";
    // As the program does at start: bitmaps are DIB sections that GDI can draw into.
    InstallDibBitmapAllocator();
    // The pointer stays off our windows: only the test's own messages hover them.
    SetCursorPos(1270, 1010);
    form_ = TForm::Create<TForm>(Application);
    form_->SetClientSize(480, 320);
    form_->SetColor(0x00FF00);
    form_->HandleNeeded();
    manager_ = new TsSkinManager(form_);
    // The form stays plain (no automatic provider): the controls' painting over a
    // known colour is under test.
    manager_->SetSkinningRules(srStdDialogs | srThirdParty);
    const std::vector<uint8_t> air = PackSkinFolder(SourcePath("skins/air"));
    manager_->InternalSkins.Add("air", air.data(), air.size());
    const std::vector<std::string> sections = Sections();
    if (!sections.empty()) manager_->SetCommonSections(sections);
    manager_->SetSkinName("air");
    ASSERT_TRUE(manager_->SkinData.Active);
  }
  void TearDown() override {
    delete form_;
    EXPECT_EQ(DefaultManager(), nullptr);
    EXPECT_EQ(FadeTimerCount, 0);
  }
  void ShowAndSettle() {
    form_->Show();
    UpdateWindow(form_->Handle());
    // Activation hands the focus out; let that happen before a test looks.
    PumpUntil([this] { return GetActiveWindow() == form_->Handle(); }, 500);
    Pump(60);
    ASSERT_TRUE(PumpUntil([] { return FadeTimerCount == 0; }));
  }
  template <class T>
  T* Put(TWinControl* parent, int left, int top, int width, int height, const std::string& caption = "") {
    T* c = new T(form_);
    c->SetCaption(caption);
    c->SetBounds(left, top, width, height);
    c->Font().SetName("Tahoma");
    c->Font().SetHeight(-12);
    c->SetParent(parent);
    return c;
  }

  TForm* form_ = nullptr;
  TsSkinManager* manager_ = nullptr;
};

}  // namespace boxestest
