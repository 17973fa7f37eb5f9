// Bitmaps backed by GDI DIB sections, so GDI can draw (text, lines) into the same
// pixels the painting core works on.
#pragma once

#include <windows.h>

#include "paint/acBitmap.h"

// Makes NewBitmap create DIB sections (top-down, 24 or 32 bits). Call once at start.
void InstallDibBitmapAllocator();
// A DIB-section bitmap, whatever allocator is installed; null when GDI refuses.
TacBitmapPtr NewDibBitmap(int width, int height, TacPixelFormat format);
// The bitmap's own memory DC with the bitmap selected, made on first use and freed
// with the bitmap (a DC per canvas cost more than the text drawn through it). Null
// for bitmaps that are not DIB sections made here, or when GDI refuses. Whoever
// draws through it leaves its state (clip, objects, colours) as found.
HDC KeptBitmapDC(TacBitmap& bitmap);
