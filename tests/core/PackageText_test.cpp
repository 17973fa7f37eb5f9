// Text work behind the main window: output lines, badging cuts, size and name
// texts, and the drop-file extension test.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/AndroidLevel.h"
#include "app/AnsiFileName.h"
#include "app/BadgingReader.h"
#include "app/CommandLineSplit.h"
#include "app/FileSizeText.h"
#include "app/OutputLines.h"
#include "app/PackageDisplayName.h"
#include "app/ToolCommandLines.h"
#include "app/Utf8Text.h"
#include "skin/acStrToInt.h"

namespace {

using Lines = std::vector<std::string>;

TEST(OutputLines, SplitAtCrLfAndCrLf) {
  struct Case { std::string text; Lines lines; };
  const Case cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\n", {"a"}},
      {"a\nb\rc\r\nd", {"a", "b", "c", "d"}},
      {"\n", {""}},
      {"a\n\nb", {"a", "", "b"}},
      {"a\n\r\nb", {"a", "", "b"}},
      {"a\r\rb\n", {"a", "", "b"}},
      {"a\n\r", {"a", ""}},
      {" Success \t", {" Success \t"}},
      {std::string("x\0y\n", 4), {std::string("x\0y", 3)}},
  };
  for (const Case& c : cases) EXPECT_EQ(SplitOutputLines(c.text), c.lines) << '"' << c.text << '"';
}

// Records what the badging reader hands to the labels, in order.
class RecordingSink : public BadgingSink {
 public:
  void SetPackageName(const std::string& name) override { calls.push_back("name=" + name); }
  void SetVersionName(const std::string& version) override { calls.push_back("version=" + version); }
  void SetAndroidVersion(const std::string& text) override { calls.push_back("os=" + text); }
  Lines calls;
};

TEST(Badging, CutsNameVersionAndLevel) {
  struct Case { std::string output; Lines calls; };
  const Case cases[] = {
      {"package: name='a.b' versionCode='7' versionName='2.0'\r\nsdkVersion:'8'\r\n",
       {"name=a.b", "version=2.0", "os=Android 2.2"}},
      {"sdkVersion:'11'", {"os=Android 3.0"}},
      {"sdkVersion:'1'\nsdkVersion:'6'\nsdkVersion:'9'\nsdkVersion:'0'\nsdkVersion:'-3'\nsdkVersion:'08'",
       {"os=Android 1.0", "os=Android 2.0.1", "os=Android 2.3", "os=0", "os=-3", "os=Android 2.2"}},
      // What newer tools print after the version name does not disturb the cut.
      {"package: name='com.x' versionCode='31' versionName='3.1.4' platformBuildVersionName='4.4.2-1' "
       "compileSdkVersion='19'",
       {"name=com.x", "version=3.1.4"}},
      {"package: name='com.x' versionCode='' versionName='1.0'", {"name=com.x", "version=1.0"}},
      {"package: name='com.x' versionCode='2' versionName='1.0 beta 2'", {"name=com.x", "version=1.0 beta 2"}},
      {"package: name=' padded ' versionCode='1' versionName='1'", {"name= padded ", "version=1"}},
      // No version attributes: the cuts fall back on what is there.
      {"package: name='com.x'", {"name=com.x", "version="}},
      {"package: name='com.x' versionCode='5'", {"name=com.x", "version=5"}},
      // Only "package:" and "sdkVersion:" at the very start count, case-sensitively.
      {" package: name='a'\nPackage: name='b'\ntargetSdkVersion:'x'\nsdkversion:'x'\napplication-label:'A'", {}},
      // Later lines overwrite earlier ones.
      {"package: name='a' versionCode='1' versionName='1'\npackage: name='b' versionCode='2' versionName='2'",
       {"name=a", "version=1", "name=b", "version=2"}},
  };
  for (const Case& c : cases) {
    RecordingSink sink;
    ApplyBadgingOutput(c.output, sink);
    EXPECT_EQ(sink.calls, c.calls) << c.output;
  }
}

