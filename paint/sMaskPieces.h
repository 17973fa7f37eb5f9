// Copying pieces of skin images with transparency: through the key colour
// (TransparentKey), through a mask half stored below the image, or through a
// 32-bit image's alpha. Pixels that would fall outside a bitmap are skipped.
#pragma once

#include <cstdint>

#include "paint/acBitmap.h"
#include "paint/acColors.h"
#include "paint/acRect.h"
#include "skin/sMaskData.h"

// Copies source rectangle q (Right and Bottom INCLUSIVE, clipped to src) to
// (x, y). Key-coloured source pixels (a 32-bit source: the key with alpha 0)
// show the background: with usePar and an image in pi that is not dst itself,
// pi's pixel at the target place + (pi.X, pi.Y); without an image in pi, pi's
// fill colour (transparent, alpha 0, from a 32-bit source); otherwise the
// target pixel stays. A 24-bit source gives alpha 255 in a 32-bit target.
void CopyPieceKeyed(TacBitmap* dst, const TacBitmap* src, int x, int y, bool usePar, const TacParentImage& pi,
                    uint32_t key, TacRect q);

// Copies source rectangle q to target rectangle d (the smaller size of the two)
// through the mask rows height(m.R) div 2 below: each channel := ((D - S) x M +
// S x 256) shr 8. Key-coloured pixels show pi's image (at the target place +
// (pi.X, pi.Y)) or pi's fill colour when usePar, else stay.
void CopyPieceMasked(const TacRect& d, const TacRect& q, TacBitmap* dst, const TsMaskData& m, bool usePar,
                     const TacParentImage& pi, const TacBitmap* src);

// CopyPieceMasked for every block of a tiling of target by `block` (from
// target's top-left, the last column and row cut), in one pass. False, drawing
// nothing, when the block or its mask rows do not lie inside src (the caller
// then copies block by block).
bool TileMaskedPiece(const TacRect& target, const TacRect& block, TacBitmap* dst, const TsMaskData& m, bool usePar,
                     const TacParentImage& pi, const TacBitmap* src);

// Copies q (INCLUSIVE, clipped to src) to (x, y), skipping pixels of the key's colour.
void CopyKeyed(TacBitmap* dst, const TacBitmap* src, int x, int y, uint32_t key, TacRect q);

// Copies the whole of src to (x, y), skipping pixels of the key's colour; a
// 32-bit target gets alpha 255.
void CopyKeyedImage(TacBitmap* dst, const TacBitmap* src, int x, int y, uint32_t key);

// Copies source rectangle q to target rectangle d: a 32-bit source through its
// alpha (D := ((S - D) x A + D x 256) shr 8, target alpha 255), a 24-bit source
// through its mask half (mask of row y in row height div 2 + y). With an image
// in pi, key-coloured source pixels are not blended: with usePar they take pi's
// image pixel at the target place + (pi.X, pi.Y), else the target stays.
void CopyImageRect(const TacRect& d, const TacRect& q, TacBitmap* dst, bool usePar, const TacParentImage& pi,
                   const TacBitmap* src);
