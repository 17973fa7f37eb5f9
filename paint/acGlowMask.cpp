#include "paint/acGlowMask.h"

#include <algorithm>
#include <cstring>

#include "paint/acBitmap.h"
#include "paint/acCpuPaths.h"
#include "paint/acMask8.h"

#if defined(__SSE2__)
#include <immintrin.h>
#define VQ_X86_VECTORS 1
#endif

TacRect GlowMaskRect(const TacRect& r, int glowSize) {
  const int grow = glowSize + 4;
  return TacRect{r.Left - grow, r.Top - grow, r.Right + grow, r.Bottom + grow};
}

TacGlowOffsets GlowTextOffsets(unsigned flags) {
  static constexpr int kDx[4] = {-1, 0, 1, 0};
  static constexpr int kDy[4] = {0, -1, 0, 1};
  TacGlowOffsets o;
  for (int bit = 0; bit < 4; ++bit) {
    if (flags & (1u << bit)) {
      o.Dx[o.Count] = kDx[bit];
      o.Dy[o.Count] = kDy[bit];
      ++o.Count;
    }
  }
  o.Dx[o.Count] = 0;
  o.Dy[o.Count] = 0;
  ++o.Count;
  return o;
}

namespace {

// (v - c) * m div 255, truncated toward zero, without a division: for a magnitude
// a <= 255 * 255, a div 255 = (a * 32897) shr 23. 32897 / 2^23 exceeds 1 / 255 by 5.9e-8,
// which adds at most 0.0039 to a / 255, whose fraction is at most 254 / 255: the floor
// never moves. With m = 255 the result is v itself. The glow tests check every channel,
// colour and mask value on every path.
inline int TowardGlow(int v, int c, int m) {
  const int x = (v - c) * m;
  const uint32_t a = static_cast<uint32_t>(x < 0 ? -x : x);
  const int q = static_cast<int>((a * 32897u) >> 23);
  return (x < 0 ? -q : q) + c;
}

// Pixels [from, to) of one row; colour in memory order blue, green, red.
void TintScalar(uint8_t* row, const uint8_t* m, int from, int to, int bpp, const int* c) {
  for (int i = from; i < to; ++i) {
    const int v = m[i];
    if (v == 255) continue;
    uint8_t* p = row + static_cast<ptrdiff_t>(i) * bpp;
    p[0] = static_cast<uint8_t>(TowardGlow(p[0], c[0], v));
    p[1] = static_cast<uint8_t>(TowardGlow(p[1], c[1], v));
    p[2] = static_cast<uint8_t>(TowardGlow(p[2], c[2], v));
    if (bpp == 4) p[3] = static_cast<uint8_t>(std::max(0, p[3] + v - 255));
  }
}

#if defined(VQ_X86_VECTORS)

// Sixteen bytes v toward their colour bytes c by their mask bytes m, as TowardGlow:
// |v - c| * m fits 16 bits unsigned, (a * 32897) shr 23 is the high half shifted by 7,
// and the quotient goes back up or down from c by the sign of v - c.
inline __m128i Tint16(__m128i v, __m128i m, __m128i c) {
  const __m128i zero = _mm_setzero_si128(), magic = _mm_set1_epi16(static_cast<short>(32897));
  const __m128i diff = _mm_or_si128(_mm_subs_epu8(v, c), _mm_subs_epu8(c, v));
  const __m128i up = _mm_cmpeq_epi8(_mm_max_epu8(v, c), v);
  const __m128i ql = _mm_srli_epi16(_mm_mulhi_epu16(_mm_mullo_epi16(_mm_unpacklo_epi8(diff, zero),
                                                                    _mm_unpacklo_epi8(m, zero)), magic), 7);
  const __m128i qh = _mm_srli_epi16(_mm_mulhi_epu16(_mm_mullo_epi16(_mm_unpackhi_epi8(diff, zero),
                                                                    _mm_unpackhi_epi8(m, zero)), magic), 7);
  const __m128i q = _mm_packus_epi16(ql, qh);
  return _mm_or_si128(_mm_and_si128(up, _mm_adds_epu8(c, q)), _mm_andnot_si128(up, _mm_subs_epu8(c, q)));
}

// Four 32-bit pixels: colour bytes through Tint16, alpha a := max(0, a + m - 255), which
// is a saturating a - (255 - m).
inline __m128i Tint4Pixels32(__m128i px, __m128i m4, __m128i c, __m128i alphaBytes) {
  const __m128i tinted = Tint16(px, m4, c);
  const __m128i alpha = _mm_subs_epu8(px, _mm_andnot_si128(m4, _mm_set1_epi8(-1)));
  return _mm_or_si128(_mm_andnot_si128(alphaBytes, tinted), _mm_and_si128(alphaBytes, alpha));
}

int TintSse2(uint8_t* row, const uint8_t* m, int from, int to, int bpp, const int* c) {
  if (bpp != 4) return from;  // three-byte pixels need byte shuffles: the AVX2 path has them
  const __m128i colour = _mm_set1_epi32(c[0] | c[1] << 8 | c[2] << 16);
  const __m128i alphaBytes = _mm_set1_epi32(static_cast<int>(0xFF000000u));
  int i = from;
  for (; i + 4 <= to; i += 4) {
    int32_t four;
    std::memcpy(&four, m + i, 4);
    if (four == -1) continue;  // all white
    __m128i m4 = _mm_cvtsi32_si128(four);
    m4 = _mm_unpacklo_epi8(m4, m4);
    m4 = _mm_unpacklo_epi16(m4, m4);
    __m128i* p = reinterpret_cast<__m128i*>(row + static_cast<ptrdiff_t>(i) * 4);
    _mm_storeu_si128(p, Tint4Pixels32(_mm_loadu_si128(p), m4, colour, alphaBytes));
  }
  return i;
}

__attribute__((target("avx2"))) int TintAvx2(uint8_t* row, const uint8_t* m, int from, int to, int bpp,
                                             const int* c) {
  int i = from;
  if (bpp == 4) {
    const __m128i colour = _mm_set1_epi32(c[0] | c[1] << 8 | c[2] << 16);
    const __m128i alphaBytes = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    const __m128i spread = _mm_setr_epi8(0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3);
    for (; i + 4 <= to; i += 4) {
      int32_t four;
      std::memcpy(&four, m + i, 4);
      if (four == -1) continue;
      const __m128i m4 = _mm_shuffle_epi8(_mm_cvtsi32_si128(four), spread);
      __m128i* p = reinterpret_cast<__m128i*>(row + static_cast<ptrdiff_t>(i) * 4);
      _mm_storeu_si128(p, Tint4Pixels32(_mm_loadu_si128(p), m4, colour, alphaBytes));
    }
    return i;
  }
  // Sixteen three-byte pixels are 48 bytes: three vectors, each with its share of the
  // mask bytes spread over the channels and the colour's channels in that phase.
  const __m128i s0 = _mm_setr_epi8(0, 0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4, 5);
  const __m128i s1 = _mm_setr_epi8(5, 5, 6, 6, 6, 7, 7, 7, 8, 8, 8, 9, 9, 9, 10, 10);
  const __m128i s2 = _mm_setr_epi8(10, 11, 11, 11, 12, 12, 12, 13, 13, 13, 14, 14, 14, 15, 15, 15);
  alignas(16) uint8_t phase[48];
  for (int j = 0; j < 48; ++j) phase[j] = static_cast<uint8_t>(c[j % 3]);
  const __m128i c0 = _mm_load_si128(reinterpret_cast<const __m128i*>(phase));
  const __m128i c1 = _mm_load_si128(reinterpret_cast<const __m128i*>(phase + 16));
  const __m128i c2 = _mm_load_si128(reinterpret_cast<const __m128i*>(phase + 32));
  const __m128i white = _mm_set1_epi8(-1);
  for (; i + 16 <= to; i += 16) {
    const __m128i mv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(m + i));
    if (_mm_movemask_epi8(_mm_cmpeq_epi8(mv, white)) == 0xFFFF) continue;
    __m128i* p = reinterpret_cast<__m128i*>(row + static_cast<ptrdiff_t>(i) * 3);
    _mm_storeu_si128(p, Tint16(_mm_loadu_si128(p), _mm_shuffle_epi8(mv, s0), c0));
    _mm_storeu_si128(p + 1, Tint16(_mm_loadu_si128(p + 1), _mm_shuffle_epi8(mv, s1), c1));
    _mm_storeu_si128(p + 2, Tint16(_mm_loadu_si128(p + 2), _mm_shuffle_epi8(mv, s2), c2));
  }
  return i;
}

