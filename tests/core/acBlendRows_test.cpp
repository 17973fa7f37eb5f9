#include "paint/acBlendRows.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "CpuPathScope.h"
#include "PixelTestBitmaps.h"
#include "paint/sAlphaGraph.h"

TEST(CpuPaths, ForcingTakesOnlyAvailablePathsAndClearingRestoresTheBest) {
  const TacCpuPath best = ActiveCpuPath();
  RecordProperty("best_path", CpuPathName(best));  // in the XML report: which paths a machine ran
  EXPECT_TRUE(CpuPathAvailable(best));
  EXPECT_TRUE(CpuPathAvailable(TacCpuPath::Scalar));
#if defined(__SSE2__)
  EXPECT_TRUE(CpuPathAvailable(TacCpuPath::Sse2)) << "SSE2 is the baseline of every x86 build";
  EXPECT_NE(best, TacCpuPath::Scalar);
#endif
  for (TacCpuPath p : AvailableCpuPaths()) {
    CpuPathScope scope(p);
    EXPECT_EQ(ActiveCpuPath(), p) << CpuPathName(p);
  }
  EXPECT_EQ(ActiveCpuPath(), best);
  if (!CpuPathAvailable(TacCpuPath::Avx2)) {
    CpuPathScope scope(TacCpuPath::Avx2);
    EXPECT_EQ(ActiveCpuPath(), best) << "a path the processor lacks is never forced";
  }
}

// Every (destination, source) byte pair under every weight, on every path: the
// one-multiply vector formulations must give the two-multiply bytes exactly.
TEST(BlendRows, EveryBytePairAndWeightOnEveryPath) {
  std::vector<uint8_t> d(65536), s(65536), out(65536);
  for (int i = 0; i < 65536; ++i) {
    d[i] = static_cast<uint8_t>(i >> 8);
    s[i] = static_cast<uint8_t>(i);
  }
  for (TacCpuPath p : AvailableCpuPaths()) {
    CpuPathScope scope(p);
    int wrong = 0, firstWrong = -1;
    for (unsigned a = 0; a < 256; ++a) {
      BlendBytesInto(out.data(), d.data(), s.data(), 65536, a);
      for (int i = 0; i < 65536; ++i)
        if (out[i] != BlendByte(d[i], s[i], a) && wrong++ == 0) firstWrong = static_cast<int>(a << 16) | i;
    }
    EXPECT_EQ(wrong, 0) << CpuPathName(p) << " first at weight " << (firstWrong >> 16) << " d "
                        << ((firstWrong >> 8) & 0xFF) << " s " << (firstWrong & 0xFF);
  }
}

namespace {

std::vector<uint8_t> Noise(std::mt19937& rng, size_t n) {
  std::vector<uint8_t> v(n);
  for (uint8_t& b : v) b = static_cast<uint8_t>(rng());
  return v;
}

// BlendBytesDown on one buffer: the destination at `dstAt`, the source at `srcAt`.
std::vector<uint8_t> BlendInBuffer(std::vector<uint8_t> buffer, int dstAt, int srcAt, int n, unsigned a) {
  BlendBytesDown(buffer.data() + dstAt, buffer.data() + srcAt, n, a);
  return buffer;
}

}  // namespace

