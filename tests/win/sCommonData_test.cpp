// The skin binding with real windows and a real skin manager: section binding, the
// background answers (passed on by transparent controls, from the own cache, plain
// colours), colour mixing, deferred painting, hover of containers, windowless
// children painted through one image, and the corner fix-up.
#include <windows.h>

#include <gtest/gtest.h>

#include "BindingTestControls.h"
#include "framework/vclCanvas.h"
#include "framework/vclControl.h"
#include "paint/sBorderMask.h"

using namespace bindingtest;

namespace {

class Binding : public SkinnedFormTest {};

TacBgRequest AskBackground(TControl* c) {
  TacBgRequest r;
  c->Perform(SM_ALPHACMD, static_cast<WPARAM>(PackCommand(SMC_GETBGINFO)), reinterpret_cast<LPARAM>(&r));
  return r;
}

TEST_F(Binding, SectionNamesAreStoredUpperCasedAndBoundToTheSkin) {
  TestControl* c = Put(form_, ckButton, "button", 10, 10);
  EXPECT_EQ(c->Data.SkinSection(), "BUTTON");
  EXPECT_EQ(c->Data.SectionIndex(), manager_->GetSkinIndex("BUTTON"));
  EXPECT_TRUE(c->Data.IsSkinned());
  EXPECT_EQ(c->Data.BorderMaskIndex(), manager_->Sections[static_cast<size_t>(c->Data.SectionIndex())].BorderIndex);
  EXPECT_GE(c->Data.BorderMaskIndex(), 0);
  EXPECT_EQ(SendSkinCommand(c->Handle(), SMC_GETSKININDEX), c->Data.SectionIndex() + 1);

  c->Data.SetSkinSection("");
  EXPECT_EQ(c->Data.SkinSection(), "UNKNOWN");
  EXPECT_EQ(c->Data.SectionIndex(), -1);
  EXPECT_EQ(c->Data.BorderMaskIndex(), -1);
  EXPECT_FALSE(c->Data.IsSkinned());
  EXPECT_EQ(SendSkinCommand(c->Handle(), SMC_GETSKININDEX), 0) << "an unskinned control answers 0";
  EXPECT_EQ(SendSkinCommand(c->Handle(), SMC_ISSKINNED), 1) << "it is still skin-aware";
}

TEST_F(Binding, AnEmptySectionTakesTheKindsDefault) {
  struct Case {
    int kind;
    const char* section;
  } cases[] = {{ckButton, "BUTTON"}, {ckBitBtn, "BUTTON"}, {ckGroupBox, "GROUPBOX"}, {ckRadioButton, "RADIOBUTTON"}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.section);
    auto* c = new TestControl(form_, k.kind);
    c->SetBounds(0, 0, 20, 20);
    c->SetParent(form_);
    c->Data.BindingLoaded();
    EXPECT_EQ(c->Data.SkinSection(), k.section);
    EXPECT_EQ(c->Data.SectionIndex(), manager_->GetSkinIndex(k.section));
    delete c;
  }
  EXPECT_EQ(DefaultSectionForKind(300, "TSOMETHING"), "TSOMETHING") << "codes above 255 take the class name";
}

TEST_F(Binding, TheSkinsRemovalUnbindsAndANewSkinBindsAgain) {
  TestControl* c = Put(form_, ckButton, "BUTTON", 10, 10);
  const int index = c->Data.SectionIndex();
  manager_->SetActive(false);
  EXPECT_EQ(c->Data.SectionIndex(), -1);
  EXPECT_FALSE(c->Data.IsSkinned());
  EXPECT_TRUE(c->Data.PaintDeferred);
  ASSERT_NE(c->Data.CacheBitmap(), nullptr);
  EXPECT_EQ(c->Data.CacheBitmap()->Width(), 0);
  manager_->SetActive(true);
  EXPECT_EQ(c->Data.SectionIndex(), index);
  EXPECT_TRUE(c->Data.IsSkinned());
  EXPECT_EQ(c->Data.SkinSection(), "BUTTON") << "the name stays stored through the change";
}

TEST_F(Binding, ATransparentThinBorderedControlPassesTheRequestOnShiftedByItsPlace) {
  TestControl* parent = Put(form_, ckGroupBox, "TESTHALF", 5, 5, 200, 150);
  parent->Build();
  TestControl* child = Put(parent, ckButton, "TESTCLEAR", 10, 7);
  const TacBgRequest r = AskBackground(child);
  ASSERT_EQ(r.Kind, bgkImage);
  EXPECT_EQ(r.Image, parent->Data.CacheBitmap());
  EXPECT_EQ(r.Offset.X, 10);
  EXPECT_EQ(r.Offset.Y, 7);

  // One more level: a child of the transparent control sees the parent's image with
  // the transparent control's origin in it; item painting adds the child's own place
  // (3, 2), so counting it here too would paint from (16, 11).
  TestControl* grandchild = Put(child, ckButton, "BUTTON", 3, 2, 20, 10);
  TacParentImage pi;
  grandchild->Data.GetParentImage(pi);
  ASSERT_TRUE(pi.HasImage);
  EXPECT_EQ(pi.Image, parent->Data.CacheBitmap());
  EXPECT_EQ(pi.X, 10);
  EXPECT_EQ(pi.Y, 7);
}

