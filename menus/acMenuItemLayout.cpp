#include "menus/acMenuItemLayout.h"

#include <algorithm>

namespace {

// Bottom of the item area in client coordinates: the background height less the
// frame strips, measured from the client origin.
int ItemAreaBottom(const TacMenuItemPlace& p) { return p.BackgroundHeight - p.BorderWidth - p.Origin.Y; }

}  // namespace

std::vector<TacRect> MenuFrameStrips(const TacMenuItemPlace& p) {
  std::vector<TacRect> strips;
  const int w = p.BackgroundWidth, h = p.BackgroundHeight, bw = p.BorderWidth;
  if (p.FirstVisible) strips.push_back(TacRect{0, 0, w, bw});
  if (p.LastVisible) strips.push_back(TacRect{0, h - bw, w, h});
  const int top = p.Item.Top + p.Origin.Y, bottom = p.Item.Bottom + p.Origin.Y;
  strips.push_back(TacRect{0, top, std::max(bw, p.SkinBorderWidth) + p.X0(), bottom});
  strips.push_back(TacRect{w - bw, top, w, bottom});
  return strips;
}

std::vector<TacBackgroundCopy> MenuItemGaps(const TacMenuItemPlace& p) {
  std::vector<TacBackgroundCopy> gaps;
  const TacRect& r = p.Item;
  const int bottom = ItemAreaBottom(p);
  if ((p.NextStartsColumn || p.LastVisible) && r.Bottom < bottom)
    gaps.push_back(TacBackgroundCopy{
        TacRect{r.Left + p.Origin.X, r.Bottom + p.Origin.Y, r.Right + p.Origin.X, bottom + p.Origin.Y},
        TacPoint{r.Left, r.Bottom}});
  if (p.HasBreak && r.Top < bottom)
    gaps.push_back(TacBackgroundCopy{
        TacRect{r.Left - 4 + p.Origin.X, r.Top + p.Origin.Y, r.Left + p.Origin.X, bottom + p.Origin.Y},
        TacPoint{r.Left - 4, r.Top}});
  return gaps;
}

TacRect MenuItemImageRect(const TacMenuItemPlace& p) {
  return TacRect{p.X0() + p.Item.Left, p.Item.Top, p.Item.Right, p.Item.Bottom};
}

TacPoint MenuItemBackgroundOrigin(const TacMenuItemPlace& p) {
  return TacPoint{p.Origin.X + p.X0() + p.Item.Left, p.Origin.Y + p.Item.Top};
}

TacBackgroundCopy MenuExtraLineColumn(const TacMenuItemPlace& p) {
  const int width = p.Item.Left + p.X0() + 3;
  return TacBackgroundCopy{TacRect{p.Origin.X, p.Origin.Y, p.Origin.X + width, p.BackgroundHeight}, TacPoint{0, 0}};
}

TacRect MenuCaptionRect(int w, int h, const TacMenuSpacing& s, int glyphWidth) {
  return TacRect{MenuCaptionIndent(s, glyphWidth), 0, w, h};
}

TacRect MenuShortcutRect(const TacRect& caption, int textWidth, int extraLineWidth) {
  return TacRect{caption.Right - textWidth - 8 - extraLineWidth, caption.Top, caption.Right - 8 - extraLineWidth,
                 caption.Bottom};
}

TacPoint MenuCheckPlace(int h, int frameHeight, const TacMenuSpacing& s) {
  return TacPoint{s.Margin, (h - frameHeight) / 2};
}

int MenuImageInset(int h, int imageHeight) { return (h - imageHeight) / 2; }

TacRect MenuSystemGlyphRect(int h, int textHeight) {
  const int d = (h - textHeight) / 2;
  return TacRect{4, d, 4 + textHeight + 10, d + textHeight};
}

TacRect MenuDividerSpan(int w, int h, const TacMenuSpacing& s, int extraLineWidth, int iconLineWidth) {
  int left = extraLineWidth + s.Margin + s.Spacing;
  if (left < extraLineWidth + iconLineWidth) left = extraLineWidth + iconLineWidth + 2;
  return TacRect{left, 0, w - s.Margin, h};
}
