// Skinned labels painted by real containers on the built-in skin: where their
// font colour comes from, disabled text, a section painted behind a label, and
// the web label's colours, hover font and link.
#include "BoxesTestSupport.h"

#include "controls/sGroupBox.h"
#include "controls/sLabel.h"
#include "paint/acColors.h"
#include "paint/sItemPaint.h"

namespace {

using namespace boxestest;

constexpr uint32_t kGlobalFontColor = 2171169;
constexpr uint32_t kOwnFontColor = 0x3A6B1C;

class Label : public SkinnedForm {
 protected:
  std::vector<std::string> Sections() const override {
    return {"[CLEARBOX]",  "TRANSPARENCY=100", "[OUTERFONT]", "COLOR=15790320", "GIVEOWNFONT=TRUE",
            "FONTCOLOR=1193046", "[OUTERPLAIN]", "COLOR=15790320", "GIVEOWNFONT=FALSE", "FONTCOLOR=1193046"};
  }
};

// A label inside a fully transparent box takes its colour from the box's parent
// when that gives its own font, else the skin's global font colour; a label that
// does not follow the skin keeps its own.
TEST_F(Label, SkinColourComesThroughATransparentBox) {
  struct Case {
    const char* outerSection;
    bool useSkinColor;
    uint32_t expected;
  } cases[] = {
      {"OUTERFONT", true, 1193046},
      {"OUTERPLAIN", true, kGlobalFontColor},
      {"OUTERFONT", false, kOwnFontColor},
  };
  auto* outer = Put<TsGroupBox>(form_, 8, 8, 400, 200, "outer");
  auto* inner = Put<TsGroupBox>(outer, 20, 30, 300, 120, "inner");
  inner->SkinData()->SetSkinSection("CLEARBOX");
  auto* label = Put<TsLabel>(inner, 20, 40, 0, 0, "软件版本:");
  ShowAndSettle();
  ASSERT_TRUE(inner->SkinData()->IsSkinned());
  for (const Case& c : cases) {
    outer->SkinData()->SetSkinSection(c.outerSection);
    ASSERT_TRUE(outer->SkinData()->IsSkinned()) << c.outerSection;
    label->Font().SetColor(kOwnFontColor);
    label->SetUseSkinColor(c.useSkinColor);
    RedrawWindow(form_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    EXPECT_EQ(label->Font().Color(), c.expected) << c.outerSection << " " << c.useSkinColor;
    EXPECT_EQ(FontSourceIndex(label, -1, nullptr),
              std::string(c.outerSection) == "OUTERFONT" ? manager_->GetSkinIndex("OUTERFONT") : -1);
    const TacBitmapPtr shown = Screen(inner);
    EXPECT_GT(CountColor(*shown, label->BoundsRect(), c.expected), 0) << c.outerSection << " " << c.useSkinColor;
  }
}

TEST_F(Label, DisabledTextMixesTowardTheParentColour) {
  auto* panel = Put<TPanel>(form_, 8, 8, 200, 60);
  panel->SetColor(clWhite);
  auto* label = Put<TsLabel>(panel, 10, 10, 0, 0, "Disabled 不可用");
  label->SetUseSkinColor(false);
  label->Font().SetColor(clBlack);
  label->SetEnabled(false);
  ShowAndSettle();
  const TacBitmapPtr shown = Screen(panel);
  const RECT r = label->BoundsRect();
  EXPECT_GT(CountColor(*shown, r, 0x999999), 0);
  int darkest = 255;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) darkest = std::min<int>(darkest, Rgb(*shown, x, y) & 0xFF);
  EXPECT_EQ(darkest, 153);
  // Enabled again: black.
  label->SetEnabled(true);
  EXPECT_GT(CountColor(*Screen(panel), r, 0x000000), 0);
}

// Switching the skin off gives skin-coloured labels the window text colour back.
TEST_F(Label, RemovedSkinResetsOnlySkinColouredLabels) {
  auto* box = Put<TsGroupBox>(form_, 8, 8, 300, 120, "Box");
  auto* skinned = Put<TsLabel>(box, 20, 30, 0, 0, "skin");
  auto* own = Put<TsLabel>(box, 20, 60, 0, 0, "own");
  own->SetUseSkinColor(false);
  own->Font().SetColor(kOwnFontColor);
  ShowAndSettle();
  EXPECT_EQ(skinned->Font().Color(), kGlobalFontColor);
  manager_->SetActive(false);
  EXPECT_EQ(skinned->Font().Color(), clWindowText);
  EXPECT_EQ(own->Font().Color(), kOwnFontColor);
  UpdateWindow(form_->Handle());
  EXPECT_EQ(skinned->Font().Color(), clWindowText);  // no skin: nothing recolours it
}

// A label naming a section has that section's item behind it, over its container's image.
TEST_F(Label, SectionItemBehindTheLabel) {
  auto* box = Put<TsGroupBox>(form_, 8, 8, 300, 120, "Box");
  auto* label = Put<TsLabel>(box, 30, 40, 0, 0, "");
  label->SetAutoSize(false);
  label->SetBounds(30, 40, 90, 30);
  label->SetSkinSection("button");
  EXPECT_EQ(label->SkinSection(), "BUTTON");
  ShowAndSettle();
  const TacBitmapPtr shown = Screen(box);
  const int section = manager_->GetSkinIndex("BUTTON");
  ASSERT_GT(section, 0);
  TacBitmapPtr expected = NewDibBitmap(label->Width(), label->Height(), TacPixelFormat::pf24bit);
  PaintItem(section, "BUTTON", ParentImageFromBitmap(box->SkinData()->CacheBitmap(), 0, 0), -1, -1, manager_,
            expected.get(), TacPoint{label->Left(), label->Top()}, TacRect{0, 0, label->Width(), label->Height()}, 0,
            true);
  std::string first;
  EXPECT_EQ(Differences(*shown, label->Left(), label->Top(), *expected, RECT{0, 0, label->Width(), label->Height()}, {},
                        &first),
            0)
      << first;
  // Outside the label the box's cache shows.
  EXPECT_EQ(Differences(*box->SkinData()->CacheBitmap(), 0, 0, *shown, RECT{0, 0, box->Width(), box->Height()},
                        {label->BoundsRect()}, &first),
            0)
      << first;
  // The label takes the section's font colour.
  label->SetCaption("Text");
  UpdateWindow(box->Handle());
  EXPECT_EQ(label->Font().Color(), manager_->Sections[static_cast<size_t>(section)].FontColor[0]);
}

class WebLabel : public SkinnedForm {
 protected:
  void SetUp() override {
    SkinnedForm::SetUp();
    calls_.clear();
    previous_ = SetWebLabelShellExecute(&Record);
  }
  void TearDown() override {
    SetWebLabelShellExecute(previous_);
    SkinnedForm::TearDown();
  }
  struct Call {
    HWND owner;
    std::string verb, file;
    bool noParameters, noDirectory;
    int show;
  };
  static HINSTANCE WINAPI Record(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory, INT show) {
    calls_.push_back(Call{owner, verb ? verb : "", file ? file : "", parameters == nullptr, directory == nullptr, show});
    return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(2));  // "file not found": ignored
  }
  TsWebLabel* PutLink() {
    auto* link = Put<TsWebLabel>(form_, 16, 236, 0, 0, "铂蜓应用市场 MARKET.PTQAPK.EXAMPLE");
    link->Font().SetColor(0x123456);
    link->HoverFont().Assign(link->Font());
    link->HoverFont().SetHeight(-14);
    link->HoverFont().SetStyle(fsBold);
    return link;
  }
  static std::vector<Call> calls_;
  TsShellExecuteFn previous_ = nullptr;
};
std::vector<WebLabel::Call> WebLabel::calls_;

