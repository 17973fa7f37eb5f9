// A soft halo around text: the text is laid into an 8-bit mask (in black on
// white, optionally once more one pixel off in each direction), the mask is
// blurred, and the bitmap is pulled toward the glow colour where the mask is dark.
#pragma once

#include <windows.h>

#include <string>

#include "framework/vclFont.h"
#include "paint/acBitmap.h"
#include "paint/acMask8.h"
#include "paint/acRect.h"

// Paints the halo of `text` (GBK) laid out in `r` with DrawText `format` flags into a
// 24- or 32-bit `target`. The mask covers r grown by glowSize + 4; `mask` (may be null)
// keeps it between calls: a kept mask of that size is used as it is, any other is
// replaced by a new one. Offset bits 1, 2, 4, 8 add the text moved left, up, right,
// down. The text takes `font` (its colour is not used). Nothing is drawn for a glow
// size of 0 or less.
void DrawGlowText(TacBitmap* target, const std::string& text, const TacRect& r, TacMask8Ptr* mask, uint32_t color,
                  int glowSize, unsigned offsetFlags, UINT format, const TFont& font);
