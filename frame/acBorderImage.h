// The extended border's image composed into a 32-bit frame cache: the shadow ring
// around the frame (or, in centred mode, the whole border and title), the frame's
// rounded corners filled from the shadow, and the alpha of the title after icon and
// caption were drawn over a translucent title.
#pragma once

#include "frame/acBorderGeometry.h"
#include "frame/acFrameRegion.h"
#include "paint/acBitmap.h"
#include "paint/acRect.h"

// Draws `image` in nine parts over the whole cache with margins ext + formOffset on
// each side, edges stretched, no centre, each part kept inside the shadow margins
// `ext`: only the ring outside the frame rectangle comes from the image.
void ComposeShadowRing(TacBitmap* cache, const TacBitmap* image, const TacRect& ext, int formOffset);

// In the four corner areas of `frame` (the masks' corner margins), every pixel the
// mask's first state frame marks with the key colour 0xFF00FF takes the border
// image's pixel that lies there: the frame's cut corners show the shadow. `top` gives
// the top corners, `bottom` the bottom ones; limitTopLeft keeps the top-left area
// within 8 x 8 (the form's own mask standing in for a missing title mask). Areas are
// clipped to the image.
void FillCutCornersFromBorder(TacBitmap* cache, const TacBitmap* image, const TacRect& frame, const TacCornerMask& top,
                              const TacCornerMask& bottom, bool limitTopLeft);

// Centred mode: the whole image drawn in nine parts over the cache with the layout's
// margins, edges stretched, no centre, each part within the layout's insets.
void ComposeCentredBorder(TacBitmap* cache, const TacBitmap* image, const TacCentredBorderLayout& layout);

// Every pixel of the top `rows` rows whose colour differs from `before` (a copy of
// those rows taken before drawing) gets back the alpha it had there.
void RestoreAlphaWhereChanged(TacBitmap* cache, const TacBitmap& before, int rows);
