// Regions as bands of spans: the set operations the corner cutting relies on.
#include "paint/acRegion.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <utility>

TEST(TacRegion, RectangleMinusCornerRunsGivesBandsOfRectangles) {
  TacRegion r(TacRect{0, 0, 10, 4});
  r.XorRect({0, 0, 2, 1});     // a run ended by a drawn pixel
  r.SubtractRect({8, 0, 10, 1});  // a run reaching the row's end
  r.XorRect({0, 1, 1, 2});
  EXPECT_EQ(r.Area(), 40 - 5);
  EXPECT_FALSE(r.Contains(1, 0));
  EXPECT_TRUE(r.Contains(2, 0));
  EXPECT_FALSE(r.Contains(9, 0));
  EXPECT_TRUE(r.Contains(1, 1));
  const std::vector<TacRect> rects = r.Rects();
  ASSERT_EQ(rects.size(), 3u);  // row 0, row 1, rows 2..3 merged
  EXPECT_EQ(rects[2].Top, 2);
  EXPECT_EQ(rects[2].Bottom, 4);
  EXPECT_EQ(rects[2].Right - rects[2].Left, 10);
  // Exclusive-or outside the set adds the run.
  r.XorRect({12, 0, 14, 1});
  EXPECT_TRUE(r.Contains(13, 0));
  r.SubtractRect({-100, -100, 100, 100});
  EXPECT_TRUE(r.IsEmpty());
}

TEST(TacRegion, RandomOperationsAgreeWithAPixelSet) {
  std::mt19937 rng(5);
  TacRegion r;
  std::set<std::pair<int, int>> pixels;
  for (int step = 0; step < 400; ++step) {
    const TacRect q{static_cast<int>(rng() % 20) - 2, static_cast<int>(rng() % 16) - 2, 0, 0};
    const TacRect rect{q.Left, q.Top, q.Left + static_cast<int>(rng() % 8), q.Top + static_cast<int>(rng() % 5)};
    const int op = static_cast<int>(rng() % 3);
    for (int y = rect.Top; y < rect.Bottom; ++y)
      for (int x = rect.Left; x < rect.Right; ++x) {
        const bool in = pixels.count({x, y}) != 0;
        const bool now = op == 0 ? true : op == 1 ? !in : false;
        if (now) pixels.insert({x, y}); else pixels.erase({x, y});
      }
    if (op == 0) r.UnionRect(rect); else if (op == 1) r.XorRect(rect); else r.SubtractRect(rect);
    ASSERT_EQ(r.Area(), static_cast<int64_t>(pixels.size())) << step;
    for (int y = -3; y < 22; ++y)
      for (int x = -3; x < 28; ++x) ASSERT_EQ(r.Contains(x, y), pixels.count({x, y}) != 0) << step;
  }
}
