#include "menus/acMenuMeasure.h"

#include <algorithm>

#include "paint/sGraphUtils.h"

TsMenuItemType MenuItemType(const std::string& caption) {
  if (caption == "-") return smDivider;
  if (caption.size() > 1 && caption.front() == '-' && caption.back() == '-') return smCaption;
  return smNormal;
}

std::string CaptionItemText(const std::string& caption) {
  if (MenuItemType(caption) != smCaption) return caption;
  const std::string inner = caption.substr(1, caption.size() - 2);
  return inner.substr(0, inner.find('-'));
}

int MenuItemHeight(TsMenuItemType kind, int textHeight, int glyphHeight, int margin) {
  if (kind == smDivider) return 2;
  const int row = static_cast<int>(RoundHalfEven(1.25 * textHeight));
  if (kind == smCaption) return row + 2 * margin;
  return std::max(row, glyphHeight) + 2 * margin;
}

std::string MeasuredMenuText(TsMenuItemType kind, const std::string& caption, const std::string& shortcut) {
  switch (kind) {
    case smCaption: return "-" + caption + "-";
    case smDivider: return std::string();
    default: return caption + shortcut;
  }
}

int MenuItemWidth(int glyphWidth, int textWidth, const TacMenuSpacing& s, int extraLineWidth) {
  return 2 * glyphWidth + textWidth + 3 * s.Margin + s.Spacing + extraLineWidth;
}

int MenuIconLineWidth(const TacMenuSpacing& s, int glyphWidth) { return s.Margin + glyphWidth + s.Spacing; }

int MenuCaptionIndent(const TacMenuSpacing& s, int glyphWidth) { return glyphWidth + 2 * s.Margin + s.Spacing; }

int PopupExtraLineWidth(bool useExtraLine, int extraLineWidth, bool shown) {
  return useExtraLine && shown ? extraLineWidth : 0;
}

int FirstColumn(const std::vector<bool>& breaks, int index) {
  for (int i = 0; i <= index && i < static_cast<int>(breaks.size()); ++i)
    if (breaks[static_cast<size_t>(i)]) return 0;
  return 1;
}

int ResolveSkinBorderWidth(int property, const TsMaskData* menuBorderMask) {
  if (property >= 0) return property;
  if (!menuBorderMask) return 0;
  return menuBorderMask->BorderWidth > 0 ? menuBorderMask->BorderWidth : 3;
}

TacMenuExtent PopupMenuSize(const std::vector<TacMeasuredItem>& items, int borderWidth) {
  int width = 0, height = 0;
  int columnWidth = 0, columnHeight = 0;
  bool columnStarted = false;
  auto closeColumn = [&] {
    if (columnStarted) width += columnWidth + 12;
    height = std::max(height, columnHeight);
    columnWidth = columnHeight = 0;
  };
  for (const TacMeasuredItem& item : items) {
    if (!item.Visible) continue;
    if (item.Break && columnStarted) {
      closeColumn();
      width += 4;
    }
    columnStarted = true;
    columnWidth = std::max(columnWidth, item.Width);
    columnHeight += item.Height;
  }
  closeColumn();
  return TacMenuExtent{width + 2 * borderWidth, height + 2 * borderWidth};
}

char SystemMenuGlyph(long long command) {
  switch (command) {
    case 61472: return '0';  // SC_MINIMIZE
    case 61488: return '1';  // SC_MAXIMIZE
    case 61536: return 'r';  // SC_CLOSE
    case 61728: return '2';  // SC_RESTORE
    default: return 0;
  }
}

TacMenuCaption MenuCaptionLayout(const std::string& caption, TacMenuTextAlign alignment) {
  if (!caption.empty() && caption[0] == '\x08') return TacMenuCaption{caption.substr(1) + "      ", TacMenuTextAlign::Right};
  return TacMenuCaption{caption, alignment};
}