TEST_F(Binding, ATransparentControlWithAWideBorderAnswersFromItsOwnCache) {
  TestControl* parent = Put(form_, ckGroupBox, "TESTHALF", 5, 5, 200, 150);
  parent->Build();
  TestControl* child = Put(parent, ckButton, "TESTWIDE", 10, 7);
  child->Build();
  const TacBgRequest r = AskBackground(child);
  ASSERT_EQ(r.Kind, bgkImage);
  EXPECT_EQ(r.Image, child->Data.CacheBitmap());
  EXPECT_EQ(r.Offset.X, 0);
  EXPECT_EQ(r.Offset.Y, 0);

  // Without a cache image it has nothing to show: the transparent key.
  child->Data.EmptyCache();
  const TacBgRequest none = AskBackground(child);
  EXPECT_EQ(none.Kind, bgkColor);
}

TEST_F(Binding, AHalfTransparentSectionMixesItsColourWithTheParents) {
  auto* parent = new TCustomControl(form_);
  parent->SetBounds(0, 0, 100, 100);
  parent->SetColor(0xFF0000);
  parent->SetParent(form_);
  TestControl* c = Put(parent, ckButton, "TESTHALF", 4, 4);
  EXPECT_EQ(c->Data.GetControlColor(0), 0x800080u);
  EXPECT_EQ(static_cast<uint32_t>(SendSkinCommand(c->Handle(), SMC_GETBGCOLOR, NoBgColor)), 0x800080u);

  // A plain-coloured opaque section answers its colour; with CustomColor the control's own.
  TestControl* plain = Put(parent, ckButton, "TESTONESTEP", 4, 40);
  EXPECT_EQ(AskBackground(plain).Kind, bgkColor);
  EXPECT_EQ(AskBackground(plain).Color, 0x808080u);
  plain->SetColor(0x123456);
  plain->Data.SetCustomColor(true);
  EXPECT_EQ(AskBackground(plain).Color, 0x123456u);
}

TEST_F(Binding, AControlDependingOnItsParentWaitsForOne) {
  auto* orphan = new TestControl(form_, ckButton);
  orphan->SetBounds(0, 0, 40, 20);
  orphan->Data.SetSkinSection("BUTTON");
  ASSERT_TRUE(orphan->Data.IsSkinned());
  ASSERT_TRUE(orphan->Data.DependsOnParent());
  EXPECT_TRUE(orphan->Data.ComputeDeferred());
  EXPECT_TRUE(orphan->Data.PaintDeferred);

  // Under a parent whose image is ready it paints; under one whose cache is dirty it waits.
  TestControl* parent = Put(form_, ckGroupBox, "TESTHALF", 0, 0, 200, 100);
  parent->Build();
  TestControl* child = Put(parent, ckButton, "BUTTON", 5, 5);
  EXPECT_FALSE(child->Data.ComputeDeferred());
  parent->Data.CacheDirty = true;
  EXPECT_TRUE(child->Data.ComputeDeferred());
  // Made up for after SMC_REFRESH of its manager.
  SendSkinCommand(child->Handle(), SMC_REFRESH, manager_->CommandParam());
  EXPECT_FALSE(child->Data.PaintDeferred);
}

TEST_F(Binding, HoverSetsMouseOverExceptForContainers) {
  struct Case {
    int kind;
    bool over;
  } cases[] = {{ckGroupBox, false}, {19, false}, {ckButton, true}, {ckRadioButton, true}, {300, true}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.kind);
    TestControl* c = Put(form_, k.kind, "BUTTON", 0, 0);
    c->Perform(CM_MOUSEENTER);
    EXPECT_EQ(c->Data.MouseOver, k.over);
    EXPECT_EQ(c->Data.ControlIsActive(), k.over);
    c->Perform(CM_MOUSELEAVE);
    EXPECT_FALSE(c->Data.MouseOver);
    delete c;
  }
}

// A windowless child that paints the left half of its rectangle in one colour and
// leaves the rest to what lies behind it.
class HalfPaintedChild : public TControl {
 public:
  using TControl::TControl;
  uint32_t Ink = 0x0000C0;
  void Paint(TCanvas& canvas) override { canvas.FillRect(RECT{0, 0, Width() / 2, Height()}, Ink); }
};

