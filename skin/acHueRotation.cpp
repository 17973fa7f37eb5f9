#include "skin/acHueRotation.h"

#include <algorithm>

#include "paint/sGraphUtils.h"

namespace {

int FloorMod(int a, int m) {
  const int r = a % m;
  return r < 0 ? r + m : r;
}

// floor(n / (2 d)) = n * DivideBy2d[d] >> 32 for 0 <= n < 65536 and 1 <= d <= 255:
// the reciprocal is rounded up by less than 2^-32 per unit of n, too little to
// reach the next integer.
struct Reciprocals {
  uint32_t Of[256] = {};
  constexpr Reciprocals() {
    for (uint32_t d = 1; d < 256; ++d) Of[d] = static_cast<uint32_t>((uint64_t{1} << 32) / (2 * d) + 1);
  }
};
constexpr Reciprocals DivideBy2d;

// Where each channel comes from in a sector, as shifts into the word
// v | q << 8 | t << 16 | p << 24 (v the maximum, p the minimum, q falling, t rising):
// red, green and blue in bytes 0, 1 and 2.
constexpr uint32_t Channels(int r, int g, int b) {
  return static_cast<uint32_t>(8 * r) | static_cast<uint32_t>(8 * g) << 8 | static_cast<uint32_t>(8 * b) << 16;
}
constexpr int V = 0, Q = 1, T = 2, P = 3;
constexpr uint32_t SectorChannels[6] = {Channels(V, T, P), Channels(Q, V, P), Channels(P, V, T),
                                        Channels(P, Q, V), Channels(T, P, V), Channels(V, P, Q)};

}  // namespace

TacHueRotation::TacHueRotation(int offset) : offset_(offset) {
  const int turn = FloorMod(offset, 360);
  for (int i = 0; i < Hues; ++i) {
    const int turned = FloorMod(i - 60 + turn, 360);
    turned_[i] = static_cast<uint16_t>((turned / 60) << 8 | turned % 60);
  }
}

uint32_t TacHueRotation::operator()(uint32_t color) const {
  if (color & 0x80000000u) return RotateHue(offset_, color);  // a system colour: resolved there
  const int r = static_cast<int>(color & 0xFF), g = static_cast<int>((color >> 8) & 0xFF),
            b = static_cast<int>((color >> 16) & 0xFF);
  const int v = std::max({r, g, b}), low = std::min({r, g, b}), d = v - low;
  if (d == 0) return color & 0xFFFFFF;  // a grey keeps its colour

  // Hue = base + 60 n / d with |n| <= d, rounded to the nearest degree: the floor of
  // (120 (n + d) + d) / 2d, less 60 for the d added to n.
  const bool red = v == r, green = !red && v == g;
  const int n = red ? g - b : green ? b - r : r - g;
  const int base = red ? 0 : green ? 120 : 240;
  const uint32_t numerator = static_cast<uint32_t>(120 * (n + d) + d);
  const uint32_t quotient = static_cast<uint32_t>((uint64_t{numerator} * DivideBy2d.Of[d]) >> 32);
  if (numerator == quotient * static_cast<uint32_t>(2 * d)) return RotateHue(offset_, color);  // halfway
  const uint16_t turned = turned_[base + static_cast<int>(quotient)];  // (hue + 60) indexes
  const int sector = turned >> 8, step = turned & 0xFF;

  // In the sector the channels run between low and v: v - d step / 60 falling,
  // low + d step / 60 rising, both rounded to the nearest integer.
  const int rise = d * step;
  if (rise % 60 == 30) return RotateHue(offset_, color);  // halfway between two integers
  const int j = (rise + 30) / 60;
  const uint32_t channels = static_cast<uint32_t>(v) | static_cast<uint32_t>(v - j) << 8 |
                            static_cast<uint32_t>(low + j) << 16 | static_cast<uint32_t>(low) << 24;
  const uint32_t from = SectorChannels[sector];
  return (channels >> (from & 0xFF) & 0xFF) | (channels >> (from >> 8 & 0xFF) & 0xFF) << 8 |
         (channels >> (from >> 16) & 0xFF) << 16;
}
