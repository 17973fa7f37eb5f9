// A 3 x 5 pixel font of capital letters, digits and a few signs, for labels in
// pictures made without a text renderer.
#pragma once

#include <cstdint>
#include <string>

#include "paint/acBitmap.h"

// Draws text at (x, y), each font pixel a scale x scale square; characters the
// font lacks are drawn as a box. Answers the width drawn.
int DrawTinyText(TacBitmap* bmp, int x, int y, const std::string& text, uint32_t rgb, int scale);
