#include "skin/sSkinModel.h"

#include <gtest/gtest.h>

#include "SkinFixtures.h"
#include "paint/acColors.h"
#include "skin/acAnsiFile.h"
#include "skin/acImageDecode.h"
#include "skin/acStrToInt.h"
#include "support/TestPaths.h"

using skinfix::PackedSkin;

namespace {

uint32_t Rgb(const TacBitmap& b, int x, int y) {
  const uint8_t* p = b.Pixel(x, y);
  return p[2] | (p[1] << 8) | (static_cast<uint32_t>(p[0]) << 16);
}

const TsMaskData& MaskOf(const TsSkinModel& m, const char* section, const char* key) {
  int i = m.FindMask(section, key);
  if (i < 0) throw std::runtime_error(std::string("no mask ") + section + "." + key);
  return m.Masks[static_cast<size_t>(i)];
}

}  // namespace

TEST(SkinModel, SectionsKeepFileOrderAndAreFoundCaseSensitively) {
  PackedSkin s;
  s.Load("[GLOBALINFO]\n[EDIT]\n[BUTTON]\nCOLOR=1\n[Edit2]\n[BUTTON]\nCOLOR=2\n");
  ASSERT_EQ(s.Model.Sections.size(), 5u);
  EXPECT_EQ(s.Model.GetSkinIndex("BUTTON"), 2);
  EXPECT_EQ(s.Model.GetSkinIndex("button"), -1);
  EXPECT_EQ(s.Model.GetSkinIndex("Edit2"), 3);
  // A repeated header is a section of its own that reads the first one's keys.
  EXPECT_EQ(s.Model.Sections[4].Name, "BUTTON");
  EXPECT_EQ(s.Model.Sections[4].Color, 1u);
  EXPECT_TRUE(s.Model.IsSkinLoaded());
  EXPECT_TRUE(s.Model.IsValidSkinIndex(4));
  EXPECT_FALSE(s.Model.IsValidSkinIndex(5));
}

TEST(SkinModel, DefaultsOfAnEmptySection) {
  PackedSkin s;
  s.Load("[PANEL]\n");
  const TsGeneralData& g = s.Section("PANEL");
  EXPECT_EQ(g.Color, 0xFFFFFFu);
  EXPECT_EQ(g.FontColor[0], 0u);
  EXPECT_EQ(g.FontColor[3], ColorNotSet);
  EXPECT_EQ(g.HotFontColor[4], ColorNotSet);
  EXPECT_EQ(g.FadingIterations, 5);
  EXPECT_EQ(g.GradientData, " ");
  EXPECT_TRUE(g.GradientArray.empty());
  EXPECT_EQ(g.HotGradientData, "");
  EXPECT_EQ(g.HotColor, 0xFFFFFFu);
  EXPECT_EQ(g.GlowColor, 0xFFFFFFu);
  EXPECT_FALSE(g.GiveOwnFont);
  EXPECT_EQ(g.BorderIndex, -1);
  EXPECT_EQ(g.ParentClass, "");
}

