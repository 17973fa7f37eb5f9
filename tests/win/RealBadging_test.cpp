// The real PTQList (bin/real/) under Wine, read by the window's badging parser the
// way the main window runs it: test packages built by aapt, and files that are none.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/BadgingReader.h"
#include "app/PackageTools.h"
#include "app/RunAndCapture.h"
#include "app/ToolCommandLines.h"
#include "skin/acStrToInt.h"
#include "support/ScopedEnv.h"
#include "support/TestPaths.h"

namespace {

const std::string kRealTools = BinaryPath("bin/real/");  // ends with a backslash, like the program folder

class Labels : public BadgingSink {
 public:
  void SetPackageName(const std::string& value) override { name = value; }
  void SetVersionName(const std::string& value) override { version = value; }
  void SetAndroidVersion(const std::string& value) override { os = value; }
  std::string name = "未知", version = "未知", os = "未知";
};

std::string TestPackage(const std::string& name) { return SourcePath("tests/data/badging/" + name + ".apk"); }

TEST(RealBadging, WindowReadsTheRealTool) {
  struct Case { const char* package; const char* name; const char* version; const char* os; };
  const Case cases[] = {
      {"literal", "com.vq.literal", "3.1.4", "Android 2.2"},
      {"references", "com.vq.references", "2.5.1-beta", "Android 2.3"},  // version from the resource table
      {"noversion", "com.vq.noversion", "", "Android 1.6"},
      {"nosdk", "com.vq.nosdk", "", "未知"},
      {"native", "com.vq.native", "7.7", "Android 4.0"},
  };
  for (const Case& c : cases) {
    Labels labels;
    EXPECT_EQ(ReadPackageBadging(kRealTools, TestPackage(c.package), labels).result, BadgingResult::Package)
        << c.package;
    EXPECT_EQ(labels.name, c.name) << c.package;
    EXPECT_EQ(labels.version, c.version) << c.package;
    EXPECT_EQ(labels.os, c.os) << c.package;
  }
  // A code name where the level should be: shown as the release it names.
  Labels codename;
  EXPECT_EQ(ReadPackageBadging(kRealTools, TestPackage("codename"), codename).result, BadgingResult::Package);
  EXPECT_EQ(codename.name, "com.vq.codename");
  EXPECT_EQ(codename.os, "Android 10");
}

TEST(RealBadging, FilesThatAreNoPackageGiveTheToolsErrorLines) {
  const std::string dir = ScratchDir("real-badging");
  WriteBytes(dir + "\\text.apk", "just text");
  struct Case { std::string path, output; };
  const Case cases[] = {
      {dir + "\\missing.apk", "ERROR: dump failed because assets could not be loaded\n"},
      {dir + "\\text.apk", "ERROR: dump failed because no AndroidManifest.xml found\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RunAndCapture(BadgingCommandLine(kRealTools, c.path), kRealTools), c.output) << c.path;
    Labels labels;
    const BadgingOutcome outcome = ReadPackageBadging(kRealTools, c.path, labels);
    EXPECT_EQ(outcome.result, BadgingResult::NoPackage) << c.path;
    EXPECT_EQ(outcome.toolError + "\n", c.output) << c.path;
    EXPECT_EQ(labels.name, "未知") << c.path;
  }
  // The package path passes whole, blanks and all.
  const std::string spaced = dir + "\\with blank.apk";
  ASSERT_TRUE(CopyFileA(TestPackage("split").c_str(), spaced.c_str(), FALSE));
  EXPECT_EQ(RunAndCapture(BadgingCommandLine(kRealTools, spaced), kRealTools).rfind("package: name='com.vq.split'", 0),
            0u);
}

}  // namespace