// Whether the output named a package decides between the ready text and the
// load-failure text; the tool's own error line is kept for the status label.
TEST(Badging, OutcomeTellsWhetherAPackageWasNamed) {
  struct Case { std::string output; BadgingResult result; std::string toolError; };
  const Case cases[] = {
      {"package: name='a.b' versionCode='1' versionName='1'\nsdkVersion:'8'", BadgingResult::Package, ""},
      {"sdkVersion:'8'\napplication-label:'x'", BadgingResult::NoPackage, ""},
      {"", BadgingResult::NoPackage, ""},
      // What the real badging tool prints (on its error stream) for an empty file, a
      // text file, a zip without manifest, a folder and a missing path.
      {"zipro W 12-10 04:33:32 17007 17007 Error opening archive empty.apk: Invalid file\n"
       "ERROR: dump failed because no AndroidManifest.xml found\n",
       BadgingResult::NoPackage, "ERROR: dump failed because no AndroidManifest.xml found"},
      {"asset W 12-10 04:33:32 17040 17040 Asset path missing.apk is neither a directory nor file (type=1).\n"
       "ERROR: dump failed because assets could not be loaded\n",
       BadgingResult::NoPackage, "ERROR: dump failed because assets could not be loaded"},
      {"ERROR: first\nERROR: second", BadgingResult::NoPackage, "ERROR: first"},
      {"package: name='' versionCode='1'", BadgingResult::BlankPackageName, ""},
      {"package: name='a'\npackage: name=''", BadgingResult::BlankPackageName, ""},
  };
  for (const Case& c : cases) {
    RecordingSink sink;
    const BadgingOutcome outcome = ApplyBadgingOutput(c.output, sink);
    EXPECT_EQ(outcome.result, c.result) << c.output;
    EXPECT_EQ(outcome.toolError, c.toolError) << c.output;
  }
}

TEST(Badging, BlankNameStopsTheReading) {
  const std::string outputs[] = {
      "sdkVersion:'4'\npackage: name='' versionCode='1' versionName='1'\nsdkVersion:'8'",
      "sdkVersion:'4'\npackage: name=' \t' versionCode='1'\nsdkVersion:'8'",
      "sdkVersion:'4'\npackage: name=x\nsdkVersion:'8'",
      "sdkVersion:'4'\npackage:\nsdkVersion:'8'",
  };
  for (const std::string& output : outputs) {
    RecordingSink sink;
    EXPECT_EQ(ApplyBadgingOutput(output, sink).result, BadgingResult::BlankPackageName) << output;
    EXPECT_EQ(sink.calls, Lines{"os=Android 1.6"}) << output;
  }
}

// A preview build writes a codename for its level; the reader never raises for it.
TEST(Badging, LevelThatIsNoNumberShowsItsCodenameOrItself) {
  struct Case { const char* line; Lines calls; };
  const Case cases[] = {
      {"sdkVersion:'L'", {"os=Android 5.0"}},
      {"sdkVersion:'Q'", {"os=Android 10"}},
      {"sdkVersion:'Tiramisu'", {"os=Android 13"}},
      {"sdkVersion:'Baklava'", {"os=Android 16"}},
      {"sdkVersion:'Zebra'", {"os=Zebra"}},
      {"sdkVersion:'q'", {"os=q"}},
      {"sdkVersion:''", {}},
      {"sdkVersion:8", {}},
      {"sdkVersion:' 8'", {"os= 8"}},
      {"sdkVersion:'8a'", {"os=8a"}},
      {"sdkVersion:'99999999999'", {"os=99999999999"}},
      {"sdkVersion:'-'", {"os=-"}},
  };
  for (const Case& c : cases) {
    RecordingSink sink;
    const std::string output = std::string("package: name='a.b' versionCode='7' versionName='2.0'\n") + c.line;
    Lines expected = {"name=a.b", "version=2.0"};
    expected.insert(expected.end(), c.calls.begin(), c.calls.end());
    EXPECT_NO_THROW(ApplyBadgingOutput(output, sink)) << c.line;
    EXPECT_EQ(sink.calls, expected) << c.line;
  }
}

