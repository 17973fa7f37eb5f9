// Gradients of skin sections: the parsed description (TsGradArray, read by the
// skin model's parser) painted into a rectangle of a bitmap.
#pragma once

#include "paint/acBitmap.h"
#include "paint/acRect.h"
#include "skin/sGradientData.h"  // TsGradArray, ParseGradientData

// Paints g into r of bmp (24 or 32 bits; 32-bit pixels get alpha 255), r clipped
// to the bitmap. The first piece's Mode chooses: 0 vertical pieces stacked from
// the top, 1 horizontal pieces from the left, 2 four triangles meeting at the
// centre (vertex colours from the pieces' Color1); any other mode paints nothing.
void PaintGradient(TacBitmap* bmp, TacRect r, const TsGradArray& g);
