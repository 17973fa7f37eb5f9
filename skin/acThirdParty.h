// The skin manager's ThirdParty lists: for each kind of standard control, the class
// names of controls that get that kind's skin handler (one name per line). The
// automatic skinning of child controls reads them by kind.
#pragma once

#include <string>
#include <string_view>
#include <vector>

enum TacThirdPartyKind : int {
  tpEdit = 0,
  tpButton = 1,
  tpBitBtn = 2,
  tpCheckBox = 3,
  tpComboBox = 4,
  tpGrid = 5,
  tpGroupBox = 6,
  tpListView = 7,
  tpPanel = 8,
  tpTreeView = 9,
  tpWWEdit = 10,
  tpGridEh = 11,
  tpVirtualTree = 12,
  tpPageControl = 13,
  tpTabControl = 14,
  tpToolBar = 15,
  tpStatusBar = 16,
  tpSpeedButton = 17,
};
constexpr int ThirdPartyKindCount = 18;

// "ThirdEdits", "ThirdButtons", ... by kind.
extern const char* const ThirdPartyPropertyNames[ThirdPartyKindCount];
// What an empty list becomes: "TButton" for buttons, one blank for the others.
const char* ThirdPartyDefault(TacThirdPartyKind kind);

class TacThirdPartyList {
 public:
  // Every list starts with its default.
  TacThirdPartyList();

  const std::string& Text(TacThirdPartyKind kind) const { return texts_[kind]; }
  // Stores the text; the split names follow at the next Update.
  void SetText(TacThirdPartyKind kind, const std::string& text) { texts_[kind] = text; }
  // By property name ("ThirdButtons"); false when there is no such list.
  bool SetText(std::string_view propertyName, const std::string& text);

  // Brings the lists up to date: an empty text takes its default, and the split names
  // are rebuilt (lines trimmed of blanks, blank lines left out).
  void Update();
  const std::vector<std::string>& Names(TacThirdPartyKind kind) const { return names_[kind]; }
  // The kind whose names hold `className` (letter case ignored), or -1.
  int KindOfClass(std::string_view className) const;

 private:
  std::string texts_[ThirdPartyKindCount];
  std::vector<std::string> names_[ThirdPartyKindCount];
};
