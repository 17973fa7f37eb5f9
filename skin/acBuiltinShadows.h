// The engine's two built-in shadow images for extended borders of skins without
// an "EXBORDER" image: 32-bit images with alpha, a window placed inside them at
// the margins below.
#pragma once

#include "paint/acBitmap.h"
#include "paint/acRect.h"

// Left, top, right and bottom distance of the window from the images' edges.
constexpr TacRect BuiltinShadowMargins{11, 7, 11, 11};

// The decoded image (decoded once, kept for the process); null when the embedded
// image cannot be decoded.
const TacBitmap* BuiltinShadow(bool active);
