// Glyphs of skin masks: one state frame of fixed size drawn at a point (check
// marks, title-button icons, corner images).
#pragma once

#include "paint/acBitmap.h"
#include "paint/acColors.h"
#include "paint/acPoint.h"
#include "paint/acRect.h"
#include "skin/sMaskData.h"

// Draws frame `state` (lowered to the last frame) of m with its top-left at p;
// a point left of or above the bitmap cuts the glyph's first columns or rows.
// Blend mode 1 draws normally; any other mode draws the glyph faded (half
// strength, or its mask lightened by 100). Key-coloured pixels of a glyph in the
// master bitmap show pi's image (or fill colour) in blend mode 1.
void DrawStateGlyph(TacBitmap* bmp, TacPoint p, int state, int blendMode, const TsMaskData& m,
                    const TacParentImage& pi);

// Draws source rectangle q of src to target rectangle d (both INCLUSIVE): keyed
// for MaskType 0, else through the mask rows one frame height below.
void BlendGlyph(const TacRect& d, const TacRect& q, TacBitmap* dst, const TsMaskData& m, int blendMode,
                const TacBitmap* src);
