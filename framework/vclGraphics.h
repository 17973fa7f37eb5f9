// Small GDI helpers shared by the plain controls.
#pragma once

#include <windows.h>

#include "paint/acBitmap.h"

// Draws a 32-bit bitmap with straight (not premultiplied) alpha at (x, y).
void DrawAlphaBitmap(HDC dc, int x, int y, const TacBitmap& bitmap);
