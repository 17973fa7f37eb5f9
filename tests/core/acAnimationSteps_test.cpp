// The window animations' steps: the show's growth and opacity ramp, the hide's
// shrinking fade and the mix of the redraw without layered windows. Expected
// values are worked out by hand for small pictures, where the rounding of halves
// shows.
#include <gtest/gtest.h>

#include <vector>

#include "frame/acAnimationSteps.h"

namespace {

struct Want {
  int opacity;
  bool whole;
  TacRect place;  // only when not whole
  bool redraw;
  bool clear;
};

void ExpectSteps(const std::vector<TacAnimationStep>& got, const std::vector<Want>& want, const char* what) {
  ASSERT_EQ(got.size(), want.size()) << what;
  for (size_t i = 0; i < want.size(); ++i) {
    SCOPED_TRACE(testing::Message() << what << ", step " << i);
    EXPECT_EQ(got[i].Opacity, want[i].opacity);
    EXPECT_EQ(got[i].Whole, want[i].whole);
    if (!want[i].whole) {
      EXPECT_EQ(got[i].Place.Left, want[i].place.Left);
      EXPECT_EQ(got[i].Place.Top, want[i].place.Top);
      EXPECT_EQ(got[i].Place.Right, want[i].place.Right);
      EXPECT_EQ(got[i].Place.Bottom, want[i].place.Bottom);
    }
    EXPECT_EQ(got[i].Redraw, want[i].redraw);
    EXPECT_EQ(got[i].Clear, want[i].clear);
  }
}

TEST(AnimationSteps, StepCountIsTimeDivTen) {
  const int cases[][2] = {{0, 0}, {9, 0}, {10, 1}, {19, 1}, {100, 10}, {255, 25}, {-40, 0}};
  for (const auto& c : cases) EXPECT_EQ(AnimationStepCount(c[0]), c[1]) << c[0] << " ms";
}

TEST(AnimationSteps, ShowRampsAndGrowsAsConfigured) {
  // 80 × 40 in 4 steps: the capture grows by 2.5 and 1.25 a side a step from an
  // inset of 10 and 5; halves round to even (7.5 → 8, 2.5 → 2, 32.5 → 32).
  ExpectSteps(ShowAnimationSteps(80, 40, 4, 255, atAero, false),
              {{64, false, {10, 5, 70, 35}, true, false},
               {128, false, {8, 4, 73, 36}, true, false},
               {191, false, {5, 2, 75, 37}, true, false},
               {255, false, {2, 1, 77, 39}, true, false},
               {255, true, {}, true, false}},
              "aero, form");
  // A dialog rises by target / (n + 1) and reaches the target only on its last step.
  ExpectSteps(ShowAnimationSteps(80, 40, 4, 255, atAero, true),
              {{51, false, {10, 5, 70, 35}, true, false},
               {102, false, {8, 4, 73, 36}, true, false},
               {153, false, {5, 2, 75, 37}, true, false},
               {204, false, {2, 1, 77, 39}, true, false},
               {255, true, {}, true, false}},
              "aero, dialog");
  // Fading draws the capture once and only changes the opacity, never above the target.
  ExpectSteps(ShowAnimationSteps(80, 40, 3, 200, atFading, false),
              {{67, true, {}, true, false},
               {133, true, {}, false, false},
               {200, true, {}, false, false},
               {200, true, {}, false, false}},
              "fading, a form with AlphaBlendValue 200");
  EXPECT_TRUE(ShowAnimationSteps(80, 40, 0, 255, atAero, false).empty()) << "0 steps: shown at once by the caller";
}

TEST(AnimationSteps, ShowEndsOnTheWholePictureForEveryCount) {
  // The last step is the whole picture at the target whatever the rounding of the
  // sizes; every step before lies inside it and no step is smaller than the one before.
  const int sizes[][2] = {{481, 319}, {450, 262}, {7, 3}, {1, 1}};
  for (const auto& size : sizes) {
    for (int n = 1; n <= 40; ++n) {
      SCOPED_TRACE(testing::Message() << size[0] << "x" << size[1] << " in " << n);
      const auto steps = ShowAnimationSteps(size[0], size[1], n, 230, atAero, false);
      ASSERT_EQ(steps.size(), static_cast<size_t>(n) + 1);
      EXPECT_TRUE(steps.back().Whole);
      EXPECT_EQ(steps.back().Opacity, 230);
      for (size_t i = 0; i < steps.size(); ++i) {
        const TacRect r = steps[i].Whole ? TacRect{0, 0, size[0], size[1]} : steps[i].Place;
        EXPECT_GE(r.Left, 0);
        EXPECT_GE(r.Top, 0);
        EXPECT_LE(r.Right, size[0]);
        EXPECT_LE(r.Bottom, size[1]);
        if (i > 0) {
          const TacRect p = steps[i - 1].Whole ? TacRect{0, 0, size[0], size[1]} : steps[i - 1].Place;
          EXPECT_GE(r.Width(), p.Width());
          EXPECT_GE(r.Height(), p.Height());
          EXPECT_GE(steps[i].Opacity, steps[i - 1].Opacity);
        }
      }
    }
  }
}

TEST(AnimationSteps, HideStartsAtHalfAndShrinksToAnEighthEachSide) {
  EXPECT_EQ(HideInitialOpacity(255), 127);
  // 80 × 40 in 4 ticks from 255: 127 first, then 31.875 less a tick down to 0; the
  // picture shrinks by 2.5 and 1.25 a side a tick, cleared before each smaller one.
  ExpectSteps(HideAnimationSteps(80, 40, 4, 255, atAero),
              {{95, true, {}, true, false},
               {63, false, {2, 1, 77, 39}, true, true},
               {31, false, {5, 2, 75, 37}, true, true},
               {0, false, {8, 4, 73, 36}, true, true},
               {0, false, {10, 5, 70, 35}, true, true}},
              "aero");
  ExpectSteps(HideAnimationSteps(80, 40, 2, 255, atFading),
              {{63, true, {}, true, false}, {0, true, {}, false, false}, {0, true, {}, false, false}}, "fading");
  EXPECT_TRUE(HideAnimationSteps(80, 40, 0, 255, atAero).empty()) << "0 steps: no hide picture at all";
}

TEST(AnimationSteps, FallbackMixWeighsTheOldLookDown) {
  const int cases[][3] = {
      // step, steps, weight
      {0, 4, 255}, {1, 4, 192}, {4, 4, 3},  {0, 10, 255}, {10, 10, 5},
      {0, 0, 0},   {0, 300, 255}, {150, 300, 128}, {300, 300, 0},  // long fades still move
  };
  for (const auto& c : cases) EXPECT_EQ(FallbackMixWeight(c[0], c[1]), c[2]) << c[0] << " of " << c[1];

  const uint8_t oldBgr[] = {200, 0, 255, 10, 20, 30};
  const uint8_t newBgr[] = {100, 255, 0, 10, 20, 30};
  struct Case {
    int weight;
    uint8_t want[8];
  };
  const Case mixes[] = {
      {255, {199, 0, 254, 0xEE, 10, 20, 30, 0xEE}},  // nearly the old look
      {128, {150, 127, 127, 0xEE, 10, 20, 30, 0xEE}},
      {0, {100, 255, 0, 0xEE, 10, 20, 30, 0xEE}},  // the new look exactly
  };
  for (const auto& m : mixes) {
    uint8_t mix[8];
    std::fill(std::begin(mix), std::end(mix), 0xEE);
    FallbackMixRow(oldBgr, newBgr, mix, 2, m.weight);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(mix[i], m.want[i]) << "weight " << m.weight << ", byte " << i;
  }
}

}  // namespace
