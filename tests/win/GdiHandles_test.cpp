// The object owners count what lives: a made object raises its kind's count, freeing
// lowers it, moving changes nothing, and objects lent out to bitmap records stay
// counted until the record frees them. The leak checks of the painting code stand on
// these counts (Wine's GetGuiResources answers 0).
#include "paint/acGdiHandles.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "paint/acDibBitmap.h"
#include "paint/acDibMask8.h"

namespace {

// Something that holds one object of a kind while it lives.
struct Holder {
  const char* name;
  TacGdiKind kind;
  std::function<std::shared_ptr<void>()> make;
};

template <class T>
std::shared_ptr<void> Hold(T&& owner) {
  EXPECT_TRUE(static_cast<bool>(owner));
  return std::make_shared<std::decay_t<T>>(std::forward<T>(owner));
}

LOGFONTW Tahoma() {
  LOGFONTW lf = {};
  lf.lfHeight = -11;
  lstrcpynW(lf.lfFaceName, L"Tahoma", LF_FACESIZE);
  return lf;
}

ICONINFO SmallIconInfo(std::shared_ptr<TacBitmapHandle>& mask, std::shared_ptr<TacBitmapHandle>& color) {
  TacWindowDC screen(nullptr);
  mask = std::make_shared<TacBitmapHandle>(NewCompatibleBitmap(screen.Get(), 16, 16));
  color = std::make_shared<TacBitmapHandle>(NewCompatibleBitmap(screen.Get(), 16, 16));
  ICONINFO info = {};
  info.fIcon = TRUE;
  info.hbmMask = mask->Get();
  info.hbmColor = color->Get();
  return info;
}

const Holder kHolders[] = {
    {"solid brush", TacGdiKind::Brush, [] { return Hold(NewSolidBrush(RGB(1, 2, 3))); }},
    {"pen", TacGdiKind::Pen, [] { return Hold(NewPen(PS_SOLID, 1, RGB(1, 2, 3))); }},
    {"font", TacGdiKind::Font, [] { return Hold(NewFont(Tahoma())); }},
    {"region", TacGdiKind::Region, [] { return Hold(NewRectRegion(0, 0, 5, 5)); }},
    {"compatible bitmap", TacGdiKind::Bitmap,
     [] {
       TacWindowDC screen(nullptr);
       return Hold(NewCompatibleBitmap(screen.Get(), 4, 4));
     }},
    {"popup menu", TacGdiKind::Menu, [] { return Hold(NewPopupMenu()); }},
    {"icon", TacGdiKind::Icon,
     [] {
       std::shared_ptr<TacBitmapHandle> mask, color;
       ICONINFO info = SmallIconInfo(mask, color);
       return Hold(NewIcon(info));
     }},
    {"memory DC", TacGdiKind::MemoryDC, [] { return std::shared_ptr<void>(std::make_shared<TacMemoryDC>(nullptr)); }},
    {"screen DC", TacGdiKind::WindowDC, [] { return std::shared_ptr<void>(std::make_shared<TacWindowDC>(nullptr)); }},
    {"DIB-section bitmap record", TacGdiKind::Bitmap,
     [] { return std::shared_ptr<void>(NewDibBitmap(3, 2, TacPixelFormat::pf32bit).release(), [](void* b) {
            delete static_cast<TacBitmap*>(b);
          }); }},
    {"DIB-section mask record", TacGdiKind::Bitmap,
     [] { return std::shared_ptr<void>(NewDibMask8(3, 2).release(), [](void* m) { delete static_cast<TacMask8*>(m); }); }},
};

TEST(GdiHandles, EachKindIsCountedWhileItLives) {
  for (const Holder& h : kHolders) {
    const long before = GdiLiveCount(h.kind);
    const long all = GdiLiveCountAll();
    std::shared_ptr<void> held = h.make();
    EXPECT_EQ(GdiLiveCount(h.kind), before + 1) << h.name;
    held.reset();
    EXPECT_EQ(GdiLiveCount(h.kind), before) << h.name;
    EXPECT_EQ(GdiLiveCountAll(), all) << h.name;
  }
}

TEST(GdiHandles, MovingKeepsOneOwnerAndLendingKeepsTheCount) {
  const long before = GdiLiveCount(TacGdiKind::Brush);
  TacBrushHandle a = NewSolidBrush(RGB(9, 9, 9));
  const HBRUSH raw = a.Get();
  TacBrushHandle b = std::move(a);
  EXPECT_FALSE(a);
  EXPECT_EQ(b.Get(), raw);
  EXPECT_EQ(GdiLiveCount(TacGdiKind::Brush), before + 1);
  b = NewSolidBrush(RGB(8, 8, 8));  // the first brush is freed
  EXPECT_EQ(GdiLiveCount(TacGdiKind::Brush), before + 1);

  const HBRUSH lent = b.Release();
  EXPECT_FALSE(b);
  EXPECT_EQ(GdiLiveCount(TacGdiKind::Brush), before + 1);  // still alive, elsewhere
  TacBrushHandle::Reclaim(lent);
  EXPECT_EQ(GdiLiveCount(TacGdiKind::Brush), before);
  EXPECT_EQ(GetObjectType(lent), 0u);  // really deleted
}

TEST(GdiHandles, SelectionComesBackOnScopeExit) {
  TacMemoryDC dc(nullptr);
  const HGDIOBJ original = GetCurrentObject(dc.Get(), OBJ_BRUSH);
  const TacBrushHandle brush = NewSolidBrush(RGB(1, 1, 1));
  {
    TacSelectObject selected(dc.Get(), brush.Get());
    EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_BRUSH), brush.Get());
    EXPECT_EQ(selected.Previous(), original);
  }
  EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_BRUSH), original);
}

}  // namespace
