// Skinned push button, section "BUTTON" by default.
#pragma once

#include "controls/sSkinnedControl.h"
#include "framework/vclStdCtrls.h"

class TsButton : public TButton, public TsSkinSectionName {
 public:
  explicit TsButton(TComponent* owner) : TButton(owner) { SetSkinSection("BUTTON"); }
};
