#include "skin/sGradientData.h"

#include <gtest/gtest.h>

#include "skin/acStrToInt.h"

TEST(GradientData, ParsesFiveNumbersPerPieceAndClamps) {
  struct Piece {
    uint32_t c1, c2;
    int percent, mode;
  };
  struct Case {
    const char* text;
    std::vector<Piece> pieces;
  };
  const Case cases[] = {
      {"N/A", {}},
      {"", {}},
      {"1;2;3;4", {}},
      {"16769733;16769733;24;2;0", {{16769733, 16769733, 24, 2}}},
      {"1;;2;3;;;4;5", {{1, 2, 3, 4}}},
      {";;1;2;3;4;5;;", {{1, 2, 3, 4}}},
      {"-5;-1;150;-3;0", {{0, 0, 100, -3}}},
      {"10;20;-5;0;0;30;40;50;1;0;99", {{10, 20, 0, 0}, {30, 40, 50, 1}}},
      {"16775412;16708071;97;0;0;16708071;16708071;0;0;0", {{16775412, 16708071, 97, 0}, {16708071, 16708071, 0, 0}}},
      // The fifth number of a piece and surplus words are never read.
      {"1;2;3;4;x;y", {{1, 2, 3, 4}}},
  };
  for (const Case& c : cases) {
    TsGradArray g = ParseGradientData(c.text);
    ASSERT_EQ(g.size(), c.pieces.size()) << c.text;
    for (size_t i = 0; i < g.size(); ++i) {
      EXPECT_EQ(g[i].Color1, c.pieces[i].c1) << c.text;
      EXPECT_EQ(g[i].Color2, c.pieces[i].c2) << c.text;
      EXPECT_EQ(g[i].Percent, c.pieces[i].percent) << c.text;
      EXPECT_EQ(g[i].Mode, c.pieces[i].mode) << c.text;
    }
  }
}

TEST(GradientData, AWordThatIsReadAndNotANumberRaises) {
  EXPECT_THROW(ParseGradientData("1;2;x;4;5"), EConvertError);
  EXPECT_THROW(ParseGradientData("1;2;3;4 ;5"), EConvertError);
}
