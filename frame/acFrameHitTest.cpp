#include "frame/acFrameHitTest.h"

#include <cstddef>

#include "frame/acFrameGeometry.h"

namespace {

bool Contains(const TacRect& r, TacPoint p) { return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom; }

}  // namespace

int TitleButtonHitCode(TacTitleButtonKind kind, int userIndex, bool userEnabled, const TacTitleButtonState& s,
                       bool minimized) {
  switch (kind) {
    case TacTitleButtonKind::Close:
      return acHit::Close;
    case TacTitleButtonKind::Maximize:
      return (s.EnabledMax || (s.EnabledRestore && !minimized)) ? acHit::MaxButton : acHit::Caption;
    case TacTitleButtonKind::Minimize:
      return (s.EnabledMin || minimized) ? acHit::MinButton : acHit::Caption;
    case TacTitleButtonKind::Help:
      return acHit::Help;
    case TacTitleButtonKind::User:
      return userEnabled ? acHit::UserButton + userIndex : acHit::FallThrough;
  }
  return acHit::FallThrough;
}

int FrameHitTest(const TacFrameModel& m, TacPoint p, const TacHitTestInput& in) {
  if (!m.BorderForm) {
    for (const TacTitleButtonHit& b : in.Buttons) {
      if (!Contains(b.R, p)) continue;
      if (b.Code != acHit::FallThrough) return b.Code;
      break;  // a disabled user button: the point means what lies below it
    }
  }

  if (!m.Maximized() && (m.Style & acStyle::ThickFrame) && !m.BorderForm) {
    const int b = SysBorderWidth(m, true);
    int edge = acHit::Nowhere;
    if (p.Y > m.Height - b) edge = acHit::Bottom;
    else if (p.Y < TopBorderWidth(m, false)) edge = acHit::Top;
    if (p.X < b) return edge == acHit::Top ? acHit::TopLeft : edge == acHit::Bottom ? acHit::BottomLeft : acHit::Left;
    if (p.X > m.Width - b)
      return edge == acHit::Top ? acHit::TopRight : edge == acHit::Bottom ? acHit::BottomRight : acHit::Right;
    if (edge != acHit::Nowhere) return edge;
  }

  const int captionBottom = CaptionHeight(m, false) + TopBorderWidth(m, true);
  if (p.Y >= 0 && p.Y <= captionBottom) {
    const int menuTop = TopBorderWidth(m, false) + CaptionHeight(m, false);
    if (p.Y >= menuTop && p.Y <= menuTop + MenuLineHeight(m)) return acHit::Menu;
    if (Contains(IconRect(m), p)) return acHit::SysMenu;
    return acHit::Caption;
  }

  if (p.Y > captionBottom + MenuLineHeight(m)) {
    if (in.TestGrip && in.HasGripImage && p.X > in.GripTopLeft.X && p.Y > in.GripTopLeft.Y)
      return acHit::BottomRight;
    return acHit::Client;
  }

  static const int kChildCodes[] = {acHit::ChildClose, acHit::ChildRestore, acHit::ChildMinimize};
  for (std::size_t i = 0; i < in.ChildButtons.size() && i < 3; ++i)
    if (Contains(in.ChildButtons[i], p)) return kChildCodes[i];
  return acHit::Menu;
}

bool LeftToPlatform(int code) {
  return code == acHit::Nowhere || code == acHit::Client || code == acHit::Caption || code == acHit::Menu;
}

bool IsBorderZone(int code) { return code >= acHit::Left && code <= acHit::BottomRight; }
