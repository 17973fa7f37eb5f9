#include "frame/acAutoSkinRules.h"

namespace {

// Forms that are the framework's own machinery, never dialogs a user reads.
bool IsExcludedFormClass(const std::string& c) {
  return c == "TApplication" || c == "TQRStandardPreview" || c == "TfcPopup";
}

}  // namespace

TacAutoSkin DecideAutoSkin(const TacAutoSkinWindow& w, TacSkinningRules rules) {
  if (w.AlreadySkinned) return TacAutoSkin::Leave;
  if (!w.HasForm || w.FormLoading) {
    if (w.WindowClass != "#32770" || w.HasParent || !(rules & srStdDialogs)) return TacAutoSkin::Leave;
    // One skinned dialog at a time, unless the new one is a browser with a tool bar.
    if (w.SkinnedDialogsVisible && !w.ContainsToolBar) return TacAutoSkin::Leave;
    return TacAutoSkin::DialogFrame;
  }
  if (w.FormTag == kSkinEngineHelperTag || IsExcludedFormClass(w.FormClass)) return TacAutoSkin::Leave;
  const TacSkinningRule needed = w.FormClass == "TMessageForm" ? srStdDialogs : srStdForms;
  return (rules & needed) ? TacAutoSkin::FormProvider : TacAutoSkin::Leave;
}
