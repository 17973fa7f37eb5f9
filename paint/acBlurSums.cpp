#include "paint/acBlurSums.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <vector>

#include "paint/acMask8.h"

#if defined(__SSE2__)
#include <immintrin.h>
#define VQ_X86_VECTORS 1
#endif

namespace {

// Outputs summed per call of a lane kernel: kChains vectors of the path, enough
// independent chains of additions to keep the adders busy despite their latency (x86-64
// has the sixteen vector registers for eight; i686 has eight, so four).
#if defined(__x86_64__)
constexpr int kChains = 8;
#else
constexpr int kChains = 4;
#endif
constexpr int kMaxBlock = 8 * kChains;

// out[j] := BlurSumToByte(init[j] (0 without init) + the terms first..taps-1), term i of lane j being
// weights[i] * terms[i][at + j], added one after the other in that order.
using LaneSums = void (*)(const float* const* terms, const float* weights, int first, int taps, std::ptrdiff_t at,
                          const float* init, uint8_t* out);

#if defined(VQ_X86_VECTORS)

// BlurSumToByte of four sums: + tolerance, then max(., 0) (which also turns NaN into
// 0: maxps answers its second operand then), min(., 255) and truncation.
inline __m128i Sse2SumBytes(__m128 s) {
  s = _mm_add_ps(s, _mm_set1_ps(kBlurSumTolerance));
  s = _mm_min_ps(_mm_max_ps(s, _mm_setzero_ps()), _mm_set1_ps(255.0f));
  return _mm_cvttps_epi32(s);
}

void Sse2Sums(const float* const* terms, const float* weights, int first, int taps, std::ptrdiff_t at,
              const float* init, uint8_t* out) {
  __m128 a[kChains];
#pragma GCC unroll 8
  for (int c = 0; c < kChains; ++c) a[c] = init ? _mm_loadu_ps(init + 4 * c) : _mm_setzero_ps();
  for (int i = first; i < taps; ++i) {
    const __m128 w = _mm_set1_ps(weights[i]);
    const float* p = terms[i] + at;
#pragma GCC unroll 8
    for (int c = 0; c < kChains; ++c) a[c] = _mm_add_ps(a[c], _mm_mul_ps(w, _mm_loadu_ps(p + 4 * c)));
  }
#pragma GCC unroll 2
  for (int c = 0; c < kChains; c += 4) {
    const __m128i lo = _mm_packs_epi32(Sse2SumBytes(a[c]), Sse2SumBytes(a[c + 1]));
    const __m128i hi = _mm_packs_epi32(Sse2SumBytes(a[c + 2]), Sse2SumBytes(a[c + 3]));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 4 * c), _mm_packus_epi16(lo, hi));
  }
}

__attribute__((target("avx2"))) inline __m256i Avx2SumBytes(__m256 s) {
  s = _mm256_add_ps(s, _mm256_set1_ps(kBlurSumTolerance));
  s = _mm256_min_ps(_mm256_max_ps(s, _mm256_setzero_ps()), _mm256_set1_ps(255.0f));
  return _mm256_cvttps_epi32(s);
}

__attribute__((target("avx2"))) void Avx2Sums(const float* const* terms, const float* weights, int first, int taps,
                                              std::ptrdiff_t at, const float* init, uint8_t* out) {
  __m256 a[kChains];
#pragma GCC unroll 8
  for (int c = 0; c < kChains; ++c) a[c] = init ? _mm256_loadu_ps(init + 8 * c) : _mm256_setzero_ps();
  for (int i = first; i < taps; ++i) {
    const __m256 w = _mm256_set1_ps(weights[i]);
    const float* p = terms[i] + at;
#pragma GCC unroll 8
    for (int c = 0; c < kChains; ++c) a[c] = _mm256_add_ps(a[c], _mm256_mul_ps(w, _mm256_loadu_ps(p + 8 * c)));
  }
  // Packing works within 128-bit halves: the 32-bit groups of four bytes come out
  // interleaved by half, which the permute puts back in order.
  const __m256i order = _mm256_setr_epi32(0, 4, 1, 5, 2, 6, 3, 7);
#pragma GCC unroll 2
  for (int c = 0; c < kChains; c += 4) {
    const __m256i lo = _mm256_packs_epi32(Avx2SumBytes(a[c]), Avx2SumBytes(a[c + 1]));
    const __m256i hi = _mm256_packs_epi32(Avx2SumBytes(a[c + 2]), Avx2SumBytes(a[c + 3]));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + 8 * c),
                        _mm256_permutevar8x32_epi32(_mm256_packus_epi16(lo, hi), order));
  }
}

