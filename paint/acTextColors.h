// Colours of skinned text: which section gives them, the contour passes drawn
// one pixel off in each direction before the text itself, and the disabled mix.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

struct TsGeneralData;
class TsSkinModel;

// One drawing of the text: moved by (Dx, Dy), in Color.
struct TacTextPass {
  int Dx;
  int Dy;
  uint32_t Color;
};

// The contours set for the state (left, top, right, bottom; a contour of ColorNotSet
// is skipped), each one pixel off toward its side, then the main colour unmoved.
struct TacTextPasses {
  TacTextPass Items[5];
  int Count = 0;
};
TacTextPasses SectionTextPasses(const TsGeneralData& section, bool hot);

// 40 % text colour, 60 % mix colour (the section's COLOR or the skin's global colour).
uint32_t DisabledTextColor(uint32_t fontColor, uint32_t mixColor);

// Skin index of the ancestor `depth` levels up (1 = the parent) as it answers the
// skin-index question (-1 when it is not skinned), or nothing when there is no such
// ancestor.
using TacAncestorSection = std::function<std::optional<int>(int depth)>;

// The section whose colours a control's caption takes. A control that shares its
// parent's font (`sharesParentFont`: windowless, or of kind 32, 33 or 74, taking the
// parent's font, with a parent) and whose own section lets the background show
// through for the state (transparency at least 1) asks its parent; a parent whose
// section is more than 50 % transparent and that has a parent itself hands the
// question up. The section found is taken when it gives its own font, else the
// control's own one.
int ChooseTextSection(const TsSkinModel& skin, int ownSection, bool hot, bool sharesParentFont,
                      const TacAncestorSection& ancestorSection);

// Control kinds that share their parent's text colours like windowless controls
// (check boxes, radio buttons, group boxes).
bool KindSharesParentText(int controlKind);
