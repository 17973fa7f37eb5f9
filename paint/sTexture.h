// Textures of skin sections: pattern images tiled whole and texture masks of
// the master bitmap laid over a rectangle in one of the texture modes.
#pragma once

#include "paint/acBitmap.h"
#include "paint/acColors.h"
#include "paint/acRect.h"
#include "skin/sMaskData.h"

// "Nothing left to fill": the rectangle DrawTexture returns when the texture
// covers everything.
constexpr TacRect NoRect{-1, -1, -1, -1};
inline bool IsNoRect(const TacRect& r) { return r.Left == -1 && r.Top == -1 && r.Right == -1 && r.Bottom == -1; }

// Repeats the whole image over r from its top-left, the last column and row cut
// at r's right and bottom. Nothing for a null or empty image.
void TileImage(TacBitmap* surface, const TacRect& r, const TacBitmap* image);

// Draws a texture into r. A non-empty image is tiled over r and r becomes
// NoRect. Otherwise, with t.Manager set, the tile is t.R of the master bitmap,
// drawn by mode (0 tiles, 1 stretches, 2/3 one row/column of tiles at the
// top/left, 4/5 the tile stretched along the top/left, 6/7 one row/column at the
// bottom/right, 10 whole tiles only), and r becomes the part left for the
// colour fill (NoRect when none). Nothing is drawn outside r. Undefined modes
// and a texture without a skin draw nothing and leave r unchanged.
void DrawTexture(TacBitmap* surface, TacRect& r, const TacBitmap* image, int mode, const TsMaskData& t);

// A texture mask with a mask half below its tiles: mode 0 tiles whole rows (the
// strip below the last row stays), mode 10 whole tiles only and fills the rest
// of r from pi. Both set r to NoRect; other modes draw nothing.
void DrawMaskedTexture(TacBitmap* bmp, TacRect& r, const TacParentImage& pi, int mode, const TsMaskData& t);

// One tile of a masked texture: source rectangle s of the master bitmap to
// target rectangle d of bmp, through the mask rows below s. Key-coloured tile
// pixels show pi (its image pixel at the target place + (pi.X, pi.Y), or its
// fill colour unless that is TransparentKey).
void DrawMaskedTile(const TacRect& d, const TacRect& s, TacBitmap* bmp, const TsMaskData& t,
                    const TacParentImage& pi);
