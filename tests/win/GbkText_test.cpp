// Hard cases of the GBK and UTF-16 conversions as the platform (Wine here) does
// them: which characters have an exact GBK form and how many bytes they take, the
// display name's cut over mixed names, and the round trip of text that fits.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/GbkText.h"
#include "framework/vclText.h"

namespace {

TEST(GbkText, CharactersAndTheirGbkLength) {
  struct Case { const wchar_t* text; char32_t cp; size_t bytes; bool fits; };
  const Case cases[] = {
      {L"a", U'a', 1, true},
      {L"~", U'~', 1, true},
      {L"\u5B89", U'\u5B89', 2, true},    // 安
      {L"\u20AC", U'\u20AC', 1, true},    // euro sign: the one single byte above 0x7F
      {L"\u00E9", U'\u00E9', 2, true},    // é: a pinyin letter of GBK
      {L"\u00FC", U'\u00FC', 2, true},    // ü: likewise
      {L"\u00F1", U'\u00F1', 2, false},   // ñ: none, and no best-fit "n" either
      {L"\u00E4", U'\u00E4', 2, false},   // ä
      {L"\u00C5", U'\u00C5', 2, false},   // Å
      {L"\uD55C", U'\uD55C', 2, false},   // 한: Hangul syllables are not in GBK
      {L"\u0627", U'\u0627', 2, false},   // Arabic alef
      {L"\u00B7", U'\u00B7', 2, true},    // middle dot
      {L"\uFF5E", U'\uFF5E', 2, true},    // full-width tilde
      {L"\uE000", U'\uE000', 2, true},    // private use: GBK's user-defined area
      {L"\U0001F600", U'\U0001F600', 2, false},  // outside the basic plane
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "U+" << std::hex << static_cast<uint32_t>(c.cp));
    EXPECT_EQ(GbkLength(c.cp), c.bytes);
    EXPECT_EQ(FitsGbk(c.text), c.fits);
    if (c.fits) EXPECT_EQ(GbkToWide(WideToGbk(c.text)), c.text);
    else EXPECT_NE(GbkToWide(WideToGbk(c.text)), c.text);  // the lossy path the program no longer takes
  }
}

TEST(GbkText, DisplayNamesOfMixedScripts) {
  struct Case { std::wstring path; std::wstring shown; };
  const Case cases[] = {
      {L"C:\\\uC571\\\uD55C\uAD6D\uC5B4 \uC571.apk", L"\uD55C\uAD6D\uC5B4 \uC571.apk"},
      // 12 Hangul (24 bytes) + 8 ASCII = 32, then the rest is cut.
      {L"D:\\" + std::wstring(12, L'\uD55C') + L"abcdefghijkl.apk", std::wstring(12, L'\uD55C') + L"abcdefgh***.apk"},
      // One ASCII byte first: the 32-byte limit falls inside the 16th character, so 15 stay.
      {L"D:\\x" + std::wstring(20, L'\u00F1') + L".apk", L"x" + std::wstring(15, L'\u00F1') + L"***.apk"},
      // The euro sign takes one byte: 32 of them fit.
      {L"D:\\" + std::wstring(40, L'\u20AC') + L".apk", std::wstring(32, L'\u20AC') + L"***.apk"},
      {L"D:\\x" + [] { std::wstring s; for (int i = 0; i < 20; ++i) s += L"\U0001F600"; return s; }() + L".apk",
       L"x" + [] { std::wstring s; for (int i = 0; i < 15; ++i) s += L"\U0001F600"; return s; }() + L"***.apk"},
      {L"\\\\?\\C:\\very\\long.apk", L"long.apk"},
  };
  for (const Case& c : cases) EXPECT_EQ(PackageDisplayNameW(c.path), c.shown);
}

}  // namespace
