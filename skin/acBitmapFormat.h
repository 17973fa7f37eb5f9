// Copies of a bitmap in another pixel layout, for images the skin needs in a
// given depth (24 bits for bitmap masks and the master bitmap).
#pragma once

#include "paint/acBitmap.h"

// A new bitmap of the same size in `format` (through NewBitmap). 32 to 24 bits drops
// alpha; 24 to 32 bits sets alpha 255; the same format is a plain copy. Raises
// std::bad_alloc when no bitmap can be made.
TacBitmapPtr ConvertBitmap(const TacBitmap& src, TacPixelFormat format);
// Converts in place (replacing the bitmap) when it is not in `format` already.
void EnsurePixelFormat(TacBitmapPtr& bmp, TacPixelFormat format);
// NewBitmap that raises std::bad_alloc instead of answering null.
TacBitmapPtr NewBitmapOrThrow(int width, int height, TacPixelFormat format);
