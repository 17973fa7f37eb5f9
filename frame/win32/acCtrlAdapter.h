// The provider's adapter of a skinned form's standard children: a windowed control
// whose class is in one of the manager's ThirdParty lists is taken in with the
// section of its kind ("TButton" in ThirdButtons: "BUTTON"), the program's own
// skinned controls are left alone, and framework labels take the skin's font colour.
// The window adapters that would paint such a control belong to the standard window
// adapters; without one for its kind a taken-in control keeps its own painting.
#pragma once

#include <string>
#include <vector>

#include "skin/acThirdParty.h"

class TComponent;
class TControl;
class TWinControl;
class TsSkinProvider;

struct TacAdapterItem {
  TWinControl* Control;
  TacThirdPartyKind Kind;
  std::string Section;
};

// The section a control of this ThirdParty kind is skinned with by default.
std::string AdapterSectionOfKind(TacThirdPartyKind kind);

class TacCtrlAdapter {
 public:
  explicit TacCtrlAdapter(TsSkinProvider* provider) : provider_(provider) {}

  // Scans the components owned by `control` (the provider's form when null) and its
  // child controls, depth first. The items are those of this scan: a control freed
  // since the last one is not kept.
  void AddAllItems(TWinControl* control = nullptr);
  // Takes one control in with `section` (empty: its kind's); false when it is left
  // alone (helper tag, no window, no parent, skinned already, vetoed).
  bool AddNewItem(TWinControl* control, const std::string& section, TacThirdPartyKind kind);

  const std::vector<TacAdapterItem>& Items() const { return items_; }
  const TacAdapterItem* ItemOf(const TControl* control) const;

 private:
  void ScanOwned(TComponent* owner);
  void ScanChildren(TWinControl* parent);
  void TakeLabel(TControl* label);
  void TakeWindowed(TWinControl* control);

  TsSkinProvider* provider_;
  std::vector<TacAdapterItem> items_;
  std::vector<const TControl*> labels_;
  bool scanning_ = false;
};
