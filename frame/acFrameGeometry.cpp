#include "frame/acFrameGeometry.h"

#include <algorithm>

int SysBorderWidth(const TacFrameModel& m, bool useExt) {
  if (useExt && m.BorderForm && m.Skin.BorderWidth != 0) return m.Skin.BorderWidth;
  if (m.Style & acStyle::ThickFrame) return m.Metrics.CxFrame;
  if (m.Style & acStyle::Border) return m.Metrics.CxDlgFrame;
  return 0;
}

int TopBorderWidth(const TacFrameModel& m, bool useExt) { return m.BorderForm ? 0 : SysBorderWidth(m, useExt); }

int SideBorderWidth(const TacFrameModel& m, bool useExt) { return SysBorderWidth(m, useExt) + m.FormBorderWidth; }

int CaptionHeight(const TacFrameModel& m, bool useExt) {
  if (!((m.HasBorder() && m.HasStyle(acStyle::Caption)) || m.Minimized())) return 0;
  const int ext = (useExt && m.BorderForm) ? m.Skin.TitleHeight : 0;
  const bool tool = m.BorderStyle == TacBorderKind::ToolWindow || m.BorderStyle == TacBorderKind::SizeToolWin;
  const int platform = (tool && !m.Minimized()) ? m.Metrics.CySmCaption : m.Metrics.CyCaption;
  if (m.MaxShortTitle) return std::max(platform + 4, ext);
  return ext != 0 ? ext : platform;
}

bool ComputeMaxShortTitle(const TacFrameModel& m) {
  if (!m.Maximized() || !m.BorderForm) return false;
  TacFrameModel plain = m;
  plain.MaxShortTitle = false;  // the flag itself must not feed its own test
  return CaptionHeight(plain, true) < CaptionHeight(plain, false) + 4;
}

TacRect ExtMargins(const TacFrameModel& m) {
  if (!m.BorderForm) return TacRect{0, 0, 0, 0};
  return m.Skin.ShadowMargins;
}

int MenuLineHeight(const TacFrameModel& m) { return m.ShowsMenuLine ? m.Metrics.CyMenu - 1 : 0; }

int FrameWidth(const TacFrameModel& m) {
  int w = m.Width;
  if (!m.Minimized() && m.BorderForm) w += 2 * (SysBorderWidth(m, true) - SysBorderWidth(m, false));
  const TacRect e = ExtMargins(m);
  return w + e.Left + e.Right;
}

int ClientOffsetX(const TacFrameModel& m) {
  if (m.BorderForm) return SideBorderWidth(m, true) + ExtMargins(m).Left;
  return (m.Width - m.ClientWidth - m.VScrollWidth) / 2;
}

int ClientOffsetY(const TacFrameModel& m) {
  if (m.BorderForm)
    return CaptionHeight(m, true) + m.MenuLineCount * MenuLineHeight(m) + m.FormBorderWidth + ExtMargins(m).Top;
  return m.Height - m.ClientHeight - ((m.Style & acStyle::Border) ? SideBorderWidth(m, true) : 0) - m.HScrollHeight;
}

int CaptionAreaHeight(const TacFrameModel& m) {
  int h;
  if (m.BorderForm) {
    h = TopBorderWidth(m, false) + CaptionHeight(m, true);
  } else {
    const bool framed = CaptionHeight(m, true) != 0 || (m.Style & acStyle::Border);
    h = m.Height - m.ClientHeight - (framed ? TopBorderWidth(m, true) + m.FormBorderWidth : 0);
  }
  h = std::max(h, 0);
  if (m.Minimized()) h += TopBorderWidth(m, false);
  if (m.BindingSkinned) h -= m.HScrollHeight;
  return h;
}

TacIconSize TitleIconSize(const TacFrameModel& m) {
  const bool shown = (m.BorderStyle == TacBorderKind::Single || m.BorderStyle == TacBorderKind::Sizeable) &&
                     m.ShowAppIcon && m.HasSystemMenu;
  if (!shown) return {0, 0};
  if (m.TitleIconWidth != 0 && m.TitleIconHeight != 0) return {m.TitleIconWidth, m.TitleIconHeight};
  const int caption = CaptionHeight(m, true);
  const int side = caption <= 8 ? 1 : caption <= 16 ? 8 : 16;
  return {m.TitleIconWidth != 0 ? m.TitleIconWidth : side, m.TitleIconHeight != 0 ? m.TitleIconHeight : side};
}

TacRect IconRect(const TacFrameModel& m) {
  const TacIconSize icon = TitleIconSize(m);
  const TacRect e = ExtMargins(m);
  TacRect r;
  r.Left = SysBorderWidth(m, true) + m.Skin.BILeft + e.Left;
  r.Right = r.Left + icon.Width;
  const int firstTop = SysBorderWidth(m, false) / 2 + e.Top;
  const int free = TopBorderWidth(m, false) + CaptionHeight(m, true) + e.Top - firstTop - icon.Height;
  r.Top = firstTop + free / 2;
  if (m.BorderForm) {
    r.Top += m.Skin.CenterOffset;
    if (m.Maximized() && m.Skin.TitleHeight != m.Skin.MaxTitleHeight)
      r.Top += (m.Skin.TitleHeight - m.Skin.MaxTitleHeight) / 2 - 2;
  }
  r.Bottom = r.Top + icon.Height;
  return r;
}

int CountMenuRows(const TacFrameModel& m, const int* itemWidths, int count) {
  const int start = SysBorderWidth(m, true);
  const int limit = m.Width - 2 * SysBorderWidth(m, true) - 2 * m.FormBorderWidth;
  int rows = 1;
  int x = start;
  for (int i = 0; i < count; ++i) {
    if (x + itemWidths[i] > limit) {
      ++rows;
      x = start;
    }
    x += itemWidths[i];
  }
  return rows;
}
