#include "frame/acScreenSnap.h"

#include <cstdlib>

TacPoint SnapToWorkArea(const TacSnapInput& in, bool screenSnap, bool maximized) {
  TacPoint p = in.Proposed;
  if (!screenSnap || maximized || (p.X == 0 && p.Y == 0)) return p;
  const TacRect& w = in.WorkArea;
  const int e = in.ExtWidth;
  if (std::abs(p.X + in.Width + e - w.Right) < in.SnapBuffer) p.X = w.Right - in.Width - e;
  if (std::abs(p.Y + in.Height + e - w.Bottom) < in.SnapBuffer) p.Y = w.Bottom - in.Height - e;
  if (std::abs(p.X - e - w.Left) < in.SnapBuffer) p.X = w.Left + e;
  if (std::abs(p.Y - in.ExtTop - w.Top) < in.SnapBuffer) p.Y = w.Top + in.ExtTop;
  return p;
}
