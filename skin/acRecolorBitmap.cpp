#include "skin/acRecolorBitmap.h"

#include <emmintrin.h>

#include <cstring>
#include <vector>

// Each row first takes the finished row above; SSE2 then compares the row's
// original pixels with the original row above, 16 at a time, and only the pixels
// that differ are looked up. (SSE2 is the baseline of both Windows builds and of
// every x86-64.)
namespace {

constexpr int WordPixels = 64;  // one bit per pixel in a 64-bit word

uint32_t Load32(const uint8_t* p) {
  uint32_t v;
  std::memcpy(&v, p, 4);  // x86 is little-endian: blue in the low byte
  return v;
}

// Bit i set when byte i of a and of b are equal, over 16 Chunks bytes.
template <int Chunks>
uint64_t EqualBytes(const uint8_t* a, const uint8_t* b) {
  uint64_t m = 0;
#pragma GCC unroll 4
  for (int i = 0; i < Chunks; ++i) {
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + 16 * i));
    const __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + 16 * i));
    m |= static_cast<uint64_t>(static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(x, y)))) << (16 * i);
  }
  return m;
}

// For 16 pixels of Bpp bytes, from the mask of their equal bytes: bit k set when
// every byte of pixel k is equal.
uint32_t EqualPixels(uint64_t m, std::integral_constant<int, 3>) {
  uint64_t x = m & m >> 1 & m >> 2 & 0x249249249249ull;  // bit 3k
  x = (x | x >> 2) & 0x0C30C30C30C3ull;
  x = (x | x >> 4) & 0x00F00F00F00Full;
  x = (x | x >> 8) & 0x0000FF0000FFull;
  x = (x | x >> 16) & 0x00000000FFFFull;
  return static_cast<uint32_t>(x);
}
uint32_t EqualPixels(uint64_t m, std::integral_constant<int, 4>) {
  uint64_t x = m & m >> 1 & m >> 2 & m >> 3 & 0x1111111111111111ull;  // bit 4k
  x = (x | x >> 3) & 0x0303030303030303ull;
  x = (x | x >> 6) & 0x000F000F000F000Full;
  x = (x | x >> 12) & 0x000000FF000000FFull;
  x = (x | x >> 24) & 0x000000000000FFFFull;
  return static_cast<uint32_t>(x);
}

template <int Bpp>
void RecolorRows(TacBitmap& bmp, TacColorMemo& memo) {
  const int w = bmp.Width(), h = bmp.Height();
  const size_t rowBytes = static_cast<size_t>(w) * Bpp;
  const int words = (w + WordPixels - 1) / WordPixels;
  // Copies of this row and the row above as they were, padded to whole words.
  const size_t copyBytes = static_cast<size_t>(words) * WordPixels * Bpp;
  std::vector<uint8_t> copies(2 * copyBytes + 4);
  uint8_t* original = copies.data();
  uint8_t* above = original + copyBytes;
  TacColorMemo::TableView view = memo.View();
  uint32_t lastIn = 0xFF00FFu, lastOut = memo.MapPixel(0xFF00FFu);
  for (int y = 0; y < h; ++y) {
    uint8_t* out = bmp.Row(y);
    std::memcpy(original, out, rowBytes);
    if (y > 0) std::memcpy(out, bmp.Row(y - 1), rowBytes);
    for (int word = 0; word < words; ++word) {
      const size_t base = static_cast<size_t>(word) * WordPixels * Bpp;
      uint64_t differ = ~uint64_t{0};
      if (y > 0) {
        uint64_t alike = 0;
#pragma GCC unroll 4
        for (int g = 0; g < WordPixels / 16; ++g) {
          const size_t at = base + static_cast<size_t>(16 * g * Bpp);
          alike |= static_cast<uint64_t>(EqualPixels(EqualBytes<Bpp>(original + at, above + at),
                                                     std::integral_constant<int, Bpp>())) << (16 * g);
        }
        differ = ~alike;
      }
      const int inRow = w - word * WordPixels;
      if (inRow < WordPixels) differ &= (uint64_t{1} << inRow) - 1;
      for (; differ != 0; differ &= differ - 1) {
        const size_t at = base + static_cast<size_t>(__builtin_ctzll(differ)) * Bpp;
        const uint32_t in = Load32(original + at);
        if ((in & 0xFFFFFFu) != lastIn) {
          lastIn = in & 0xFFFFFFu;
          if (!view.Find(lastIn, lastOut)) {
            lastOut = memo.MapPixel(lastIn);
            view = memo.View();
          }
        }
        const uint32_t colour = lastOut;
        if (Bpp == 4) {
          const uint32_t v = colour | (in & 0xFF000000u);
          std::memcpy(out + at, &v, 4);
        } else {
          std::memcpy(out + at, &colour, 2);
          out[at + 2] = static_cast<uint8_t>(colour >> 16);
        }
      }
    }
    std::swap(original, above);
  }
}

}  // namespace

void RecolorBitmap(TacBitmap& bmp, TacColorMemo& memo) {
  if (bmp.Width() <= 0 || bmp.Height() <= 0) return;
  if (bmp.Format() == TacPixelFormat::pf32bit)
    RecolorRows<4>(bmp, memo);
  else
    RecolorRows<3>(bmp, memo);
}
