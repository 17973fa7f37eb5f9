// Forms without a provider of their own are skinned by the default manager's
// window-creation hook: the driver dialog gets an automatic provider when it is first
// activated and wears the skin's frame; the rules and the helper tag keep others
// plain; removing the skin gives the form its platform frame back.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BoxesTestSupport.h"
#include "FrameTestSupport.h"
#include "app/BuiltinSkin.h"
#include "app/uDriveFrm.h"
#include "frame/acAutoSkinRules.h"
#include "frame/acAutoSkinning.h"
#include "frame/acFrameGeometry.h"
#include "frame/acHideAnimation.h"
#include "frame/sSkinProvider.h"
#include "framework/vclMessageForm.h"
#include "paint/acDibBitmap.h"
#include "paint/acGdiHandles.h"
#include "skin/sCommandMessages.h"

using namespace boxestest;

namespace {

constexpr TacSkinningRules kAllRules = srStdForms | srStdDialogs | srThirdParty;

class AutoSkinning : public ::testing::Test {
 protected:
  void MakeManager(TacSkinningRules rules) {
    ASSERT_EQ(DefaultManager(), nullptr) << "a manager outlived its test";
    InstallDibBitmapAllocator();
    SetCursorPos(1270, 1010);
    holder_ = new TComponent(nullptr);
    manager_ = new TsSkinManager(holder_);
    manager_->SetSkinningRules(rules);
    manager_->InternalSkins.Add(BuiltinSkinName, BuiltinSkinData(), BuiltinSkinSize());
    manager_->SetSkinName(BuiltinSkinName);
    ASSERT_TRUE(manager_->SkinData.Active);
  }
  void MakeDialog(int tag = 0) {
    dialog_ = TForm::Create<TDriveFrm>(Application);
    dialog_->Tag = tag;
    dialog_->HandleNeeded();
    // Away from where other test programs on the same display look at the screen.
    SetWindowPos(dialog_->Handle(), nullptr, 720, 540, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  void ShowAndSettle() {
    dialog_->Show();
    SetForegroundWindow(dialog_->Handle());
    UpdateWindow(dialog_->Handle());
    PumpUntil([this] { return GetActiveWindow() == dialog_->Handle(); }, 500);
    Pump(80);
  }
  void Free() {
    delete dialog_;
    dialog_ = nullptr;
    delete holder_;
    holder_ = nullptr;
    manager_ = nullptr;
    PumpUntil([] { return HideTimer().Window() == nullptr; });
  }
  void TearDown() override {
    Free();
    EXPECT_EQ(DefaultManager(), nullptr);
    EXPECT_TRUE(AutoSkinProviders().empty());
  }
  int TitleDifferences(TsSkinProvider* provider, std::string* first) {
    return FrameRowsDifferences(*provider, dialog_->Handle(), CaptionAreaHeight(provider->Model()), first);
  }

  TComponent* holder_ = nullptr;
  TsSkinManager* manager_ = nullptr;
  TDriveFrm* dialog_ = nullptr;
};

TEST_F(AutoSkinning, TheDriverDialogGetsAnAutomaticProviderAndWearsTheSkinsFrame) {
  MakeManager(kAllRules);
  MakeDialog();
  EXPECT_EQ(ProviderOfForm(dialog_), nullptr) << "nothing before the dialog is activated";
  ShowAndSettle();
  TsSkinProvider* provider = ProviderOfForm(dialog_);
  ASSERT_NE(provider, nullptr);
  EXPECT_TRUE(provider->AutoCreated());
  EXPECT_FALSE(provider->StartDeferred()) << "started by its first frame paint";
  EXPECT_TRUE(provider->Skinned());
  EXPECT_FALSE(provider->MakeSkinMenu);
  EXPECT_EQ(AutoSkinProviders(), std::vector<TsSkinProvider*>{provider});
  EXPECT_EQ(SendSkinCommand(dialog_->Handle(), SMC_ISSKINNED), 1);
  EXPECT_FALSE(GetWindowLongW(dialog_->Handle(), GWL_STYLE) & WS_SYSMENU) << "the platform's caption stays away";
  EXPECT_GT(provider->Button(2).R.Width(), 0) << "a skinned close button";
  std::string first;
  EXPECT_EQ(TitleDifferences(provider, &first), 0) << first;

  // Activated again, it keeps the one provider.
  EXPECT_FALSE(SkinWindow(dialog_->Handle()));
  dialog_->SetVisible(false);
  ShowAndSettle();
  EXPECT_EQ(AutoSkinProviders(), std::vector<TsSkinProvider*>{provider});

  // Without a skin the automatic provider goes and the platform's frame comes back.
  manager_->SetActive(false);
  EXPECT_TRUE(AutoSkinProviders().empty());
  EXPECT_EQ(ProviderOfForm(dialog_), nullptr);
  EXPECT_TRUE(GetWindowLongW(dialog_->Handle(), GWL_STYLE) & WS_SYSMENU);

  // With the skin back, the next activation skins the dialog again.
  manager_->SetActive(true);
  dialog_->SetVisible(false);
  ShowAndSettle();
  provider = ProviderOfForm(dialog_);
  ASSERT_NE(provider, nullptr);
  EXPECT_TRUE(provider->Skinned());
  EXPECT_EQ(TitleDifferences(provider, &first), 0) << first;
}

TEST_F(AutoSkinning, RulesAndTheHelperTagDecideWhichFormsAreSkinned) {
  struct Case {
    const char* name;
    TacSkinningRules rules;
    int tag;
    bool skinned;
  };
  const Case cases[] = {
      {"all rules", kAllRules, 0, true},
      {"without the forms rule", srStdDialogs | srThirdParty, 0, false},
      {"a helper window of the engine", kAllRules, kSkinEngineHelperTag, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MakeManager(c.rules);
    MakeDialog(c.tag);
    ShowAndSettle();
    EXPECT_EQ(ProviderOfForm(dialog_) != nullptr, c.skinned);
    EXPECT_EQ(AutoSkinProviders().size(), c.skinned ? 1u : 0u);
    EXPECT_EQ((GetWindowLongW(dialog_->Handle(), GWL_STYLE) & WS_SYSMENU) == 0, c.skinned);
    Free();
  }
}

// The framework's message box is skinned under the rule for standard dialogs, not
// the one for forms.
TEST_F(AutoSkinning, MessageFormsFollowTheDialogRule) {
  struct Case {
    const char* name;
    TacSkinningRules rules;
    bool skinned;
  };
  const Case cases[] = {
      {"all rules", kAllRules, true},
      {"dialogs only", srStdDialogs, true},
      {"forms without dialogs", srStdForms | srThirdParty, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MakeManager(c.rules);
    TMessageForm* box = new TMessageForm(Application, "命令错误!", "错误", mtError);
    box->FinishCreate();
    box->Show();
    UpdateWindow(box->Handle());
    PumpUntil([box] { return GetActiveWindow() == box->Handle(); }, 500);
    Pump(60);
    const TsSkinProvider* provider = ProviderOfForm(box);
    EXPECT_EQ(provider != nullptr, c.skinned);
    if (provider) {
      EXPECT_TRUE(provider->AutoCreated());
      EXPECT_TRUE(provider->Skinned());
      EXPECT_FALSE(provider->MakeSkinMenu);
    }
    delete box;
    Free();
  }
}

// A form the program frees takes its automatic provider with it.
TEST_F(AutoSkinning, FreeingTheFormFreesItsProviderAndItsSlot) {
  MakeManager(kAllRules);
  MakeDialog();
  ShowAndSettle();
  ASSERT_EQ(AutoSkinProviders().size(), 1u);
  delete dialog_;
  dialog_ = nullptr;
  EXPECT_TRUE(AutoSkinProviders().empty());
}

TEST_F(AutoSkinning, ShowAndHideCyclesOfTheDriverDialogLeaveNoObjectsBehind) {
  MakeManager(kAllRules);
  MakeDialog();
  ShowAndSettle();
  dialog_->SetVisible(false);
  ASSERT_TRUE(PumpUntil([] { return HideTimer().Window() == nullptr; }));
  const long gdi = GdiLiveCountAll();
  const int windows = ThreadWindowCount();
  for (int i = 0; i < 200; ++i) {
    dialog_->Show();
    UpdateWindow(dialog_->Handle());
    Pump(5);
    dialog_->SetVisible(false);
  }
  ASSERT_TRUE(PumpUntil([] { return HideTimer().Window() == nullptr; }));
  Pump(50);
  EXPECT_EQ(AutoSkinProviders().size(), 1u);
  EXPECT_EQ(GdiLiveCountAll(), gdi);
  EXPECT_EQ(ThreadWindowCount(), windows);
}

}  // namespace