TEST(AndroidLevel, EveryLevelUpToTodaysHasItsVersionName) {
  const char* const names[] = {
      "1.0", "1.1", "1.5", "1.6", "2.0", "2.0.1", "2.1", "2.2", "2.3", "2.3.3", "3.0", "3.1",
      "3.2", "4.0", "4.0.3", "4.1", "4.2", "4.3", "4.4", "4.4W", "5.0", "5.1", "6.0", "7.0",
      "7.1", "8.0", "8.1", "9", "10", "11", "12", "12L", "13", "14", "15", "16"};
  for (int level = 1; level <= 36; ++level)
    EXPECT_EQ(AndroidVersionText(std::to_string(level)), std::string("Android ") + names[level - 1]) << level;
  for (const char* beyond : {"37", "100", "0", "-1", "+40"}) EXPECT_EQ(AndroidVersionText(beyond), beyond);
  EXPECT_EQ(AndroidVersionText("+19"), "Android 4.4");
}

TEST(AndroidLevel, ConversionErrorNamesTheText) {
  try {
    ParseDecimalInt("Q");
    FAIL() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_EQ(std::string(e.what()), "'Q' is not a valid integer value");
  }
  EXPECT_EQ(ParseDecimalInt("2147483647"), 2147483647);
  EXPECT_EQ(ParseDecimalInt("-2147483648"), -2147483647 - 1);
  EXPECT_EQ(ParseDecimalInt("+7"), 7);
  EXPECT_THROW(ParseDecimalInt("2147483648"), EConvertError);
  EXPECT_THROW(ParseDecimalInt("-2147483649"), EConvertError);
  EXPECT_THROW(ParseDecimalInt("0x10"), EConvertError);
  EXPECT_THROW(ParseDecimalInt(""), EConvertError);
}

TEST(FileSizeText, UnitsAndRounding) {
  struct Case { int64_t size; const char* text; };
  const Case cases[] = {
      {0, "0.00 字节"},
      {200, "200.00 字节"},
      {1024, "1024.00 字节"},
      {1025, "1.00 K"},
      {1152, "1.13 K"},  // 1.125 exactly: rounded half up on every platform
      {1048575, "1024.00 K"},
      {1048576, "1024.00 K"},
      {1048577, "1.00 M"},
      {5000000, "4.77 M"},
      {1073741824, "1024.00 M"},
      {1073741825, "1.00 G"},
      {5368709120LL, "5.00 G"},
      {INT64_MAX, "8589934592.00 G"},
      {-5, "-5.00 字节"},
  };
  for (const Case& c : cases) EXPECT_EQ(FileSizeText(c.size, "."), c.text) << c.size;
  EXPECT_EQ(FileSizeText(5000000, ","), "4,77 M");
  EXPECT_EQ(FileSizeText(7, ","), "7,00 字节");
}

TEST(PackageDisplayName, LongNamesAreShortenedByBytes) {
  const std::string name35 = std::string(31, 'a') + ".apk";
  const std::string name36 = std::string(32, 'b') + ".apk";
  struct Case { std::string path; std::string shown; };
  const Case cases[] = {
      {"C:\\pkgs\\short.apk", "short.apk"},
      {"C:\\pkgs\\" + name35, name35},
      {"C:\\pkgs\\" + name36, std::string(32, 'b') + "***.apk"},
      {"d:" + std::string(40, 'c') + ".zip", std::string(32, 'c') + "***.apk"},
      {"C:\\" + std::string(34, 'd') + ".x.apk", std::string(32, 'd') + "***.apk"},
      {"C:\\" + std::string(36, 'e'), std::string(32, 'e') + "***.apk"},
      {"C:\\v1.0\\" + std::string(20, 'f') + "." + std::string(20, 'g'), std::string(20, 'f') + "***.apk"},
      // 18 double-byte characters: the cut falls after the 32nd byte (16 characters).
      {"C:\\" + [] { std::string s; for (int i = 0; i < 18; ++i) s += "软"; return s; }() + ".apk",
       [] { std::string s; for (int i = 0; i < 16; ++i) s += "软"; return s; }() + "***.apk"},
      // One byte, then double-byte characters: the 32nd byte would split one, so it is left out.
      {"C:\\x" + [] { std::string s; for (int i = 0; i < 18; ++i) s += "件"; return s; }() + ".apk",
       "x" + [] { std::string s; for (int i = 0; i < 15; ++i) s += "件"; return s; }() + "***.apk"},
  };
  for (const Case& c : cases) EXPECT_EQ(PackageDisplayName(c.path), c.shown) << c.path;
  EXPECT_EQ(PackageBoxCaption("C:\\a\\b.apk"), "软件信息 -- 开始安装: b.apk");
}

