// In-place colour change of a whole 24- or 32-bit bitmap through a colour memo.
#pragma once

#include "paint/acBitmap.h"
#include "skin/acColorMemo.h"

// Every pixel takes the memo's result for its colour; alpha is kept. Skin images
// repeat themselves from row to row: pixels equal to the ones above them (alpha
// included) take the result of the row above.
void RecolorBitmap(TacBitmap& bmp, TacColorMemo& memo);
