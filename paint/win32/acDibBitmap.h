// Bitmaps backed by GDI DIB sections, so GDI can draw (text, lines) into the same
// pixels the painting core works on.
#pragma once

#include "paint/acBitmap.h"

// Makes NewBitmap create DIB sections (top-down, 24 or 32 bits). Call once at start.
void InstallDibBitmapAllocator();
// A DIB-section bitmap, whatever allocator is installed; null when GDI refuses.
TacBitmapPtr NewDibBitmap(int width, int height, TacPixelFormat format);
