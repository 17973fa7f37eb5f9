#include "paint/acTextColors.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <vector>

#include "SkinFixtures.h"

using skinfix::PackedSkin;

namespace {

struct Pass {
  int dx, dy;
  uint32_t color;
  bool operator==(const Pass& o) const { return dx == o.dx && dy == o.dy && color == o.color; }
};
std::ostream& operator<<(std::ostream& os, const Pass& p) {
  return os << "(" << p.dx << "," << p.dy << " #" << std::hex << p.color << std::dec << ")";
}

std::vector<Pass> Passes(const TsGeneralData& s, bool hot) {
  TacTextPasses p = SectionTextPasses(s, hot);
  std::vector<Pass> v;
  for (int i = 0; i < p.Count; ++i) v.push_back({p.Items[i].Dx, p.Items[i].Dy, p.Items[i].Color});
  return v;
}

}  // namespace

TEST(SectionTextPasses, ContoursGoOnePixelTowardTheirSideBeforeTheText) {
  PackedSkin s;
  s.Load(
      "[PLAIN]\nFONTCOLOR=1193046\nHOTFONTCOLOR=255\n"
      "[SHADOW]\nFONTCOLOR=16777215\nTCBOTTOM=8421504\n"
      "[ALL]\nFONTCOLOR=1\nTCLEFT=2\nTCTOP=3\nTCRIGHT=4\nTCBOTTOM=5\n"
      "HOTFONTCOLOR=11\nHOTTCLEFT=12\nHOTTCRIGHT=14\n");
  // No contours: the text once, in FONTCOLOR (HOTFONTCOLOR when hot).
  EXPECT_EQ(Passes(s.Section("PLAIN"), false), (std::vector<Pass>{{0, 0, 0x123456}}));
  EXPECT_EQ(Passes(s.Section("PLAIN"), true), (std::vector<Pass>{{0, 0, 255}}));
  // Only TCBOTTOM: a one-pixel shadow below, then the text.
  EXPECT_EQ(Passes(s.Section("SHADOW"), false), (std::vector<Pass>{{0, 1, 0x808080}, {0, 0, 0xFFFFFF}}));
  EXPECT_EQ(Passes(s.Section("ALL"), false),
            (std::vector<Pass>{{-1, 0, 2}, {0, -1, 3}, {1, 0, 4}, {0, 1, 5}, {0, 0, 1}}));
  // Hot contours come from the HOT keys alone.
  EXPECT_EQ(Passes(s.Section("ALL"), true), (std::vector<Pass>{{-1, 0, 12}, {1, 0, 14}, {0, 0, 11}}));
}

TEST(DisabledTextColor, MixesFortyPercentTextIntoTheMixColour) {
  struct Case { uint32_t font, mix, expected; };
  const Case cases[] = {
      {0x000000, 0xFFFFFF, 0x999999},  // black on white: round(0.6 * 255) = 153
      {0xFFFFFF, 0x000000, 0x666666},  // 102
      {0x0000FF, 0xFF0000, 0x990066},  // red 0.4 * 255 = 102, blue 0.6 * 255 = 153
      {0x102030, 0x102030, 0x102030},
  };
  for (const Case& c : cases) EXPECT_EQ(DisabledTextColor(c.font, c.mix), c.expected) << std::hex << c.font;
}

TEST(ChooseTextSection, SharesTheTextColoursOfAParentThatGivesItsFont) {
  PackedSkin s;
  s.Load(
      "[LABEL]\nTRANSPARENCY=100\nHOTTRANSPARENCY=0\n"
      "[OPAQUELABEL]\nTRANSPARENCY=0\n"
      "[GIVES]\nGIVEOWNFONT=TRUE\n"
      "[KEEPS]\n"
      "[GLASS]\nTRANSPARENCY=51\nGIVEOWNFONT=TRUE\n"
      "[HALFGLASS]\nTRANSPARENCY=50\nGIVEOWNFONT=TRUE\n");
  const TsSkinModel& m = s.Model;
  const int label = m.GetSkinIndex("LABEL"), opaque = m.GetSkinIndex("OPAQUELABEL");
  const int gives = m.GetSkinIndex("GIVES"), keeps = m.GetSkinIndex("KEEPS");
  const int glass = m.GetSkinIndex("GLASS"), halfGlass = m.GetSkinIndex("HALFGLASS");

  // The ancestors' answers, parent first; the chain ends after the last one.
  auto chain = [](std::vector<int> answers) {
    return [answers](int depth) -> std::optional<int> {
      if (depth < 1 || depth > static_cast<int>(answers.size())) return std::nullopt;
      return answers[static_cast<size_t>(depth - 1)];
    };
  };
  struct Case {
    const char* what;
    int own;
    bool hot, shares;
    std::vector<int> ancestors;
    int expected;
  };
  const Case cases[] = {
      {"parent gives its font", label, false, true, {gives}, gives},
      {"parent keeps its font", label, false, true, {keeps}, label},
      {"not sharing the parent's font", label, false, false, {gives}, label},
      {"own section opaque", opaque, false, true, {gives}, opaque},
      {"hot transparency 0", label, true, true, {gives}, label},
      {"no parent", label, false, true, {}, label},
      {"parent not skinned", label, false, true, {-1, gives}, label},
      {"glass parent hands the question up", label, false, true, {glass, gives}, gives},
      {"glass parent up to a keeper", label, false, true, {glass, keeps}, label},
      {"two glass levels", label, false, true, {glass, glass, gives}, gives},
      {"glass parent without a parent answers itself", label, false, true, {glass}, glass},
      {"50 % is not above 50", label, false, true, {halfGlass, keeps}, halfGlass},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ChooseTextSection(m, c.own, c.hot, c.shares, chain(c.ancestors)), c.expected) << c.what;

  // The question goes only as far up as needed.
  std::vector<int> asked;
  auto recording = [&](int depth) -> std::optional<int> {
    asked.push_back(depth);
    return depth == 1 ? std::optional<int>(gives) : std::optional<int>(keeps);
  };
  EXPECT_EQ(ChooseTextSection(m, label, false, true, recording), gives);
  EXPECT_EQ(asked, std::vector<int>{1});
}

TEST(KindSharesParentText, CheckBoxesRadioButtonsAndGroupBoxes) {
  for (int kind : {32, 33, 74}) EXPECT_TRUE(KindSharesParentText(kind)) << kind;
  for (int kind : {0, 31, 34, 73, 75, 93, 94}) EXPECT_FALSE(KindSharesParentText(kind)) << kind;
}
