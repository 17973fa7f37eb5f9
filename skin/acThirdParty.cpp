#include "skin/acThirdParty.h"

#include "skin/acAnsiText.h"
#include "skin/sSkinOptions.h"

const char* const ThirdPartyPropertyNames[ThirdPartyKindCount] = {
    "ThirdEdits",       "ThirdButtons",     "ThirdBitBtns", "ThirdCheckBoxes", "ThirdComboBoxes", "ThirdGrids",
    "ThirdGroupBoxes",  "ThirdListViews",   "ThirdPanels",  "ThirdTreeViews",  "ThirdWWEdits",    "ThirdGridEh",
    "ThirdVirtualTrees", "ThirdPageControl", "ThirdTabControl", "ThirdToolBar", "ThirdStatusBar", "ThirdSpeedButton",
};

const char* ThirdPartyDefault(TacThirdPartyKind kind) { return kind == tpButton ? "TButton" : " "; }

TacThirdPartyList::TacThirdPartyList() { Update(); }

bool TacThirdPartyList::SetText(std::string_view propertyName, const std::string& text) {
  for (int k = 0; k < ThirdPartyKindCount; ++k)
    if (propertyName == ThirdPartyPropertyNames[k]) {
      texts_[k] = text;
      return true;
    }
  return false;
}

void TacThirdPartyList::Update() {
  for (int k = 0; k < ThirdPartyKindCount; ++k) {
    if (texts_[k].empty()) texts_[k] = ThirdPartyDefault(static_cast<TacThirdPartyKind>(k));
    names_[k].clear();
    std::string_view rest = texts_[k];
    while (!rest.empty()) {
      const size_t end = rest.find_first_of("\r\n");
      const std::string_view line = TrimSkinText(rest.substr(0, end));
      if (!line.empty()) names_[k].emplace_back(line);
      if (end == std::string_view::npos) break;
      rest.remove_prefix(end + 1);
    }
  }
}

int TacThirdPartyList::KindOfClass(std::string_view className) const {
  for (int k = 0; k < ThirdPartyKindCount; ++k)
    for (const std::string& name : names_[k])
      if (SameText(name, className)) return k;
  return -1;
}
