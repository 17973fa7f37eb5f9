// The provider's adapter of standard children: a framework "TButton" on a skinned
// form is taken in with section "BUTTON" while the program's own skinned buttons are
// left alone; OnSkinItem may veto or rename; the rule and the helper tag keep
// controls out; framework labels take the skin's font colour.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "BoxesTestSupport.h"
#include "app/BuiltinSkin.h"
#include "controls/sBitBtn.h"
#include "controls/sButton.h"
#include "controls/sLabel.h"
#include "frame/acAutoSkinRules.h"
#include "frame/acCtrlAdapter.h"
#include "frame/sSkinProvider.h"
#include "framework/vclStdCtrls.h"
#include "paint/acDibBitmap.h"
#include "skin/sCommandMessages.h"

using namespace boxestest;

namespace {

constexpr TacSkinningRules kAllRules = srStdForms | srStdDialogs | srThirdParty;

class CtrlAdapter : public ::testing::Test {
 protected:
  void Make(TacSkinningRules rules, const std::function<void(TsSkinProvider&)>& before = nullptr) {
    ASSERT_EQ(DefaultManager(), nullptr) << "a manager outlived its test";
    InstallDibBitmapAllocator();
    SetCursorPos(1270, 1010);
    form_ = TForm::Create<TForm>(Application);
    form_->SetClientSize(400, 220);
    SetWindowPos(form_->Handle(), nullptr, 700, 560, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    plain_ = Put<TButton>(10, 10, "普通按钮");
    vetoed_ = Put<TButton>(10, 40, "否决");
    helper_ = Put<TButton>(10, 70, "助手");
    helper_->Tag = kSkinEngineHelperTag;
    skinned_ = Put<TsButton>(120, 10, "皮肤按钮");
    bitBtn_ = Put<TsBitBtn>(120, 40, "皮肤位图按钮");
    label_ = new TLabel(form_);
    label_->SetCaption("普通标签");
    label_->SetBounds(220, 10, 100, 16);
    label_->Font().SetColor(0x123456);
    label_->SetParent(form_);
    skinnedLabel_ = new TsLabel(form_);
    skinnedLabel_->SetCaption("皮肤标签");
    skinnedLabel_->SetBounds(220, 40, 100, 16);
    skinnedLabel_->SetParent(form_);
    provider_ = new TsSkinProvider(form_);
    if (before) before(*provider_);
    manager_ = new TsSkinManager(form_);
    manager_->SetSkinningRules(rules);
    manager_->InternalSkins.Add(BuiltinSkinName, BuiltinSkinData(), BuiltinSkinSize());
    manager_->SetSkinName(BuiltinSkinName);
    ASSERT_TRUE(manager_->SkinData.Active);
    form_->Show();
    Pump(60);
  }
  template <class T>
  T* Put(int left, int top, const char* caption) {
    T* c = new T(form_);
    c->SetCaption(caption);
    c->SetBounds(left, top, 100, 25);
    c->SetParent(form_);
    return c;
  }
  void TearDown() override {
    delete form_;
    EXPECT_EQ(DefaultManager(), nullptr);
  }

  TForm* form_ = nullptr;
  TsSkinProvider* provider_ = nullptr;
  TsSkinManager* manager_ = nullptr;
  TButton *plain_ = nullptr, *vetoed_ = nullptr, *helper_ = nullptr;
  TsButton* skinned_ = nullptr;
  TsBitBtn* bitBtn_ = nullptr;
  TLabel* label_ = nullptr;
  TsLabel* skinnedLabel_ = nullptr;
};

TEST_F(CtrlAdapter, TakesInStandardButtonsAndLeavesTheProgramsOwnAlone) {
  Make(kAllRules);
  ASSERT_TRUE(provider_->Skinned());
  const TacCtrlAdapter* adapter = provider_->CtrlAdapter();
  ASSERT_NE(adapter, nullptr);
  struct Case {
    const char* name;
    const TControl* control;
    bool taken;
  };
  const Case cases[] = {
      {"framework button", plain_, true},
      {"second framework button", vetoed_, true},
      {"helper tag", helper_, false},
      {"skinned button", skinned_, false},
      {"skinned bit button", bitBtn_, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TacAdapterItem* item = adapter->ItemOf(c.control);
    EXPECT_EQ(item != nullptr, c.taken);
    if (item) {
      EXPECT_EQ(item->Kind, tpButton);
      EXPECT_EQ(item->Section, "BUTTON");
    }
  }
  EXPECT_EQ(adapter->Items().size(), 2u);
  // The framework label shows the skin's font colour; the skinned one chooses its own.
  EXPECT_EQ(label_->Font().Color(), manager_->GetGlobalFontColor());
  EXPECT_NE(manager_->GetGlobalFontColor(), 0xFF00FFu);

  // A rescan finds the same; removing the skin frees the adapter.
  SendSkinCommand(form_->Handle(), SMC_ADAPTCHILD, manager_->CommandParam());
  EXPECT_EQ(provider_->CtrlAdapter()->Items().size(), 2u);
  manager_->SetActive(false);
  EXPECT_EQ(provider_->CtrlAdapter(), nullptr);
}

TEST_F(CtrlAdapter, OnSkinItemVetoesOrRenamesAndTheRuleSwitchesItOff) {
  Make(kAllRules, [this](TsSkinProvider& p) {
    p.OnSkinItem = [this](TControl* c, bool& allow, std::string& section) {
      if (c == vetoed_) allow = false;
      if (c == plain_) section = "SPEEDBUTTON";
      if (c == label_) allow = false;
    };
  });
  const TacCtrlAdapter* adapter = provider_->CtrlAdapter();
  ASSERT_NE(adapter, nullptr);
  ASSERT_NE(adapter->ItemOf(plain_), nullptr);
  EXPECT_EQ(adapter->ItemOf(plain_)->Section, "SPEEDBUTTON");
  EXPECT_EQ(adapter->ItemOf(vetoed_), nullptr);
  EXPECT_EQ(label_->Font().Color(), 0x123456u) << "a vetoed label keeps its colour";
  delete form_;
  form_ = nullptr;

  Make(srStdForms | srStdDialogs);
  EXPECT_EQ(provider_->CtrlAdapter(), nullptr);
  EXPECT_EQ(label_->Font().Color(), 0x123456u);
}

}  // namespace
