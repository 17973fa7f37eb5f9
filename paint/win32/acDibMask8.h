// 8-bit masks backed by GDI DIB sections with a grey palette (index i is grey i),
// so GDI can draw text into the same bytes the blur works on.
#pragma once

#include "paint/acMask8.h"

// A top-down 8-bit DIB section of that size, zero-filled; null when GDI refuses.
TacMask8Ptr NewDibMask8(int width, int height);
