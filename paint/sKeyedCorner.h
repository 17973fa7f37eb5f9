// Filling the transparent corner pixels of an image from another image (the
// background behind a window's rounded corners, for example).
#pragma once

#include "paint/acBitmap.h"
#include "paint/acPoint.h"
#include "paint/acRect.h"

class TsSkinModel;

// Hit-test codes of the four window corners, which name the corner to test.
enum TacCornerCode : int { ccTopLeft = 13, ccTopRight = 14, ccBottomLeft = 16, ccBottomRight = 17 };

// For every pixel (a, b) of r that has a source pixel at p + (a, b) in src:
// with maskIndex -1, a target pixel of the key's colour takes that source pixel;
// otherwise the target pixel takes it where the corner `code` (any other code
// counts as top-left) of the mask's normal frame has a key-coloured pixel at
// (a, b). Pixels outside a bitmap are skipped.
void FillKeyedCorner(TacBitmap* dst, const TacBitmap* src, const TacRect& r, int code, const TsSkinModel* model,
                     int maskIndex, TacPoint p);
