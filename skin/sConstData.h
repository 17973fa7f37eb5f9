// Indexes cached after every skin load, so painting need not look them up by
// name; -1 where the skin has no such section or mask.
#pragma once

#include <cstdint>

// A section of the skin with the masks painting needs from it.
struct TacSectionIndexes {
  int32_t SkinIndex = -1;
  int32_t BorderMask = -1;  // "BORDERSMASK"
  int32_t GlyphMask = -1;   // "GLYPHMASK"
  int32_t Pattern = -1;     // "PATTERN"
  int32_t HotPattern = -1;  // "HOTPATTERN"
};

enum TacTabSide : int { tsTop = 0, tsBottom = 1, tsLeft = 2, tsRight = 3 };
enum TacScrollBar : int { sb1H = 0, sb1V = 1, sb2H = 2, sb2V = 3 };
enum TacSliderKind : int { skVert = 0, skHorz = 1 };

struct TConstantSkinData {
  int32_t IndexGlobalInfo = -1;  // "GLOBALINFO"
  int32_t ExBorder = -1;         // "EXBORDER" of "GLOBALINFO"
  // Check glyphs of "GLOBALINFO".
  int32_t CheckBoxChecked = -1;      // "BOXCHECKED"
  int32_t CheckBoxUnChecked = -1;    // "BOXUNCHECKED"
  int32_t CheckBoxGrayed = -1;       // "BOXGRAYED"
  int32_t RadioButtonChecked = -1;   // "RADIOCHECKED"
  int32_t RadioButtonUnChecked = -1; // "RADIOUNCHECKED"
  int32_t RadioButtonGrayed = -1;    // "RADIOGRAYED"
  int32_t SmallBoxChecked = -1;      // "SMALLCHECKED"
  int32_t SmallBoxUnChecked = -1;    // "SMALLUNCHECKED"
  int32_t SmallBoxGrayed = -1;       // "SMALLGRAYED"
  // "COMBOBTN": border mask without parent fallback, PATTERN/HOTPATTERN as textures.
  TacSectionIndexes ComboBtn;
  int32_t ComboGlyph = -1;  // "GLYPHMASK" of "COMBOBOX", no parent fallback
  // "TABTOP", "TABBOTTOM", "TABLEFT", "TABRIGHT" by TacTabSide: skin index and border mask.
  TacSectionIndexes Tabs[4];
  // "SCROLLBTNTOP", "SCROLLBTNBOTTOM", "SCROLLBTNLEFT", "SCROLLBTNRIGHT" by TacTabSide.
  TacSectionIndexes ScrollBtns[4];
  // "SCROLLSLIDERV", "SCROLLSLIDERH" by TacSliderKind.
  TacSectionIndexes ScrollSliders[2];
  // "SCROLLBAR1H", "SCROLLBAR1V", "SCROLLBAR2H", "SCROLLBAR2V" by TacScrollBar (no glyph).
  TacSectionIndexes ScrollBars[4];
};
