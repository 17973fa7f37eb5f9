#include "skin/acImageDecode.h"

#include <png.h>
// jpeglib.h needs FILE and size_t declared first.
#include <cstdio>
#include <jpeglib.h>

#include <csetjmp>
#include <cstring>
#include <limits>

#include "skin/acBitmapFormat.h"
#include "skin/acPlainPng.h"

namespace {

uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t U32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}
uint32_t U32BE(const uint8_t* p) {
  return static_cast<uint32_t>(p[3]) | static_cast<uint32_t>(p[2]) << 8 | static_cast<uint32_t>(p[1]) << 16 |
         static_cast<uint32_t>(p[0]) << 24;
}

void CheckImageSize(const char* kind, uint64_t width, uint64_t height) {
  if (width > static_cast<uint64_t>(MaxImageSide) || height > static_cast<uint64_t>(MaxImageSide) ||
      width * height > static_cast<uint64_t>(MaxImagePixels))
    throw EacImageError(std::string(kind) + " image of " + std::to_string(width) + " x " + std::to_string(height) +
                        " pixels is too large");
}

// ---- BMP

TacBitmapPtr DecodeBmpChecked(const uint8_t* data, size_t size) {
  if (size < 14 + 12 || data[0] != 'B' || data[1] != 'M') throw EacImageError("Not a BMP image");
  const uint32_t offBits = U32(data + 10);
  const uint32_t hdr = U32(data + 14);
  if (hdr < 12 || hdr > size - 14) throw EacImageError("BMP header is truncated");
  int64_t width, height;
  unsigned bpp;
  uint32_t compression = 0, colorsUsed = 0;
  size_t paletteEntry;
  if (hdr == 12) {
    width = U16(data + 18);
    height = U16(data + 20);
    bpp = U16(data + 24);
    paletteEntry = 3;
  } else if (hdr >= 40) {
    width = static_cast<int32_t>(U32(data + 18));
    height = static_cast<int32_t>(U32(data + 22));
    bpp = U16(data + 28);
    compression = U32(data + 30);
    colorsUsed = U32(data + 46);
    paletteEntry = 4;
  } else {
    throw EacImageError("BMP header of " + std::to_string(hdr) + " bytes is not supported");
  }
  const bool topDown = height < 0;
  if (topDown) height = -height;
  if (width < 0) throw EacImageError("BMP image has a negative width");
  CheckImageSize("BMP", static_cast<uint64_t>(width), static_cast<uint64_t>(height));

  size_t paletteOffset = 14 + hdr;
  if (compression == 3) {  // bit fields: only the standard 32-bit layout
    size_t masks = hdr >= 52 ? 14 + 40 : 14 + hdr;
    if (hdr < 52) paletteOffset += 12;
    if (bpp != 32 || masks + 12 > size || U32(data + masks) != 0x00FF0000u ||
        U32(data + masks + 4) != 0x0000FF00u || U32(data + masks + 8) != 0x000000FFu)
      throw EacImageError("BMP bit fields other than 32-bit BGR are not supported");
  } else if (compression != 0) {
    throw EacImageError("Compressed BMP images are not supported");
  }
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32)
    throw EacImageError("BMP images of " + std::to_string(bpp) + " bits per pixel are not supported");

  uint32_t palette[256] = {};
  if (bpp <= 8) {
    size_t count = colorsUsed ? colorsUsed : (1u << bpp);
    if (count > (1u << bpp)) count = 1u << bpp;
    if (paletteOffset > size || count > (size - paletteOffset) / paletteEntry)
      throw EacImageError("BMP palette is truncated");
    for (size_t i = 0; i < count; ++i) {
      const uint8_t* e = data + paletteOffset + i * paletteEntry;
      palette[i] = static_cast<uint32_t>(e[0]) | static_cast<uint32_t>(e[1]) << 8 | static_cast<uint32_t>(e[2]) << 16;
    }
  }

  const TacPixelFormat format = bpp == 32 ? TacPixelFormat::pf32bit : TacPixelFormat::pf24bit;
  const int w = static_cast<int>(width), h = static_cast<int>(height);
  if (w == 0 || h == 0) return NewBitmapOrThrow(0, 0, format);
  const uint64_t stride = (static_cast<uint64_t>(w) * bpp + 31) / 32 * 4;
  const uint64_t rowBytes = (static_cast<uint64_t>(w) * bpp + 7) / 8;
  if (offBits >= size || stride * static_cast<uint64_t>(h - 1) + rowBytes > size - offBits)
    throw EacImageError("BMP pixel data is truncated");

  TacBitmapPtr bmp = NewBitmapOrThrow(w, h, format);
  for (int i = 0; i < h; ++i) {
    const uint8_t* s = data + offBits + stride * static_cast<uint64_t>(i);
    uint8_t* d = bmp->Row(topDown ? i : h - 1 - i);
    if (bpp == 24 || bpp == 32) {
      std::memcpy(d, s, static_cast<size_t>(rowBytes));
      continue;
    }
    const unsigned perByte = 8 / bpp, mask = (1u << bpp) - 1;
    for (int x = 0; x < w; ++x, d += 3) {
      unsigned shift = 8 - bpp * (static_cast<unsigned>(x) % perByte + 1);
      uint32_t c = palette[(s[static_cast<unsigned>(x) / perByte] >> shift) & mask];
      d[0] = static_cast<uint8_t>(c);
      d[1] = static_cast<uint8_t>(c >> 8);
      d[2] = static_cast<uint8_t>(c >> 16);
    }
  }
  return bmp;
}

