#include "skin/sSkinOptions.h"

#include <gtest/gtest.h>

TEST(SkinOptions, TrimsSkipsCommentsAndKeepsEverySectionHeaderInOrder) {
  TsSkinOptions o(
      "; comment\r\n"
      "  [ GLOBALINFO ]  \r\n"
      "\tVERSION = 6.5 \t\r\n"
      "; KEY=ignored\n"
      "\n"
      "no equals sign here\n"
      "Color=1\n"
      "color=2\n"
      "[Button]\r"
      "URL=a=b\r"
      "[BUTTON]\n"
      "Color=3\n"
      "[Empty]\n");
  ASSERT_EQ(o.Sections().size(), 4u);
  EXPECT_EQ(o.Sections()[0].Name, "GLOBALINFO");
  EXPECT_EQ(o.Sections()[1].Name, "Button");
  EXPECT_EQ(o.Sections()[2].Name, "BUTTON");
  EXPECT_EQ(o.Sections()[3].Name, "Empty");
  ASSERT_EQ(o.Sections()[0].Keys.size(), 3u);
  EXPECT_EQ(o.Sections()[0].Keys[0].Name, "VERSION");
  EXPECT_EQ(o.Sections()[0].Keys[0].Value, "6.5");
  // Case-insensitive lookups, first key and first section win.
  EXPECT_EQ(o.ReadString("globalinfo", "COLOR", "?"), "1");
  EXPECT_EQ(o.ReadString("BUTTON", "url", "?"), "a=b");
  EXPECT_EQ(o.ReadString("button", "COLOR", "?"), "?");
  EXPECT_EQ(o.ReadString("Nope", "COLOR", "dflt"), "dflt");
  EXPECT_TRUE(o.HasSection("empty"));
}

TEST(SkinOptions, KeysOutsideSectionsAreIgnored) {
  TsSkinOptions o("A=1\n[S]\nB=2\n");
  ASSERT_EQ(o.Sections().size(), 1u);
  EXPECT_EQ(o.Sections()[0].Keys.size(), 1u);
}

TEST(SkinOptions, IntegersAcceptHexAndFallBackOnNonNumbers) {
  TsSkinOptions o("[S]\nA=0x10\nB=-7\nC=abc\nD=\nE=$FF\n");
  struct Case {
    const char* key;
    int expected;
  };
  const Case cases[] = {{"A", 16}, {"B", -7}, {"C", 99}, {"D", 99}, {"E", 255}, {"MISSING", 99}};
  for (const Case& c : cases) EXPECT_EQ(o.ReadInteger("S", c.key, 99), c.expected) << c.key;
}

TEST(SkinOptions, RealsUseAPointWhateverTheLocale) {
  TsSkinOptions o("[S]\nA=6.57\nB=7\nC=6,5\nD=+1.25\nE=inf\nF=\n");
  EXPECT_DOUBLE_EQ(o.ReadFloat("S", "A", -1), 6.57);
  EXPECT_DOUBLE_EQ(o.ReadFloat("S", "B", -1), 7);
  EXPECT_DOUBLE_EQ(o.ReadFloat("S", "C", -1), -1);
  EXPECT_DOUBLE_EQ(o.ReadFloat("S", "D", -1), 1.25);
  EXPECT_DOUBLE_EQ(o.ReadFloat("S", "E", -1), -1);
  EXPECT_DOUBLE_EQ(o.ReadFloat("S", "F", -1), -1);
}

TEST(SkinOptions, MergeReplacesKeysOfExistingSectionsAndAppendsNewOnes) {
  TsSkinOptions o("[BUTTON]\nCOLOR=1\nFONTCOLOR=2\n[EDIT]\nCOLOR=5\n");
  o.MergeText("[button]\ncolor=9\nHOTCOLOR=4\n[MYPANEL]\nPARENTCLASS=EDIT\n");
  EXPECT_EQ(o.ReadString("BUTTON", "COLOR", "?"), "9");
  EXPECT_EQ(o.ReadString("BUTTON", "FONTCOLOR", "?"), "2");
  EXPECT_EQ(o.ReadString("BUTTON", "HOTCOLOR", "?"), "4");
  ASSERT_EQ(o.Sections().size(), 3u);
  EXPECT_EQ(o.Sections()[0].Name, "BUTTON");
  EXPECT_EQ(o.Sections()[2].Name, "MYPANEL");
  EXPECT_EQ(o.ReadString("MYPANEL", "PARENTCLASS", "?"), "EDIT");
}
