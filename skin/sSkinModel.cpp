#include "skin/sSkinModel.h"

#include "paint/acColors.h"

const char* const SkinVersionWarningText =
    "This version of the skin have not complete support by used Corvane package release.\r\n"
    "Components must be updated up to latest version for using this skin.";

namespace {
// System colours by index, as the framework names them (top byte 0xFF).
constexpr uint32_t SysColor(int index) { return 0xFF000000u | static_cast<uint32_t>(index); }
constexpr int COLOR_WINDOW_INDEX = 5;
constexpr int COLOR_HIGHLIGHT_INDEX = 13;
constexpr int COLOR_HIGHLIGHTTEXT_INDEX = 14;
constexpr int COLOR_BTNFACE_INDEX = 15;

bool IsRealColor(uint32_t c) { return c != ColorNotSet && c != 0xFF00FF && c != 0xFFFFFF; }
}  // namespace

TsSkinModel::TsSkinModel() = default;
TsSkinModel::~TsSkinModel() = default;

void TsSkinModel::ClearSkin() {
  loaded_ = false;
  Masks.clear();
  Patterns.clear();
  Sections.clear();
  MasterBitmap.reset();
  ConstData = TConstantSkinData();
  indexes_.Made = false;
}

namespace {
using Names = std::pair<std::string_view, std::string_view>;
}  // namespace

const TsSkinModel::Indexes& TsSkinModel::CurrentIndexes() const {
  Indexes& x = indexes_;
  if (x.Made && x.SectionCount == Sections.size() && x.MaskCount == Masks.size() &&
      x.PatternCount == Patterns.size() && x.SectionData == Sections.data() && x.MaskData == Masks.data() &&
      x.PatternData == Patterns.data())
    return x;
  auto all = [](size_t) { return true; };
  auto section = [this](size_t i) { return Names(Sections[i].Name, std::string_view()); };
  auto mask = [this](size_t i) { return Names(Masks[i].ClassName, Masks[i].PropertyName); };
  auto pattern = [this](size_t i) { return Names(Patterns[i].ClassName, Patterns[i].PropertyName); };
  x.Sections.Build(Sections.size(), section, all);
  x.Masks.Build(Masks.size(), mask, all);
  x.Textures.Build(Masks.size(), mask, [this](size_t i) { return Masks[i].ImgType == itisaTexture; });
  x.Patterns.Build(Patterns.size(), pattern, all);
  x.SectionCount = Sections.size();
  x.MaskCount = Masks.size();
  x.PatternCount = Patterns.size();
  x.SectionData = Sections.data();
  x.MaskData = Masks.data();
  x.PatternData = Patterns.data();
  x.Made = true;
  return x;
}

int TsSkinModel::GetSkinIndex(std::string_view name) const {
  return CurrentIndexes().Sections.Find(name, std::string_view(),
                                        [this](size_t i) { return Names(Sections[i].Name, std::string_view()); });
}

int TsSkinModel::FindIn(Table table, std::string_view section, std::string_view key) const {
  const Indexes& x = CurrentIndexes();
  auto mask = [this](size_t i) { return Names(Masks[i].ClassName, Masks[i].PropertyName); };
  switch (table) {
    case Table::Masks: return x.Masks.Find(section, key, mask);
    case Table::Textures: return x.Textures.Find(section, key, mask);
    case Table::Patterns:
      return x.Patterns.Find(section, key,
                             [this](size_t i) { return Names(Patterns[i].ClassName, Patterns[i].PropertyName); });
  }
  return -1;
}

int TsSkinModel::FindMask(std::string_view section, std::string_view key) const {
  return FindIn(Table::Masks, section, key);
}

int TsSkinModel::LookupWithParents(int skinIndex, std::string_view section, std::string_view key,
                                   Table table) const {
  if (skinIndex < 0 || section.empty()) return -1;
  // Each step moves to a parent section; more steps than sections means a cycle.
  for (size_t step = 0; step <= Sections.size(); ++step) {
    const int found = FindIn(table, section, key);
    if (found >= 0) return found;
    if (static_cast<size_t>(skinIndex) >= Sections.size()) return -1;
    const std::string& parent = Sections[static_cast<size_t>(skinIndex)].ParentClass;
    if (parent.empty() || parent == section) return -1;
    int parentIndex = GetSkinIndex(parent);
    if (parentIndex < 0) return -1;
    skinIndex = parentIndex;
    section = Sections[static_cast<size_t>(parentIndex)].Name;
  }
  return -1;
}

int TsSkinModel::GetMaskIndex(int skinIndex, std::string_view section, std::string_view key) const {
  return LookupWithParents(skinIndex, section, key, Table::Masks);
}

int TsSkinModel::GetTextureIndex(int skinIndex, std::string_view section, std::string_view key) const {
  if (Masks.empty()) return -1;
  return LookupWithParents(skinIndex, section, key, Table::Textures);
}

int TsSkinModel::GetPatternIndex(int skinIndex, std::string_view section, std::string_view key) const {
  return LookupWithParents(skinIndex, section, key, Table::Patterns);
}

