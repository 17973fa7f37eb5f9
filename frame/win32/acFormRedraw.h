// The layered redraw of a form without a border window: after a skin change the new
// look, captured whole while the form is frozen, fades in (aero: grows) over the old
// one in a cover window lying where the form lies; then the form is unfrozen and
// repainted once, and the cover goes. Runs to its end inside the call.
#pragma once

#include <cstdint>

#include "skin/acAnimEffects.h"

class TForm;

// The form must be frozen (WM_SETREDRAW 0) and carry a provider; it is unfrozen and
// redrawn at the end in every case. Time 0 shows the new look at once.
void AnimateFormRedraw(TForm* form, int timeMs, uint8_t targetOpacity, TacAnimType mode);

// What the skin manager calls for each of its forms when a skin change ends with
// its SkinChanging animation active.
void AnimateSkinChange(TForm* form, int timeMs, TacAnimType mode);
