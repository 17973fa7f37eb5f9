// Skinned radio button, section "RADIOBUTTON" by default.
#pragma once

#include "controls/sSkinnedControl.h"
#include "framework/vclStdCtrls.h"

class TsRadioButton : public TRadioButton, public TsSkinSectionName {
 public:
  explicit TsRadioButton(TComponent* owner) : TRadioButton(owner) { SetSkinSection("RADIOBUTTON"); }
};
