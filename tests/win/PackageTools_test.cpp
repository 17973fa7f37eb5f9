// Badging and install runs through the simulated phone tools, as the main window
// and the install worker use them.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/BadgingReader.h"
#include "app/InstallOutcome.h"
#include "app/InstallerError.h"
#include "app/PackageTools.h"
#include "app/RunAndCapture.h"
#include "app/RunAndCapture.h"
#include "app/ToolCommandLines.h"
#include "skin/acStrToInt.h"
#include "support/ScopedEnv.h"
#include "support/TestPaths.h"

void PrintTo(const InstallUiChange& change, std::ostream* os) { *os << DescribeInstallUiChange(change); }

namespace {

const std::string kAppPath = BinaryPath("bin/");  // ends with a backslash, like the program folder

class LabelSink : public BadgingSink {
 public:
  void SetPackageName(const std::string& name) override { this->name = name; }
  void SetVersionName(const std::string& version) override { this->version = version; }
  void SetAndroidVersion(const std::string& text) override { os = text; }
  std::string name = "未知", version = "未知", os = "未知";
};

std::string Sample() { return SourcePath("tests/data/sample/VqSample.apk"); }

TEST(PackageBadging, SamplePackageShowsItsBadging) {
  LabelSink sink;
  EXPECT_EQ(ReadPackageBadging(kAppPath, Sample(), sink).result, BadgingResult::Package);
  EXPECT_EQ(sink.name, "com.boting.sample");
  EXPECT_EQ(sink.version, "1.2.0");
  EXPECT_EQ(sink.os, "Android 2.2");
}

TEST(PackageBadging, OtherFiles) {
  const std::string dir = ScratchDir("badging-files");
  const std::string sample = ReadBytes(Sample());
  // A zip of someone else's without our badging entry: made up from the file name.
  WriteBytes(dir + "\\My Game-2.apk", sample.substr(0, 30) + std::string(10, 'x'));
  LabelSink made;
  ReadPackageBadging(kAppPath, dir + "\\My Game-2.apk", made);
  EXPECT_EQ(made.name, "com.example.mygame2");
  EXPECT_EQ(made.version, "1.0");
  EXPECT_EQ(made.os, "Android 2.2");

  // Not a package, a missing file or a folder: no badging lines, the tool says why.
  WriteBytes(dir + "\\text.apk", "just text");
  CreateDirectoryA((dir + "\\folder.apk").c_str(), nullptr);
  for (const std::string& path : {dir + "\\text.apk", dir + "\\missing.apk", dir + "\\folder.apk"}) {
    LabelSink sink;
    const BadgingOutcome outcome = ReadPackageBadging(kAppPath, path, sink);
    EXPECT_EQ(outcome.result, BadgingResult::NoPackage) << path;
    EXPECT_EQ(outcome.toolError.rfind("ERROR: ", 0), 0u) << outcome.toolError;
    EXPECT_EQ(sink.name, "未知") << path;
    EXPECT_EQ(sink.version, "未知") << path;
    EXPECT_EQ(sink.os, "未知") << path;
  }
  // A package cut short: its stored badging cannot be reached, the tool makes one up.
  WriteBytes(dir + "\\cut.apk", sample.substr(0, 60));
  LabelSink cut;
  ReadPackageBadging(kAppPath, dir + "\\cut.apk", cut);
  EXPECT_EQ(cut.name, "com.example.cut");

  // An empty path runs nothing.
  const std::string log = dir + "\\log.txt";
  ScopedEnv logEnv("PTQ_LOG", log);
  LabelSink none;
  EXPECT_EQ(ReadPackageBadging(kAppPath, "", none).result, BadgingResult::NoPackage);
  EXPECT_EQ(ReadBytes(log), "");
  ReadPackageBadging(kAppPath, Sample(), none);
  EXPECT_EQ(ReadBytes(log), BadgingCommandLine(kAppPath, Sample()) + "\r\n");
}

TEST(PackageBadging, ErrorsReachTheCaller) {
  const std::string dir = ScratchDir("badging-errors");
  LabelSink sink;
  EXPECT_THROW(ReadPackageBadging(dir + "\\", Sample(), sink), EInstallerError);  // no tool there
  // A tool past its time limit is ended and reported.
  ScopedEnv delay("PTQ_DELAY_MS", "20000");
  const DWORD start = GetTickCount();
  EXPECT_THROW(ReadPackageBadging(kAppPath, Sample(), sink, 500), EToolTimeout);
  EXPECT_LT(GetTickCount() - start, 10000u);
  EXPECT_EQ(sink.name, "未知");
}

TEST(PackageBadging, TimeLimitComesFromTheEnvironment) {
  SetEnvironmentVariableA("VQ_BADGING_TIMEOUT_MS", nullptr);
  EXPECT_EQ(BadgingTimeLimitMs(), 60000u);
  struct Case { const char* value; DWORD ms; };
  for (const Case& c : {Case{"1500", 1500}, Case{"0", 60000}, Case{"-5", 60000}, Case{"12s", 60000}, Case{"", 60000}}) {
    ScopedEnv env("VQ_BADGING_TIMEOUT_MS", c.value);
    EXPECT_EQ(BadgingTimeLimitMs(), c.ms) << c.value;
  }
  EXPECT_EQ(BadgingTimeoutText(60000), "获取参数失败!解析工具PTQList运行超过60秒没有结束,已被终止.");
  EXPECT_EQ(BadgingTimeoutText(1500), "获取参数失败!解析工具PTQList运行超过2秒没有结束,已被终止.");
}

// The real badging tool prints UTF-8; older tools the user's code page. Both read right.
TEST(PackageBadging, OutputIsReadAsUtf8OrGbk) {
  const std::string dir = ScratchDir("badging-encoding");
  struct Case { const char* name; std::string bytes; std::string version; };
  const Case cases[] = {
      {"utf-8", "package: name='com.x' versionCode='1' versionName='\xE6\xB5\x8B\xE8\xAF\x95\xE7\x89\x88'\n",
       "测试版"},
      {"gbk", "package: name='com.x' versionCode='1' versionName='测试版'\n", "测试版"},
      {"utf-8 outside gbk", "package: name='com.x' versionCode='1' versionName='\xED\x95\x9C 1.0'\n", "? 1.0"},
      {"ascii", "package: name='com.x' versionCode='1' versionName='1.0'\n", "1.0"},
  };
  for (const Case& c : cases) {
    WriteBytes(dir + "\\script.txt", c.bytes);
    ScopedEnv script("PTQLIST_SCRIPT", dir + "\\script.txt");
    LabelSink sink;
    ReadPackageBadging(kAppPath, Sample(), sink);
    EXPECT_EQ(sink.version, c.version) << c.name;
  }
}

TEST(PackageInstall, OutcomesOfTheSimulatedPhone) {
  const std::string dir = ScratchDir("install");
  const std::vector<InstallUiChange> unknown = {{InstallUiAction::SetStatusText, 0, kUnknownFailureText}};
  auto then = [&](std::vector<InstallUiChange> last) {
    std::vector<InstallUiChange> all = unknown;
    all.insert(all.end(), last.begin(), last.end());
    return all;
  };
  struct Case { const char* device; std::vector<InstallUiChange> changes; };
  const Case cases[] = {
      {"", then(ClassifyInstallOutput("Success"))},
      {"ok", then(ClassifyInstallOutput("Success"))},
      {"full", then(ClassifyInstallOutput("Failure [INSTALL_FAILED_INSUFFICIENT_STORAGE]"))},
      {"none", then(ClassifyInstallOutput("error: device not found"))},
  };
  for (const Case& c : cases) {
    ScopedEnv device("PTQ_DEVICE", c.device);
    EXPECT_EQ(RunPackageInstall(kAppPath, Sample()), c.changes) << c.device;
  }
  // The lines look like what a current bridge prints.
  EXPECT_EQ(RunAndCapture(InstallCommandLine(kAppPath, Sample()), kAppPath), "Performing Streamed Install\r\nSuccess\r\n");
}

TEST(PackageInstall, MissingPackageRunsNoTool) {
  const std::string dir = ScratchDir("install-missing");
  const std::string log = dir + "\\log.txt";
  ScopedEnv logEnv("PTQ_LOG", log);
  for (const std::string& path : {std::string(), dir + "\\gone.apk", dir}) {
    EXPECT_EQ(RunPackageInstall(kAppPath, path), MissingPackageChanges()) << path;
  }
  EXPECT_EQ(ReadBytes(log), "");
  EXPECT_EQ(RunPackageInstall(dir + "\\", Sample()), BridgeMissingChanges());  // no bridge there
}

TEST(PhoneTools, ServerCommandsAndUsage) {
  const std::string dir = ScratchDir("phone-tools");
  const std::string log = dir + "\\log.txt";
  ScopedEnv logEnv("PTQ_LOG", log);
  EXPECT_EQ(RunAndCapture(KillServerCommandLine(kAppPath), kAppPath), "");
  EXPECT_EQ(RunAndCapture(StartServerCommandLine(kAppPath), kAppPath), "* server started *\r\n");
  EXPECT_EQ(ReadBytes(log), KillServerCommandLine(kAppPath) + "\r\n" + StartServerCommandLine(kAppPath) + "\r\n");
  for (const char* args : {"PTQApk", "PTQApk install \"a.apk\"", "PTQApk install -r", "PTQList badging \"a.apk\"",
                           "PTQList d badging"}) {
    const std::string output = RunAndCapture(kAppPath + args, kAppPath);
    EXPECT_EQ(output.rfind("usage: ", 0), 0u) << args << ": " << output;
  }
  // A script file that cannot be read is reported, not taken for empty output.
  ScopedEnv script("PTQ_SCRIPT", dir + "\\none.txt");
  EXPECT_NE(RunAndCapture(KillServerCommandLine(kAppPath), kAppPath).find("cannot read script"), std::string::npos);
}

}  // namespace
