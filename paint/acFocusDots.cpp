#include "paint/acFocusDots.h"

#include <cstddef>

std::vector<TacFocusDot> FocusDots(const TacRect& r) {
  std::vector<TacFocusDot> dots;
  const int w = r.Width(), h = r.Height();
  if (w < 0 || h < 0) return dots;
  dots.reserve(static_cast<std::size_t>(4 * (w / 3 + 1) + 4 * (h / 3 + 1)));
  for (int i = 0; i <= w / 3; ++i) {
    const int x = r.Left + 3 * i;
    dots.push_back({x, r.Top, false});
    dots.push_back({x, r.Bottom, false});
    dots.push_back({x - 1, r.Top - 1, true});
    dots.push_back({x - 1, r.Bottom - 1, true});
  }
  for (int j = 0; j <= h / 3; ++j) {
    const int y = r.Top + 3 * j;
    dots.push_back({r.Left, y, false});
    dots.push_back({r.Right, y, false});
    dots.push_back({r.Left - 1, y - 1, true});
    dots.push_back({r.Right - 1, y - 1, true});
  }
  return dots;
}
