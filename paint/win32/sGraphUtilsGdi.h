// GDI side of the painting utilities: fills on a device context and the
// system-colour source.
#pragma once

#include <windows.h>

#include <cstdint>

#include "paint/acRect.h"

// Fills r through a solid brush of the resolved colour; the DC state (selected
// brush and all) is saved before and restored after.
void FillSolidRect(HDC dc, const TacRect& r, uint32_t color);
// Four strips with one brush: top (full width), left (below the top strip),
// bottom (right of the left strip), right (between top and bottom strips).
void FillSolidFrame(HDC dc, const TacRect& r, int left, int top, int right, int bottom, uint32_t color);

// Makes ColorToRGB resolve system colours through GetSysColor.
void InstallGdiColorSource();
