#include "skin/acStrToInt.h"

#include <gtest/gtest.h>

TEST(StrToInt, AcceptsDecimalAndHexadecimalWithLeadingBlanksOnly) {
  struct Case {
    const char* text;
    bool ok;
    int32_t value;
  };
  const Case cases[] = {
      {"0", true, 0},           {"0042", true, 42},           {"-17", true, -17},
      {"+5", true, 5},          {"  12", true, 12},           {"12 ", false, 0},
      {"0x1F", true, 31},       {"0XfF", true, 255},          {"$10", true, 16},
      {"x10", true, 16},        {"0xFF00000F", true, static_cast<int32_t>(0xFF00000Fu)},
      {"2147483647", true, 2147483647}, {"2147483648", false, 0}, {"-2147483648", true, INT32_MIN},
      {"0x100000000", false, 0}, {"", false, 0},              {"-", false, 0},
      {"0x", false, 0},         {"1.5", false, 0},            {"abc", false, 0},
      {"12a", false, 0},
  };
  for (const Case& c : cases) {
    int32_t v = -999;
    EXPECT_EQ(TryStrToInt(c.text, v), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(v, c.value) << c.text;
    }
    EXPECT_EQ(StrToIntDef(c.text, -999), c.ok ? c.value : -999) << c.text;
  }
}

TEST(StrToInt, ConversionErrorQuotesTheText) {
  try {
    StrToInt("N/A");
    FAIL() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'N/A' is not a valid integer value");
  }
}
