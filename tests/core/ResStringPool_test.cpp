// String pools of compiled resources in both encodings, as the compiler writes them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/ZipFixture.h"
#include "tools/badging/ResStringPool.h"

namespace {

// A pool chunk holding the given already-encoded strings.
std::string Pool(const std::vector<std::string>& encoded, bool utf8) {
  std::string offsets, data;
  for (const std::string& s : encoded) {
    PutLe(offsets, data.size(), 4);
    data += s;
  }
  while (data.size() % 4) data += '\0';
  std::string chunk;
  PutLe(chunk, 0x0001, 2);
  PutLe(chunk, 28, 2);
  PutLe(chunk, 28 + offsets.size() + data.size(), 4);
  PutLe(chunk, encoded.size(), 4);
  PutLe(chunk, 0, 4);
  PutLe(chunk, utf8 ? 0x100 : 0, 4);
  PutLe(chunk, 28 + offsets.size(), 4);
  PutLe(chunk, 0, 4);
  return chunk + offsets + data;
}

std::string Utf16(const std::u16string& s, bool longLength = false) {
  std::string out;
  if (longLength) {
    PutLe(out, 0x8000 | (s.size() >> 16), 2);
    PutLe(out, s.size() & 0xFFFF, 2);
  } else {
    PutLe(out, s.size(), 2);
  }
  for (char16_t c : s) PutLe(out, c, 2);
  PutLe(out, 0, 2);
  return out;
}

std::string Utf8(const std::string& s, size_t units) {
  std::string out;
  auto length = [&](size_t n) {
    if (n > 0x7F) out += static_cast<char>(0x80 | n >> 8);
    out += static_cast<char>(n & 0xFF);
  };
  length(units);
  length(s.size());
  return out + s + '\0';
}

TEST(ResStringPool, DecodesBothEncodings) {
  const std::string longText(200, 'x');  // needs the two-byte length form
  ResStringPool utf16;
  // The pool reads its strings where they lie: the chunk outlives it.
  const std::string chunk16 = Pool({Utf16(u"abc"), Utf16(u"安装"), Utf16(u"\U0001F600 ok"), Utf16(u""),
                                Utf16(std::u16string(200, u'x'), true), Utf16(u"\xD800 lone")},
                                   false);
  ASSERT_TRUE(utf16.Parse(chunk16));
  const std::vector<std::string> expected16 = {"abc", u8"安装", u8"\U0001F600 ok", "", longText, u8"\uFFFD lone"};
  ASSERT_EQ(utf16.Size(), expected16.size());
  for (size_t i = 0; i < expected16.size(); ++i) EXPECT_EQ(utf16.At(i), expected16[i]) << i;

  ResStringPool utf8;
  const std::string chunk8 = Pool({Utf8("abc", 3), Utf8(u8"应用", 2), Utf8(longText, 200)}, true);
  ASSERT_TRUE(utf8.Parse(chunk8));
  EXPECT_EQ(utf8.At(0), "abc");
  EXPECT_EQ(utf8.At(1), u8"应用");
  EXPECT_EQ(utf8.At(2), longText);
  EXPECT_EQ(utf8.At(3), "");            // outside the pool
  EXPECT_EQ(utf8.At(0xFFFFFFFF), "");   // "no string"
}

TEST(ResStringPool, DamagedPools) {
  const std::string good = Pool({Utf16(u"abc"), Utf16(u"defgh")}, false);
  ResStringPool pool;
  // A string whose length runs past the pool reads as empty; its neighbours survive.
  std::string longer = good;
  longer[28 + 8] = '\x7F';
  ASSERT_TRUE(pool.Parse(longer));
  EXPECT_EQ(pool.At(0), "");
  EXPECT_EQ(pool.At(1), "defgh");
  // Every cut of the chunk is refused: its declared size runs past the end.
  for (size_t cut = 0; cut < good.size(); ++cut) {
    const std::string bytes = good.substr(0, cut);
    EXPECT_FALSE(pool.Parse(bytes)) << cut;
  }
  std::string wrongType = good;
  wrongType[0] = 2;
  EXPECT_FALSE(pool.Parse(wrongType));
  std::string tooMany = good;
  tooMany[8] = '\x7F';
  EXPECT_FALSE(pool.Parse(tooMany));
}

}  // namespace
