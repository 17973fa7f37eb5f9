#include "skin/sImageReference.h"

#include <gtest/gtest.h>

#include "skin/acStrToInt.h"

using F = TacImageRefForm;

TEST(ImageReference, FixedColumnAndWordFormsGiveTheirFields) {
  struct Case {
    const char* value;
    F form;
    TacRect r;
    int count, maskType, drawMode, borderWidth;
    bool hasMargins;
    int wl, wt, wr, wb;
    const char* file;
  };
  const Case cases[] = {
      {"@0173@0000@0305@0018@3@0", F::MasterGlyph, {173, 0, 305, 18}, 3, 0, 0, 0, false, 0, 0, 0, 0, ""},
      {"^0065^0000^0071^0006^0002^0002^0002^0003^1^0^1^1", F::MasterBorder, {65, 0, 71, 6}, 1, 0, 1, 1, true,
       2, 2, 2, 3, ""},
      {"~0086~0026~0091~0038~10~1", F::MasterTexture, {86, 26, 91, 38}, 1, 1, 10, 0, false, 0, 0, 0, 0, ""},
      {"~0086~0026~0091~0038~07", F::MasterTexture, {86, 26, 91, 38}, 1, 0, 7, 0, false, 0, 0, 0, 0, ""},
      {"!BUTTONHUGE.BMP!3!1!0!0047!0047!0046!0045", F::ImageFile, {0, 0, 0, 0}, 3, 1, 0, 0, true, 47, 47, 46, 45,
       "BUTTONHUGE.BMP"},
      {"!!GlowClose.PNG!!1!0!4", F::ImageFile, {0, 0, 0, 0}, 1, 0, 0, 0, false, 0, 0, 0, 0, "GlowClose.PNG"},
      {"Button.bmp", F::BitmapFile, {0, 0, 0, 0}, 3, 1, 0, 0, false, 0, 0, 0, 0, "BUTTON.BMP"},
      // No image reference: plain values, lower-case "!" names, negative kinds, legacy "#" values.
      {"16777215", F::None, {0, 0, 0, 0}, 0, 0, 0, 0, false, 0, 0, 0, 0, ""},
      {"!glowclose.png!1!0!4", F::None, {0, 0, 0, 0}, 0, 0, 0, 0, false, 0, 0, 0, 0, ""},
      {"!TL.JPG!1!0!4", F::None, {0, 0, 0, 0}, 0, 0, 0, 0, false, 0, 0, 0, 0, ""},
      {"!TL.BMP!1!1!-1", F::None, {0, 0, 0, 0}, 0, 0, 0, 0, false, 0, 0, 0, 0, ""},
      {"#x (1 2 3 4) (1,0,0) a.bmp", F::None, {0, 0, 0, 0}, 0, 0, 0, 0, false, 0, 0, 0, 0, ""},
  };
  for (const Case& c : cases) {
    TacImageReference ref = ParseImageReference(c.value);
    EXPECT_EQ(ref.Form, c.form) << c.value;
    if (ref.Form == F::None) continue;
    EXPECT_EQ(ref.R.Left, c.r.Left) << c.value;
    EXPECT_EQ(ref.R.Top, c.r.Top) << c.value;
    EXPECT_EQ(ref.R.Right, c.r.Right) << c.value;
    EXPECT_EQ(ref.R.Bottom, c.r.Bottom) << c.value;
    EXPECT_EQ(ref.ImageCount, c.count) << c.value;
    EXPECT_EQ(ref.MaskType, c.maskType) << c.value;
    EXPECT_EQ(ref.DrawMode, c.drawMode) << c.value;
    EXPECT_EQ(ref.BorderWidth, c.borderWidth) << c.value;
    EXPECT_EQ(ref.HasMargins, c.hasMargins) << c.value;
    EXPECT_EQ(ref.WL, c.wl) << c.value;
    EXPECT_EQ(ref.WT, c.wt) << c.value;
    EXPECT_EQ(ref.WR, c.wr) << c.value;
    EXPECT_EQ(ref.WB, c.wb) << c.value;
    EXPECT_EQ(ref.FileName, c.file) << c.value;
  }
}

TEST(ImageReference, FieldsThatAreNotNumbersRaise) {
  const char* bad[] = {"@0173@00x0@0305@0018@3@0", "@0173@0000@0305@0018@3", "^0065^0000", "~0086~0026~0091~0038~A",
                       "!A.BMP!x!1!0", "!A.BMP!3!1", "!A.BMP!3!1!0!5"};
  for (const char* v : bad) EXPECT_THROW(ParseImageReference(v), EConvertError) << v;
}

TEST(ImageReference, JpegValuesInAnyLetterCase) {
  EXPECT_TRUE(IsJpegReference("back.jpg"));
  EXPECT_TRUE(IsJpegReference("BACK.Jpeg"));
  EXPECT_FALSE(IsJpegReference("back.png"));
}