TEST(SkinModel, ParentClassGivesValuesAndMasksAndAbsentValuesInherit) {
  PackedSkin s;
  s.Load(
      "[BUTTON]\n"
      "COLOR=255\nFONTCOLOR=0x10\nTCLEFT=7\nHOTCOLOR=4\nGLOW=3\nGSIZE=300\n"
      "GRADIENTDATA=1;2;3;0;0\nFADINGENABLED=True\nGIVEOWNFONT=yes\n"
      "BORDERSMASK=^0000^0000^0006^0006^0000^0000^0000^0000^1^0^1^0\n"
      "[X]\nPARENTCLASS=BUTTON\n"
      "[Y]\nPARENTCLASS=X\nCOLOR=-1\nFONTCOLOR=abc\nGRADIENTDATA=?\nGLOW=0\n");
  const TsGeneralData& button = s.Section("BUTTON");
  for (const char* name : {"X", "Y"}) {
    const TsGeneralData& g = s.Section(name);
    EXPECT_EQ(g.Color, 255u) << name;
    EXPECT_EQ(g.FontColor[0], 16u) << name;
    EXPECT_EQ(g.FontColor[1], 7u) << name;
    EXPECT_EQ(g.HotColor, 4u) << name;
    EXPECT_EQ(g.GlowSize, 300 & 255) << name;
    ASSERT_EQ(g.GradientArray.size(), 1u) << name;
    EXPECT_EQ(g.GradientArray[0].Percent, 3) << name;
    EXPECT_TRUE(g.FadingEnabled) << name;
    EXPECT_FALSE(g.GiveOwnFont) << name;
    EXPECT_NE(g.BorderIndex, -1) << name;
    EXPECT_EQ(g.BorderIndex, button.BorderIndex) << name;
  }
  EXPECT_EQ(s.Section("X").ParentClass, "BUTTON");
  EXPECT_EQ(s.Section("X").GlowCount, 3);
  EXPECT_EQ(s.Section("Y").GlowCount, 0);  // a written 0 is a value, not absent
  EXPECT_EQ(s.Model.GetMaskIndex(s.Model.GetSkinIndex("Y"), "Y", "BORDERSMASK"), button.BorderIndex);
  EXPECT_EQ(s.Model.FindMask("Y", "BORDERSMASK"), -1);
  EXPECT_EQ(s.Model.GetMaskIndex(-1, "Y", "BORDERSMASK"), -1);
  EXPECT_EQ(s.Model.GetMaskIndex(s.Model.GetSkinIndex("Y"), "", "BORDERSMASK"), -1);
}

TEST(SkinModel, ParentCyclesEndWithDefaults) {
  PackedSkin s;
  s.Load("[A]\nPARENTCLASS=B\n[B]\nPARENTCLASS=C\n[C]\nPARENTCLASS=A\nFONTCOLOR=-1\n"
         "[D]\nPARENTCLASS=d\n[E]\nPARENTCLASS=?\n[F]\nPARENTCLASS=g\n[G]\nPARENTCLASS=f\n");
  for (const char* name : {"A", "B", "C", "D", "E", "F", "G"}) {
    EXPECT_EQ(s.Section(name).Color, 0xFFFFFFu) << name;
    EXPECT_EQ(s.Section(name).FontColor[0], 0u) << name;
    EXPECT_EQ(s.Model.GetMaskIndex(s.Model.GetSkinIndex(name), name, "BORDERSMASK"), -1) << name;
    EXPECT_EQ(s.Model.GetPatternIndex(s.Model.GetSkinIndex(name), name, "PATTERN"), -1) << name;
  }
}

TEST(SkinModel, BorderMarginsComeFromTheColumnsOrBorderWidthOrTheRule) {
  PackedSkin s;
  s.Load(
      "[S]\n"
      "A=^0010^0000^0040^0012^0000^0000^0000^0000^1^0^1^2\n"
      "B=^0010^0000^0040^0012^0000^0000^0000^0000^1^0^1^0\n"
      "C=^0010^0000^0040^0012^0003^0001^0002^0000^1^1^5^0\n"
      "D=@0173@0000@0305@0018@3@1\n"
      "E=~0086~0026~0091~0038~10~1\n");
  struct Case {
    const char* key;
    int wl, wt, wr, wb;
  };
  const Case cases[] = {{"A", 2, 2, 2, 2}, {"B", 10, 4, 10, 4}, {"C", 3, 1, 2, 0}, {"D", 0, 0, 0, 0}};
  for (const Case& c : cases) {
    const TsMaskData& m = MaskOf(s.Model, "S", c.key);
    EXPECT_EQ(m.WL, c.wl) << c.key;
    EXPECT_EQ(m.WT, c.wt) << c.key;
    EXPECT_EQ(m.WR, c.wr) << c.key;
    EXPECT_EQ(m.WB, c.wb) << c.key;
    EXPECT_EQ(m.Bmp, nullptr) << c.key;
    EXPECT_EQ(m.Manager, &s.Model) << c.key;
  }
  EXPECT_EQ(MaskOf(s.Model, "S", "A").ImgType, itisaBorder);
  EXPECT_EQ(MaskOf(s.Model, "S", "C").DrawMode, 5);
  EXPECT_EQ(MaskOf(s.Model, "S", "D").ImgType, itisaGlyph);
  EXPECT_EQ(MaskOf(s.Model, "S", "D").ImageCount, 3);
  const TsMaskData& e = MaskOf(s.Model, "S", "E");
  EXPECT_EQ(e.ImgType, itisaTexture);
  EXPECT_EQ(e.DrawMode, 10);
  EXPECT_EQ(e.MaskType, 1);
  EXPECT_EQ(e.ImageCount, 1);
  const int section = s.Model.GetSkinIndex("S");
  EXPECT_EQ(s.Model.GetTextureIndex(section, "S", "E"), s.Model.FindMask("S", "E"));
  EXPECT_EQ(s.Model.GetTextureIndex(section, "S", "A"), -1);
}

