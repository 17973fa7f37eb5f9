// The two things every step of a window animation does: put the capture into the step
// picture (whole, or stretched into the step's place) and hand a picture to the
// animation's layered window at an opacity.
#pragma once

#include <windows.h>

#include <cstdint>

#include "frame/acAnimationSteps.h"
#include "paint/acBitmap.h"
#include "paint/acLayeredWindow.h"

// The picture (32-bit, premultiplied) to `window` with per-pixel alpha at `opacity`;
// `at` moves the window there, null leaves it where it is.
bool SendLayeredPicture(TUpdateLayeredWindowFn update, HWND window, HDC screen, const POINT* at,
                        const TacBitmap& picture, uint8_t opacity);

// Puts the capture into the step picture, whole or stretched. The picture is not
// cleared: a growing capture covers the smaller one before it, and a fading one is
// put there once.
void DrawAnimationStep(TacBitmap& to, const TacBitmap& capture, const TacAnimationStep& step);
