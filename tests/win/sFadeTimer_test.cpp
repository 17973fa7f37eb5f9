// State fades on a real window with real message-queue timers: how many steps a
// fade paints, what each step shows, a change during a fade, disabling during a fade,
// the events that may fade, and ending every fade when the session ends.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "BindingTestControls.h"
#include "paint/sAlphaGraph.h"

using namespace bindingtest;

namespace {

class Fade : public SkinnedFormTest {
 protected:
  // A button in section `section` showing state 0, its cache built.
  TestControl* Button(const std::string& section = "BUTTON") {
    TestControl* b = Put(form_, ckButton, section, 20, 20, 88, 27);
    b->Build();
    return b;
  }
  // Moves the button to `state` the way the controls do: state first, cache clean.
  static void Change(TestControl* b, int state, bool halve) {
    b->State = state;
    b->Data.CacheDirty = false;
    ChangeStateImage(b->Fade, b->Data, halve, 1, true);
  }
  static bool Ended(TestControl* b) {
    return PumpUntil([b] { return b->Fade == nullptr; });
  }
};

// Step k's weight of the start image, and the pixel it gives.
int StepWeight(int step, int count) { return std::clamp(255 - step * 256 / count, 0, 255); }
uint8_t Mix(uint8_t start, uint8_t cache, int k) { return static_cast<uint8_t>((start * k + cache * (255 - k) + 127) / 256); }
uint32_t MixColor(uint32_t start, uint32_t cache, int k) {
  uint32_t r = 0;
  for (int shift = 0; shift < 24; shift += 8)
    r |= static_cast<uint32_t>(Mix(static_cast<uint8_t>(start >> shift), static_cast<uint8_t>(cache >> shift), k))
         << shift;
  return r;
}

TEST_F(Fade, StepCountsFollowTheSectionsIterations) {
  struct Case {
    const char* section;
    bool halve;
    size_t steps;
  } cases[] = {{"BUTTON", false, 10}, {"BUTTON", true, 5}, {"TESTONESTEP", false, 1}, {"TESTONESTEP", true, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.section) + (c.halve ? " halved" : ""));
    TestControl* b = Button(c.section);
    Change(b, 1, c.halve);
    ASSERT_NE(b->Fade, nullptr) << "the change fades";
    EXPECT_EQ(FadeTimerCount, 1);
    ASSERT_TRUE(Ended(b));
    EXPECT_EQ(b->Steps.size(), c.steps);
    EXPECT_EQ(FadeTimerCount, 0);
    EXPECT_EQ(PixelColor(*b->Data.CacheBitmap(), 0, 0), b->StateColors[1]) << "the cache holds the new look";
    delete b;
  }
}

TEST_F(Fade, EachStepBlendsTheStartImageIntoTheNewCache) {
  TestControl* b = Button();
  // A start image with some structure, so a misplaced blend shows.
  b->Look = [b](TacBitmap& bmp) {
    for (int y = 0; y < bmp.Height(); ++y)
      for (int x = 0; x < bmp.Width(); ++x) {
        uint8_t* p = bmp.Pixel(x, y);
        p[0] = static_cast<uint8_t>(x * 3 + b->State * 70);
        p[1] = static_cast<uint8_t>(y * 9);
        p[2] = static_cast<uint8_t>(b->State ? 250 : 10);
      }
  };
  b->Build();
  const TacBitmapPtr start = CopyOf(*b->Data.CacheBitmap());
  Change(b, 1, false);
  ASSERT_TRUE(Ended(b));
  ASSERT_EQ(b->Steps.size(), 10u);
  const TacBitmap& cache = *b->Data.CacheBitmap();
  for (int i = 0; i < 9; ++i) {
    SCOPED_TRACE(i + 1);
    const TacBitmap& step = *b->Steps[static_cast<size_t>(i)];
    ASSERT_EQ(step.Width(), 88);
    ASSERT_EQ(step.Height(), 27);
    // The same as the blending primitive gives, and as the formula gives.
    TacBitmapPtr expected = CopyOf(*start);
    const int k = StepWeight(i + 1, 10);
    BlendEqualBitmaps(expected.get(), &cache, static_cast<uint8_t>(k));
    for (int y = 0; y < 27; ++y)
      for (int x = 0; x < 88; ++x) {
        ASSERT_EQ(PixelColor(step, x, y), PixelColor(*expected, x, y)) << x << "," << y;
        ASSERT_EQ(PixelColor(step, x, y), MixColor(PixelColor(*start, x, y), PixelColor(cache, x, y), k));
      }
  }
  // The last step (weight 0) is exactly the new image, not the blend's rounding of it.
  ASSERT_EQ(StepWeight(10, 10), 0);
  for (int y = 0; y < 27; ++y)
    for (int x = 0; x < 88; ++x) ASSERT_EQ(PixelColor(*b->Steps.back(), x, y), PixelColor(cache, x, y)) << x << "," << y;
}