TEST(SkinModel, ImageFilesAndTheirLetterCaseInAPackedSkin) {
  auto pngPixel = [](int x, int y) -> uint32_t {
    if (x == 0) return 0x00FFFFFFu;         // white, alpha 0: cleared
    if (x == 1) return 0x01FFFFFFu;         // white, alpha 1: kept
    return 0x80000000u | static_cast<uint32_t>(0x102030 + y);  // alpha 128
  };
  std::vector<TacPackEntry> images = {
      {"GlowClose.PNG", skinfix::MakePng(6, 9, pngPixel)},
      {"ButtonHuge.bmp", skinfix::SolidBmp24(30, 20, 0x00FF00)},
      {"Tex32.BMP", skinfix::MakeBmp(4, 4, 32, [](int, int) { return 0x7F0000FFu; })},
      {"Master.bmp", skinfix::SolidBmp24(8, 8, 0x0000FF)},
  };
  PackedSkin s;
  s.Load(
      "[GLOBALINFO]\nMASTERBITMAP=MASTER.BMP\n"
      "BICONCLOSEGLOW0=!GLOWCLOSE.PNG!1!0!4\n"
      "LOWER=!glowclose.PNG!1!0!4\n"
      "HUGE=!BUTTONHUGE.BMP!3!1!0!0047!0047!0047!0047\n"
      "TEX=!TEX32.BMP!1!0!1\n"
      "GLYPH=!TEX32.BMP!1!0!2\n"
      "MISSING=!TL.BMP!1!1!2\n"
      "[Edit]\nBorder=buttonhuge.bmp\nOther=other.bmp\n",
      images);
  const TsSkinModel& m = s.Model;
  const TsMaskData& glow = MaskOf(m, "GLOBALINFO", "BICONCLOSEGLOW0");
  EXPECT_EQ(glow.ImgType, itisaPngGlyph);
  EXPECT_EQ(glow.DrawMode, 4);
  ASSERT_NE(glow.Bmp, nullptr);
  EXPECT_EQ(glow.Bmp->Format(), TacPixelFormat::pf32bit);
  EXPECT_EQ(glow.R.Right, 6);
  EXPECT_EQ(glow.R.Bottom, 9);
  EXPECT_EQ(glow.WL, 2);
  EXPECT_EQ(glow.WT, 3);
  EXPECT_EQ(glow.Bmp->Pixel(0, 0)[0] | glow.Bmp->Pixel(0, 0)[1] | glow.Bmp->Pixel(0, 0)[2], 0);
  EXPECT_EQ(Rgb(*glow.Bmp, 1, 0), 0xFFFFFFu);
  EXPECT_EQ(glow.Bmp->Pixel(1, 0)[3], 1);
  EXPECT_EQ(Rgb(*glow.Bmp, 3, 2), 0x102032u);
  EXPECT_EQ(glow.Bmp->Pixel(3, 2)[3], 128);

  EXPECT_EQ(m.FindMask("GLOBALINFO", "LOWER"), -1);
  EXPECT_EQ(m.FindMask("GLOBALINFO", "MISSING"), -1);
  EXPECT_EQ(m.FindMask("GLOBALINFO", "MASTERBITMAP"), -1);
  EXPECT_EQ(m.MasterBitmap->Width(), 8);

  const TsMaskData& huge = MaskOf(m, "GLOBALINFO", "HUGE");
  EXPECT_EQ(huge.Bmp->Format(), TacPixelFormat::pf24bit);
  EXPECT_EQ(huge.WB, 47);
  EXPECT_EQ(huge.ImageCount, 3);
  EXPECT_EQ(MaskOf(m, "GLOBALINFO", "TEX").Bmp->Format(), TacPixelFormat::pf32bit);
  EXPECT_EQ(MaskOf(m, "GLOBALINFO", "GLYPH").Bmp->Format(), TacPixelFormat::pf24bit);

  // Bitmap-file values are upper-cased, and so are the mask's names.
  EXPECT_EQ(m.FindMask("Edit", "Border"), -1);
  const TsMaskData& border = MaskOf(m, "EDIT", "BORDER");
  EXPECT_EQ(border.ImgType, itisaBorder);
  EXPECT_EQ(border.ImageCount, 3);
  EXPECT_EQ(border.MaskType, 1);
  EXPECT_EQ(border.WL, 3);
  EXPECT_EQ(border.WT, 3);
  EXPECT_EQ(m.FindMask("EDIT", "OTHER"), -1);
}

