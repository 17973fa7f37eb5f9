#include "frame/acBorderGeometry.h"

#include <algorithm>

#include "frame/acFrameGeometry.h"

namespace {

bool Inside(const TacRect& r, TacPoint p) { return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom; }

}  // namespace

int ExtBorderTopOffset(const TacFrameModel& m) {
  return CaptionHeight(m, true) - CaptionHeight(m, false) - SysBorderWidth(m, false);
}

int ExtBorderSideDelta(const TacFrameModel& m) { return SysBorderWidth(m, true) - SysBorderWidth(m, false); }

int FrameCacheHeight(const TacFrameModel& m) {
  if (m.Minimized()) return TopBorderWidth(m, false) + CaptionHeight(m, true) + 2;
  int h = m.Height;
  if (m.BorderForm) {
    const TacRect e = ExtMargins(m);
    h += ExtBorderSideDelta(m) + ExtBorderTopOffset(m) + e.Top + e.Bottom;
    if (MenuLineHeight(m) != 0) ++h;
  }
  return h;
}

TacRect FrameRectInCache(const TacFrameModel& m, int cacheWidth, int cacheHeight) {
  const TacRect e = ExtMargins(m);
  return TacRect{e.Left, e.Top, cacheWidth - e.Right, cacheHeight - e.Bottom};
}

int TitleBottom(const TacFrameModel& m) { return TopBorderWidth(m, false) + CaptionHeight(m, true) + ExtMargins(m).Top; }

bool CentredBorderMode(const TacFrameModel& m) { return m.BorderForm && m.Skin.BorderMode == 1; }

TacPoint BorderWindowOffset(const TacFrameModel& m) {
  const TacRect e = ExtMargins(m);
  const int sb = SysBorderWidth(m, false);
  // The skin's border and title sizes as the frame uses them (the platform's when the
  // skin gives none), so that the client area lands where ClientOffsetX/Y put it.
  const int left = SysBorderWidth(m, true) + e.Left - sb;
  int top;
  if (m.MaxShortTitle)
    top = e.Top + CaptionHeight(m, true) - CaptionHeight(m, false);
  else
    top = e.Top + (CaptionHeight(m, false) != 0 ? CaptionHeight(m, true) - CaptionHeight(m, false) : 0) - sb;
  return TacPoint{left, top};
}

TacRect BorderClientHole(const TacFrameModel& m) {
  const int x = ClientOffsetX(m);
  const int y = ClientOffsetY(m);
  const int top = y - m.MenuLineCount * MenuLineHeight(m);
  return TacRect{x, top, x + m.ClientWidth, y + m.ClientHeight};
}

TacRect BorderVisibleRect(const TacFrameModel& m, int width, int height) {
  if (!m.Maximized()) return TacRect{0, 0, width, height};
  const TacRect e = ExtMargins(m);
  const int side = SysBorderWidth(m, false) + ExtBorderSideDelta(m);
  return TacRect{side + e.Left, e.Top + 4, width - side - e.Right, height - side - e.Bottom};
}

int MaximizedBottomCut(const TacFrameModel& m) {
  return m.Maximized() ? ExtMargins(m).Bottom + SysBorderWidth(m, true) : 0;
}

bool InBorderShadow(const TacFrameModel& m, TacPoint p, int width, int height) {
  if (m.Maximized()) return false;
  const TacRect e = ExtMargins(m);
  return !Inside(TacRect{e.Left, e.Top, width - e.Right, height - e.Bottom}, p);
}

int BorderHitTest(const TacFrameModel& m, TacPoint p, int width, int height, const TacBorderHitInput& in) {
  if (!in.OwnerEnabled) return -1;
  for (const TacTitleButtonHit& b : in.Buttons) {
    if (!Inside(b.R, p)) continue;
    if (b.Code != acHit::FallThrough) return b.Code;
    break;  // a disabled user button: what lies below it counts
  }
  const TacRect e = ExtMargins(m);
  if (!m.Maximized() && (m.Style & acStyle::ThickFrame)) {
    const int b = SysBorderWidth(m, false);
    int edge = acHit::Nowhere;
    if (p.Y >= e.Top && p.Y < e.Top + b) edge = acHit::Top;
    else if (p.Y >= height - b - e.Bottom && p.Y < height - e.Bottom) edge = acHit::Bottom;
    const bool left = p.X >= e.Left && p.X < e.Left + b;
    const bool right = p.X >= width - b - e.Right && p.X < width - e.Right;
    if (left) return edge == acHit::Top ? acHit::TopLeft : edge == acHit::Bottom ? acHit::BottomLeft : acHit::Left;
    if (right) return edge == acHit::Top ? acHit::TopRight : edge == acHit::Bottom ? acHit::BottomRight : acHit::Right;
    if (edge != acHit::Nowhere) return edge;
  }
  const int titleEnd = SysBorderWidth(m, true) + CaptionHeight(m, true) + e.Top;
  if (p.Y >= 0 && p.Y < titleEnd) {
    const int band = SysBorderWidth(m, false) + CaptionHeight(m, false);
    if (MenuLineHeight(m) != 0 && p.Y >= band && p.Y < band + MenuLineHeight(m)) return acHit::Caption;
    if (Inside(IconRect(m), p)) return acHit::SysMenu;
    return acHit::Caption;
  }
  if (p.Y < SysBorderWidth(m, true) + CaptionHeight(m, true) + MenuLineHeight(m)) return acHit::Menu;
  if (in.TestGrip && in.HasGripImage && p.X > in.GripTopLeft.X && p.Y > in.GripTopLeft.Y) return acHit::BottomRight;
  return -1;
}

TacCentredBorderLayout CentredBorderLayout(const TacFrameModel& m, int cacheHeight, const TacRect& imageMargins) {
  const int c = CaptionHeight(m, true);
  const int half = (cacheHeight - c) / 2;
  const TacRect e = ExtMargins(m);
  const int side = SideBorderWidth(m, true);
  TacCentredBorderLayout l;
  l.Margins = TacRect{imageMargins.Left, std::min(imageMargins.Top, half + c), imageMargins.Right,
                      std::min(imageMargins.Bottom, half)};
  l.Insets = TacRect{e.Left + side, e.Top + c, e.Right + side, e.Bottom + side};
  return l;
}
