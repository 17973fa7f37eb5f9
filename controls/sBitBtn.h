// Skinned push button with a glyph, section "BUTTON" by default.
#pragma once

#include "controls/sSkinnedControl.h"
#include "framework/vclStdCtrls.h"

class TsBitBtn : public TBitBtn, public TsSkinSectionName {
 public:
  explicit TsBitBtn(TComponent* owner) : TBitBtn(owner) { SetSkinSection("BUTTON"); }
};
