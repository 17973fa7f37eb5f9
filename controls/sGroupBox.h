// Skinned group box, section "GROUPBOX" by default.
#pragma once

#include "controls/sSkinnedControl.h"
#include "framework/vclStdCtrls.h"

class TsGroupBox : public TGroupBox, public TsSkinSectionName {
 public:
  explicit TsGroupBox(TComponent* owner) : TGroupBox(owner) { SetSkinSection("GROUPBOX"); }
};
