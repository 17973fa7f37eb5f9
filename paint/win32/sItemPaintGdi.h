// Item painting onto a device context: the HDC-bound ends of the painting
// core's item routines.
#pragma once

#include <windows.h>

#include <string>

#include "paint/acBitmap.h"
#include "paint/acColors.h"
#include "paint/acPoint.h"
#include "paint/acRect.h"

class TsSkinModel;
class TacItemBinding;

// Copies src's rectangle q to dc at (x, y) through SetDIBitsToDevice (24 or
// 32 bits, either row order). Nothing for an empty or out-of-bitmap q.
void CopyBitmapToDC(HDC dc, int x, int y, const TacBitmap& src, const TacRect& q);

// Paints the item into a new 24-bit bitmap of r's size (PaintItem with no
// texture indexes) and copies it to dc at r's top-left. The DC's drawing state
// is saved and restored. Nothing unless the skin has the section, r.Left and
// r.Top are at least 0 and r is at least 1 x 1.
void PaintItemToDC(int section, const std::string& name, TacParentImage pi, const TsSkinModel* manager, HDC dc,
                   TacPoint p, const TacRect& r, int state, bool fillCentre);

// The border of a control's section into its cache, widened by a band of
// extraWidth in the control's colour whose four strips are copied to dc; without
// a border mask, a frame of extraWidth in the control's colour straight onto dc.
void PaintControlBorder(HDC dc, const TacRect& r, int extraWidth, int state, TacItemBinding& binding);
