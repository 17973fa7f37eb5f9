// Small skin files made in code: BMP, PNG and JPEG images and packed skins.
#pragma once

#include <png.h>
#include <cstdio>
#include <jpeglib.h>

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "skin/acSkinPack.h"
#include "skin/acSkinSource.h"
#include "skin/acSkinWriter.h"
#include "skin/sSkinModel.h"

namespace skinfix {

inline void Put16(std::vector<uint8_t>& v, uint32_t x) {
  v.push_back(static_cast<uint8_t>(x));
  v.push_back(static_cast<uint8_t>(x >> 8));
}
inline void Put32(std::vector<uint8_t>& v, uint32_t x) {
  Put16(v, x & 0xFFFF);
  Put16(v, x >> 16);
}

// A BMP with a 40-byte header. bpp 24 or 32: `pixel` gives the colour value
// (0x00BBGGRR; for 32 bits the top byte is the fourth byte). bpp 1, 4 or 8:
// `pixel` gives the palette index.
inline std::vector<uint8_t> MakeBmp(int w, int h, int bpp, const std::function<uint32_t(int, int)>& pixel,
                                    const std::vector<uint32_t>& palette = {}, bool topDown = false) {
  const uint32_t stride = (static_cast<uint32_t>(w) * bpp + 31) / 32 * 4;
  const uint32_t paletteBytes = static_cast<uint32_t>(palette.size()) * 4;
  const uint32_t off = 14 + 40 + paletteBytes;
  std::vector<uint8_t> v = {'B', 'M'};
  Put32(v, off + stride * h);
  Put32(v, 0);
  Put32(v, off);
  Put32(v, 40);
  Put32(v, static_cast<uint32_t>(w));
  Put32(v, static_cast<uint32_t>(topDown ? -h : h));
  Put16(v, 1);
  Put16(v, static_cast<uint32_t>(bpp));
  Put32(v, 0);
  Put32(v, stride * h);
  Put32(v, 2835);
  Put32(v, 2835);
  Put32(v, static_cast<uint32_t>(palette.size()));
  Put32(v, 0);
  for (uint32_t c : palette) {
    v.push_back(static_cast<uint8_t>(c >> 16));
    v.push_back(static_cast<uint8_t>(c >> 8));
    v.push_back(static_cast<uint8_t>(c));
    v.push_back(0);
  }
  for (int i = 0; i < h; ++i) {
    const int y = topDown ? i : h - 1 - i;
    std::vector<uint8_t> row(stride, 0);
    for (int x = 0; x < w; ++x) {
      uint32_t p = pixel(x, y);
      if (bpp >= 24) {
        uint8_t* d = &row[static_cast<size_t>(x) * (bpp / 8)];
        d[0] = static_cast<uint8_t>(p >> 16);
        d[1] = static_cast<uint8_t>(p >> 8);
        d[2] = static_cast<uint8_t>(p);
        if (bpp == 32) d[3] = static_cast<uint8_t>(p >> 24);
      } else {
        const int perByte = 8 / bpp;
        const int shift = 8 - bpp * (x % perByte + 1);
        row[static_cast<size_t>(x / perByte)] |= static_cast<uint8_t>(p << shift);
      }
    }
    v.insert(v.end(), row.begin(), row.end());
  }
  return v;
}

inline std::vector<uint8_t> SolidBmp24(int w, int h, uint32_t color) {
  return MakeBmp(w, h, 24, [color](int, int) { return color; });
}

// `pixel` gives alpha << 24 | 0x00BBGGRR.
inline std::vector<uint8_t> MakePng(int w, int h, const std::function<uint32_t(int, int)>& pixel) {
  std::vector<uint8_t> rgba(static_cast<size_t>(w) * h * 4);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint32_t p = pixel(x, y);
      uint8_t* d = &rgba[(static_cast<size_t>(y) * w + x) * 4];
      d[0] = static_cast<uint8_t>(p);
      d[1] = static_cast<uint8_t>(p >> 8);
      d[2] = static_cast<uint8_t>(p >> 16);
      d[3] = static_cast<uint8_t>(p >> 24);
    }
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(w);
  image.height = static_cast<png_uint_32>(h);
  image.format = PNG_FORMAT_RGBA;
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&image, nullptr, &size, 0, rgba.data(), 0, nullptr))
    throw std::runtime_error("png size");
  std::vector<uint8_t> out(size);
  if (!png_image_write_to_memory(&image, out.data(), &size, 0, rgba.data(), 0, nullptr))
    throw std::runtime_error("png write");
  out.resize(size);
  return out;
}

// `pixel` gives 0x00BBGGRR.
inline std::vector<uint8_t> MakeJpeg(int w, int h, const std::function<uint32_t(int, int)>& pixel,
                                     int quality = 95) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr jerr;
  cinfo.err = jpeg_std_error(&jerr);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = static_cast<JDIMENSION>(w);
  cinfo.image_height = static_cast<JDIMENSION>(h);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<uint8_t> row(static_cast<size_t>(w) * 3);
  while (cinfo.next_scanline < cinfo.image_height) {
    const int y = static_cast<int>(cinfo.next_scanline);
    for (int x = 0; x < w; ++x) {
      uint32_t p = pixel(x, y);
      row[x * 3] = static_cast<uint8_t>(p);
      row[x * 3 + 1] = static_cast<uint8_t>(p >> 8);
      row[x * 3 + 2] = static_cast<uint8_t>(p >> 16);
    }
    JSAMPROW r = row.data();
    jpeg_write_scanlines(&cinfo, &r, 1);
  }
  jpeg_finish_compress(&cinfo);
  std::vector<uint8_t> out(buffer, buffer + size);
  jpeg_destroy_compress(&cinfo);
  std::free(buffer);
  return out;
}

inline std::vector<uint8_t> Bytes(const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); }

// A packed skin: the options text as "Options.dat" first, then the images.
inline std::vector<uint8_t> PackSkin(const std::string& options, std::vector<TacPackEntry> images = {}) {
  images.insert(images.begin(), TacPackEntry{"Options.dat", Bytes(options)});
  return PackSkinEntries(images);
}

// A model loaded from a packed skin held in memory.
struct PackedSkin {
  std::vector<uint8_t> Archive;
  std::unique_ptr<TacSkinConvertor> Reader;
  TsSkinModel Model;

  void Load(const std::string& options, std::vector<TacPackEntry> images = {},
            const TsSkinLoadSettings& settings = TsSkinLoadSettings()) {
    Archive = PackSkin(options, std::move(images));
    UnpackSkinData(Archive.data(), Archive.size(), Reader);
    TacPackedSkinSource source(*Reader);
    Model.LoadSkin(source, settings);
  }
  const TsGeneralData& Section(const std::string& name) const {
    int i = Model.GetSkinIndex(name);
    if (i < 0) throw std::runtime_error("no section " + name);
    return Model.Sections[static_cast<size_t>(i)];
  }
};

}  // namespace skinfix
