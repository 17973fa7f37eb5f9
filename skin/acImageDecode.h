// Decoding of skin image files into bitmaps: BMP (our own reader), PNG (libpng)
// and JPEG (libjpeg). Sizes are checked before anything is allocated; every
// failure raises EacImageError and leaves nothing behind.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "paint/acBitmap.h"

class EacImageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

constexpr int MaxImageSide = 16384;
constexpr int64_t MaxImagePixels = 64ll * 1024 * 1024;

enum class TacImageFormat { ifUnknown, ifBmp, ifPng, ifJpeg };

// By the file's signature.
TacImageFormat SniffImageFormat(const uint8_t* data, size_t size);

// 1-, 4- and 8-bit palettised and 24-bit files give a 24-bit bitmap; 32-bit files
// (plain or with the standard bit fields) a 32-bit bitmap whose fourth byte is kept
// as alpha. Bottom-up and top-down files; no RLE and no 16-bit pixels. A file of
// width or height 0 gives an empty bitmap.
TacBitmapPtr DecodeBmp(const uint8_t* data, size_t size);
// A 32-bit bitmap with straight (not premultiplied) alpha.
TacBitmapPtr DecodePng(const uint8_t* data, size_t size);
// A 24-bit bitmap.
TacBitmapPtr DecodeJpeg(const uint8_t* data, size_t size);
// Chooses the decoder by signature.
TacBitmapPtr DecodeImage(const uint8_t* data, size_t size);
