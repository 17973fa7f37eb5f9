#include "paint/acBlendRows.h"

#include <cstddef>

#include "paint/acCpuPaths.h"

#if defined(__SSE2__)
#include <immintrin.h>
#define VQ_X86_VECTORS 1
#endif

namespace {

// Blends bytes [0, n) from the top down, like the scalar blender; the span functions
// below handle whole vectors from the top and leave the head for this.
inline void ScalarDown(uint8_t* o, const uint8_t* d, const uint8_t* s, int n, unsigned a) {
  for (int i = n - 1; i >= 0; --i) o[i] = BlendByte(d[i], s[i], a);
}

#if defined(VQ_X86_VECTORS)

// One multiply: d * a + s * (255 - a) + 127 = s * 256 + 127 - s + (d - s) * a. The
// true value lies in 127..65152, so 16-bit lanes wrapping modulo 65536 on the way
// still end on it exactly.
inline __m128i Sse2Blend16(__m128i d, __m128i s, __m128i a, __m128i k127) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i dl = _mm_unpacklo_epi8(d, zero), dh = _mm_unpackhi_epi8(d, zero);
  const __m128i sl = _mm_unpacklo_epi8(s, zero), sh = _mm_unpackhi_epi8(s, zero);
  const __m128i tl = _mm_add_epi16(_mm_sub_epi16(_mm_unpacklo_epi8(k127, s), sl), _mm_mullo_epi16(_mm_sub_epi16(dl, sl), a));
  const __m128i th = _mm_add_epi16(_mm_sub_epi16(_mm_unpackhi_epi8(k127, s), sh), _mm_mullo_epi16(_mm_sub_epi16(dh, sh), a));
  return _mm_packus_epi16(_mm_srli_epi16(tl, 8), _mm_srli_epi16(th, 8));
}

// Returns the number of head bytes left for the scalar loop.
int Sse2SpanDown(uint8_t* o, const uint8_t* d, const uint8_t* s, int n, unsigned a) {
  const __m128i va = _mm_set1_epi16(static_cast<short>(a)), k127 = _mm_set1_epi8(127);
  int i = n;
  for (; i >= 16; i -= 16) {
    const __m128i dv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + i - 16));
    const __m128i sv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i - 16));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(o + i - 16), Sse2Blend16(dv, sv, va, k127));
  }
  return i;
}

// Pairs (d, s) as signed bytes (x - 128) against the weights (a, 255 - a) as unsigned
// ones: one multiply-add gives d * a + s * (255 - a) - 32640, which lies in
// -32640..32385, so it never saturates; + 32767 restores the sum + 127.
__attribute__((target("avx2"))) int Avx2SpanDown(uint8_t* o, const uint8_t* d, const uint8_t* s, int n,
                                                 unsigned a) {
  const __m256i w = _mm256_set1_epi16(static_cast<short>(a | (255 - a) << 8));
  const __m256i flip = _mm256_set1_epi8(static_cast<char>(0x80)), bias = _mm256_set1_epi16(32767);
  int i = n;
  for (; i >= 32; i -= 32) {
    const __m256i dv = _mm256_xor_si256(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(d + i - 32)), flip);
    const __m256i sv = _mm256_xor_si256(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + i - 32)), flip);
    const __m256i lo = _mm256_add_epi16(_mm256_maddubs_epi16(w, _mm256_unpacklo_epi8(dv, sv)), bias);
    const __m256i hi = _mm256_add_epi16(_mm256_maddubs_epi16(w, _mm256_unpackhi_epi8(dv, sv)), bias);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(o + i - 32),
                        _mm256_packus_epi16(_mm256_srli_epi16(lo, 8), _mm256_srli_epi16(hi, 8)));
  }
  // A half vector more keeps the scalar head of short rows (a button's 264 bytes) small.
  return Sse2SpanDown(o, d, s, i, a);
}

#endif

// The widest vector (32 bytes): a source starting fewer bytes than that above the
// destination may read, inside one vector, a byte the scalar order would have blended
// already; every other layout gives the same bytes in vector blocks taken from the top.
constexpr std::ptrdiff_t kWidestVector = 32;

void SpanDown(uint8_t* o, const uint8_t* d, const uint8_t* s, int n, unsigned a) {
  int head = n;
#if defined(VQ_X86_VECTORS)
  const TacCpuPath path = ActiveCpuPath();
  if (path == TacCpuPath::Avx2)
    head = Avx2SpanDown(o, d, s, n, a);
  else if (path == TacCpuPath::Sse2)
    head = Sse2SpanDown(o, d, s, n, a);
#endif
  ScalarDown(o, d, s, head, a);
}

}  // namespace

void BlendBytesDown(uint8_t* d, const uint8_t* s, int n, unsigned a) {
  if (n <= 0) return;
  const auto da = reinterpret_cast<std::uintptr_t>(d), sa = reinterpret_cast<std::uintptr_t>(s);
  if (sa > da && sa - da < static_cast<std::uintptr_t>(kWidestVector) && da + n > sa)
    ScalarDown(d, d, s, n, a);
  else
    SpanDown(d, d, s, n, a);
}

void BlendBytesInto(uint8_t* out, const uint8_t* d, const uint8_t* s, int n, unsigned a) {
  if (n > 0) SpanDown(out, d, s, n, a);
}
