#include "frame/acFrameRegion.h"

#include <algorithm>

namespace {

bool IsKey(const TacBitmap& image, int x, int y) {
  const uint8_t* p = image.Pixel(x, y);
  return p[0] == 0xFF && p[1] == 0x00 && p[2] == 0xFF;  // 0xFF00FF in B, G, R order
}

// Runs of key pixels in columns [from, to) of image row `row`, as rectangles at
// window row y, moved right by shift.
void AddRuns(const TacBitmap& image, int row, int from, int to, int y, int shift, std::vector<TacRect>& out) {
  int start = -1;
  for (int x = from; x <= to; ++x) {
    const bool key = x < to && IsKey(image, x, row);
    if (key && start < 0) start = x;
    if (!key && start >= 0) {
      out.push_back(TacRect{start + shift, y, x + shift, y + 1});
      start = -1;
    }
  }
}

enum class Edge { Top, Bottom };

void ScanCorners(const TacCornerMask& c, Edge edge, int windowWidth, int y0, std::vector<TacRect>& out) {
  if (!c.Mask || !c.Image) return;
  const TsMaskData& m = *c.Mask;
  const int frameWidth = MaskFrameWidth(m);
  const int frameHeight = MaskFrameHeight(m);
  if (frameWidth <= 0 || frameHeight <= 0) return;
  const int left = std::min(MaskMarginLeft(m), frameWidth);
  const int right = std::min(MaskMarginRight(m), frameWidth);
  const int rows = edge == Edge::Top ? MaskMarginTop(m) : MaskMarginBottom(m);
  const int firstRow = m.R.Top + (edge == Edge::Top ? 0 : frameHeight - rows);
  // The first state frame only; nothing when the image cannot hold the rows or columns.
  if (rows <= 0 || firstRow < 0 || firstRow + rows > c.Image->Height() || m.R.Left < 0 ||
      m.R.Left + frameWidth > c.Image->Width())
    return;
  const int shift = windowWidth - frameWidth;
  for (int i = 0; i < rows; ++i) {
    const int row = firstRow + i;
    AddRuns(*c.Image, row, m.R.Left, m.R.Left + left, y0 + i, -m.R.Left, out);
    AddRuns(*c.Image, row, m.R.Left + frameWidth - right, m.R.Left + frameWidth, y0 + i, shift - m.R.Left, out);
  }
}

}  // namespace

std::vector<TacRect> BuildRegionRects(const TacCornerMask& border, const TacCornerMask& title, int windowWidth,
                                      int formHeight) {
  std::vector<TacRect> rects;
  ScanCorners(border, Edge::Top, windowWidth, 0, rects);
  if (border.Mask) ScanCorners(border, Edge::Bottom, windowWidth, formHeight - MaskMarginBottom(*border.Mask), rects);
  ScanCorners(title, Edge::Top, windowWidth, 0, rects);
  return rects;
}

TacRect BorderFormClientRect(int windowWidth, int windowHeight, int sysBorder, int caption, bool maxShortTitle) {
  return TacRect{sysBorder, sysBorder + caption - (maxShortTitle ? 4 : 0), windowWidth - sysBorder,
                 windowHeight - sysBorder};
}
