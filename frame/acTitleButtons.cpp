#include "frame/acTitleButtons.h"

#include <algorithm>

namespace {
bool SingleOrSizeable(TacBorderKind k) { return k == TacBorderKind::Single || k == TacBorderKind::Sizeable; }
}  // namespace

TacSysMenuState SysMenuPredicates(const TacSysMenuInput& in) {
  TacSysMenuState s;
  const bool minimized = in.State == TacWindowState::Minimized;
  const bool maximized = in.State == TacWindowState::Maximized;
  const bool icoMax = (in.BorderIcons & acIcons::Maximize) != 0;
  const bool icoMin = (in.BorderIcons & acIcons::Minimize) != 0;
  s.VisibleClose = in.SysMenuStyleRemoved;
  s.VisibleMax = s.VisibleClose && (minimized || in.MdiChild || (SingleOrSizeable(in.BorderStyle) && icoMax));
  s.VisibleMin = s.VisibleClose && (minimized || in.MdiChild || (SingleOrSizeable(in.BorderStyle) && icoMin));
  s.EnabledMax = icoMax && (in.MdiChild || (!maximized && SingleOrSizeable(in.BorderStyle)));
  s.EnabledMin = icoMin && !minimized;
  s.EnabledRestore = (icoMax && in.State != TacWindowState::Normal) || minimized;
  return s;
}

TacTitleButtonKeys ChooseTitleButtonKeys(TacBorderKind style, const TacSysMenuState& s,
                                         const std::function<bool(const std::string&)>& has) {
  auto key = [&](const char* k) { return has(k) ? std::string(k) : std::string(); };
  auto bigSet = [&](bool alone) {
    TacTitleButtonKeys b;
    b.Min = key("BICONMIN");
    b.Max = key("BICONMAX");
    b.Close = alone && !s.VisibleMax && !s.VisibleMin && has("BICLOSEALONE") ? std::string("BICLOSEALONE")
                                                                              : key("BICONCLOSE");
    b.Help = key("BICONHELP");
    b.Big = true;
    return b;
  };
  TacTitleButtonKeys k;
  if (SingleOrSizeable(style)) {
    k = bigSet(true);
  } else {
    k.Close = key("SICONCLOSE");
    k.Min = key("SICONMIN");
    k.Max = key("SICONMAX");
    k.Help = has("SICONHELP") ? std::string("SICONHELP") : key("BICONHELP");
    k.Big = false;
  }
  if (k.Close.empty()) k = bigSet(false);
  return k;
}

std::vector<TacPlacedButton> LayoutTitleButtons(const TacTitleLayoutInput& in) {
  const TacFrameSkin& sk = in.Skin;
  int top;
  if (in.Big && in.BIValign == 1) {
    top = in.ExtTop;
  } else {
    top = (in.TopBorder + in.Caption - in.ButtonHeight) / 2 + in.ExtTop;
    if (in.SpacedStyle && in.ButtonHeight < 16) top += 2;
  }
  (void)sk;
  std::vector<TacPlacedButton> out;
  int edge = in.FrameWidth - sk.BIRight - in.ExtRight - in.SysBorder;
  const int space = in.SpacedStyle ? sk.BISpace : 0;
  for (const TacButtonPlace& b : in.System) {
    out.push_back(TacPlacedButton{b.Code, TacRect{edge - b.Width, top, edge, top + in.ButtonHeight}});
    edge = edge - b.Width - space;
  }
  if (!in.User.empty()) edge -= 8;
  for (const TacButtonPlace& b : in.User) {
    out.push_back(TacPlacedButton{b.Code, TacRect{edge - b.Width, top, edge, top + in.ButtonHeight}});
    edge = edge - b.Width - space;
  }
  return out;
}

TacRect AlignCaption(TacRect r, int textWidth, int extraWidth, TacCaptionAlign align) {
  const int width = r.Right - r.Left;
  if (align == TacCaptionAlign::Right) {
    if (textWidth + extraWidth + 4 < width) r.Left = r.Right - textWidth - extraWidth - 4;
  } else if (align == TacCaptionAlign::Center) {
    const int left = std::max(r.Left, r.Left + (width - textWidth - extraWidth - 4) / 2);
    r.Right = std::min(r.Right, left + textWidth);
    r.Left = left;
  }
  return r;
}

unsigned CaptionDoubleClickCommand(const TacSysMenuState& s, bool hasBorder, TacWindowState state) {
  const bool minimized = state == TacWindowState::Minimized;
  if ((s.VisibleClose && (s.EnabledMax || s.EnabledRestore)) || (!hasBorder && minimized))
    return state != TacWindowState::Normal ? acSysCmd::Restore : acSysCmd::Maximize;
  if (minimized) return acSysCmd::Restore;
  return 0;
}
