#include "skin/acImageDecode.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdlib>

#include "SkinFixtures.h"

namespace {

uint32_t Rgb(const TacBitmap& b, int x, int y) {
  const uint8_t* p = b.Pixel(x, y);
  return p[2] | (p[1] << 8) | (static_cast<uint32_t>(p[0]) << 16);
}

uint32_t Pattern(int x, int y) { return static_cast<uint32_t>((x * 40) | (y * 50) << 8 | ((x + y) * 20) << 16); }

void PutBE32(std::vector<uint8_t>& v, size_t at, uint32_t x) {
  for (int i = 0; i < 4; ++i) v[at + i] = static_cast<uint8_t>(x >> (24 - 8 * i));
}

}  // namespace

TEST(ImageDecode, BmpPixelLayoutsDecodeExactly) {
  const std::vector<uint32_t> palette = {0x000000, 0x0000FF, 0x00FF00, 0xFF0000, 0xFF00FF, 0x123456, 0xFFFFFF,
                                         0x808080, 0x010203, 0x0A0B0C, 0xA0B0C0, 0x111111, 0x222222, 0x333333,
                                         0x444444, 0x555555};
  auto index = [](int x, int y, int colors) { return static_cast<uint32_t>((x * 3 + y * 5) % colors); };
  struct Case {
    const char* what;
    int w, h, bpp;
    bool topDown;
  };
  const Case cases[] = {{"24-bit bottom-up", 5, 3, 24, false}, {"24-bit top-down", 5, 3, 24, true},
                        {"32-bit", 4, 3, 32, false},           {"8-bit palette", 7, 2, 8, false},
                        {"4-bit palette, odd width", 5, 4, 4, false}, {"1-bit palette", 9, 2, 1, true}};
  for (const Case& c : cases) {
    const int colors = c.bpp == 1 ? 2 : c.bpp == 4 ? 16 : 16;
    std::vector<uint32_t> pal;
    if (c.bpp <= 8) pal.assign(palette.begin(), palette.begin() + colors);
    std::vector<uint8_t> file = skinfix::MakeBmp(
        c.w, c.h, c.bpp,
        [&](int x, int y) {
          if (c.bpp <= 8) return index(x, y, colors);
          return Pattern(x, y) | (c.bpp == 32 ? static_cast<uint32_t>(x * 60) << 24 : 0u);
        },
        pal, c.topDown);
    TacBitmapPtr bmp = DecodeBmp(file.data(), file.size());
    ASSERT_EQ(bmp->Width(), c.w) << c.what;
    ASSERT_EQ(bmp->Height(), c.h) << c.what;
    EXPECT_EQ(bmp->Format(), c.bpp == 32 ? TacPixelFormat::pf32bit : TacPixelFormat::pf24bit) << c.what;
    for (int y = 0; y < c.h; ++y)
      for (int x = 0; x < c.w; ++x) {
        uint32_t want = c.bpp <= 8 ? palette[index(x, y, colors)] : Pattern(x, y);
        ASSERT_EQ(Rgb(*bmp, x, y), want) << c.what << " at " << x << "," << y;
        if (c.bpp == 32) {
          ASSERT_EQ(bmp->Pixel(x, y)[3], x * 60) << c.what;
        }
      }
  }
}

TEST(ImageDecode, BmpOfWidthZeroIsEmpty) {
  std::vector<uint8_t> file = skinfix::MakeBmp(0, 3, 24, Pattern);
  TacBitmapPtr bmp = DecodeBmp(file.data(), file.size());
  EXPECT_EQ(bmp->Width(), 0);
}

TEST(ImageDecode, BadBmpFilesRaiseCleanErrors) {
  auto patch32 = [](std::vector<uint8_t>& v, size_t at, uint32_t x) {
    for (int i = 0; i < 4; ++i) v[at + i] = static_cast<uint8_t>(x >> (8 * i));
  };
  struct Case {
    const char* what;
    std::function<void(std::vector<uint8_t>&)> mutate;
  };
  const Case cases[] = {
      {"not a bitmap", [](std::vector<uint8_t>& v) { v[0] = 'X'; }},
      {"pixel data cut", [](std::vector<uint8_t>& v) { v.resize(v.size() - 3); }},
      {"header cut", [](std::vector<uint8_t>& v) { v.resize(30); }},
      {"width beyond the side limit", [&](std::vector<uint8_t>& v) { patch32(v, 18, 20000); }},
      {"height beyond the side limit", [&](std::vector<uint8_t>& v) { patch32(v, 22, 0x80000000u); }},
      {"pixel count beyond the limit",
       [&](std::vector<uint8_t>& v) {
         patch32(v, 18, 16000);
         patch32(v, 22, 16000);
       }},
      {"negative width", [&](std::vector<uint8_t>& v) { patch32(v, 18, 0xFFFFFFF0u); }},
      {"16 bits per pixel", [](std::vector<uint8_t>& v) { v[28] = 16; }},
      {"RLE compression", [&](std::vector<uint8_t>& v) { patch32(v, 30, 1); }},
      {"pixel offset beyond the file", [&](std::vector<uint8_t>& v) { patch32(v, 10, 0xFFFFFFF0u); }},
      {"header size beyond the file", [&](std::vector<uint8_t>& v) { patch32(v, 14, 0x7FFFFFFF); }},
      {"palette beyond the file",
       [&](std::vector<uint8_t>& v) {
         v[28] = 8;
         patch32(v, 46, 256);
         v.resize(60);
       }},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> file = skinfix::MakeBmp(4, 4, 24, Pattern);
    c.mutate(file);
    EXPECT_THROW(DecodeBmp(file.data(), file.size()), EacImageError) << c.what;
  }
}

