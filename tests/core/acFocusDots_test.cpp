#include "paint/acFocusDots.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

TEST(FocusDots, EveryThirdPixelOfEachEdgeWithItsWhiteDot) {
  // 7 x 4 at (10, 20): i = 0..2 along the top and bottom, j = 0..1 along the sides.
  std::vector<TacFocusDot> dots = FocusDots(TacRect{10, 20, 17, 24});
  std::multiset<std::tuple<int, int, bool>> got;
  for (const TacFocusDot& d : dots) got.insert({d.X, d.Y, d.White});
  const std::multiset<std::tuple<int, int, bool>> expected = {
      // top and bottom, black
      {10, 20, false}, {13, 20, false}, {16, 20, false}, {10, 24, false}, {13, 24, false}, {16, 24, false},
      // their white dots, up and left
      {9, 19, true}, {12, 19, true}, {15, 19, true}, {9, 23, true}, {12, 23, true}, {15, 23, true},
      // left and right, black
      {10, 20, false}, {10, 23, false}, {17, 20, false}, {17, 23, false},
      // their white dots
      {9, 19, true}, {9, 22, true}, {16, 19, true}, {16, 22, true},
  };
  EXPECT_EQ(got, expected);
}

TEST(FocusDots, SmallAndInvertedRectangles) {
  EXPECT_EQ(FocusDots(TacRect{0, 0, 0, 0}).size(), 8u);  // one dot of each kind on each edge
  EXPECT_EQ(FocusDots(TacRect{0, 0, 2, 2}).size(), 8u);
  EXPECT_EQ(FocusDots(TacRect{0, 0, 3, 2}).size(), 12u);
  EXPECT_TRUE(FocusDots(TacRect{5, 5, 4, 9}).empty());
  EXPECT_TRUE(FocusDots(TacRect{5, 5, 9, 4}).empty());
}
