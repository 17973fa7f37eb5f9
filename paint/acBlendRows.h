// The byte loop under every cross-fade of two images: each byte becomes
// (d * a + s * (255 - a) + 127) shr 8, d weighted by a. The vector paths compute
// exactly these bytes (see acCpuPaths.h).
#pragma once

#include <cstdint>

inline uint8_t BlendByte(unsigned d, unsigned s, unsigned a) {
  return static_cast<uint8_t>((d * a + s * (255 - a) + 127) >> 8);
}

// d[i] := BlendByte(d[i], s[i], a) for i from n - 1 down to 0, one byte after the
// other: where the two spans overlap, a byte read from s may already be blended.
void BlendBytesDown(uint8_t* d, const uint8_t* s, int n, unsigned a);

// out[i] := BlendByte(d[i], s[i], a). `out` is d, s, or a span overlapping neither.
void BlendBytesInto(uint8_t* out, const uint8_t* d, const uint8_t* s, int n, unsigned a);