TEST(AnsiFileName, ExtensionForTheDropTest) {
  struct Case { std::string path; const char* ext; bool apk; };
  const Case cases[] = {
      {"C:\\a\\b.apk", ".apk", true},
      {"C:\\a\\A.APK", ".APK", true},
      {"C:\\a\\b.Apk", ".Apk", true},
      {"C:\\dir.apk\\file", "", false},
      {"c:x.apk", ".apk", true},
      {"C:\\a\\b.tar.apk", ".apk", true},
      {"C:\\a\\b.apk.txt", ".txt", false},
      {"C:\\a\\apk", "", false},
      {"C:\\a\\b.", ".", false},
      {"", "", false},
      {".apk", ".apk", true},
      {"C:\\a\\b.apk ", ".apk ", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ExtractAnsiFileExt(c.path), c.ext) << c.path;
    EXPECT_EQ(HasApkExtension(c.path), c.apk) << c.path;
  }
}

TEST(AnsiFileName, TrailByteThatLooksLikeABackslashIsNoSeparator) {
  // 0x81 0x5C is one double-byte character whose second byte equals "\".
  const std::string dbcs = "\x81\x5C";
  EXPECT_EQ(ExtractAnsiFileName("C:\\pkgs\\" + dbcs + ".apk"), dbcs + ".apk");
  EXPECT_EQ(ExtractAnsiFileName("C:\\x" + dbcs + "y.apk"), "x" + dbcs + "y.apk");
  EXPECT_TRUE(HasApkExtension("C:\\a" + dbcs + ".apk"));
  EXPECT_EQ(ExtractAnsiFileExt("C:\\a.b" + dbcs + "c"), ".b" + dbcs + "c");
  EXPECT_EQ(ExtractAnsiFileName("C:\\pkgs\\plain.apk"), "plain.apk");
  EXPECT_EQ(ExtractAnsiFileName("plain.apk"), "plain.apk");
  EXPECT_EQ(ExtractAnsiFileName("C:\\pkgs\\"), "");
}

TEST(ToolCommandLines, ToolPathUnquotedPackagePathQuoted) {
  const std::string app = "C:\\Program Files\\VQ\\";
  EXPECT_EQ(KillServerCommandLine(app), "C:\\Program Files\\VQ\\PTQApk kill-server");
  EXPECT_EQ(StartServerCommandLine(app), "C:\\Program Files\\VQ\\PTQApk start-server");
  EXPECT_EQ(BadgingCommandLine(app, "D:\\a b\\c.apk"), "C:\\Program Files\\VQ\\PTQList d badging \"D:\\a b\\c.apk\"");
  EXPECT_EQ(InstallCommandLine(app, "D:\\c.apk"), "C:\\Program Files\\VQ\\PTQApk install -r \"D:\\c.apk\"");
}

