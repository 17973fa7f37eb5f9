// A whole skinned window in one 32-bit picture, for the animations that show it
// while the real window is hidden: the frame cache (frame and client background),
// the windowless children the form paints itself, and every visible windowed child,
// each asked to print itself at its place.
#pragma once

#include <windows.h>

#include "framework/vclWinControl.h"
#include "paint/acBitmap.h"
#include "paint/acPoint.h"

// Copies `cache` (24- or 32-bit, of the window's size) into a new 32-bit picture,
// then paints the form's windowless children and prints its windowed children into
// it, with the client area at `clientOffset`. The picture is opaque (alpha 255),
// except that a 32-bit cache (a frame with its shadow) keeps its own alpha outside
// the client area. While it is painted, skinned controls paint only into it. Null
// when no picture can be made.
TacBitmapPtr CaptureWindowImage(const TacBitmap& cache, TWinControl* form, TacPoint clientOffset);
