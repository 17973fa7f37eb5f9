// Decoding of plain PNG files without libpng's set-up for each image.
//
// A plain file is what skins carry: 8-bit RGB or RGBA, not interlaced, no palette,
// transparency or gamma chunks (only sRGB, pHYs and tIME beside the image data),
// every chunk intact, and image data that inflates to exactly its rows.
// Such a file decodes to its samples as they are, which is what libpng's reader
// gives for it; one inflater serves all images of a thread. Anything else is left to
// libpng, which also reports the errors.
#pragma once

#include <cstddef>
#include <cstdint>

#include "paint/acBitmap.h"

// A 32-bit bitmap (blue, green, red, alpha; alpha 255 for RGB files) of a plain PNG
// file within the image size limits; null for every other file.
TacBitmapPtr DecodePlainPng(const uint8_t* data, size_t size);
