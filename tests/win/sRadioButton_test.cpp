// The skinned radio button in a skinned group box, real windows and messages on
// the built-in skin: the group's check changes and their fades, read-only buttons,
// own glyph frames, the keyboard, its pixels on the screen, and GDI objects over
// many check changes.
#include "BoxesTestSupport.h"

#include "controls/sGroupBox.h"
#include "controls/sRadioButton.h"
#include "paint/acColors.h"
#include "paint/sItemPaint.h"
#include "paint/sStateGlyph.h"

namespace {

using namespace boxestest;

class RadioButton : public SkinnedForm {
 protected:
  void SetUp() override {
    SkinnedForm::SetUp();
    // First tab stop: takes the focus the form hands out when it is activated (again,
    // after another test program's window had it).
    holder_ = Put<TPanel>(form_, 440, 280, 20, 20);
    holder_->SetTabStop(true);
    box_ = Put<TsGroupBox>(form_, 16, 8, 273, 129, "选择您的手机品牌");
    const char* captions[3] = {"HTC", "三星", "摩托罗拉"};
    for (int i = 0; i < 3; ++i) {
      rb_[i] = Put<TsRadioButton>(box_, 32, 32 + 26 * i, 172, 20, captions[i]);
      TsRadioButton* rb = rb_[i];
      auto previous = rb->WindowProc;
      rb->WindowProc = [this, i, previous](TMessage& m) {
        if (m.Msg == SM_ALPHACMD && CommandCode(m.WParam) == SMC_FREEREGION) ++steps_[i];
        previous(m);
      };
    }
    rb_[0]->SetChecked(true);
  }
  void ResetSteps() { steps_[0] = steps_[1] = steps_[2] = 0; }
  bool FadesDone() { return PumpUntil([] { return FadeTimerCount == 0; }); }
  int FadingIterations() const {
    return manager_->Sections[static_cast<size_t>(manager_->GetSkinIndex("RADIOBUTTON"))].FadingIterations;
  }
  void Click(TsRadioButton* rb) {
    SendMessageW(rb->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(rb->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  }
  void Key(TsRadioButton* rb, WPARAM key) {
    SendMessageW(rb->Handle(), WM_KEYDOWN, key, 1);
    SendMessageW(rb->Handle(), WM_KEYUP, key, 0xC0000001);
  }

  TPanel* holder_ = nullptr;
  TsGroupBox* box_ = nullptr;
  TsRadioButton* rb_[3] = {};
  int steps_[3] = {};
};

TEST_F(RadioButton, CheckingOneUnchecksItsSiblingAndBothFade) {
  ShowAndSettle();
  ASSERT_TRUE(rb_[0]->SkinData()->IsSkinned());
  ASSERT_TRUE(rb_[0]->SkinData()->CacheBitmap());
  // The press shows its own (started) fade; the count starts with the release that checks.
  SendMessageW(rb_[2]->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_TRUE(rb_[2]->MousePressed());
  EXPECT_FALSE(rb_[2]->Checked());
  ResetSteps();
  SendMessageW(rb_[2]->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_FALSE(rb_[0]->Checked());
  EXPECT_FALSE(rb_[1]->Checked());
  EXPECT_TRUE(rb_[2]->Checked());
  EXPECT_TRUE(rb_[0]->FadeTimer() != nullptr);
  EXPECT_TRUE(rb_[2]->FadeTimer() != nullptr);
  ASSERT_TRUE(FadesDone());
  // A check change fades in half the section's steps. (The clicked button has the
  // focus: a focus change, which paints a step at once or stops the fade, may add
  // to or cut its count.)
  const int expected = FadingIterations() / 2;
  ASSERT_GT(expected, 0);
  EXPECT_EQ(steps_[0], expected);
  EXPECT_EQ(steps_[1], 0);
  EXPECT_GE(steps_[2], 1);

  // Checking from the program fades the same way, none of them focused.
  holder_->SetFocus();
  ASSERT_TRUE(FadesDone());
  ResetSteps();
  rb_[1]->SetChecked(true);
  ASSERT_TRUE(FadesDone());
  EXPECT_TRUE(rb_[1]->Checked());
  EXPECT_FALSE(rb_[2]->Checked());
  EXPECT_EQ(steps_[1], expected);
  EXPECT_EQ(steps_[2], expected);
  EXPECT_EQ(steps_[0], 0);
}

TEST_F(RadioButton, ReadOnlyNeverChangesByMouseOrKeyboard) {
  ShowAndSettle();
  const std::vector<std::pair<const char*, std::function<void(TsRadioButton*)>>> inputs = {
      {"click", [this](TsRadioButton* rb) { Click(rb); }},
      {"double click",
       [](TsRadioButton* rb) {
         SendMessageW(rb->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
         SendMessageW(rb->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
       }},
      {"space",
       [this](TsRadioButton* rb) {
         rb->SetFocus();
         Key(rb, VK_SPACE);
       }},
      {"arrow from the checked one",
       [this](TsRadioButton*) {
         rb_[0]->SetFocus();
         Key(rb_[0], VK_DOWN);
       }},
  };
  // Skinned, and drawn the framework's way (a section the skin lacks).
  for (bool skinned : {true, false}) {
    rb_[1]->SkinData()->SetSkinSection(skinned ? "RADIOBUTTON" : "NOSUCHSECTION");
    ASSERT_EQ(rb_[1]->SkinData()->IsSkinned(), skinned);
    for (bool readOnly : {true, false}) {
      for (const auto& input : inputs) {
        const std::string what = std::string(input.first) + (readOnly ? " read-only" : "") + (skinned ? "" : " unskinned");
        rb_[0]->SetChecked(true);
        rb_[1]->SetReadOnly(readOnly);
        input.second(rb_[1]);
        EXPECT_EQ(rb_[1]->Checked(), !readOnly) << what;
        EXPECT_EQ(rb_[0]->Checked(), readOnly) << what;
        ASSERT_TRUE(FadesDone());
      }
    }
  }
  rb_[1]->SkinData()->SetSkinSection("RADIOBUTTON");
  // Read-only still shows hover.
  rb_[1]->SetReadOnly(true);
  rb_[0]->SetFocus();
  rb_[1]->Perform(CM_MOUSEENTER);
  EXPECT_TRUE(rb_[1]->SkinData()->MouseOver);
  ASSERT_TRUE(FadesDone());
}

TEST_F(RadioButton, ArrowsMoveThroughTheGroupAndSpaceChecksTheFocusedOne) {
  rb_[1]->SetEnabled(false);
  ShowAndSettle();
  rb_[0]->SetFocus();
  Key(rb_[0], VK_DOWN);  // past the disabled one
  EXPECT_TRUE(rb_[2]->Focused());
  EXPECT_TRUE(rb_[2]->Checked());
  EXPECT_FALSE(rb_[0]->Checked());
  Key(rb_[2], VK_UP);
  EXPECT_TRUE(rb_[0]->Focused());
  EXPECT_TRUE(rb_[0]->Checked());
  ASSERT_TRUE(FadesDone());
  // Focus alone does not check; space does.
  rb_[2]->SetFocus();
  EXPECT_FALSE(rb_[2]->Checked());
  Key(rb_[2], VK_SPACE);
  EXPECT_TRUE(rb_[2]->Checked());
  EXPECT_FALSE(rb_[0]->Checked());
  ASSERT_TRUE(FadesDone());
}

TEST_F(RadioButton, TabLeavesTheGroupFromItsCheckedButtonAndFocusShowsDots) {
  auto* after = Put<TButton>(form_, 300, 20, 80, 24, "next");
  ShowAndSettle();
  rb_[0]->SetFocus();
  // Through the message queue, where the application turns Tab into focus moves.
  PostMessageW(rb_[0]->Handle(), WM_KEYDOWN, VK_TAB, 1);
  Pump(30);
  EXPECT_TRUE(after->Focused());
  ASSERT_TRUE(FadesDone());

  rb_[1]->SetFocus();
  ASSERT_TRUE(FadesDone());
  rb_[1]->PaintCache();
  const TacBitmapPtr withDots = NewDibBitmap(rb_[1]->Width(), rb_[1]->Height(), TacPixelFormat::pf24bit);
  const TacBitmap* cache = rb_[1]->SkinData()->CacheBitmap();
  for (int y = 0; y < cache->Height(); ++y) std::copy_n(cache->Row(y), cache->Width() * 3, withDots->Row(y));
  rb_[1]->SetShowFocus(false);
  rb_[1]->PaintCache();
  const RECT cr = rb_[1]->CheckRect();
  const RECT text{cr.right, 0, rb_[1]->Width(), rb_[1]->Height()};
  EXPECT_GT(Differences(*withDots, 0, 0, *cache, text), 0);  // the dotted frame around the caption
  EXPECT_EQ(Differences(*withDots, 0, 0, *cache, RECT{0, 0, cr.right, rb_[1]->Height()}), 0);
  rb_[1]->SetShowFocus(true);
}

// A 32-bit glyph whose frames are plain colours, alpha 255.
TacBitmapPtr FrameGlyph(int frames, int size) {
  const uint32_t colors[3] = {0x0000FF, 0x00C000, 0xFF0000};
  TacBitmapPtr g = NewBitmap32(frames * size, size);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < frames * size; ++x) {
      uint8_t* p = g->Pixel(x, y);
      const uint32_t c = colors[x / size];
      p[0] = static_cast<uint8_t>(c >> 16), p[1] = static_cast<uint8_t>(c >> 8), p[2] = static_cast<uint8_t>(c);
      p[3] = 255;
    }
  return g;
}

// Equal but for the rounding of an opaque alpha blend (one step per channel).
bool Near(uint32_t a, uint32_t b) {
  for (int shift = 0; shift < 24; shift += 8)
    if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > 1) return false;
  return true;
}

TEST_F(RadioButton, OwnGlyphFramesAreNormalHotPressed) {
  struct Case {
    int width;
    uint32_t normal, hot, pressed;
  } cases[] = {{48, 0x0000FF, 0x00C000, 0xFF0000}, {32, 0x0000FF, 0x00C000, 0x00C000}};
  ShowAndSettle();
  TsRadioButton* rb = rb_[1];
  for (const Case& c : cases) {
    const TacBitmapPtr glyph = FrameGlyph(c.width / 16, 16);
    rb->SetGlyphChecked(glyph.get());
    rb->SetGlyphUnChecked(glyph.get());
    rb_[2]->SetFocus();
    rb->Perform(CM_MOUSELEAVE);
    ASSERT_TRUE(FadesDone());
    const RECT cr = rb->CheckRect();
    EXPECT_EQ(cr.right - cr.left, 16) << c.width;
    EXPECT_EQ(cr.bottom - cr.top, 16) << c.width;
    const int x = (cr.left + cr.right) / 2, y = (cr.top + cr.bottom) / 2;
    auto shown = [&] {
      rb->PaintCache();
      return Rgb(*rb->SkinData()->CacheBitmap(), x, y);
    };
    EXPECT_PRED2(Near, shown(), c.normal) << c.width;
    rb->Perform(CM_MOUSEENTER);
    EXPECT_PRED2(Near, shown(), c.hot) << c.width;
    SendMessageW(rb->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    EXPECT_PRED2(Near, shown(), c.pressed) << c.width;
    SendMessageW(rb->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(-50, -50));  // released outside: no check
    EXPECT_FALSE(rb->Checked());
    EXPECT_PRED2(Near, shown(), c.hot) << c.width;
    rb->SetReadOnly(true);
    EXPECT_PRED2(Near, shown(), c.normal) << c.width << " read-only";
    rb->SetReadOnly(false);
    ASSERT_TRUE(FadesDone());
  }
}

TEST_F(RadioButton, SkinGlyphAndAutomaticSize) {
  ShowAndSettle();
  TsRadioButton* rb = rb_[0];
  // "RADIOCHECKED" of the built-in skin: three frames over a mask, 15 x 15 each.
  const RECT cr = rb->CheckRect();
  EXPECT_EQ(cr.right - cr.left, 15);
  EXPECT_EQ(cr.bottom - cr.top, 15);
  EXPECT_EQ(cr.left, rb->Margin());
  const int before = rb->Width();
  const SIZE a = TextExtentInFont(rb->Font(), rb->Caption());
  rb->SetCaption(rb->Caption() + " (全序列包含谷歌手机)");
  const SIZE b = TextExtentInFont(rb->Font(), rb->Caption());
  EXPECT_EQ(rb->Width() - before, b.cx - a.cx);
  EXPECT_EQ(rb->Height(), std::max<int>(b.cy + 2 * rb->Margin(), 15) + 2);
  rb->SetAutoSize(false);
  rb->SetBounds(rb->Left(), rb->Top(), 200, 30);
  rb->SetCaption("x");
  EXPECT_EQ(rb->Width(), 200);
  ASSERT_TRUE(FadesDone());
}

// On the screen the button is its cache; the cache left of the caption is the
// section's item over the box's background with the skin's glyph on it.
TEST_F(RadioButton, ScreenShowsTheCacheAndItemPainting) {
  ShowAndSettle();
  for (TsRadioButton* rb : rb_) {
    const TacBitmapPtr shown = Screen(rb);
    const TacBitmap* cache = rb->SkinData()->CacheBitmap();
    ASSERT_TRUE(cache);
    const RECT whole{0, 0, rb->Width(), rb->Height()};
    std::string first;
    EXPECT_EQ(Differences(*cache, 0, 0, *shown, whole, {}, &first), 0) << rb->Caption() << " " << first;

    const int state = rb->SkinData()->ControlIsActive() ? 1 : 0;
    TacBitmapPtr expected = NewDibBitmap(rb->Width(), rb->Height(), TacPixelFormat::pf24bit);
    const TacBitmap* parent = box_->SkinData()->CacheBitmap();
    for (int y = 0; y < rb->Height(); ++y)
      for (int x = 0; x < rb->Width(); ++x)
        std::copy_n(parent->Pixel(rb->Left() + x, rb->Top() + y), 3, expected->Pixel(x, y));
    PaintControlItem(*rb->SkinData(), ParentImageFromBitmap(expected.get(), 0, 0), true, true, expected.get(),
                     TacPoint{0, 0}, TacRect{0, 0, rb->Width(), rb->Height()}, state);
    const int mask = manager_->GetMaskIndex(manager_->ConstData.IndexGlobalInfo, "GLOBALINFO",
                                            rb->Checked() ? "RADIOCHECKED" : "RADIOUNCHECKED");
    ASSERT_GE(mask, 0);
    const RECT cr = rb->CheckRect();
    DrawStateGlyph(expected.get(), TacPoint{cr.left, cr.top}, state, 1, manager_->Masks[static_cast<size_t>(mask)],
                   ParentImageFromBitmap(expected.get(), 0, 0));
    EXPECT_EQ(Differences(*expected, 0, 0, *shown, RECT{0, 0, cr.right, rb->Height()}, {}, &first), 0)
        << rb->Caption() << " " << first;
    // The checked glyph differs from the unchecked ones.
    if (rb != rb_[0]) {
      EXPECT_GT(Differences(*rb_[0]->SkinData()->CacheBitmap(), 0, 0, *cache, cr), 0);
    }
  }
}

TEST_F(RadioButton, ManyCheckChangesLeaveNoGdiObjects) {
  ShowAndSettle();
  auto counts = [] {
    std::vector<long> v;
    for (int k = 0; k < static_cast<int>(TacGdiKind::Count); ++k) v.push_back(GdiLiveCount(static_cast<TacGdiKind>(k)));
    v.push_back(GdiLiveCountAll());
    return v;
  };
  for (int i = 0; i < 4; ++i) rb_[i % 2]->SetChecked(true);
  ASSERT_TRUE(FadesDone());
  UpdateWindow(form_->Handle());
  const std::vector<long> before = counts();
  for (int i = 0; i < 1000; ++i) {
    rb_[(i + 1) % 2]->SetChecked(true);
    if (i % 25 == 0) Pump(12);
  }
  ASSERT_TRUE(FadesDone());
  UpdateWindow(form_->Handle());
  EXPECT_EQ(counts(), before);
  EXPECT_TRUE(rb_[1]->Checked() != rb_[0]->Checked());
}

}  // namespace