class WebLabelWithoutLinkColours : public WebLabel {
 protected:
  std::vector<std::string> Sections() const override { return {"[GLOBALINFO]", "TCTOP=-1", "TCBOTTOM=-1"}; }
};

void CheckLinkColours(TForm* form, TsWebLabel* link, uint32_t normal, uint32_t hovered) {
  UpdateWindow(form->Handle());
  EXPECT_EQ(link->Font().Color(), normal);
  EXPECT_GT(CountColor(*Screen(form), link->BoundsRect(), normal), 0);
  const int normalWidth = link->Width();
  link->Perform(CM_MOUSEENTER);
  EXPECT_TRUE(link->Hovered());
  UpdateWindow(form->Handle());
  EXPECT_EQ(link->Font().Color(), hovered);
  EXPECT_EQ(link->Font().Style(), static_cast<unsigned>(fsBold));
  EXPECT_GT(link->Width(), normalWidth);  // sized to the bigger hover font
  EXPECT_GT(CountColor(*Screen(form), link->BoundsRect(), hovered), 0);
  link->Perform(CM_MOUSELEAVE);
  UpdateWindow(form->Handle());
  EXPECT_EQ(link->Font().Color(), normal);
  EXPECT_EQ(link->Width(), normalWidth);
  // Without the skin's colours the fonts' own colours show.
  link->SetUseSkinColor(false);
  UpdateWindow(form->Handle());
  EXPECT_EQ(link->Font().Color(), 0x123456u);
  EXPECT_EQ(link->NormalFont().Color(), 0x123456u);
}

TEST_F(WebLabel, ShowsTheSkinsLinkColoursNormallyAndUnderTheMouse) {
  TsWebLabel* link = PutLink();
  ShowAndSettle();
  CheckLinkColours(form_, link, 8404992, 255);
}

TEST_F(WebLabelWithoutLinkColours, FallsBackToBlueAndRed) {
  TsWebLabel* link = PutLink();
  ShowAndSettle();
  CheckLinkColours(form_, link, 0xFF0000, 0x0000FF);
}

TEST_F(WebLabel, PressOpensANonEmptyUrlOnly) {
  TsWebLabel* link = PutLink();
  ShowAndSettle();
  const LPARAM at = MAKELPARAM(link->Left() + 3, link->Top() + 3);
  SendMessageW(form_->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(form_->Handle(), WM_LBUTTONUP, 0, at);
  EXPECT_TRUE(calls_.empty());

  link->URL = "http://market.ptqapk.example/";
  link->ShowMode = soShowNormal;
  SendMessageW(form_->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  ASSERT_EQ(calls_.size(), 1u);  // on the press, not the release
  SendMessageW(form_->Handle(), WM_LBUTTONUP, 0, at);
  ASSERT_EQ(calls_.size(), 1u);
  EXPECT_EQ(calls_[0].verb, "open");
  EXPECT_EQ(calls_[0].file, link->URL);
  EXPECT_TRUE(calls_[0].noParameters);
  EXPECT_TRUE(calls_[0].noDirectory);
  EXPECT_EQ(calls_[0].show, SW_SHOWNORMAL);
  TForm* main = Application->MainForm();
  EXPECT_EQ(calls_[0].owner, main && main->HandleAllocated() ? main->Handle() : nullptr);
}

}  // namespace
