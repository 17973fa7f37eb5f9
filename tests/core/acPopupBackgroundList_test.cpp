// The popup background cache: found by a popup's first item or by its window,
// emptied (bitmaps freed) at once.
#include "menus/acPopupBackgroundList.h"

#include <gtest/gtest.h>

namespace {

TEST(PopupBackgroundList, FindsByItemOrWindowAndEmptiesAtOnce) {
  TacPopupBackgroundList list;
  int item1 = 0, item2 = 0, window = 0;
  TacPopupBackgroundEntry a;
  a.FirstItem = &item1;
  a.Bitmap = NewBitmap24(4, 4);
  a.Window = &window;
  list.Add(std::move(a));
  TacPopupBackgroundEntry b;
  b.FirstItem = &item2;
  list.Add(std::move(b));

  ASSERT_NE(list.FindByItem(&item1), nullptr);
  EXPECT_EQ(list.FindByItem(&item1)->Bitmap->Width(), 4);
  EXPECT_EQ(list.FindByWindow(&window), list.FindByItem(&item1));
  EXPECT_EQ(list.FindByItem(&item2)->Window, nullptr);
  EXPECT_EQ(list.FindByItem(nullptr), nullptr);
  EXPECT_EQ(list.FindByWindow(nullptr), nullptr) << "a popup without a window is not found as 'no window'";
  EXPECT_EQ(list.FindByItem(&window), nullptr);
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.FindByItem(&item1), nullptr);
}

}  // namespace