TEST(SkinModel, MasterBitmapNamedInLowerCaseIsNotFoundInAPackedSkin) {
  PackedSkin s;
  s.Load("[GLOBALINFO]\nMASTERBITMAP=master.bmp\n", {{"Master.bmp", skinfix::SolidBmp24(8, 8, 0)}});
  ASSERT_NE(s.Model.MasterBitmap, nullptr);
  EXPECT_EQ(s.Model.MasterBitmap->Width(), 0);
}

TEST(SkinModel, LargeJpegsArePatternsSmallOnesTextures) {
  auto grey = [](int x, int y) { return static_cast<uint32_t>(((x + y) & 0xFF) * 0x010101); };
  PackedSkin s;
  s.Load("[Panel]\nBig=big.jpg\nSmall=Small.JPEG\n[Child]\nPARENTCLASS=PANEL\n",
         {{"BIG.JPG", skinfix::MakeJpeg(300, 300, grey, 50)}, {"small.jpeg", skinfix::MakeJpeg(299, 300, grey, 50)}});
  const TsSkinModel& m = s.Model;
  ASSERT_EQ(m.Patterns.size(), 1u);
  EXPECT_EQ(m.Patterns[0].ClassName, "PANEL");
  EXPECT_EQ(m.Patterns[0].PropertyName, "BIG");
  EXPECT_EQ(m.Patterns[0].Img->Width(), 300);
  const TsMaskData& small = MaskOf(m, "PANEL", "SMALL");
  EXPECT_EQ(small.ImgType, itisaTexture);
  EXPECT_EQ(small.ImageCount, 1);
  EXPECT_EQ(small.Bmp->Width(), 299);
  EXPECT_EQ(small.Bmp->Format(), TacPixelFormat::pf24bit);
  EXPECT_EQ(small.R.Right, 0);
  EXPECT_EQ(small.R.Bottom, 0);
  // The section is "Panel"; the pattern table holds "PANEL", which a child reaches
  // through its parent "PANEL" only when that section exists by that exact name.
  EXPECT_EQ(m.GetPatternIndex(m.GetSkinIndex("Panel"), "PANEL", "BIG"), 0);
  EXPECT_EQ(m.GetPatternIndex(m.GetSkinIndex("Child"), "Child", "BIG"), -1);
}