TEST_F(Fade, AChangeDuringAFadeStartsFromThePreviousTarget) {
  TestControl* b = Button();
  Change(b, 1, false);
  ASSERT_TRUE(PumpUntil([b] { return b->Steps.size() >= 3; }));
  TsFadeTimer* first = b->Fade;
  Change(b, 2, false);
  EXPECT_EQ(b->Fade, first) << "the running timer is reused";
  const size_t before = b->Steps.size();
  ASSERT_TRUE(Ended(b));
  ASSERT_EQ(b->Steps.size(), before + 10) << "a full fade again, from step 1";
  // Its first step mixes the state-1 image (the previous target), not the blend on screen.
  EXPECT_EQ(PixelColor(*b->Steps[before], 0, 0), MixColor(b->StateColors[1], b->StateColors[2], StepWeight(1, 10)));
}

TEST_F(Fade, DisablingDuringAFadeEndsInTheFinalLook) {
  form_->Show();
  Application->ProcessMessages();
  TestControl* b = Button();
  Change(b, 1, false);
  ASSERT_TRUE(PumpUntil([b] { return b->Steps.size() >= 2; }));
  b->SetEnabled(false);
  ASSERT_TRUE(Ended(b));
  EXPECT_LT(b->Steps.size(), 10u) << "the fade stopped early";
  EXPECT_EQ(FadeTimerCount, 0);
  ASSERT_TRUE(PumpUntil([b] { return WindowPixel(b->Handle(), 4, 4) == b->DisabledColor; }))
      << "the control shows its disabled look";
}

TEST_F(Fade, WhichEventsMayFade) {
  struct Case {
    TacAnimatEvent event;
    TacAnimatEvents control;
    TacBtnEvents manager;
    bool allowed;
  } cases[] = {
      {aeMouseEnter, aeMouseEnter, 0, true},
      {aeMouseLeave, aeMouseEnter, beMouseEnter | beMouseLeave | beMouseDown | beMouseUp, false},
      {aeMouseDown, aeMouseEnter, beMouseDown, false},
      {aeMouseUp, aeMouseEnter, beMouseUp, false},
      {aeMouseDown, aeGlobalDef, beMouseEnter | beMouseLeave | beMouseUp, false},
      {aeMouseDown, aeGlobalDef, beMouseDown, true},
      {aeMouseLeave, aeGlobalDef, beMouseLeave, true},
      {aeMouseEnter, 0, beMouseEnter, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.event << " " << c.control << " " << c.manager);
    manager_->AnimEffects.Buttons.Events = c.manager;
    EXPECT_EQ(AnimationAllowed(c.event, c.control, nullptr), c.allowed);
    EXPECT_EQ(AnimationAllowed(c.event, c.control, manager_), c.allowed);
  }
}

TEST_F(Fade, AChangeThatMayNotFadeSwitchesAtOnce) {
  form_->Show();
  Application->ProcessMessages();
  struct Case {
    const char* title;
    const char* section;
    bool allowed;
  } cases[] = {{"event not allowed", "BUTTON", false}, {"fading off in the section", "TESTNOFADE", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title);
    TestControl* b = Button(c.section);
    b->State = 1;
    b->Data.CacheDirty = false;
    ChangeStateImage(b->Fade, b->Data, false, 1, c.allowed);
    EXPECT_EQ(b->Fade, nullptr);
    EXPECT_EQ(WindowPixel(b->Handle(), 4, 4), b->StateColors[1]) << "repainted at once";
    Application->ProcessMessages();
    EXPECT_TRUE(b->Steps.empty());
    delete b;
  }
  // A change that may not fade ends a running fade.
  TestControl* b = Button();
  Change(b, 1, false);
  ASSERT_NE(b->Fade, nullptr);
  b->State = 0;
  b->Data.CacheDirty = false;
  ChangeStateImage(b->Fade, b->Data, false, 1, false);
  EXPECT_EQ(b->Fade, nullptr);
  EXPECT_EQ(FadeTimerCount, 0);
}

TEST_F(Fade, AnEndingSessionEndsRunningFades) {
  TestControl* a = Button();
  TestControl* b = Put(form_, ckButton, "BUTTON", 20, 60, 88, 27);
  b->Build();
  Change(a, 1, false);
  Change(b, 1, false);
  ASSERT_TRUE(PumpUntil([a] { return a->Steps.size() >= 1; }));
  ASSERT_EQ(FadeTimerCount, 2);
  ShutdownPending = true;
  const size_t paintedA = a->Steps.size(), paintedB = b->Steps.size();
  EXPECT_TRUE(PumpUntil([] { return FadeTimerCount == 0; }, 2000)) << "the session's wait would end";
  EXPECT_LE(a->Steps.size(), paintedA + 1);
  EXPECT_LE(b->Steps.size(), paintedB + 1);
  // While the session ends nothing starts to fade.
  a->State = 0;
  a->Data.CacheDirty = false;
  ChangeStateImage(a->Fade, a->Data, false, 1, true);
  EXPECT_EQ(a->Fade, nullptr);
}

TEST_F(Fade, AControlDestroyedDuringAFadeTakesItsTimerWithIt) {
  TestControl* b = Button();
  Change(b, 1, false);
  ASSERT_EQ(FadeTimerCount, 1);
  delete b;
  EXPECT_EQ(FadeTimerCount, 0);
  Application->ProcessMessages();
}

}  // namespace
