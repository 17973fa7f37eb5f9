// Helpers of the painting tests: pictures made in code, a checksum of a
// bitmap's pixels, and an optional PNG dump (VQ_PAINT_DUMP=<folder>) so a
// reviewer can look at what a whole-routine check paints.
#pragma once

#include <png.h>

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "PixelTestBitmaps.h"
#include "paint/acBitmap.h"
#include "skin/sMaskData.h"
#include "skin/sSkinModel.h"

namespace paintfix {

inline uint32_t Rgb(const TacBitmap* b, int x, int y) {
  const uint8_t* p = b->Pixel(x, y);
  return p[2] | (p[1] << 8) | (static_cast<uint32_t>(p[0]) << 16);
}
inline void SetRgb(TacBitmap* b, int x, int y, uint32_t rgb, uint8_t alpha = 255) {
  uint8_t* p = b->Pixel(x, y);
  p[0] = static_cast<uint8_t>(rgb >> 16);
  p[1] = static_cast<uint8_t>(rgb >> 8);
  p[2] = static_cast<uint8_t>(rgb);
  if (b->BytesPerPixel() == 4) p[3] = alpha;
}
inline void FillWith(TacBitmap* b, const std::function<uint32_t(int, int)>& rgb) {
  for (int y = 0; y < b->Height(); ++y)
    for (int x = 0; x < b->Width(); ++x) SetRgb(b, x, y, rgb(x, y));
}
inline TacBitmapPtr Bitmap24(int w, int h, const std::function<uint32_t(int, int)>& rgb) {
  TacBitmapPtr b = NewMemoryBitmap(w, h, TacPixelFormat::pf24bit);
  FillWith(b.get(), rgb);
  return b;
}

// FNV-1a over the pixel bytes (not the row padding), row 0 first.
inline uint64_t Checksum(const TacBitmap* b, uint64_t h = 1469598103934665603ull) {
  for (int y = 0; y < b->Height(); ++y) {
    const uint8_t* row = b->Row(y);
    for (int i = 0; i < b->Width() * b->BytesPerPixel(); ++i) h = (h ^ row[i]) * 1099511628211ull;
  }
  return h;
}

// Writes the bitmap as PNG into $VQ_PAINT_DUMP/<name>.png when that is set.
inline void Dump(const TacBitmap* b, const std::string& name) {
  const char* dir = std::getenv("VQ_PAINT_DUMP");
  if (!dir || !*dir) return;
  std::vector<uint8_t> rgba(static_cast<size_t>(b->Width()) * b->Height() * 4);
  for (int y = 0; y < b->Height(); ++y)
    for (int x = 0; x < b->Width(); ++x) {
      const uint8_t* p = b->Pixel(x, y);
      uint8_t* d = &rgba[(static_cast<size_t>(y) * b->Width() + x) * 4];
      d[0] = p[2], d[1] = p[1], d[2] = p[0], d[3] = 255;
    }
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(b->Width());
  image.height = static_cast<png_uint_32>(b->Height());
  image.format = PNG_FORMAT_RGBA;
  png_image_write_to_file(&image, (std::string(dir) + "/" + name + ".png").c_str(), 0, rgba.data(), 0, nullptr);
}

// A model holding only a master bitmap, for masks made in code (their Manager).
struct MasterModel {
  TsSkinModel Model;
  explicit MasterModel(TacBitmapPtr master) { Model.MasterBitmap = std::move(master); }

  TsMaskData Mask(TacRect r, int imageCount, int maskType, int drawMode, int wl, int wt, int wr, int wb) {
    TsMaskData m;
    m.R = r;
    m.ImageCount = static_cast<int16_t>(imageCount);
    m.MaskType = static_cast<int16_t>(maskType);
    m.DrawMode = static_cast<int16_t>(drawMode);
    m.WL = static_cast<int16_t>(wl), m.WT = static_cast<int16_t>(wt);
    m.WR = static_cast<int16_t>(wr), m.WB = static_cast<int16_t>(wb);
    m.Manager = &Model;
    return m;
  }
};

}  // namespace paintfix
