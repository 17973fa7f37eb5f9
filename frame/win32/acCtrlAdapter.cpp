#include "frame/acCtrlAdapter.h"

#include <algorithm>

#include "controls/sLabel.h"
#include "frame/acAutoSkinRules.h"
#include "frame/sSkinProvider.h"
#include "framework/vclForm.h"
#include "framework/vclStdCtrls.h"
#include "skin/sCommandMessages.h"
#include "skin/sSkinManager.h"

std::string AdapterSectionOfKind(TacThirdPartyKind kind) {
  switch (kind) {
    case tpEdit:
    case tpWWEdit:
    case tpListView:
    case tpTreeView:
    case tpGrid:
    case tpGridEh:
    case tpVirtualTree:
      return "EDIT";
    case tpButton:
    case tpBitBtn:
      return "BUTTON";
    case tpSpeedButton:
      return "SPEEDBUTTON";
    case tpCheckBox:
      return "CHECKBOX";
    case tpComboBox:
      return "COMBOBOX";
    case tpGroupBox:
      return "GROUPBOX";
    case tpPanel:
      return "PANEL";
    case tpPageControl:
    case tpTabControl:
      return "PAGECONTROL";
    case tpToolBar:
      return "TOOLBAR";
    case tpStatusBar:
      return "STATUSBAR";
  }
  return std::string();
}

void TacCtrlAdapter::AddAllItems(TWinControl* control) {
  TsSkinManager* mgr = provider_->Manager();
  if (scanning_ || !mgr || !(mgr->SkinningRules() & srThirdParty)) return;
  scanning_ = true;
  items_.clear();
  labels_.clear();
  TWinControl* root = control ? control : provider_->Form();
  ScanOwned(root);
  ScanChildren(root);
  scanning_ = false;
}

bool TacCtrlAdapter::AddNewItem(TWinControl* control, const std::string& section, TacThirdPartyKind kind) {
  if (!control || control->Tag == kSkinEngineHelperTag || !control->Parent() || !control->HandleAllocated())
    return false;
  if (SendSkinCommand(control->Handle(), SMC_ISSKINNED) == 1) return false;
  bool allow = true;
  std::string chosen = section;
  if (provider_->OnSkinItem) provider_->OnSkinItem(control, allow, chosen);
  if (!allow) return false;
  if (chosen.empty()) chosen = AdapterSectionOfKind(kind);
  for (TacAdapterItem& item : items_)
    if (item.Control == control) {
      item.Kind = kind;
      item.Section = chosen;
      return true;
    }
  items_.push_back({control, kind, chosen});
  return true;
}

const TacAdapterItem* TacCtrlAdapter::ItemOf(const TControl* control) const {
  for (const TacAdapterItem& item : items_)
    if (item.Control == control) return &item;
  return nullptr;
}

void TacCtrlAdapter::ScanOwned(TComponent* owner) {
  for (int i = 0; i < owner->ComponentCount(); ++i) {
    TComponent* c = owner->Components(i);
    if (auto* label = dynamic_cast<TLabel*>(c)) {
      if (label->Tag != 98) TakeLabel(label);
    } else if (auto* w = dynamic_cast<TWinControl*>(c)) {
      TakeWindowed(w);
    }
  }
}

void TacCtrlAdapter::ScanChildren(TWinControl* parent) {
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* c = parent->Controls(i);
    if (!c->IsWindowed()) {
      if (std::string(c->ClassName()) == "TLabel") TakeLabel(c);
      continue;
    }
    auto* w = static_cast<TWinControl*>(c);
    TakeWindowed(w);
    if (w->HandleAllocated() && w->Parent()) ScanChildren(w);
  }
}

// A framework label shows its text in the skin's font colour; skinned labels choose
// their own.
void TacCtrlAdapter::TakeLabel(TControl* label) {
  if (dynamic_cast<TsCustomLabel*>(label) ||
      std::find(labels_.begin(), labels_.end(), label) != labels_.end())
    return;
  labels_.push_back(label);
  bool allow = true;
  std::string section;
  if (provider_->OnSkinItem) provider_->OnSkinItem(label, allow, section);
  TsSkinManager* mgr = provider_->Manager();
  if (!allow || !mgr || !mgr->IsSkinLoaded()) return;
  const uint32_t color = mgr->GetGlobalFontColor();
  if (color != 0xFF00FF) static_cast<TLabel*>(label)->Font().SetColor(color);
}

void TacCtrlAdapter::TakeWindowed(TWinControl* control) {
  if (control->Tag == kSkinEngineHelperTag || !control->HandleAllocated() || ItemOf(control)) return;
  TsSkinManager* mgr = provider_->Manager();
  const int kind = mgr->ThirdParty.KindOfClass(control->ClassName());
  if (kind < 0) return;
  AddNewItem(control, std::string(), static_cast<TacThirdPartyKind>(kind));
}