TEST(SkinModel, GlobalDataReadsIntegersTextsAndConvertedTexts) {
  PackedSkin s;
  std::vector<std::string> warnings;
  TsSkinLoadSettings settings;
  settings.OnVersionWarning = [&](const std::string& text) { warnings.push_back(text); };
  s.Load("[GLOBALINFO]\nVERSION=7.01\nAUTHOR=Me\nBORDERWIDTH=0x6\nTITLEHEIGHT=abc\nSHADOW1BLUR=0012\n"
         "BIKEEPHUE=2\nBICONCLOSEGLOWMARGIN=-3\nSHADOW1COLOR=0xFF\n",
         {}, settings);
  const TsSkinData& d = s.Model.SkinData;
  EXPECT_DOUBLE_EQ(d.Version, 7.01);
  EXPECT_EQ(d.Author, "Me");
  EXPECT_EQ(d.BorderWidth, 6);
  EXPECT_EQ(d.TitleHeight, 30);
  EXPECT_EQ(d.MaxTitleHeight, 30);
  EXPECT_EQ(d.FormOffset, 8);
  EXPECT_EQ(d.Shadow1Blur, 12);
  EXPECT_EQ(d.Shadow1Offset, 0);
  EXPECT_EQ(d.BIKeepHue, 2);
  EXPECT_EQ(d.BICloseGlowMargin, -3);
  EXPECT_EQ(d.Shadow1Color, 0xFFu);
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_EQ(warnings[0], SkinVersionWarningText);
  EXPECT_NE(warnings[0].find("\r\nComponents must be updated"), std::string::npos);

  s.Load("[GLOBALINFO]\nVERSION=6.99\nMAXHEIGHT=40\n", {}, settings);
  EXPECT_EQ(warnings.size(), 1u);
  EXPECT_EQ(s.Model.SkinData.MaxTitleHeight, 40);
  EXPECT_EQ(s.Model.SkinData.Shadow1Blur, -1);
}

TEST(SkinModel, ValuesThatMustBeNumbersEndLoadingAndLeaveTheModelEmpty) {
  const char* bad[] = {"[GLOBALINFO]\nSHADOW1OFFSET=abc\n", "[S]\nA=@0173@0000@03x5@0018@3@0\n",
                       "[S]\nA=!A.BMP!three!1!0\n", "[S]\nGRADIENTDATA=1;2;x;4;5\n"};
  for (const char* text : bad) {
    PackedSkin s;
    s.Load("[GLOBALINFO]\n[BUTTON]\nBORDERSMASK=@0001@0000@0002@0001@1@0\n");
    EXPECT_THROW(s.Load(text, {{"A.BMP", skinfix::SolidBmp24(3, 3, 0)}}), EConvertError) << text;
    EXPECT_FALSE(s.Model.IsSkinLoaded()) << text;
    EXPECT_TRUE(s.Model.Sections.empty()) << text;
    EXPECT_TRUE(s.Model.Masks.empty()) << text;
    EXPECT_EQ(s.Model.ConstData.IndexGlobalInfo, -1) << text;
  }
}

TEST(SkinModel, DamagedImagesEndLoadingWithTheFileName) {
  std::vector<uint8_t> broken = skinfix::SolidBmp24(4, 4, 0);
  broken.resize(40);
  PackedSkin s;
  try {
    s.Load("[S]\nA=!A.BMP!1!0!0\n", {{"A.BMP", broken}});
    FAIL() << "no error";
  } catch (const EacImageError& e) {
    EXPECT_NE(std::string(e.what()).find("A.BMP"), std::string::npos) << e.what();
  }
  EXPECT_TRUE(s.Model.Masks.empty());
}