// Every length a vector loop can leave a head for, at every misalignment, and spans
// that overlap at every distance: the scalar top-down order decides which bytes a
// blend reads already blended, and each vector path must keep it.
TEST(BlendRows, LengthsAlignmentsAndOverlapsMatchTheScalarPath) {
  std::mt19937 rng(0xB1E4Du);
  for (TacCpuPath p : VectorCpuPaths()) {
    for (int iter = 0; iter < 400; ++iter) {
      const int n = static_cast<int>(rng() % 150);
      const unsigned a = rng() & 0xFF;
      const int shift = static_cast<int>(rng() % 81) - 40;  // source offset from the destination
      const int dstAt = 48 + static_cast<int>(rng() % 7);
      const std::vector<uint8_t> buffer = Noise(rng, 300);
      std::vector<uint8_t> expected, got;
      {
        CpuPathScope scope(TacCpuPath::Scalar);
        expected = BlendInBuffer(buffer, dstAt, dstAt + shift, n, a);
      }
      {
        CpuPathScope scope(p);
        got = BlendInBuffer(buffer, dstAt, dstAt + shift, n, a);
      }
      ASSERT_EQ(got, expected) << CpuPathName(p) << " n " << n << " shift " << shift << " weight " << a;

      // Into: a separate output, and the output being the destination or the source.
      const std::vector<uint8_t> d = Noise(rng, 160), s = Noise(rng, 160);
      std::vector<uint8_t> o(160, 0x5A), ref(160, 0x5A), inD = d, inS = s;
      for (int i = 0; i < n; ++i) ref[i + 3] = BlendByte(d[i + 5], s[i + 1], a);
      CpuPathScope scope(p);
      BlendBytesInto(o.data() + 3, d.data() + 5, s.data() + 1, n, a);
      ASSERT_EQ(o, ref) << CpuPathName(p) << " into, n " << n;
      BlendBytesInto(inD.data(), inD.data(), s.data(), n, a);
      BlendBytesInto(inS.data(), d.data(), inS.data(), n, a);
      for (int i = 0; i < n; ++i) {
        ASSERT_EQ(inD[i], BlendByte(d[i], s[i], a)) << CpuPathName(p) << " into the destination, n " << n;
        ASSERT_EQ(inS[i], BlendByte(d[i], s[i], a)) << CpuPathName(p) << " into the source, n " << n;
      }
      ASSERT_EQ(0, std::memcmp(inD.data() + n, d.data() + n, 160 - n)) << "nothing past the span";
    }
  }
}

// The blenders of whole images take their rows from these loops: seeded random
// images and rectangles (self-blends among them) give the scalar path's bytes on
// every vector path, in both row orders.
TEST(BlendRows, ImageBlendersGiveTheScalarBytesOnEveryPath) {
  auto runAll = [](TacCpuPath p) {
    CpuPathScope scope(p);
    std::mt19937 rng(0xFADEu);
    std::vector<uint8_t> all;
    for (int iter = 0; iter < 120; ++iter) {
      const TacPixelFormat f = iter & 1 ? TacPixelFormat::pf32bit : TacPixelFormat::pf24bit;
      const int w = 2 + static_cast<int>(rng() % 70), h = 2 + static_cast<int>(rng() % 9);
      TestBitmap dst(w, h, f, rng() & 1), src(w, h, f, rng() & 1), out(w, h, f);
      dst.Randomize(rng);
      src.Randomize(rng);
      const uint8_t a = static_cast<uint8_t>(rng());
      switch (iter % 4) {
        case 0:
          BlendEqualBitmaps(dst.get(), src.get(), a);
          break;
        case 1:
          BlendEqualBitmapsInto(out.get(), dst.get(), src.get(), a);
          break;
        case 2: {  // onto itself, shifted by up to 12 pixels either way
          const int px = static_cast<int>(rng() % 25) - 12, py = static_cast<int>(rng() % 5) - 2;
          BlendBitmapOver(dst.get(), dst.get(), a * 0x010101u, px, py, TacRect{0, 0, w, h});
          break;
        }
        default: {
          const int px = static_cast<int>(rng() % 9) - 4;
          BlendBitmapOver(dst.get(), src.get(), a * 0x010101u, px, 1, TacRect{1, 0, w, h});
        }
      }
      EXPECT_TRUE(dst.GuardsIntact() && out.GuardsIntact());
      for (const TestBitmap* b : {&dst, &out}) {
        const std::vector<uint8_t> snap = b->Snapshot();
        all.insert(all.end(), snap.begin(), snap.end());
      }
    }
    return all;
  };
  const std::vector<uint8_t> scalar = runAll(TacCpuPath::Scalar);
  for (TacCpuPath p : VectorCpuPaths()) EXPECT_TRUE(runAll(p) == scalar) << CpuPathName(p);
}
