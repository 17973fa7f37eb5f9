// The program's own pictures, stored as PNG resources in the executable.
#pragma once

#include "paint/acBitmap.h"

enum class AppImage { Placeholder, InstallGlyph, CloseGlyph };

// The picture as a 32-bit bitmap; null when the resource is missing or damaged.
TacBitmapPtr LoadAppImage(AppImage image);