TEST(SkinModel, ColourResolutionAndGlobalColours) {
  const uint32_t btnFace = 0xFF00000Fu;
  PackedSkin s;
  s.Load("[GLOBALINFO]\nCOLOR=-16777201\nHOTCOLOR=-16777201\nGCOL=-16777201\nFONTCOLOR=66\n"
         "[EDIT]\nHOTFONTCOLOR=77\n[MENUITEM]\nHOTCOLOR=16711935\nHOTFONTCOLOR=5\n");
  const TsGeneralData& g = s.Section("GLOBALINFO");
  EXPECT_EQ(g.Color, ColorToRGB(btnFace));
  EXPECT_EQ(g.GlowColor, ColorToRGB(btnFace));
  EXPECT_EQ(g.HotColor, btnFace);
  EXPECT_EQ(s.Model.GetGlobalColor(), ColorToRGB(btnFace));
  EXPECT_EQ(s.Model.GetGlobalHotColor(), ColorToRGB(btnFace));
  EXPECT_EQ(s.Model.GetGlobalFontColor(), 66u);
  EXPECT_EQ(s.Model.GetEditHotFontColor(), 77u);
  // MENUITEM's hot colour is the key colour: the system colours serve.
  EXPECT_EQ(s.Model.GetHighlightColor(), ColorToRGB(0xFF00000Du));
  EXPECT_EQ(s.Model.GetHighlightFontColor(), ColorToRGB(0xFF00000Eu));

  s.Load("[MENUITEM]\nHOTCOLOR=123\nHOTFONTCOLOR=5\n");
  EXPECT_EQ(s.Model.GetHighlightColor(), 123u);
  EXPECT_EQ(s.Model.GetHighlightFontColor(), 5u);
  EXPECT_EQ(s.Model.GetGlobalColor(), ColorToRGB(btnFace));
  EXPECT_EQ(s.Model.GetGlobalHotColor(), ColorToRGB(0xFF000005u));
  EXPECT_EQ(s.Model.GetGlobalFontColor(), 0xFF00FFu);
  EXPECT_EQ(s.Model.GetEditHotFontColor(), 0xFF00FFu);
}

TEST(SkinModel, CachedIndexes) {
  PackedSkin s;
  s.Load(
      "[GLOBALINFO]\nBOXCHECKED=@0000@0000@0010@0010@3@1\nEXBORDER=@0000@0000@0010@0010@2@0\n"
      "[COMBOBTN]\nBORDERSMASK=@0000@0000@0003@0003@1@0\nPATTERN=~0000~0000~0003~0003~00\n"
      "[COMBOBOX]\nGLYPHMASK=@0000@0000@0003@0003@1@0\n"
      "[SCROLLBTNTOP]\nPARENTCLASS=COMBOBTN\n"
      "[TABTOP]\nBORDERSMASK=@0000@0000@0006@0006@1@0\n");
  const TConstantSkinData& c = s.Model.ConstData;
  const TsSkinModel& m = s.Model;
  EXPECT_EQ(c.IndexGlobalInfo, 0);
  EXPECT_EQ(c.CheckBoxChecked, m.FindMask("GLOBALINFO", "BOXCHECKED"));
  EXPECT_EQ(c.ExBorder, m.FindMask("GLOBALINFO", "EXBORDER"));
  EXPECT_EQ(c.RadioButtonChecked, -1);
  EXPECT_EQ(c.ComboBtn.SkinIndex, 1);
  EXPECT_EQ(c.ComboBtn.BorderMask, m.FindMask("COMBOBTN", "BORDERSMASK"));
  EXPECT_EQ(c.ComboBtn.Pattern, m.FindMask("COMBOBTN", "PATTERN"));
  EXPECT_EQ(c.ComboGlyph, m.FindMask("COMBOBOX", "GLYPHMASK"));
  EXPECT_EQ(c.ScrollBtns[tsTop].SkinIndex, 3);
  EXPECT_EQ(c.ScrollBtns[tsTop].BorderMask, c.ComboBtn.BorderMask);  // through the parent
  EXPECT_EQ(c.ScrollBtns[tsBottom].SkinIndex, -1);
  EXPECT_EQ(c.Tabs[tsTop].BorderMask, m.FindMask("TABTOP", "BORDERSMASK"));
  EXPECT_EQ(c.ScrollBars[sb1H].SkinIndex, -1);

  s.Model.ClearSkin();
  EXPECT_EQ(s.Model.ConstData.IndexGlobalInfo, -1);
  EXPECT_EQ(s.Model.ConstData.ComboBtn.BorderMask, -1);
  EXPECT_EQ(s.Model.MasterBitmap, nullptr);
  EXPECT_FALSE(s.Model.IsValidSkinIndex(0));
}

