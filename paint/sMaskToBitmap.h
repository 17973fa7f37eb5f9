// A button's whole image from its border mask, with its window region: the
// key-coloured corner pixels are left out of the image and cut out of the region.
#pragma once

#include "paint/acBitmap.h"
#include "paint/acRegion.h"
#include "skin/sMaskData.h"

// Draws one state frame of m as a nine-part border over the whole of bmp
// (centre when fillCentre and DrawMode has bit 4; sides and centre stretched in
// halftone when DrawMode has bit 1 and MaskType is not 1). In the corners,
// key-coloured pixels leave bmp unchanged and every horizontal run of them is
// taken out of region (exclusive-or for a run that a drawn pixel ends, difference
// for one reaching the end of the corner row). region may be null. A mask
// without frames uses its own image whole as one frame.
void DrawMaskToBitmap(TacBitmap* bmp, TacRegion* region, bool fillCentre, int state, const TsMaskData& m);
