// The glow blur with its sums shared out over vector lanes: many output pixels at
// once, each lane adding exactly the terms the one-pixel loop adds, in its order.
#pragma once

#include "paint/acBlurMask8.h"
#include "paint/acCpuPaths.h"

class TacMask8;

// Rows, then columns, as BlurMask8 does with `kernel`, computed on `path` (SSE2 or
// AVX2). The bytes are those of the one-pixel loop: every lane sums in the same
// order, and where the leading terms of a sum all read one value v the lane starts
// from that loop's own partial sum for v (a whole window of v is that loop's
// result for a flat area).
void BlurMask8Vectors(TacMask8* mask, const TacBlurKernel& kernel, TacCpuPath path);
