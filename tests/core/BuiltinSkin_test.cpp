// Our built-in skin (skins/air, made by tools/skingen/make_air_skin.py) loads
// completely, from its folder and packed as the program stores it: the section
// order the engine relies on, and every image reference resolving to an image.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin/acSkinPack.h"
#include "skin/acSkinSource.h"
#include "skin/acSkinWriter.h"
#include "skin/sSkinModel.h"
#include "skin/sSkinOptions.h"
#include "support/TestPaths.h"

namespace {

const char* const kSectionOrder[] = {
    "GLOBALINFO", "DIVIDER", "EDIT", "GRIPV", "GROUPBOX", "ICOLINE", "MAINMENU", "PANEL",
    "STATUSBAR", "DIVIDERV", "SPLITTER", "TRACKBAR", "BARPANEL", "EXTRALINE", "COMBOBOX",
    "SCROLLBTNBOTTOM", "SCROLLBTNLEFT", "SCROLLBTNRIGHT", "SCROLLBTNTOP", "COMBOBTN",
    "SCROLLSLIDERH", "SCROLLSLIDERV", "DRAGBAR", "PAGECONTROL", "TABTOP", "TABRIGHT", "TABLEFT",
    "TABBOTTOM", "PANEL_LOW", "TOOLBAR", "ALPHACOMBOBOX", "ALPHAEDIT", "TOOLBUTTON",
    "SCROLLBAR1H", "BAR", "GAUGE", "PROGRESSH", "SELECTION", "BARTITLE", "BUTTON", "COLHEADER",
    "SPEEDBUTTON", "SPEEDBUTTON_SMALL", "UPDOWNBTN", "WEBBUTTON", "RADIOBUTTON", "CHECKBOX",
    "BUTTON_HUGE", "SCROLLBAR2V", "SCROLLBAR1V", "SCROLLBAR2H", "MENULINE", "MENUITEM",
    "PROGRESSV", "PAGECONTROLBOTTOM", "PAGECONTROLLEFT", "PAGECONTROLRIGHT", "DIALOG",
    "FORMTITLE", "FORM", "BUTTON_BIG", "HINT", "GRIPH", "MDIAREA",
};

std::string AirFolder() { return SourcePath("skins/air"); }

bool IsImageReference(const std::string& section, const TsSkinOptionKey& key) {
  if (section == "GLOBALINFO" && key.Name == "MASTERBITMAP") return false;
  const char first = key.Value.empty() ? '\0' : key.Value[0];
  return first == '!' || first == '@' || first == '^' || first == '~';
}

// Loads the skin from its folder (packed = false) or from the archive the
// packer makes of that folder, as the main window stores it.
class BuiltinSkin : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    if (GetParam()) {
      archive_ = PackSkinFolder(AirFolder());
      reader_.SetSource(archive_.data(), archive_.size());
      reader_.Unpack();
      TacPackedSkinSource source(reader_);
      model_.LoadSkin(source, TsSkinLoadSettings());
    } else {
      TacFolderSkinSource source(AirFolder());
      model_.LoadSkin(source, TsSkinLoadSettings());
    }
    TacFolderSkinSource folder(AirFolder());
    std::string text;
    ASSERT_TRUE(folder.ReadOptionsText(text));
    options_.LoadFromText(text);
  }

  std::vector<uint8_t> archive_;
  TacSkinConvertor reader_;
  TsSkinModel model_;
  TsSkinOptions options_;
};

TEST_P(BuiltinSkin, HasTheSixtyFourSectionsInTheEngineOrder) {
  ASSERT_EQ(model_.Sections.size(), std::size(kSectionOrder));
  for (size_t i = 0; i < std::size(kSectionOrder); ++i) EXPECT_EQ(model_.Sections[i].Name, kSectionOrder[i]) << i;
  EXPECT_EQ(model_.GetSkinIndex("BUTTON"), 39);
  EXPECT_EQ(model_.GetSkinIndex("button"), -1);
}