TEST(ImageDecode, PngGivesStraightAlphaIn32Bits) {
  auto pixel = [](int x, int y) { return Pattern(x, y) | static_cast<uint32_t>(x * 80 + y) << 24; };
  std::vector<uint8_t> file = skinfix::MakePng(4, 3, pixel);
  TacBitmapPtr bmp = DecodePng(file.data(), file.size());
  ASSERT_EQ(bmp->Format(), TacPixelFormat::pf32bit);
  ASSERT_EQ(bmp->Width(), 4);
  ASSERT_EQ(bmp->Height(), 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) {
      EXPECT_EQ(Rgb(*bmp, x, y), Pattern(x, y)) << x << "," << y;
      EXPECT_EQ(bmp->Pixel(x, y)[3], x * 80 + y) << x << "," << y;
    }
}

TEST(ImageDecode, BadPngFilesRaiseCleanErrors) {
  std::vector<uint8_t> good = skinfix::MakePng(8, 8, [](int x, int y) { return Pattern(x, y) | 0xFF000000u; });
  // IHDR with a new width and a correct CRC, so only the size limit refuses it.
  auto withWidth = [&](uint32_t width) {
    std::vector<uint8_t> v = good;
    PutBE32(v, 16, width);
    PutBE32(v, 29, static_cast<uint32_t>(crc32(0, v.data() + 12, 17)));
    return v;
  };
  struct Case {
    const char* what;
    std::vector<uint8_t> file;
  };
  std::vector<uint8_t> cut(good.begin(), good.begin() + static_cast<ptrdiff_t>(good.size() / 2));
  std::vector<uint8_t> badCrc = good;
  badCrc[20] ^= 1;
  const Case cases[] = {{"cut in half", cut},
                        {"IHDR CRC wrong", badCrc},
                        {"width beyond the side limit", withWidth(20000)},
                        {"more rows than the data holds", withWidth(16000)},
                        {"signature only", std::vector<uint8_t>(good.begin(), good.begin() + 8)}};
  for (const Case& c : cases) EXPECT_THROW(DecodePng(c.file.data(), c.file.size()), EacImageError) << c.what;
}

TEST(ImageDecode, JpegGives24BitsCloseToTheSource) {
  auto pixel = [](int x, int) { return x < 8 ? 0x2040C0u : 0xC08020u; };
  std::vector<uint8_t> file = skinfix::MakeJpeg(16, 8, pixel, 100);
  TacBitmapPtr bmp = DecodeJpeg(file.data(), file.size());
  ASSERT_EQ(bmp->Format(), TacPixelFormat::pf24bit);
  ASSERT_EQ(bmp->Width(), 16);
  ASSERT_EQ(bmp->Height(), 8);
  for (int x : {0, 3, 12, 15}) {
    uint32_t want = pixel(x, 0), got = Rgb(*bmp, x, 4);
    for (int shift : {0, 8, 16})
      EXPECT_NEAR(static_cast<int>((got >> shift) & 255), static_cast<int>((want >> shift) & 255), 6)
          << "x " << x << " channel " << shift;
  }
}

TEST(ImageDecode, BadJpegFilesRaiseCleanErrors) {
  std::vector<uint8_t> good = skinfix::MakeJpeg(16, 16, Pattern);
  std::vector<uint8_t> header(good.begin(), good.begin() + 40);
  std::vector<uint8_t> garbage = {0xFF, 0xD8, 0xFF, 0x00, 0x01, 0x02, 0x03};
  EXPECT_THROW(DecodeJpeg(header.data(), header.size()), EacImageError);
  EXPECT_THROW(DecodeJpeg(garbage.data(), garbage.size()), EacImageError);
}

TEST(ImageDecode, DecodeImageChoosesByContent) {
  std::vector<uint8_t> bmp = skinfix::SolidBmp24(2, 2, 0x0000FF);
  std::vector<uint8_t> png = skinfix::MakePng(2, 2, [](int, int) { return 0xFF00FF00u; });
  std::vector<uint8_t> jpg = skinfix::MakeJpeg(2, 2, [](int, int) { return 0u; });
  EXPECT_EQ(DecodeImage(bmp.data(), bmp.size())->Format(), TacPixelFormat::pf24bit);
  EXPECT_EQ(DecodeImage(png.data(), png.size())->Format(), TacPixelFormat::pf32bit);
  EXPECT_EQ(DecodeImage(jpg.data(), jpg.size())->Width(), 2);
  std::vector<uint8_t> text = skinfix::Bytes("GIF89a");
  EXPECT_THROW(DecodeImage(text.data(), text.size()), EacImageError);
  EXPECT_THROW(DecodeImage(nullptr, 0), EacImageError);
}
