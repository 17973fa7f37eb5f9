// Showing a form that has a border window: the whole window, captured while it is
// still hidden, is shown on the border window (fading in, in aero mode growing from
// three quarters) before the form itself appears, so the form is never on the screen
// before its pixels are. At a time of 0 the capture is shown at once at the target
// opacity. Runs to its end inside the call; the caller then shows the form, which
// paints itself over the same pixels, and gives the border window its usual image.
#pragma once

#include <cstdint>

#include "skin/acAnimEffects.h"

class TsSkinProvider;

// False (nothing shown) when the provider has no border window, layered windows are
// missing or no capture could be made.
bool AnimateFormShow(TsSkinProvider* provider, int timeMs, uint8_t targetOpacity, TacAnimType mode);
