// Which windows the window-creation hook skins: framework forms by their class and
// tag under the two form rules, platform dialogs under the dialog rule with the
// one-at-a-time exception for dialogs that hold a tool bar.
#include "frame/acAutoSkinRules.h"

#include <gtest/gtest.h>

namespace {

TacAutoSkinWindow Form(const char* cls, int tag = 0) {
  TacAutoSkinWindow w;
  w.HasForm = true;
  w.FormClass = cls;
  w.FormTag = tag;
  w.WindowClass = "VqWindow";
  return w;
}

TacAutoSkinWindow Dialog(bool hasParent = false, bool othersVisible = false, bool toolBar = false) {
  TacAutoSkinWindow w;
  w.WindowClass = "#32770";
  w.HasParent = hasParent;
  w.SkinnedDialogsVisible = othersVisible;
  w.ContainsToolBar = toolBar;
  return w;
}

struct Case {
  const char* name;
  TacAutoSkinWindow window;
  TacSkinningRules rules;
  TacAutoSkin expected;
};

constexpr TacSkinningRules kAll = srStdForms | srStdDialogs | srThirdParty;

TacAutoSkinWindow Skinned(TacAutoSkinWindow w) {
  w.AlreadySkinned = true;
  return w;
}
TacAutoSkinWindow Loading(TacAutoSkinWindow w) {
  w.FormLoading = true;
  return w;
}
TacAutoSkinWindow WindowClass(TacAutoSkinWindow w, const char* cls) {
  w.WindowClass = cls;
  return w;
}

TEST(AutoSkinRules, DecidesByFormClassTagRulesAndDialogState) {
  const Case cases[] = {
      {"a dialog form", Form("TDriveFrm"), kAll, TacAutoSkin::FormProvider},
      {"forms rule off", Form("TDriveFrm"), srStdDialogs | srThirdParty, TacAutoSkin::Leave},
      {"message form needs the dialog rule", Form("TMessageForm"), srStdDialogs, TacAutoSkin::FormProvider},
      {"message form without it", Form("TMessageForm"), srStdForms | srThirdParty, TacAutoSkin::Leave},
      {"a helper window of the engine", Form("TForm", kSkinEngineHelperTag), kAll, TacAutoSkin::Leave},
      {"tag 98 is not the helper mark", Form("TForm", 98), kAll, TacAutoSkin::FormProvider},
      {"the application window", Form("TApplication"), kAll, TacAutoSkin::Leave},
      {"a report preview", Form("TQRStandardPreview"), kAll, TacAutoSkin::Leave},
      {"a framework popup", Form("TfcPopup"), kAll, TacAutoSkin::Leave},
      {"already skinned form", Skinned(Form("TDriveFrm")), kAll, TacAutoSkin::Leave},
      {"platform dialog", Dialog(), kAll, TacAutoSkin::DialogFrame},
      {"dialog rule off", Dialog(), srStdForms | srThirdParty, TacAutoSkin::Leave},
      {"a dialog page inside another", Dialog(true), kAll, TacAutoSkin::Leave},
      {"second dialog while one shows", Dialog(false, true), kAll, TacAutoSkin::Leave},
      {"second dialog with a tool bar", Dialog(false, true, true), kAll, TacAutoSkin::DialogFrame},
      {"a tool bar alone changes nothing", Dialog(false, false, true), kAll, TacAutoSkin::DialogFrame},
      {"already skinned dialog", Skinned(Dialog()), kAll, TacAutoSkin::Leave},
      // A form still reading its description counts as no form: only its window class decides.
      {"loading form of a plain window", Loading(Form("TDriveFrm")), kAll, TacAutoSkin::Leave},
      {"loading form over a dialog window", WindowClass(Loading(Form("TDriveFrm")), "#32770"), kAll,
       TacAutoSkin::DialogFrame},
      {"other window without a form", WindowClass(Dialog(), "Edit"), kAll, TacAutoSkin::Leave},
      {"class names are exact", WindowClass(Dialog(), "#327700"), kAll, TacAutoSkin::Leave},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(DecideAutoSkin(c.window, c.rules), c.expected);
  }
}

}  // namespace
