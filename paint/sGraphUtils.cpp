#include "paint/sGraphUtils.h"

#include <algorithm>
#include <cmath>

#include "paint/acBitmap.h"
#include "paint/acColors.h"

int64_t RoundHalfEven(double v) {
  if (!(v == v)) return 0;  // NaN
  if (v >= 9.2e18) return INT64_MAX;
  if (v <= -9.2e18) return INT64_MIN;
  double f = std::floor(v);
  double diff = v - f;
  int64_t r = static_cast<int64_t>(f);
  if (diff > 0.5 || (diff == 0.5 && (r & 1) != 0)) ++r;
  return r;
}

uint8_t ClampByte(int v) { return static_cast<uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v); }

namespace {

uint8_t RoundToByte(double v) {
  int64_t r = RoundHalfEven(v);
  return static_cast<uint8_t>(r < 0 ? 0 : r > 255 ? 255 : r);
}

uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) { return r | (g << 8) | (b << 16); }

// Fills the part of r that lies inside bmp; r may be empty or outside.
void FillClipped(TacBitmap* bmp, TacRect r, uint32_t rgb) {
  if (!bmp) return;
  r.Left = std::max(r.Left, 0);
  r.Top = std::max(r.Top, 0);
  r.Right = std::min(r.Right, bmp->Width());
  r.Bottom = std::min(r.Bottom, bmp->Height());
  if (r.Left >= r.Right || r.Top >= r.Bottom) return;
  const int bpp = bmp->BytesPerPixel();
  uint8_t pixel[4] = {static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8), static_cast<uint8_t>(rgb),
                      255};
  for (int y = r.Top; y < r.Bottom; ++y) {
    uint8_t* p = bmp->Pixel(r.Left, y);
    for (int x = r.Left; x < r.Right; ++x, p += bpp) std::copy(pixel, pixel + bpp, p);
  }
}

}  // namespace

uint32_t ColorToPixel32(uint32_t color) {
  return 0xFF000000u | ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
}

uint32_t WeightedColor(uint32_t a, uint32_t b, double w) {
  uint32_t result = a & 0xFF000000u;
  for (int shift = 0; shift < 24; shift += 8) {
    double ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
    result |= static_cast<uint32_t>(RoundToByte(ca * w + cb * (1 - w))) << shift;
  }
  return result;
}

uint32_t RotateHue(int offset, uint32_t color) {
  const uint32_t c = ColorToRGB(color);
  const double r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
  const double v = std::max({r, g, b});
  const double d = v - std::min({r, g, b});
  const double s = v == 0 ? 0 : d / v;
  if (s == 0) return c & 0xFFFFFF;

  const double k = 60 / d;
  double h;
  if (v == r)
    h = (g - b) * k;
  else if (v == g)
    h = 120 + (b - r) * k;
  else
    h = 240 + (r - g) * k;
  if (h < 0) h += 360;

  int64_t turned = RoundHalfEven(h + offset) % 360;
  // A negative offset can leave the hue below 0; wrapped, it lands in a real
  // sector instead of painting every such colour magenta-ish.
  if (turned < 0) turned += 360;
  const int64_t sector = turned / 60;
  const double f = turned / 60.0 - sector;

  auto limit = [](double x) { return x < 0 ? 0 : x > 255 ? 255 : x; };
  const double p = limit(v * (1 - s));
  const double q = limit(v * (1 - s * f));
  const double t = limit(v * (1 - s * (1 - f)));
  double nr, ng, nb;
  switch (sector) {
    case 0: nr = v, ng = t, nb = p; break;
    case 1: nr = q, ng = v, nb = p; break;
    case 2: nr = p, ng = v, nb = t; break;
    case 3: nr = p, ng = q, nb = v; break;
    case 4: nr = t, ng = p, nb = v; break;
    default: nr = v, ng = p, nb = q; break;
  }
  return Rgb(RoundToByte(nr), RoundToByte(ng), RoundToByte(nb));
}

uint32_t AdjustSaturation(uint32_t color, int amount) {
  if (amount == 0) return color;
  const double r = color & 0xFF, g = (color >> 8) & 0xFF, b = (color >> 16) & 0xFF;
  const double avg = (r + g + b) / 3;
  auto move = [&](double x) { return RoundToByte(x + amount * (avg - x) / 100); };
  return Rgb(move(r), move(g), move(b));
}

void FillSolidRect(TacBitmap* bmp, const TacRect& r, uint32_t color) { FillClipped(bmp, r, ColorToRGB(color)); }

void FillSolidFrame(TacBitmap* bmp, const TacRect& r, int left, int top, int right, int bottom, uint32_t color) {
  const uint32_t rgb = ColorToRGB(color);
  FillClipped(bmp, {r.Left, r.Top, r.Right, r.Top + top}, rgb);
  FillClipped(bmp, {r.Left, r.Top + top, r.Left + left, r.Bottom}, rgb);
  FillClipped(bmp, {r.Left + left, r.Bottom - bottom, r.Right, r.Bottom}, rgb);
  FillClipped(bmp, {r.Right - right, r.Top + top, r.Right, r.Bottom - bottom}, rgb);
}
