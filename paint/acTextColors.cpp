#include "paint/acTextColors.h"

#include "paint/sGraphUtils.h"
#include "skin/sSkinModel.h"

namespace {
constexpr int kContourDx[4] = {-1, 0, 1, 0};
constexpr int kContourDy[4] = {0, -1, 0, 1};
}  // namespace

TacTextPasses SectionTextPasses(const TsGeneralData& section, bool hot) {
  const uint32_t* colors = hot ? section.HotFontColor : section.FontColor;
  TacTextPasses passes;
  for (int side = 0; side < 4; ++side) {
    uint32_t c = colors[side + 1];
    if (c != ColorNotSet) passes.Items[passes.Count++] = TacTextPass{kContourDx[side], kContourDy[side], c};
  }
  passes.Items[passes.Count++] = TacTextPass{0, 0, colors[0]};
  return passes;
}

uint32_t DisabledTextColor(uint32_t fontColor, uint32_t mixColor) { return WeightedColor(fontColor, mixColor, 0.4); }

int ChooseTextSection(const TsSkinModel& skin, int ownSection, bool hot, bool sharesParentFont,
                      const TacAncestorSection& ancestorSection) {
  if (!sharesParentFont || !skin.IsValidSkinIndex(ownSection) || !ancestorSection) return ownSection;
  const TsGeneralData& own = skin.Sections[static_cast<size_t>(ownSection)];
  if ((hot ? own.HotTransparency : own.Transparency) < 1) return ownSection;
  std::optional<int> answer = ancestorSection(1);
  for (int depth = 1; answer; ++depth) {
    int k = *answer;
    if (!skin.IsValidSkinIndex(k)) return ownSection;
    const TsGeneralData& s = skin.Sections[static_cast<size_t>(k)];
    if (s.Transparency > 50) {
      std::optional<int> above = ancestorSection(depth + 1);
      if (above) {
        answer = above;
        continue;
      }
    }
    return s.GiveOwnFont ? k : ownSection;
  }
  return ownSection;
}

bool KindSharesParentText(int controlKind) { return controlKind == 32 || controlKind == 33 || controlKind == 74; }
