// Direct pixel access and blending of 24-bit and 32-bit bitmaps through row
// addresses: the lowest layer of all skin painting.
#pragma once

#include <cstdint>

#include "paint/acAssertion.h"
#include "paint/acBitmap.h"
#include "paint/acRect.h"

// The five fields both single-bitmap accessors keep, and their shared attach rule.
class TacFastBase {
 public:
  const TacBitmap* Bitmap = nullptr;
  int32_t Width = 0;
  int32_t Height = 0;
  int32_t RowStep = 0;
  uint8_t* Row0 = nullptr;

 protected:
  // False (Width 0) for a null bitmap or one smaller than 2 x 2; throws EacAssertion
  // "Bitmap format is not supported" for a bitmap of another format.
  bool AttachAs(const TacBitmap* bmp, TacPixelFormat format);
};

// Reads pixels of one 24-bit bitmap. GetPixel does no bounds check.
class TacFast24 : public TacFastBase {
 public:
  // False (Width 0) for a null bitmap or one of width or height 1 or less.
  // Throws EacAssertion "Bitmap format is not supported" for a non-24-bit one.
  bool Attach(const TacBitmap* bmp) { return AttachAs(bmp, TacPixelFormat::pf24bit); }
  // red + green * 256 + blue * 65536
  uint32_t GetPixel(int x, int y) const {
    const uint8_t* p = Row0 + static_cast<ptrdiff_t>(y) * RowStep + static_cast<ptrdiff_t>(x) * 3;
    return p[2] | (p[1] << 8) | (static_cast<uint32_t>(p[0]) << 16);
  }
};

// Reads and writes pixels of one 32-bit bitmap. No bounds checks.
class TacFast32 : public TacFastBase {
 public:
  // False (Width 0) for a null bitmap or one smaller than 2 x 2.
  // Throws EacAssertion "Bitmap format is not supported" for a non-32-bit one.
  bool Attach(const TacBitmap* bmp) { return AttachAs(bmp, TacPixelFormat::pf32bit); }
  // alpha * 16777216 + blue * 65536 + green * 256 + red
  uint32_t GetPixel(int x, int y) const {
    const uint8_t* p = Row0 + static_cast<ptrdiff_t>(y) * RowStep + static_cast<ptrdiff_t>(x) * 4;
    return p[2] | (p[1] << 8) | (static_cast<uint32_t>(p[0]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
  }
  void SetPixel(int x, int y, uint32_t value) {
    uint8_t* p = Row0 + static_cast<ptrdiff_t>(y) * RowStep + static_cast<ptrdiff_t>(x) * 4;
    p[0] = static_cast<uint8_t>(value >> 16);
    p[1] = static_cast<uint8_t>(value >> 8);
    p[2] = static_cast<uint8_t>(value);
    p[3] = static_cast<uint8_t>(value >> 24);
  }
};

// Mixes a source rectangle into a destination rectangle:
// each byte := (d * Alpha + s * (255 - Alpha) + 127) shr 8.
// The source pixel of destination (x, y) is (x - DstRect.Left + SrcRect.Left,
// y - DstRect.Bottom + SrcRect.Bottom). Blend does not clip: the caller keeps
// both rectangles inside their bitmaps.
class TacFastSumBase {
 public:
  const TacBitmap* Src = nullptr;
  const TacBitmap* Dst = nullptr;
  int32_t Width = 0;   // the smaller of the two widths
  int32_t Height = 0;  // the smaller of the two heights
  uint8_t* SrcRow0 = nullptr;
  uint8_t* DstRow0 = nullptr;
  int32_t SrcStep = 0;
  int32_t DstStep = 0;
  uint8_t Alpha = 0;  // weight of the destination
  TacRect DstRect = {0, 0, 0, 0};
  TacRect SrcRect = {0, 0, 0, 0};

  // False when either bitmap is missing or smaller than 2 x 2. No format check.
  bool Attach(const TacBitmap* src, const TacBitmap* dst);

 protected:
  void BlendBytes(int bytesPerPixel);
};

class TacFastSum24 : public TacFastSumBase {
 public:
  void Blend() { BlendBytes(3); }
};

// Mixes all four bytes of each pixel, alpha like a colour byte.
class TacFastSum32 : public TacFastSumBase {
 public:
  void Blend() { BlendBytes(4); }
};

// Every pixel of r := ColorToPixel32(color). r must lie inside the bitmap.
// Nothing happens when the bitmap cannot be attached as 32-bit.
void FillOpaque32(TacBitmap* bmp, const TacRect& r, uint32_t color);

// Sets the alpha byte of every pixel of r (32-bit bitmap). r must lie inside.
void SetAlphaInRect(TacBitmap* bmp, const TacRect& r, uint8_t alpha);

// Keeps percent % of each pixel of r and mixes in the rest of the (resolved)
// colour. Right and Bottom are INCLUSIVE here; r is clipped to the bitmap.
// Alpha of 32-bit pixels is untouched.
void FadeRectToColor(TacBitmap* bmp, TacRect r, uint8_t percent, uint32_t color);

// Mixes the source rectangle (Right and Bottom INCLUSIVE) of src into dst at
// (x, y): each channel := round(s * (1 - w) + d * w). Source pixels of the key's
// colour are skipped unless the key's top byte is 0xFF. Alpha is untouched.
void CopyBlendedRect(TacBitmap* dst, int x, int y, uint32_t key, double w, TacRect srcRect,
                     const TacBitmap* src);

// Blends srcRect of src over dst at (px, py), clipped to both bitmaps; the
// destination keeps the weight of the low byte of alpha (callers repeat one
// byte in the three channel bytes). Both bitmaps must share their format.
void BlendBitmapOver(TacBitmap* dst, const TacBitmap* src, uint32_t alpha, int px, int py,
                     TacRect srcRect);

// Blends the whole of src into dst (same size and format), dst weighted by alpha.
void BlendEqualBitmaps(TacBitmap* dst, const TacBitmap* src, uint8_t alpha);

// out := a copy of dst blended with src by BlendEqualBitmaps, in one pass and
// without touching dst (a fade step from its start image). Where BlendEqualBitmaps
// would leave dst alone, out is a plain copy of dst. False, nothing written, when
// out is missing or differs from dst in size or format, or dst is missing.
bool BlendEqualBitmapsInto(TacBitmap* out, const TacBitmap* dst, const TacBitmap* src, uint8_t alpha);

// red, green, blue := (red + green + blue) div 3; alpha untouched.
void MakeGrey(TacBitmap* bmp);
// The same, leaving pixels of the key's colour as they are.
void MakeGreyExceptKey(TacBitmap* bmp, uint32_t key);