TEST_P(BuiltinSkin, EveryImageReferenceResolvesToAnAreaOfARealImage) {
  ASSERT_NE(model_.MasterBitmap, nullptr);
  ASSERT_GT(model_.MasterBitmap->Width(), 0);
  int references = 0;
  for (const TsSkinOptionSection& section : options_.Sections()) {
    for (const TsSkinOptionKey& key : section.Keys) {
      if (!IsImageReference(section.Name, key)) continue;
      ++references;
      const int index = model_.FindMask(section.Name, key.Name);
      ASSERT_GE(index, 0) << section.Name << "." << key.Name << "=" << key.Value;
      const TsMaskData& m = model_.Masks[index];
      const TacBitmap& image = m.Bmp ? *m.Bmp : *model_.MasterBitmap;
      SCOPED_TRACE(section.Name + "." + key.Name);
      EXPECT_GE(m.R.Left, 0);
      EXPECT_GE(m.R.Top, 0);
      EXPECT_LE(m.R.Right, image.Width());
      EXPECT_LE(m.R.Bottom, image.Height());
      ASSERT_GE(m.ImageCount, 1);
      ASSERT_GE(m.MaskType, 0);
      EXPECT_GT(MaskFrameWidth(m), 0);
      EXPECT_GT(MaskFrameHeight(m), 0);
      EXPECT_EQ((m.R.Right - m.R.Left) % m.ImageCount, 0) << "frames must split the area evenly";
      EXPECT_EQ((m.R.Bottom - m.R.Top) % (m.MaskType + 1), 0) << "a mask half must match the image half";
      // A nine-part border needs something between its margins to tile or stretch;
      // glows are drawn at their own size and only need their margins to fit.
      if (m.ImgType == itisaPngGlyph) {
        EXPECT_LE(m.WL + m.WR, MaskFrameWidth(m));
        EXPECT_LE(m.WT + m.WB, MaskFrameHeight(m));
      } else {
        EXPECT_LT(m.WL + m.WR, MaskFrameWidth(m));
        EXPECT_LT(m.WT + m.WB, MaskFrameHeight(m));
      }
    }
  }
  EXPECT_EQ(model_.Masks.size(), static_cast<size_t>(references));
}

TEST_P(BuiltinSkin, FrameAndControlsFindWhatTheyLookUp) {
  const TsSkinData& g = model_.SkinData;
  EXPECT_EQ(g.BorderWidth, 4);
  EXPECT_EQ(g.TitleHeight, 30);
  EXPECT_EQ(g.FormOffset, 12);
  EXPECT_EQ(g.BorderMode, 1);
  EXPECT_LE(g.Version, MaxSupportedSkinVersion);

  const TConstantSkinData& c = model_.ConstData;
  EXPECT_EQ(c.IndexGlobalInfo, 0);
  for (int index : {c.ExBorder, c.CheckBoxChecked, c.CheckBoxUnChecked, c.CheckBoxGrayed, c.RadioButtonChecked,
                    c.RadioButtonUnChecked, c.RadioButtonGrayed, c.SmallBoxChecked, c.SmallBoxUnChecked,
                    c.SmallBoxGrayed, c.ComboGlyph})
    EXPECT_GE(index, 0);
  for (const char* key : {"BICONCLOSE", "BICLOSEALONE", "BICONMIN", "BICONMAX", "BICONNORM", "BICONCLOSEGLOW0",
                          "BICONMINGLOW0", "CHECK", "GRIPIMAGE"})
    EXPECT_GE(model_.FindMask("GLOBALINFO", key), 0) << key;

  // The extended border: two 32-bit frames (inactive, active) with the margins the frame uses.
  const TsMaskData& ext = model_.Masks[c.ExBorder];
  ASSERT_NE(ext.Bmp, nullptr);
  EXPECT_EQ(ext.Bmp->BytesPerPixel(), 4);
  EXPECT_EQ(ext.ImageCount, 2);
  EXPECT_EQ(ext.WT, g.FormOffset + g.TitleHeight);

  const int button = model_.GetSkinIndex("BUTTON");
  ASSERT_GE(button, 0);
  EXPECT_TRUE(model_.Sections[button].FadingEnabled);
  EXPECT_EQ(model_.Sections[button].FadingIterations, 10);
  const int border = model_.Sections[button].BorderIndex;
  ASSERT_GE(border, 0);
  // Rounded corners: the corner pixel is the key colour, so it is cut from the button's region.
  const TsMaskData& m = model_.Masks[border];
  const uint8_t* corner = model_.MasterBitmap->Pixel(m.R.Left, m.R.Top);
  EXPECT_EQ(corner[0], 0xFF);
  EXPECT_EQ(corner[1], 0x00);
  EXPECT_EQ(corner[2], 0xFF);
  // Sections that only name a parent get its masks through the fallback.
  EXPECT_EQ(model_.GetMaskIndex(model_.GetSkinIndex("BUTTON_BIG"), "BUTTON_BIG", "BORDERSMASK"), border);
}

INSTANTIATE_TEST_SUITE_P(FolderAndPacked, BuiltinSkin, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "Packed" : "Folder"; });

}  // namespace