// ---- PNG (libpng's simplified reader keeps its longjmp to itself)

class PngImage {
 public:
  PngImage() {
    std::memset(&image_, 0, sizeof image_);
    image_.version = PNG_IMAGE_VERSION;
  }
  ~PngImage() { png_image_free(&image_); }
  PngImage(const PngImage&) = delete;
  PngImage& operator=(const PngImage&) = delete;
  png_image* operator->() { return &image_; }
  png_image* get() { return &image_; }

 private:
  png_image image_;
};

// Raw (filtered, uncompressed) bytes the image data must inflate to; deflate
// cannot expand by more than about 1032:1, so a small file cannot honestly hold
// a huge image.
uint64_t PngRawBytes(const uint8_t* data, size_t size) {
  if (size < 26 || std::memcmp(data + 12, "IHDR", 4) != 0) return 0;
  uint64_t w = U32BE(data + 16), h = U32BE(data + 20);
  unsigned depth = data[24], type = data[25];
  unsigned channels = type == 2 ? 3 : type == 4 ? 2 : type == 6 ? 4 : 1;
  uint64_t rowBits = w * channels * depth;
  return h * ((rowBits + 7) / 8 + 1);
}

TacBitmapPtr DecodePngChecked(const uint8_t* data, size_t size) {
  PngImage png;
  if (!png_image_begin_read_from_memory(png.get(), data, size))
    throw EacImageError(std::string("PNG image is damaged: ") + png->message);
  CheckImageSize("PNG", png->width, png->height);
  if (PngRawBytes(data, size) > static_cast<uint64_t>(size) * 1032 + 4096)
    throw EacImageError("PNG image data is truncated");
  png->format = PNG_FORMAT_BGRA;
  const int w = static_cast<int>(png->width), h = static_cast<int>(png->height);
  TacBitmapPtr bmp = NewBitmapOrThrow(w, h, TacPixelFormat::pf32bit);
  // Stride in components, which are bytes at 8 bits; negative means bottom-up.
  const png_int_32 stride = static_cast<png_int_32>(bmp->RowStep());
  void* buffer = stride >= 0 ? bmp->Row0() : bmp->Row(h - 1);
  if (!png_image_finish_read(png.get(), nullptr, buffer, stride, nullptr))
    throw EacImageError(std::string("PNG image is damaged: ") + png->message);
  return bmp;
}

// ---- JPEG (libjpeg reports errors by longjmp: every step that may jump is a
// function of its own holding nothing with a destructor)

struct JpegErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

// Progressive files of very many scans take forever to decode; real ones have few.
constexpr int MaxJpegScans = 500;

struct JpegDecoder {
  jpeg_decompress_struct cinfo;
  JpegErrorManager error;
  jpeg_progress_mgr progress;
};

extern "C" void JpegErrorExit(j_common_ptr cinfo) {
  JpegErrorManager* e = reinterpret_cast<JpegErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, e->message);
  std::longjmp(e->jump, 1);
}

extern "C" void JpegNoOutput(j_common_ptr) {}

extern "C" void JpegProgress(j_common_ptr cinfo) {
  j_decompress_ptr d = reinterpret_cast<j_decompress_ptr>(cinfo);
  if (d->input_scan_number > MaxJpegScans) {
    JpegErrorManager* e = reinterpret_cast<JpegErrorManager*>(cinfo->err);
    std::snprintf(e->message, sizeof e->message, "too many scans");
    std::longjmp(e->jump, 1);
  }
}

bool JpegReadHeader(JpegDecoder* d, const uint8_t* data, unsigned long size) {
  if (setjmp(d->error.jump)) return false;
  jpeg_create_decompress(&d->cinfo);
  d->progress.progress_monitor = JpegProgress;
  d->cinfo.progress = &d->progress;
  jpeg_mem_src(&d->cinfo, data, size);
  if (jpeg_read_header(&d->cinfo, TRUE) != JPEG_HEADER_OK) {
    std::snprintf(d->error.message, sizeof d->error.message, "no image in the file");
    return false;
  }
  return true;
}