#endif

// Below this many leading terms of one value a lane starts from zero: looking up (and
// perhaps first computing) the partial sums would cost more than the terms.
constexpr int kWorthSkipping = 6;

// The partial sums of the one-pixel loop over a line of one value v: After(v, L) is its
// running sum once the first L terms (all v) are added, Flat(v) its result over a whole
// window of v. Computed the first time a value asks, in that loop's own order.
class LeadingSums {
 public:
  void Reset(const float* weights, int taps) {
    weights_ = weights;
    taps_ = taps;
    slot_.fill(-1);
    sums_.clear();
    flat_.clear();
  }
  float After(uint8_t v, int count) { return Table(v)[count]; }
  uint8_t Flat(uint8_t v) { return flat_[static_cast<size_t>(Slot(v))]; }

 private:
  int Slot(uint8_t v) {
    int& s = slot_[v];
    if (s < 0) {
      s = static_cast<int>(flat_.size());
      const size_t at = sums_.size();
      sums_.resize(at + static_cast<size_t>(taps_) + 1);
      float sum = 0;
      sums_[at] = sum;
      const float x = v;
      for (int i = 0; i < taps_; ++i) {
        sum += weights_[i] * x;
        sums_[at + static_cast<size_t>(i) + 1] = sum;
      }
      flat_.push_back(BlurSumToByte(sum));
    }
    return s;
  }
  const float* Table(uint8_t v) {
    const int s = Slot(v);
    return sums_.data() + static_cast<size_t>(s) * (static_cast<size_t>(taps_) + 1);
  }

  const float* weights_ = nullptr;
  int taps_ = 0;
  std::array<int, 256> slot_{};
  std::vector<float> sums_;
  std::vector<uint8_t> flat_;
};

// Working memory kept between calls (per thread): glows are blurred again and again.
struct Scratch {
  std::vector<float> weights;       // the kernel in term order: weights[i] = w(i - n)
  std::vector<float> line;          // a padded row, or all rows as floats
  std::vector<int> run;             // per row and block of columns, see the column pass
  std::vector<const float*> terms;  // where term i of lane 0 reads
  LeadingSums leading;
};

struct Lanes {
  LaneSums Sums;
  int Block;  // outputs per call: kChains vectors
};

Lanes LanesFor(TacCpuPath path) {
#if defined(VQ_X86_VECTORS)
  if (path == TacCpuPath::Avx2) return {Avx2Sums, 8 * kChains};
  return {Sse2Sums, 4 * kChains};
#else
  (void)path;
  return {nullptr, 0};
#endif
}

bool AllEqual(const uint8_t* p, int n) {
  unsigned differ = 0;
  for (int i = 1; i < n; ++i) differ |= p[i] ^ p[0];
  return differ == 0;
}

// Writes out[0..count) for one block whose lanes all begin with `lead` terms reading
// their own value[j] (lead at most taps). Blocks of one value (the white around a
// glow's text) take one look-up for all lanes.
void SumBlock(const Lanes& lanes, Scratch& s, int taps, std::ptrdiff_t at, int lead, const uint8_t* value, int count,
              uint8_t* out) {
  LeadingSums& leading = s.leading;
  const bool oneValue = lead > 0 && AllEqual(value, count);
  if (lead == taps) {
    if (oneValue) {
      std::fill(out, out + count, leading.Flat(value[0]));
    } else {
      uint8_t flat[kMaxBlock];
      for (int j = 0; j < count; ++j) flat[j] = leading.Flat(value[j]);
      std::copy(flat, flat + count, out);
    }
    return;
  }
  float init[kMaxBlock];
  int first = 0;
  if (lead >= kWorthSkipping) {
    first = lead;
    if (oneValue)
      std::fill(init, init + count, leading.After(value[0], first));
    else
      for (int j = 0; j < count; ++j) init[j] = leading.After(value[j], first);
    std::fill(init + count, init + kMaxBlock, 0.0f);  // lanes past the mask: read, not used
  }
  uint8_t bytes[kMaxBlock];
  lanes.Sums(s.terms.data(), s.weights.data(), first, taps, at, first ? init : nullptr, bytes);
  std::copy(bytes, bytes + count, out);
}

}  // namespace

