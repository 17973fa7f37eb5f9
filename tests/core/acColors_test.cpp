#include "paint/acColors.h"

#include <gtest/gtest.h>

#include "paint/acBitmap.h"

namespace {
uint32_t FixedSource(int index) { return 0x010203u * static_cast<uint32_t>(index); }
}  // namespace

TEST(ColorToRGB, ResolvesSystemColoursThroughTheInstalledSource) {
  SetSysColorSource(nullptr);
  struct Case { uint32_t colour, expected; };
  const Case classic[] = {
      {0x00123456u, 0x00123456u},  // plain colours pass unchanged
      {TransparentKey, TransparentKey},
      {0x7F123456u, 0x7F123456u},  // top bit clear: not a system colour
      {0x8000000Fu, 0x00C8D0D4u},  // button face of the classic scheme
      {0xFF00000Fu, 0x00C8D0D4u},  // the framework's clBtnFace form
      {0xFF000005u, 0x00FFFFFFu},  // window
      {0xFF000012u, 0x00000000u},  // button text
      {0x800000FFu, 0x00000000u},  // unknown index: black, like GetSysColor
  };
  for (const Case& c : classic) EXPECT_EQ(ColorToRGB(c.colour), c.expected) << std::hex << c.colour;

  SetSysColorSource(&FixedSource);
  EXPECT_EQ(ColorToRGB(0xFF000004u), 0x04080Cu);
  EXPECT_EQ(ColorToRGB(0x00000004u), 0x00000004u);
  SetSysColorSource(nullptr);
  EXPECT_EQ(ColorToRGB(0xFF000004u), 0x00C8D0D4u);  // menu, classic again
}

TEST(ParentImage, BuiltFromAnImageOrAColour) {
  SetSysColorSource(nullptr);
  TacBitmapPtr bmp = NewMemoryBitmap(4, 4, TacPixelFormat::pf24bit);
  const TacParentImage withImage = ParentImageFromBitmap(bmp.get(), -3, 7);
  EXPECT_EQ(withImage.Image, bmp.get());
  EXPECT_EQ(withImage.X, -3);
  EXPECT_EQ(withImage.Y, 7);
  EXPECT_EQ(withImage.FillColor, TransparentKey);
  EXPECT_TRUE(withImage.HasImage);

  EXPECT_FALSE(ParentImageFromBitmap(nullptr, 0, 0).HasImage) << "nothing to read from";

  const TacParentImage withColour = ParentImageFromColor(0xFF00000Fu);
  EXPECT_EQ(withColour.Image, nullptr);
  EXPECT_FALSE(withColour.HasImage);
  EXPECT_EQ(withColour.FillColor, 0x00C8D0D4u);
  EXPECT_EQ(ParentImageFromColor(0x00332211u).FillColor, 0x00332211u);

  static_assert(EmptyParentImage.Image == nullptr && !EmptyParentImage.HasImage && EmptyParentImage.FillColor == 0 &&
                    EmptyParentImage.X == 0 && EmptyParentImage.Y == 0,
                "the empty reference is black with no image");
}