#endif

}  // namespace

void ApplyGlowMask(TacBitmap* target, const TacMask8& mask, int left, int top, uint32_t color) {
  if (!target) return;
  const int bpp = target->BytesPerPixel();
  const int c[3] = {static_cast<int>((color >> 16) & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                    static_cast<int>(color & 0xFF)};
  // Mask columns and rows that land inside the target.
  const int i0 = std::max(0, -left), i1 = std::min(mask.Width(), target->Width() - left);
  const int j0 = std::max(0, -top), j1 = std::min(mask.Height(), target->Height() - top);
  if (bpp != 3 && bpp != 4) return;
  const TacCpuPath path = ActiveCpuPath();
  for (int j = j0; j < j1; ++j) {
    const uint8_t* m = mask.Row(j) + i0;
    uint8_t* row = target->Row(top + j) + static_cast<ptrdiff_t>(left + i0) * bpp;
    const int count = i1 - i0;
    int done = 0;
#if defined(VQ_X86_VECTORS)
    if (path == TacCpuPath::Avx2)
      done = TintAvx2(row, m, 0, count, bpp, c);
    else if (path == TacCpuPath::Sse2)
      done = TintSse2(row, m, 0, count, bpp, c);
#endif
    TintScalar(row, m, done, count, bpp, c);
  }
}