void BlurMask8Vectors(TacMask8* mask, const TacBlurKernel& kernel, TacCpuPath path) {
  const Lanes lanes = LanesFor(path);
  const int width = mask->Width(), height = mask->Height();
  if (!lanes.Sums || width <= 0 || height <= 0) return;
  const int n = kernel.HalfWidth, taps = 2 * n + 1, block = lanes.Block;
  thread_local Scratch s;
  s.weights.resize(static_cast<size_t>(taps));
  for (int i = 0; i < taps; ++i) s.weights[static_cast<size_t>(i)] = kernel.At(i - n);
  s.leading.Reset(s.weights.data(), taps);
  s.terms.resize(static_cast<size_t>(taps));

  // Rows. Output k sums padded[k + 2n - i] over the terms i, padded[j] being the row's
  // pixel clamp(j - n); the last block reads up to a block past the row, where the
  // padding goes on repeating the last pixel. A row of one value is that value's flat
  // result throughout (every window of it is flat).
  const int paddedLength = width + 2 * n + block;
  s.line.resize(static_cast<size_t>(paddedLength));
  float* line = s.line.data();
  for (int i = 0; i < taps; ++i) s.terms[static_cast<size_t>(i)] = line + 2 * n - i;
  for (int y = 0; y < height; ++y) {
    uint8_t* row = mask->Row(y);
    if (AllEqual(row, width)) {
      std::fill(row, row + width, s.leading.Flat(row[0]));
      continue;
    }
    std::fill(line, line + n, static_cast<float>(row[0]));
    for (int x = 0; x < width; ++x) line[n + x] = row[x];
    std::fill(line + n + width, line + paddedLength, static_cast<float>(row[width - 1]));
    for (int k = 0; k < width; k += block)
      SumBlock(lanes, s, taps, k, 0, nullptr, std::min(block, width - k), row + k);
  }

  // Columns. All rows as floats, `stride` apart (whole blocks, so the last block reads
  // inside); output row k sums row clamp(k + n - i) over the terms i, from row
  // r0 = min(k + n, last) down. run[r * blocks + b] counts the rows from r up toward row
  // 0 whose block b holds the same bytes as row r's: so many leading terms of output row
  // k read, in every lane, the lane's value of row r0 (plus the terms before k + n - i
  // comes down to r0, which read r0 as well; a run reaching row 0 covers every term).
  const int blocks = (width + block - 1) / block, stride = blocks * block;
  s.line.resize(static_cast<size_t>(stride) * static_cast<size_t>(height));
  s.run.resize(static_cast<size_t>(blocks) * static_cast<size_t>(height));
  line = s.line.data();
  for (int y = 0; y < height; ++y) {
    const uint8_t* row = mask->Row(y);
    float* f = line + static_cast<ptrdiff_t>(y) * stride;
    for (int x = 0; x < width; ++x) f[x] = row[x];
    std::fill(f + width, f + stride, 0.0f);
    int* run = s.run.data() + static_cast<ptrdiff_t>(y) * blocks;
    for (int b = 0; b < blocks; ++b) {
      const int x = b * block, count = std::min(block, width - x);
      const bool same = y > 0 && std::equal(row + x, row + x + count, mask->Row(y - 1) + x);
      run[b] = same ? std::min(run[b - blocks] + 1, taps + 1) : 1;
    }
  }
  for (int k = 0; k < height; ++k) {
    for (int i = 0; i < taps; ++i)
      s.terms[static_cast<size_t>(i)] =
          line + static_cast<ptrdiff_t>(std::clamp(k + n - i, 0, height - 1)) * stride;
    const int r0 = std::min(k + n, height - 1), repeats = k + n - r0;
    const int* runs = s.run.data() + static_cast<ptrdiff_t>(r0) * blocks;
    // Row r0 is not written before row k, and when it is row k, each lane reads its
    // value before its output is written.
    const uint8_t* values = mask->Row(r0);
    uint8_t* out = mask->Row(k);
    for (int b = 0; b < blocks; ++b) {
      const int x = b * block;
      const int lead = runs[b] > r0 ? taps : std::min(taps, repeats + runs[b]);
      SumBlock(lanes, s, taps, x, lead, values + x, std::min(block, width - x), out + x);
    }
  }
}
