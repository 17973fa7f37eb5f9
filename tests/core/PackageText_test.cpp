// Text work behind the main window: output lines, badging cuts, size and name
// texts, and the drop-file extension test.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/AndroidLevel.h"
#include "app/AnsiFileName.h"
#include "app/BadgingReader.h"
#include "app/FileSizeText.h"
#include "app/OutputLines.h"
#include "app/PackageDisplayName.h"
#include "app/ToolCommandLines.h"
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
      {"sdkVersion:'11'", {"os=11"}},
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
    EXPECT_EQ(ApplyBadgingOutput(c.output, sink), BadgingResult::Examined) << c.output;
    EXPECT_EQ(sink.calls, c.calls) << c.output;
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
    EXPECT_EQ(ApplyBadgingOutput(output, sink), BadgingResult::BlankPackageName) << output;
    EXPECT_EQ(sink.calls, Lines{"os=Android 1.6"}) << output;
  }
}

TEST(Badging, LevelThatIsNoNumberRaisesAfterEarlierLinesWereSet) {
  const std::string levels[] = {"sdkVersion:'L'", "sdkVersion:''", "sdkVersion:8", "sdkVersion:' 8'",
                                "sdkVersion:'8a'", "sdkVersion:'99999999999'", "sdkVersion:'-'"};
  for (const std::string& level : levels) {
    RecordingSink sink;
    const std::string output = "package: name='a.b' versionCode='7' versionName='2.0'\n" + level + "\nsdkVersion:'8'";
    EXPECT_THROW(ApplyBadgingOutput(output, sink), EConvertError) << level;
    EXPECT_EQ(sink.calls, (Lines{"name=a.b", "version=2.0"})) << level;
  }
}

TEST(AndroidLevel, ConversionErrorNamesTheText) {
  try {
    AndroidVersionText("Q");
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
  };
  for (const Case& c : cases) EXPECT_EQ(PackageDisplayName(c.path), c.shown) << c.path;
  EXPECT_EQ(PackageBoxCaption("C:\\a\\b.apk"), "软件信息 -- 开始安装: b.apk");
}

TEST(AnsiFileName, ExtensionForTheDropTest) {
  struct Case { std::string path; const char* ext; bool apk; };
  const Case cases[] = {
      {"C:\\a\\b.apk", ".apk", true},
      {"C:\\a\\A.APK", ".APK", false},
      {"C:\\a\\b.Apk", ".Apk", false},
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

}  // namespace