// UTF-16 names as the window shows them. The byte count per character comes from
// the caller (GBK on Windows); here: ASCII 1, anything else 2, as GBK would count.
TEST(PackageDisplayName, Utf16NamesCountGbkBytesAndKeepWholeCharacters) {
  const auto gbk = [](char32_t c) -> size_t { return c < 0x80 ? 1 : 2; };
  struct Case { std::u16string path; std::u16string shown; };
  const Case cases[] = {
      {u"C:\\pkgs\\한국어.apk", u"한국어.apk"},
      {u"C:\\" + std::u16string(31, u'a') + u".apk", std::u16string(31, u'a') + u".apk"},
      {u"C:\\" + std::u16string(32, u'a') + u".apk", std::u16string(32, u'a') + u"***.apk"},
      // 16 Korean syllables of 2 bytes fill 32; the 17th is left out.
      {u"C:\\" + std::u16string(18, u'한') + u".apk", std::u16string(16, u'한') + u"***.apk"},
      {u"C:\\x" + std::u16string(18, u'é') + u".apk", u"x" + std::u16string(15, u'é') + u"***.apk"},
      // A character outside the basic plane is two UTF-16 units and never split.
      {u"C:\\x" + [] { std::u16string s; for (int i = 0; i < 18; ++i) s += u"😀"; return s; }() + u".apk",
       u"x" + [] { std::u16string s; for (int i = 0; i < 15; ++i) s += u"😀"; return s; }() + u"***.apk"},
      {u"d:نام-برنامه-خیلی-طولانی.apk", u"نام-برنامه-خیلی-ط***.apk"},
  };
  for (const Case& c : cases) EXPECT_EQ(PackageDisplayName(c.path, gbk), c.shown);
  const std::u16string upper = u"C:\\앱\\APP.APK", folder = u"C:\\앱.apk\\app";
  EXPECT_TRUE(HasApkExtension(upper));
  EXPECT_FALSE(HasApkExtension(folder));
}

TEST(Utf8Text, StrictValidityAndConversions) {
  struct Case { std::string bytes; bool valid; };
  const Case cases[] = {
      {"", true},
      {"plain ascii", true},
      {"\xE5\xAE\x89\xE8\xA3\x85", true},      // 安装
      {"\xF0\x9F\x98\x80", true},                // U+1F600
      {"\xF4\x8F\xBF\xBF", true},                // U+10FFFF
      {"\xB0\xB2\xD7\xB0", false},               // 安装 in GBK
      {"\xC0\xAF", false},                       // overlong "/"
      {"\xE0\x80\xAF", false},                   // overlong
      {"\xED\xA0\x80", false},                   // a surrogate
      {"\xF4\x90\x80\x80", false},               // above U+10FFFF
      {"\xE5\xAE", false},                       // cut short
      {"\x80", false},
      {"\xFF", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsValidUtf8(c.bytes), c.valid) << testing::PrintToString(c.bytes);
    if (c.valid) EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(c.bytes)), c.bytes);
  }
  EXPECT_EQ(Utf8ToUtf16("\xE5\xAE\x89"), u"安");
  const std::u16string smiley = u"😀";
  EXPECT_EQ(Utf8ToUtf16("\xF0\x9F\x98\x80"), smiley);
  EXPECT_EQ(Utf8ToUtf16("a\xFF" "b"), u"a\uFFFD" u"b");
  EXPECT_EQ(Utf16ToUtf8(std::u16string(1, u'\xD800')), "\xEF\xBF\xBD");
}

TEST(CommandLineSplit, BlanksSeparateQuotesGroup) {
  using W = std::vector<std::u16string>;
  struct Case { std::u16string line; W args; };
  const Case cases[] = {
      {u"", {}},
      {u"   ", {}},
      {u"prog", {u"prog"}},
      {u"prog a  b\tc", {u"prog", u"a", u"b", u"c"}},
      {u"\"C:\\Program Files\\vq.exe\" \"D:\\앱 폴더\\app.apk\"", {u"C:\\Program Files\\vq.exe", u"D:\\앱 폴더\\app.apk"}},
      {u"p \"C:\\dir\\\" x", {u"p", u"C:\\dir\\", u"x"}},
      {u"p a\"b c\"d", {u"p", u"ab cd"}},
      {u"p \"\"", {u"p", u""}},
      {u"p \"open", {u"p", u"open"}},
  };
  for (const Case& c : cases) EXPECT_EQ(SplitArguments(c.line), c.args);
  EXPECT_EQ(SplitArguments(std::string("a \"b c\"")), (std::vector<std::string>{"a", "b c"}));
}

}  // namespace