TEST(SkinModel, LoadsFromAFolder) {
  std::string dir = ScratchDir("SkinModelFolder");
  WriteAnsiFile(dir + "/Options.dat",
                skinfix::Bytes("[GLOBALINFO]\nMASTERBITMAP=Master.bmp\n[BUTTON]\nGLYPH=!GLYPH.PNG!1!0!4\n"));
  WriteAnsiFile(dir + "/Master.bmp", skinfix::SolidBmp24(12, 10, 0x123456));
  WriteAnsiFile(dir + "/GLYPH.PNG", skinfix::MakePng(3, 3, [](int, int) { return 0xFF000000u; }));
  TacFolderSkinSource source(dir);
  TsSkinModel model;
  model.LoadSkin(source, TsSkinLoadSettings());
  EXPECT_EQ(model.SkinData.SkinPath, source.SkinPath());
  ASSERT_EQ(model.MasterBitmap->Width(), 12);
  EXPECT_EQ(Rgb(*model.MasterBitmap, 11, 9), 0x123456u);
  EXPECT_NE(model.FindMask("BUTTON", "GLYPH"), -1);

  TacFolderSkinSource missing(dir + "/none");
  model.LoadSkin(missing, TsSkinLoadSettings());
  EXPECT_TRUE(model.Sections.empty());
  EXPECT_EQ(model.MasterBitmap->Width(), 0);
}

TEST(SkinModel, CommonSectionsOverrideAndAdd) {
  PackedSkin s;
  TsSkinLoadSettings settings;
  settings.CommonSections = "[BUTTON]\nCOLOR=7\n[MYBUTTON]\nPARENTCLASS=BUTTON\n";
  s.Load("[BUTTON]\nCOLOR=1\nFONTCOLOR=2\n", {}, settings);
  EXPECT_EQ(s.Section("BUTTON").Color, 7u);
  EXPECT_EQ(s.Section("BUTTON").FontColor[0], 2u);
  EXPECT_EQ(s.Section("MYBUTTON").Color, 7u);
}

TEST(SkinModel, BuiltInSkinLoadsTheSameFromItsFolderAndItsArchive) {
  const std::string folder = SourcePath("skins/air");
  if (!AnsiFileExists(folder + "/Options.dat")) GTEST_SKIP() << "no built-in skin folder";
  TacFolderSkinSource folderSource(folder);
  TsSkinModel fromFolder;
  fromFolder.LoadSkin(folderSource, TsSkinLoadSettings());

  std::vector<uint8_t> archive = PackSkinFolder(folder);
  std::unique_ptr<TacSkinConvertor> reader;
  UnpackSkinData(archive.data(), archive.size(), reader);
  TacPackedSkinSource packedSource(*reader);
  TsSkinModel packed;
  packed.LoadSkin(packedSource, TsSkinLoadSettings());

  EXPECT_EQ(packed.Sections.size(), 64u);
  EXPECT_EQ(packed.GetSkinIndex("BUTTON"), 39);
  EXPECT_EQ(packed.GetSkinIndex("button"), -1);
  ASSERT_GT(packed.MasterBitmap->Width(), 0);
  EXPECT_EQ(packed.Sections.size(), fromFolder.Sections.size());
  EXPECT_EQ(packed.Masks.size(), fromFolder.Masks.size());
  EXPECT_EQ(packed.Patterns.size(), fromFolder.Patterns.size());
  // Painting trusts that areas of the master bitmap lie inside it.
  for (const TsMaskData& m : packed.Masks) {
    const TacBitmap& source = m.Bmp ? *m.Bmp : *packed.MasterBitmap;
    if (m.ImgType == itisaTexture && m.Bmp) continue;  // JPEG textures leave R empty
    EXPECT_TRUE(m.R.Left >= 0 && m.R.Top >= 0 && m.R.Right <= source.Width() && m.R.Bottom <= source.Height() &&
                m.R.Left < m.R.Right && m.R.Top < m.R.Bottom)
        << m.ClassName << "." << m.PropertyName;
  }
}
