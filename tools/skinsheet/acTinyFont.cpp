#include "acTinyFont.h"

#include <cctype>

namespace {

// Five rows of three bits per character, most significant bit leftmost.
struct Glyph {
  char C;
  uint8_t Rows[5];
};
constexpr Glyph kGlyphs[] = {
    {'A', {2, 5, 7, 5, 5}}, {'B', {6, 5, 6, 5, 6}}, {'C', {3, 4, 4, 4, 3}}, {'D', {6, 5, 5, 5, 6}},
    {'E', {7, 4, 6, 4, 7}}, {'F', {7, 4, 6, 4, 4}}, {'G', {3, 4, 5, 5, 3}}, {'H', {5, 5, 7, 5, 5}},
    {'I', {7, 2, 2, 2, 7}}, {'J', {1, 1, 1, 5, 2}}, {'K', {5, 5, 6, 5, 5}}, {'L', {4, 4, 4, 4, 7}},
    {'M', {5, 7, 7, 5, 5}}, {'N', {6, 5, 5, 5, 5}}, {'O', {2, 5, 5, 5, 2}}, {'P', {6, 5, 6, 4, 4}},
    {'Q', {2, 5, 5, 6, 3}}, {'R', {6, 5, 6, 5, 5}}, {'S', {3, 4, 2, 1, 6}}, {'T', {7, 2, 2, 2, 2}},
    {'U', {5, 5, 5, 5, 7}}, {'V', {5, 5, 5, 5, 2}}, {'W', {5, 5, 7, 7, 5}}, {'X', {5, 5, 2, 5, 5}},
    {'Y', {5, 5, 2, 2, 2}}, {'Z', {7, 1, 2, 4, 7}}, {'0', {7, 5, 5, 5, 7}}, {'1', {2, 6, 2, 2, 7}},
    {'2', {6, 1, 2, 4, 7}}, {'3', {6, 1, 2, 1, 6}}, {'4', {5, 5, 7, 1, 1}}, {'5', {7, 4, 6, 1, 6}},
    {'6', {3, 4, 7, 5, 7}}, {'7', {7, 1, 2, 2, 2}}, {'8', {7, 5, 7, 5, 7}}, {'9', {7, 5, 7, 1, 6}},
    {'_', {0, 0, 0, 0, 7}}, {'-', {0, 0, 7, 0, 0}}, {' ', {0, 0, 0, 0, 0}}, {':', {0, 2, 0, 2, 0}},
    {'.', {0, 0, 0, 0, 2}},
};
constexpr uint8_t kUnknown[5] = {7, 5, 5, 5, 7};

const uint8_t* RowsOf(char c) {
  const char u = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  for (const Glyph& g : kGlyphs)
    if (g.C == u) return g.Rows;
  return kUnknown;
}

void Put(TacBitmap* bmp, int x, int y, uint32_t rgb) {
  if (x < 0 || y < 0 || x >= bmp->Width() || y >= bmp->Height()) return;
  uint8_t* p = bmp->Pixel(x, y);
  p[0] = static_cast<uint8_t>(rgb >> 16), p[1] = static_cast<uint8_t>(rgb >> 8), p[2] = static_cast<uint8_t>(rgb);
  if (bmp->BytesPerPixel() == 4) p[3] = 255;
}

}  // namespace

int DrawTinyText(TacBitmap* bmp, int x, int y, const std::string& text, uint32_t rgb, int scale) {
  const int start = x;
  for (char c : text) {
    const uint8_t* rows = RowsOf(c);
    for (int row = 0; row < 5; ++row)
      for (int col = 0; col < 3; ++col)
        if (rows[row] & (4 >> col))
          for (int dy = 0; dy < scale; ++dy)
            for (int dx = 0; dx < scale; ++dx) Put(bmp, x + col * scale + dx, y + row * scale + dy, rgb);
    x += 4 * scale;
  }
  return x - start;
}