bool JpegStart(JpegDecoder* d) {
  if (setjmp(d->error.jump)) return false;
#ifdef JCS_EXTENSIONS
  d->cinfo.out_color_space = JCS_EXT_BGR;
#else
  d->cinfo.out_color_space = JCS_RGB;
#endif
  jpeg_start_decompress(&d->cinfo);
  if (d->cinfo.output_components != 3) {
    std::snprintf(d->error.message, sizeof d->error.message, "unexpected colour layout");
    return false;
  }
  return true;
}

bool JpegReadRows(JpegDecoder* d, TacBitmap* bmp) {
  if (setjmp(d->error.jump)) return false;
  while (d->cinfo.output_scanline < d->cinfo.output_height) {
    JSAMPROW row = bmp->Row(static_cast<int>(d->cinfo.output_scanline));
    if (jpeg_read_scanlines(&d->cinfo, &row, 1) != 1) {
      std::snprintf(d->error.message, sizeof d->error.message, "no more rows");
      return false;
    }
#ifndef JCS_EXTENSIONS
    for (uint8_t* p = row; p < row + 3 * d->cinfo.output_width; p += 3) std::swap(p[0], p[2]);
#endif
  }
  jpeg_finish_decompress(&d->cinfo);
  return true;
}

class JpegDecoderHolder {
 public:
  JpegDecoderHolder() {
    std::memset(&d_, 0, sizeof d_);
    d_.cinfo.err = jpeg_std_error(&d_.error.pub);
    d_.error.pub.error_exit = JpegErrorExit;
    d_.error.pub.output_message = JpegNoOutput;
  }
  ~JpegDecoderHolder() { jpeg_destroy_decompress(&d_.cinfo); }
  JpegDecoderHolder(const JpegDecoderHolder&) = delete;
  JpegDecoderHolder& operator=(const JpegDecoderHolder&) = delete;
  JpegDecoder* get() { return &d_; }
  [[noreturn]] void Fail() { throw EacImageError(std::string("JPEG image is damaged: ") + d_.error.message); }

 private:
  JpegDecoder d_;
};

// Even a one-colour picture needs some bits per 8 x 8 block; this bound is far
// above what real files reach.
constexpr uint64_t MaxJpegPixelsPerByte = 4096;

TacBitmapPtr DecodeJpegChecked(const uint8_t* data, size_t size) {
  if (size > std::numeric_limits<unsigned long>::max()) throw EacImageError("JPEG image is too large");
  JpegDecoderHolder holder;
  JpegDecoder* d = holder.get();
  if (!JpegReadHeader(d, data, static_cast<unsigned long>(size))) holder.Fail();
  CheckImageSize("JPEG", d->cinfo.image_width, d->cinfo.image_height);
  if (static_cast<uint64_t>(d->cinfo.image_width) * d->cinfo.image_height >
      static_cast<uint64_t>(size) * MaxJpegPixelsPerByte)
    throw EacImageError("JPEG image data is truncated");
  if (!JpegStart(d)) holder.Fail();
  CheckImageSize("JPEG", d->cinfo.output_width, d->cinfo.output_height);
  TacBitmapPtr bmp = NewBitmapOrThrow(static_cast<int>(d->cinfo.output_width),
                                      static_cast<int>(d->cinfo.output_height), TacPixelFormat::pf24bit);
  if (!JpegReadRows(d, bmp.get())) holder.Fail();
  return bmp;
}

}  // namespace

TacImageFormat SniffImageFormat(const uint8_t* data, size_t size) {
  static const uint8_t pngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (size >= 2 && data[0] == 'B' && data[1] == 'M') return TacImageFormat::ifBmp;
  if (size >= 8 && std::memcmp(data, pngSignature, 8) == 0) return TacImageFormat::ifPng;
  if (size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF) return TacImageFormat::ifJpeg;
  return TacImageFormat::ifUnknown;
}

TacBitmapPtr DecodeBmp(const uint8_t* data, size_t size) { return DecodeBmpChecked(data, data ? size : 0); }

TacBitmapPtr DecodePng(const uint8_t* data, size_t size) {
  if (!data || size == 0) throw EacImageError("PNG image is empty");
  if (TacBitmapPtr plain = DecodePlainPng(data, size)) return plain;
  return DecodePngChecked(data, size);
}

TacBitmapPtr DecodeJpeg(const uint8_t* data, size_t size) {
  if (!data || size == 0) throw EacImageError("JPEG image is empty");
  return DecodeJpegChecked(data, size);
}

TacBitmapPtr DecodeImage(const uint8_t* data, size_t size) {
  switch (SniffImageFormat(data, data ? size : 0)) {
    case TacImageFormat::ifBmp: return DecodeBmp(data, size);
    case TacImageFormat::ifPng: return DecodePng(data, size);
    case TacImageFormat::ifJpeg: return DecodeJpeg(data, size);
    default: throw EacImageError("Unknown image format");
  }
}
