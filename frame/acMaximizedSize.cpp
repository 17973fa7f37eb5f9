#include "frame/acMaximizedSize.h"

#include "frame/acFrameGeometry.h"

bool DecidesMaximizedSize(const TacFrameModel& m, bool drawNonClientArea) {
  return drawNonClientArea && m.HasBorder() && !m.MdiChild && !m.HasParentControl;
}

TacMaximizedSize MaximizedSize(const TacFrameModel& m, int workWidth, int workHeight) {
  const int a = SysBorderWidth(m, false);
  int b = 0;
  if (m.HasStyle(acStyle::Caption)) {
    b = a;
    if (a + CaptionHeight(m, false) < CaptionHeight(m, true)) b = CaptionHeight(m, true) - CaptionHeight(m, false) - a;
  }
  const int k = m.Skin.TitleHeight == m.Skin.MaxTitleHeight
                    ? 0
                    : m.Skin.TitleHeight + m.Skin.CenterOffset - m.Skin.MaxTitleHeight;
  return TacMaximizedSize{b - a - k, 2 * a + workWidth, 2 * a + workHeight + k - b};
}
