// Skinned labels: a plain label that may take its font colour from the skin, and a
// hyperlink label that changes its font under the mouse and opens its URL on a click.
#pragma once

#include <string>

#include "controls/sSkinnedControl.h"
#include "framework/vclStdCtrls.h"

class TsLabel : public TLabel, public TsSkinSectionName {
 public:
  explicit TsLabel(TComponent* owner) : TLabel(owner) {}
  // false: the label keeps its own font colour whatever the skin says.
  bool UseSkinColor = true;
};

class TsWebLabel : public TsLabel {
 public:
  explicit TsWebLabel(TComponent* owner);
  std::string URL;
  TFont& HoverFont() { return hoverFont_; }
  void Click() override;
  void WndProc(TMessage& message) override;

 private:
  TFont hoverFont_;
  TFont normalFont_;
  bool hovering_ = false;
};