TEST_F(Binding, WindowlessChildrenArePaintedOverTheContainersImage) {
  TestControl* box = Put(form_, ckGroupBox, "TESTHALF", 0, 0, 120, 80);
  box->Look = [](TacBitmap& b) {
    for (int y = 0; y < b.Height(); ++y)
      for (int x = 0; x < b.Width(); ++x) {
        uint8_t* p = b.Pixel(x, y);
        p[0] = static_cast<uint8_t>(x * 2);
        p[1] = static_cast<uint8_t>(y * 3);
        p[2] = 0x40;
      }
  };
  box->Build();
  auto* see = new HalfPaintedChild(form_);
  see->SetBounds(10, 10, 30, 20);
  see->SetParent(box);
  auto* opaque = new HalfPaintedChild(form_);
  opaque->SetBounds(60, 40, 20, 16);
  opaque->SetOpaque(true);
  opaque->SetColor(0x00AA00);
  opaque->Ink = 0xAA0000;
  opaque->SetParent(box);

  TacBitmapPtr target = NewDibBitmap(200, 150, TacPixelFormat::pf24bit);
  ASSERT_TRUE(target);
  FillBitmap(*target, 0xFFFFFF);
  {
    TacMemoryDC dc(nullptr);
    TacSelectObject pick(dc.Get(), static_cast<HBITMAP>(target->Handle()));
    PaintGraphicChildren(dc.Get(), box, POINT{5, 3});
    GdiFlush();
  }
  const TacBitmap& cache = *box->Data.CacheBitmap();
  int checked = 0;
  for (int y = 0; y < 150; ++y)
    for (int x = 0; x < 200; ++x) {
      const int bx = x - 5, by = y - 3;  // the container's coordinates
      uint32_t expected = 0xFFFFFF;      // outside the children nothing is painted
      if (bx >= 10 && bx < 40 && by >= 10 && by < 30)
        expected = bx < 25 ? 0x0000C0 : PixelColor(cache, bx, by);
      else if (bx >= 60 && bx < 80 && by >= 40 && by < 56)
        expected = bx < 70 ? 0xAA0000 : 0x00AA00;
      ASSERT_EQ(PixelColor(*target, x, y), expected) << x << "," << y;
      ++checked;
    }
  EXPECT_EQ(checked, 200 * 150);
}

TEST_F(Binding, CornerFixUpPutsTheParentsBackgroundUnderKeyColouredCornerPixels) {
  auto* parent = new TCustomControl(form_);
  parent->SetBounds(0, 0, 200, 100);
  parent->SetColor(0x0000FF);
  parent->SetParent(form_);
  TestControl* c = Put(parent, ckButton, "BUTTON", 10, 10, 50, 30);
  c->StateColors[0] = 0x00FF00;
  c->Build();
  RefreshCorners(c->Data, 0, cfTopLeft | cfBottomRight);

  const TsMaskData& m = manager_->Masks[static_cast<size_t>(c->Data.BorderMaskIndex())];
  const TacBitmap* src = MaskSource(m);
  ASSERT_NE(src, nullptr);
  const int fw = MaskFrameWidth(m), fh = MaskFrameHeight(m);
  auto key = [&](int sx, int sy) {
    const uint8_t* p = src->Pixel(m.R.Left + sx, m.R.Top + sy);
    return p[0] == 0xFF && p[1] == 0 && p[2] == 0xFF;
  };
  const TacBitmap& cache = *c->Data.CacheBitmap();
  int replaced = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 50; ++x) {
      bool fromParent = false;
      if (x < m.WL && y < m.WT) fromParent = key(x, y);  // top-left corner of frame 0
      if (x >= 50 - m.WR && y >= 30 - m.WB) fromParent = key(fw - (50 - x), fh - (30 - y));
      ASSERT_EQ(PixelColor(cache, x, y), fromParent ? 0x0000FFu : 0x00FF00u) << x << "," << y;
      replaced += fromParent;
    }
  EXPECT_GT(replaced, 0) << "the button's corners have key-coloured pixels";
  // The other two corners were not asked for.
  EXPECT_EQ(PixelColor(cache, 49, 0), 0x00FF00u);
  EXPECT_EQ(PixelColor(cache, 0, 29), 0x00FF00u);
}

TEST_F(Binding, KindSets) {
  EXPECT_TRUE(IsContainerKind(74));
  EXPECT_TRUE(IsContainerKind(150));
  EXPECT_FALSE(IsContainerKind(93));
  EXPECT_FALSE(IsContainerKind(74 + 256));
  EXPECT_TRUE(IsWithoutGlowKind(226));
  EXPECT_FALSE(IsWithoutGlowKind(53));
  EXPECT_TRUE(IsEditLikeKind(84));
  EXPECT_FALSE(IsEditLikeKind(85));
}

}  // namespace
