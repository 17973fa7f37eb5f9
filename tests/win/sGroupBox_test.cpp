// The skinned group box in real windows on the built-in skin: where its caption
// goes, its border under a caption moved up, hover on a container, its cache on
// the screen with the labels it paints, and a picture of the driver dialog's box.
#include "BoxesTestSupport.h"

#include <vector>

#include "app/uDriveFrm.h"
#include "controls/sGroupBox.h"
#include "controls/sLabel.h"
#include "controls/sRadioButton.h"
#include "framework/vclText.h"
#include "paint/acColors.h"
#include "paint/acGdiHandles.h"
#include "paint/sItemPaint.h"

namespace {

using namespace boxestest;

struct CaptionCase {
  const char* name;
  int width, textWidth, yOffset;
  TsCaptionLayout layout;
  bool skinned, rightToLeft;
  RECT expected;
};

TEST(GroupBoxCaption, RectanglesByLayoutOffsetAndWidth) {
  const int row = 16;
  const CaptionCase cases[] = {
      {"left", 417, 50, 0, clTopLeft, true, false, {6, 0, 64, 16}},
      {"centre", 417, 50, 0, clTopCenter, true, false, {178, 0, 236, 16}},
      {"right", 417, 50, 0, clTopRight, true, false, {353, 0, 411, 16}},
      // Right-to-left reading swaps the two sides, not the centre.
      {"left, right to left", 417, 50, 0, clTopLeft, true, true, {353, 0, 411, 16}},
      {"right, right to left", 417, 50, 0, clTopRight, true, true, {6, 0, 64, 16}},
      // Wider than the box: cut at its right edge; a negative left becomes 0.
      {"wide left", 417, 500, 0, clTopLeft, true, false, {6, 0, 417, 16}},
      {"wide centre", 417, 500, 0, clTopCenter, true, false, {0, 0, 417, 16}},
      {"wide right", 417, 500, 0, clTopRight, true, false, {0, 0, 417, 16}},
      // The offset lengthens the row; a negative one moves the caption up too.
      {"offset down", 417, 50, 4, clTopLeft, true, false, {6, 0, 64, 20}},
      {"offset up", 417, 50, -5, clTopLeft, true, false, {6, -5, 64, 11}},
      {"offset unskinned", 417, 50, -5, clTopLeft, false, false, {6, 0, 64, 16}},
  };
  for (const CaptionCase& c : cases) {
    const RECT r = GroupBoxCaptionRect(c.width, c.textWidth, row, c.yOffset, c.layout, c.skinned, c.rightToLeft);
    EXPECT_EQ(r.left, c.expected.left) << c.name;
    EXPECT_EQ(r.top, c.expected.top) << c.name;
    EXPECT_EQ(r.right, c.expected.right) << c.name;
    EXPECT_EQ(r.bottom, c.expected.bottom) << c.name;
  }
}

class GroupBox : public SkinnedForm {};

TEST_F(GroupBox, RealCaptionRowAndCutCaption) {
  auto* box = Put<TsGroupBox>(form_, 8, 8, 417, 120, "软件信息");
  ShowAndSettle();
  ASSERT_TRUE(box->SkinData()->IsSkinned());
  const int w = std::max<int>(4, TextExtentInFont(box->Font(), "W").cy) + 2;
  EXPECT_EQ(box->CaptionRowHeight(), w);
  const RECT r = box->CaptionRect();
  EXPECT_EQ(r.left, 6);
  EXPECT_EQ(r.bottom, w);
  EXPECT_GT(r.right, r.left + 8);

  box->SetCaption(std::string(200, 'W'));
  EXPECT_EQ(box->CaptionRect().right, 417);
  box->SetCaptionLayout(clTopRight);
  EXPECT_EQ(box->CaptionRect().left, 0);
  EXPECT_EQ(box->CaptionRect().right, 417);
}

// With the caption moved up by 5 the border starts at the very top; without an
// offset the top rows right of the caption show the form's green.
TEST_F(GroupBox, NegativeCaptionOffsetDrawsTheBorderFromTheTop) {
  auto* plain = Put<TsGroupBox>(form_, 8, 8, 200, 80, "Box");
  auto* raised = Put<TsGroupBox>(form_, 8, 100, 200, 80, "Box");
  raised->SetCaptionYOffset(-5);
  ShowAndSettle();
  EXPECT_EQ(raised->CaptionRect().top, -5);
  EXPECT_EQ(raised->CaptionRect().bottom, raised->CaptionRowHeight() - 5);
  const TacBitmap* a = plain->SkinData()->CacheBitmap();
  const TacBitmap* b = raised->SkinData()->CacheBitmap();
  ASSERT_TRUE(a && b);
  ASSERT_EQ(a->Width(), 200);
  const int x = 150;  // right of the caption
  EXPECT_EQ(Rgb(*a, x, 0), 0x00FF00u);
  EXPECT_NE(Rgb(*b, x, 0), 0x00FF00u);
  // The client area's top moves by the offset too.
  EXPECT_EQ(raised->AdjustedClientRect().top, plain->AdjustedClientRect().top - 5);
}

// A resized box shows its new border whole, not the old one beside a new strip.
TEST_F(GroupBox, ResizedBoxIsPaintedWhole) {
  auto* box = Put<TsGroupBox>(form_, 8, 8, 200, 80, "Box");
  ShowAndSettle();
  for (const SIZE size : {SIZE{260, 110}, SIZE{150, 60}}) {
    box->SetBounds(box->Left(), box->Top(), size.cx, size.cy);
    UpdateWindow(form_->Handle());
    const TacBitmapPtr shown = Screen(box);
    const TacBitmap* cache = box->SkinData()->CacheBitmap();
    ASSERT_EQ(cache->Width(), size.cx);
    std::string first;
    EXPECT_EQ(Differences(*cache, 0, 0, *shown, RECT{0, 0, size.cx, size.cy}, {}, &first), 0) << size.cx << " " << first;
  }
}

TEST_F(GroupBox, HoverNeverMakesItMouseOver) {
  auto* box = Put<TsGroupBox>(form_, 8, 8, 300, 120, "Box");
  auto* radio = Put<TsRadioButton>(box, 20, 30, 120, 20, "one");
  ShowAndSettle();
  SendMessageW(box->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(150, 90));
  EXPECT_TRUE(box->MouseInControl());
  EXPECT_FALSE(box->SkinData()->MouseOver);
  EXPECT_FALSE(box->SkinData()->ControlIsActive());
  SendMessageW(radio->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_TRUE(radio->SkinData()->MouseOver);  // a button inside is hovered
  ASSERT_TRUE(PumpUntil([] { return FadeTimerCount == 0; }));
}

// What is on the screen is the box's cache, except where its labels stand; the
// cache below the caption row is the section's item over the form's colour.
TEST_F(GroupBox, ScreenShowsTheCacheAndTheLabelsOverIt) {
  auto* box = Put<TsGroupBox>(form_, 16, 12, 417, 137, "软件信息");
  auto* title = Put<TsLabel>(box, 123, 35, 0, 0, "应用包名:");
  auto* value = Put<TsLabel>(box, 184, 35, 0, 0, "未知");
  ShowAndSettle();
  ASSERT_GT(title->Width(), 0);
  const TacBitmapPtr shown = Screen(box);
  const TacBitmap* cache = box->SkinData()->CacheBitmap();
  ASSERT_TRUE(cache);
  std::string first;
  const RECT whole{0, 0, box->Width(), box->Height()};
  EXPECT_EQ(Differences(*cache, 0, 0, *shown, whole, {title->BoundsRect(), value->BoundsRect()}, &first), 0) << first;
  // The labels' text is there, in the skin's global font colour (the box gives none of its own).
  EXPECT_GT(Differences(*cache, 0, 0, *shown, title->BoundsRect()), 0);
  EXPECT_EQ(title->Font().Color(), 2171169u);
  EXPECT_GT(CountColor(*shown, value->BoundsRect(), 2171169), 0);

  const RECT caption = box->CaptionRect();
  const int y = (caption.bottom - caption.top) / 2;
  TacBitmapPtr expected = NewDibBitmap(box->Width(), box->Height(), TacPixelFormat::pf24bit);
  PaintControlItem(*box->SkinData(), ParentImageFromColor(0x00FF00), true, true, expected.get(),
                   TacPoint{box->Left(), box->Top() + y}, TacRect{0, y, box->Width(), box->Height()}, 0);
  const RECT below{0, caption.bottom, box->Width(), box->Height()};
  EXPECT_EQ(Differences(*expected, 0, 0, *shown, below, {title->BoundsRect(), value->BoundsRect()}, &first), 0)
      << first;
  // The border does not run through the caption.
  EXPECT_NE(Rgb(*shown, 2, y), 0x00FF00u);
  EXPECT_EQ(Rgb(*shown, caption.left + 1, y), 0x00FF00u);
  WritePng(ShotDir() + "/groupbox-labels.png", *shown);
}

// The picture the labels are painted through is the box's own: repaints make no
// new bitmap or DC, a new size replaces it and still shows the labels, and the box
// frees it when it goes (the second box leaves the counts as the first left them:
// the form's own images, made when the first box asked for its background, stay).
TEST_F(GroupBox, LabelPictureIsKeptAcrossPaintsAndFreedWithTheBox) {
  auto counts = [] {
    return std::vector<long>{GdiLiveCount(TacGdiKind::Bitmap), GdiLiveCount(TacGdiKind::MemoryDC)};
  };
  ShowAndSettle();
  std::vector<long> afterFirst;
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round == 0 ? "first box" : "second box");
    auto* box = Put<TsGroupBox>(form_, 16, 12, 417, 137, "软件信息");
    auto* label = Put<TsLabel>(box, 123, 35, 0, 0, "应用包名:");
    UpdateWindow(form_->Handle());
    const std::vector<long> shown = counts();
    for (int i = 0; i < 20; ++i) RedrawWindow(box->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(counts(), shown) << "repaints";
    box->SetBounds(box->Left(), box->Top(), 300, 110);
    UpdateWindow(form_->Handle());
    EXPECT_EQ(counts(), shown) << "a new size";
    const TacBitmapPtr screen = Screen(box);
    const TacBitmap* cache = box->SkinData()->CacheBitmap();
    ASSERT_EQ(cache->Width(), 300);
    std::string first;
    EXPECT_EQ(Differences(*cache, 0, 0, *screen, RECT{0, 0, 300, 110}, {label->BoundsRect()}, &first), 0) << first;
    EXPECT_GT(CountColor(*screen, label->BoundsRect(), 2171169), 0) << "the label's text";
    delete label;
    delete box;
    UpdateWindow(form_->Handle());
    if (round == 0) {
      afterFirst = counts();
      EXPECT_LT(afterFirst, shown) << "the box's cache and picture are freed";
    } else {
      EXPECT_EQ(counts(), afterFirst) << "freed with the box";
    }
  }
}

// A caption GBK cannot hold (a package name in another script) is drawn as it is,
// not as the question marks of its GBK form.
TEST_F(GroupBox, CaptionOutsideTheCodePageKeepsItsCharacters) {
  const std::wstring thai = L"Box \u0E44\u0E17\u0E22";
  auto* wide = Put<TsGroupBox>(form_, 8, 8, 200, 60);
  wide->SetCaptionW(thai);
  auto* narrow = Put<TsGroupBox>(form_, 8, 80, 200, 60, WideToGbk(thai));
  ASSERT_NE(GbkToWide(narrow->Caption()), thai);
  ShowAndSettle();
  const RECT caption = wide->CaptionRect();
  EXPECT_GT(Differences(*wide->SkinData()->CacheBitmap(), 0, 0, *narrow->SkinData()->CacheBitmap(), caption), 0);
  // Both are in the section's font colour.
  const uint32_t color = manager_->Sections[static_cast<size_t>(wide->SkinData()->SectionIndex())].FontColor[0];
  EXPECT_GT(CountColor(*Screen(wide), caption, color), 0);
  EXPECT_GT(CountColor(*Screen(narrow), caption, color), 0);
}

TEST_F(GroupBox, CaptionSkinAnswersChildrenWithTheCache) {
  auto* box = Put<TsGroupBox>(form_, 8, 8, 300, 120, "Box");
  box->SetCaptionSkin("button");
  EXPECT_EQ(box->CaptionSkin(), "BUTTON");
  ShowAndSettle();
  TacBgRequest request;
  request.Offset = TacPoint{10, 40};
  box->Perform(SM_ALPHACMD, PackCommand(SMC_GETBGINFO), reinterpret_cast<LPARAM>(&request));
  EXPECT_EQ(request.Kind, bgkImage);
  EXPECT_EQ(request.Image, box->SkinData()->CacheBitmap());
  EXPECT_EQ(request.Offset.X, 0);
  EXPECT_EQ(request.Offset.Y, 0);
}

// The driver dialog as the user sees it: its group box with the three radio buttons.
TEST_F(GroupBox, DriverDialogPicture) {
  TDriveFrm* dialog = TForm::Create<TDriveFrm>(form_);
  dialog->Show();
  UpdateWindow(dialog->Handle());
  Pump(100);
  ASSERT_TRUE(PumpUntil([] { return FadeTimerCount == 0; }));
  ASSERT_TRUE(dialog->grp1->SkinData()->IsSkinned());
  ASSERT_TRUE(dialog->rb1->SkinData()->IsSkinned());
  RedrawWindow(dialog->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  const TacBitmapPtr shown = Screen(dialog->grp1);
  // Each radio button shows its own cache where it stands.
  for (TsRadioButton* rb : {dialog->rb1, dialog->rb2, dialog->rb3}) {
    const TacBitmapPtr own = Screen(rb);
    const TacBitmap* cache = rb->SkinData()->CacheBitmap();
    ASSERT_TRUE(cache);
    std::string first;
    EXPECT_EQ(Differences(*cache, 0, 0, *own, RECT{0, 0, rb->Width(), rb->Height()}, {}, &first), 0) << first;
  }
  // Hot is a button under the mouse or with the focus, nothing else.
  POINT cursor;
  GetCursorPos(&cursor);
  for (TsRadioButton* rb : {dialog->rb1, dialog->rb2, dialog->rb3}) {
    RECT wr;
    GetWindowRect(rb->Handle(), &wr);
    EXPECT_EQ(rb->SkinData()->ControlIsActive(), rb->Focused() || (PtInRect(&wr, cursor) && rb->MouseInControl()))
        << rb->Caption();
  }
  WritePng(ShotDir() + "/driver-dialog-groupbox.png", *shown);
  TacBitmapPtr composed = NewDibBitmap(dialog->grp1->Width(), dialog->grp1->Height(), TacPixelFormat::pf24bit);
  {
    TacWindowDC screen(nullptr);
    RECT wr;
    GetWindowRect(dialog->grp1->Handle(), &wr);
    TacMemoryDC mem(screen.Get());
    TacSelectObject sel(mem.Get(), static_cast<HBITMAP>(composed->Handle()));
    BitBlt(mem.Get(), 0, 0, composed->Width(), composed->Height(), screen.Get(), wr.left, wr.top, SRCCOPY);
  }
  WritePng(ShotDir() + "/driver-dialog-screen.png", *composed);
  delete dialog;
}

}  // namespace
