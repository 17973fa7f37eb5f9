// The plain PNG reader against libpng's reader: the same pixels for every plain
// file, and every other file left to libpng (so its pixels and errors stay).
#include "skin/acPlainPng.h"

#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <cctype>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "skin/acImageDecode.h"

namespace {

using Bytes = std::vector<uint8_t>;

void PutBE32(Bytes& v, uint32_t x) {
  for (int i = 0; i < 4; ++i) v.push_back(static_cast<uint8_t>(x >> (24 - 8 * i)));
}

Bytes Chunk(const char* type, const Bytes& body) {
  Bytes c;
  PutBE32(c, static_cast<uint32_t>(body.size()));
  c.insert(c.end(), type, type + 4);
  c.insert(c.end(), body.begin(), body.end());
  PutBE32(c, static_cast<uint32_t>(crc32(0, c.data() + 4, static_cast<uInt>(body.size() + 4))));
  return c;
}

// How a test file is made: its header fields, the filter type of each row, how the
// image data is cut into IDAT chunks, and what goes around them.
struct Recipe {
  int Width = 5, Height = 4;
  int ColourType = 6, Depth = 8, Interlace = 0;
  std::function<int(int)> Filter = [](int y) { return y % 5; };
  int IdatParts = 1;
  bool EmptyIdatFirst = false;
  std::vector<std::pair<std::string, Bytes>> Before, Between, After;  // chunks
  int ExtraRows = 0;        // rows of data beyond the image (negative: fewer)
  bool BadIdatCrc = false;
  Bytes Trailer;            // bytes after IEND
};

int Channels(const Recipe& r) { return r.ColourType == 6 ? 4 : r.ColourType == 2 ? 3 : r.ColourType == 4 ? 2 : 1; }

int PaethOf(int a, int b, int c) {
  const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

// Random samples, each row filtered with its recipe's filter type.
Bytes FilteredRows(const Recipe& r, std::mt19937& rng) {
  const size_t bpp = static_cast<size_t>(Channels(r)) * static_cast<size_t>(r.Depth / 8 > 0 ? r.Depth / 8 : 1);
  const size_t rowBytes = (static_cast<size_t>(r.Width) * Channels(r) * r.Depth + 7) / 8;
  std::vector<Bytes> raw(static_cast<size_t>(r.Height + std::max(r.ExtraRows, 0)), Bytes(rowBytes));
  for (Bytes& row : raw)
    for (uint8_t& b : row) b = static_cast<uint8_t>(rng() % 4 == 0 ? 0x80 : rng());  // some repeats
  Bytes out;
  const int rows = r.Height + r.ExtraRows;
  for (int y = 0; y < rows; ++y) {
    const Bytes& row = raw[static_cast<size_t>(y)];
    const Bytes* prior = y > 0 ? &raw[static_cast<size_t>(y - 1)] : nullptr;
    const int type = r.Filter(y);
    out.push_back(static_cast<uint8_t>(type));
    for (size_t i = 0; i < rowBytes; ++i) {
      const int a = i >= bpp ? row[i - bpp] : 0, b = prior ? (*prior)[i] : 0;
      const int c = prior && i >= bpp ? (*prior)[i - bpp] : 0;
      const int predictor = type == 1 ? a : type == 2 ? b : type == 3 ? (a + b) / 2 : type == 4 ? PaethOf(a, b, c) : 0;
      out.push_back(static_cast<uint8_t>(row[i] - predictor));
    }
  }
  return out;
}

Bytes MakeFile(const Recipe& r, unsigned seed) {
  std::mt19937 rng(seed);
  const Bytes filtered = FilteredRows(r, rng);
  uLongf packedSize = compressBound(static_cast<uLong>(filtered.size()));
  Bytes packed(packedSize);
  compress2(packed.data(), &packedSize, filtered.data(), static_cast<uLong>(filtered.size()), 6);
  packed.resize(packedSize);

  Bytes file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  auto add = [&](const Bytes& c) { file.insert(file.end(), c.begin(), c.end()); };
  Bytes ihdr;
  PutBE32(ihdr, static_cast<uint32_t>(r.Width));
  PutBE32(ihdr, static_cast<uint32_t>(r.Height));
  ihdr.insert(ihdr.end(), {static_cast<uint8_t>(r.Depth), static_cast<uint8_t>(r.ColourType), 0, 0,
                           static_cast<uint8_t>(r.Interlace)});
  add(Chunk("IHDR", ihdr));
  for (const auto& c : r.Before) add(Chunk(c.first.c_str(), c.second));
  if (r.EmptyIdatFirst) add(Chunk("IDAT", {}));
  const size_t part = (packed.size() + static_cast<size_t>(r.IdatParts) - 1) / static_cast<size_t>(r.IdatParts);
  for (size_t at = 0; at < packed.size(); at += part) {
    Bytes idat = Chunk("IDAT", Bytes(packed.begin() + static_cast<ptrdiff_t>(at),
                                     packed.begin() + static_cast<ptrdiff_t>(std::min(packed.size(), at + part))));
    if (r.BadIdatCrc) idat.back() ^= 1;
    add(idat);
    if (at == 0)
      for (const auto& c : r.Between) add(Chunk(c.first.c_str(), c.second));
  }
  for (const auto& c : r.After) add(Chunk(c.first.c_str(), c.second));
  add(Chunk("IEND", {}));
  file.insert(file.end(), r.Trailer.begin(), r.Trailer.end());
  return file;
}

// libpng's reader as the skin loader used it before: blue, green, red, alpha.
struct LibpngResult {
  bool Ok = false;
  std::string Message;
  uint32_t Width = 0, Height = 0;
  Bytes Pixels;
};
LibpngResult ReadWithLibpng(const Bytes& file) {
  LibpngResult result;
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (png_image_begin_read_from_memory(&image, file.data(), file.size())) {
    image.format = PNG_FORMAT_BGRA;
    result.Width = image.width;
    result.Height = image.height;
    result.Pixels.resize(PNG_IMAGE_SIZE(image));
    result.Ok = png_image_finish_read(&image, nullptr, result.Pixels.data(), 0, nullptr) != 0;
  }
  result.Message = image.message;
  png_image_free(&image);
  return result;
}

Bytes PixelsOf(const TacBitmap& b) {
  Bytes out;
  for (int y = 0; y < b.Height(); ++y) out.insert(out.end(), b.Row(y), b.Row(y) + 4 * b.Width());
  return out;
}

Bytes Body(std::initializer_list<uint8_t> bytes) { return Bytes(bytes); }

struct Case {
  const char* What;
  Recipe R;
  bool Plain;  // read without libpng
};

Recipe With(std::function<void(Recipe&)> change) {
  Recipe r;
  change(r);
  return r;
}

const Bytes Phys = {0, 0, 11, 19, 0, 0, 11, 19, 1};
const Bytes Time = {7, 232, 1, 2, 3, 4, 5};

class PlainPngFiles : public ::testing::TestWithParam<Case> {};

TEST_P(PlainPngFiles, DecodeAsLibpngDoesAndOnlyPlainFilesWithoutIt) {
  const Case& c = GetParam();
  for (unsigned seed = 1; seed <= 3; ++seed) {
    const Bytes file = MakeFile(c.R, seed);
    const LibpngResult want = ReadWithLibpng(file);
    TacBitmapPtr plain = DecodePlainPng(file.data(), file.size());
    EXPECT_EQ(plain != nullptr, c.Plain) << c.What;
    if (plain) {
      ASSERT_TRUE(want.Ok) << c.What << ": " << want.Message;
      EXPECT_EQ(PixelsOf(*plain), want.Pixels) << c.What;
    }
    // Through the public reader: libpng's pixels, or its error.
    if (want.Ok) {
      TacBitmapPtr got = DecodePng(file.data(), file.size());
      ASSERT_EQ(static_cast<uint32_t>(got->Width()), want.Width) << c.What;
      EXPECT_EQ(PixelsOf(*got), want.Pixels) << c.What;
    } else {
      try {
        DecodePng(file.data(), file.size());
        ADD_FAILURE() << c.What << ": no error";
      } catch (const EacImageError& e) {
        EXPECT_EQ(std::string(e.what()), "PNG image is damaged: " + want.Message) << c.What;
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Files, PlainPngFiles,
    ::testing::Values(
        Case{"RGBA, every filter", Recipe(), true},
        Case{"RGB, every filter", With([](Recipe& r) { r.ColourType = 2; }), true},
        Case{"one pixel", With([](Recipe& r) { r.Width = r.Height = 1; }), true},
        Case{"wide RGB, Paeth and average rows",
             With([](Recipe& r) { r.ColourType = 2, r.Width = 67, r.Height = 9, r.Filter = [](int y) { return 3 + y % 2; }; }), true},
        Case{"image data in many chunks, the first one empty",
             With([](Recipe& r) { r.IdatParts = 7, r.EmptyIdatFirst = true, r.Height = 12; }), true},
        Case{"sRGB, pHYs and tIME",
             With([](Recipe& r) { r.Before = {{"sRGB", Body({0})}, {"pHYs", Phys}, {"tIME", Time}}; }), true},
        // Left to libpng.
        Case{"gamma", With([](Recipe& r) { r.Before = {{"gAMA", Body({0, 0, 0xB1, 0x8F})}}; }), false},
        Case{"RGB with a transparent colour",
             With([](Recipe& r) { r.ColourType = 2, r.Before = {{"tRNS", Body({0, 0x80, 0, 0x80, 0, 0x80})}}; }), false},
        Case{"grey", With([](Recipe& r) { r.ColourType = 0; }), false},
        Case{"grey and alpha", With([](Recipe& r) { r.ColourType = 4; }), false},
        Case{"16 bits", With([](Recipe& r) { r.Depth = 16; }), false},
        Case{"interlaced", With([](Recipe& r) { r.Interlace = 1, r.Filter = [](int) { return 0; }; }), false},
        Case{"text", With([](Recipe& r) { r.Before = {{"tEXt", Body({'a', 0, 'b'})}}; }), false},
        Case{"text after the image", With([](Recipe& r) { r.After = {{"tEXt", Body({'a', 0, 'b'})}}; }), false},
        Case{"a chunk between image data chunks",
             With([](Recipe& r) { r.IdatParts = 3, r.Between = {{"tIME", Time}}; }), false},
        Case{"sRGB twice", With([](Recipe& r) { r.Before = {{"sRGB", Body({0})}, {"sRGB", Body({0})}}; }), false},
        Case{"sRGB of an unknown intent", With([](Recipe& r) { r.Before = {{"sRGB", Body({4})}}; }), false},
        Case{"image data CRC wrong", With([](Recipe& r) { r.BadIdatCrc = true; }), false},
        Case{"a row missing", With([](Recipe& r) { r.ExtraRows = -1; }), false},
        Case{"a row too many", With([](Recipe& r) { r.ExtraRows = 1; }), false},
        Case{"unknown filter type", With([](Recipe& r) { r.Filter = [](int y) { return y == 2 ? 5 : 0; }; }), false},
        Case{"bytes after the end", With([](Recipe& r) { r.Trailer = {0, 0, 0, 0}; }), false}),
    [](const ::testing::TestParamInfo<Case>& info) {
      std::string name;
      for (const char* p = info.param.What; *p; ++p) name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
      return name;
    });

TEST(PlainPng, NotAPngOrCutShortIsNotPlain) {
  const Bytes file = MakeFile(Recipe(), 9);
  EXPECT_EQ(DecodePlainPng(nullptr, 0), nullptr);
  for (size_t cut : {size_t{0}, size_t{7}, size_t{8}, size_t{33}, file.size() / 2, file.size() - 1})
    EXPECT_EQ(DecodePlainPng(file.data(), cut), nullptr) << cut;
  Bytes wrong = file;
  wrong[1] = 'Q';
  EXPECT_EQ(DecodePlainPng(wrong.data(), wrong.size()), nullptr);
}

}  // namespace