void TsSkinModel::InitConstantIndexes() {
  TConstantSkinData& c = ConstData;
  c = TConstantSkinData();
  const int g = GetSkinIndex("GLOBALINFO");
  c.IndexGlobalInfo = g;
  auto global = [&](const char* key) { return GetMaskIndex(g, "GLOBALINFO", key); };
  c.ExBorder = global("EXBORDER");
  c.CheckBoxChecked = global("BOXCHECKED");
  c.CheckBoxUnChecked = global("BOXUNCHECKED");
  c.CheckBoxGrayed = global("BOXGRAYED");
  c.RadioButtonChecked = global("RADIOCHECKED");
  c.RadioButtonUnChecked = global("RADIOUNCHECKED");
  c.RadioButtonGrayed = global("RADIOGRAYED");
  c.SmallBoxChecked = global("SMALLCHECKED");
  c.SmallBoxUnChecked = global("SMALLUNCHECKED");
  c.SmallBoxGrayed = global("SMALLGRAYED");

  c.ComboBtn.SkinIndex = GetSkinIndex("COMBOBTN");
  c.ComboBtn.BorderMask = FindMask("COMBOBTN", "BORDERSMASK");
  c.ComboBtn.Pattern = GetTextureIndex(c.ComboBtn.SkinIndex, "COMBOBTN", "PATTERN");
  c.ComboBtn.HotPattern = GetTextureIndex(c.ComboBtn.SkinIndex, "COMBOBTN", "HOTPATTERN");
  c.ComboGlyph = FindMask("COMBOBOX", "GLYPHMASK");

  static const char* const tabs[4] = {"TABTOP", "TABBOTTOM", "TABLEFT", "TABRIGHT"};
  for (int i = 0; i < 4; ++i) {
    c.Tabs[i].SkinIndex = GetSkinIndex(tabs[i]);
    c.Tabs[i].BorderMask = GetMaskIndex(c.Tabs[i].SkinIndex, tabs[i], "BORDERSMASK");
  }
  auto withMasks = [&](TacSectionIndexes& s, const char* name, bool glyph) {
    s.SkinIndex = GetSkinIndex(name);
    s.BorderMask = GetMaskIndex(s.SkinIndex, name, "BORDERSMASK");
    if (glyph && s.SkinIndex >= 0) s.GlyphMask = GetMaskIndex(s.SkinIndex, name, "GLYPHMASK");
    s.Pattern = GetMaskIndex(s.SkinIndex, name, "PATTERN");
    s.HotPattern = GetMaskIndex(s.SkinIndex, name, "HOTPATTERN");
  };
  static const char* const buttons[4] = {"SCROLLBTNTOP", "SCROLLBTNBOTTOM", "SCROLLBTNLEFT", "SCROLLBTNRIGHT"};
  for (int i = 0; i < 4; ++i) withMasks(c.ScrollBtns[i], buttons[i], true);
  withMasks(c.ScrollSliders[skVert], "SCROLLSLIDERV", true);
  withMasks(c.ScrollSliders[skHorz], "SCROLLSLIDERH", true);
  static const char* const bars[4] = {"SCROLLBAR1H", "SCROLLBAR1V", "SCROLLBAR2H", "SCROLLBAR2V"};
  for (int i = 0; i < 4; ++i) withMasks(c.ScrollBars[i], bars[i], false);
}

void TsSkinModel::InitSectionMaskIndexes() {
  for (size_t i = 0; i < Sections.size(); ++i) {
    TsGeneralData& s = Sections[i];
    if (s.Name == "GLOBALINFO") continue;
    const int index = static_cast<int>(i);
    s.BorderIndex = GetMaskIndex(index, s.Name, "BORDERSMASK");
    s.ImgTL = GetMaskIndex(index, s.Name, "IMGTOPLEFT");
    s.ImgTR = GetMaskIndex(index, s.Name, "IMGTOPRIGHT");
    s.ImgBL = GetMaskIndex(index, s.Name, "IMGBTMLEFT");
    s.ImgBR = GetMaskIndex(index, s.Name, "IMGBTMRIGHT");
  }
}

uint32_t TsSkinModel::GetGlobalColor() const {
  int g = GetSkinIndex("GLOBALINFO");
  return ColorToRGB(g >= 0 ? Sections[static_cast<size_t>(g)].Color : SysColor(COLOR_BTNFACE_INDEX));
}

uint32_t TsSkinModel::GetGlobalHotColor() const {
  int g = GetSkinIndex("GLOBALINFO");
  return ColorToRGB(g >= 0 ? Sections[static_cast<size_t>(g)].HotColor : SysColor(COLOR_WINDOW_INDEX));
}

uint32_t TsSkinModel::GetGlobalFontColor() const {
  int g = GetSkinIndex("GLOBALINFO");
  return g >= 0 ? ColorToRGB(Sections[static_cast<size_t>(g)].FontColor[0]) : 0xFF00FF;
}

uint32_t TsSkinModel::GetEditHotFontColor() const {
  int e = GetSkinIndex("EDIT");
  return e >= 0 ? ColorToRGB(Sections[static_cast<size_t>(e)].HotFontColor[0]) : 0xFF00FF;
}

uint32_t TsSkinModel::GetHighlightColor() const {
  int m = GetSkinIndex("MENUITEM");
  if (m >= 0 && IsRealColor(Sections[static_cast<size_t>(m)].HotColor))
    return ColorToRGB(Sections[static_cast<size_t>(m)].HotColor);
  return ColorToRGB(SysColor(COLOR_HIGHLIGHT_INDEX));
}

uint32_t TsSkinModel::GetHighlightFontColor() const {
  int m = GetSkinIndex("MENUITEM");
  if (m >= 0) {
    const TsGeneralData& s = Sections[static_cast<size_t>(m)];
    if (IsRealColor(s.HotFontColor[0]) && s.HotFontColor[0] != 0 && IsRealColor(s.HotColor))
      return ColorToRGB(s.HotFontColor[0]);
  }
  return ColorToRGB(SysColor(COLOR_HIGHLIGHTTEXT_INDEX));
}
