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
  EXPECT_EQ(ReadPackageBadging(kAppPath, Sample(), sink), BadgingResult::Examined);
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

  // Not a package or a missing file: no badging lines, the labels keep their text.
  WriteBytes(dir + "\\text.apk", "just text");
  for (const std::string& path : {dir + "\\text.apk", dir + "\\missing.apk"}) {
    LabelSink sink;
    EXPECT_EQ(ReadPackageBadging(kAppPath, path, sink), BadgingResult::Examined) << path;
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
  EXPECT_EQ(ReadPackageBadging(kAppPath, "", none), BadgingResult::Examined);
  EXPECT_EQ(ReadBytes(log), "");
  ReadPackageBadging(kAppPath, Sample(), none);
  EXPECT_EQ(ReadBytes(log), BadgingCommandLine(kAppPath, Sample()) + "\r\n");
}

TEST(PackageBadging, ErrorsReachTheCaller) {
  const std::string dir = ScratchDir("badging-errors");
  LabelSink sink;
  EXPECT_THROW(ReadPackageBadging(dir + "\\", Sample(), sink), EInstallerError);  // no tool there
  WriteBytes(dir + "\\script.txt", "package: name='p.q' versionCode='1' versionName='9.9'\nsdkVersion:'Q'\n");
  ScopedEnv script("PTQLIST_SCRIPT", dir + "\\script.txt");
  EXPECT_THROW(ReadPackageBadging(kAppPath, Sample(), sink), EConvertError);
  EXPECT_EQ(sink.name, "p.q");
  EXPECT_EQ(sink.version, "9.9");
  EXPECT_EQ(sink.os, "未知");
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
      {"none", ClassifyInstallOutput("error: device not found")},
  };
  for (const Case& c : cases) {
    ScopedEnv device("PTQ_DEVICE", c.device);
    EXPECT_EQ(RunPackageInstall(kAppPath, Sample()), c.changes) << c.device;
  }
  // The progress lines look like what a bridge prints.
  const std::string output = RunAndCapture(InstallCommandLine(kAppPath, Sample()), kAppPath);
  EXPECT_NE(output.find("bytes in"), std::string::npos) << output;
  EXPECT_NE(output.find("\tpkg: /data/local/tmp/VqSample.apk\r\n"), std::string::npos) << output;
}

TEST(PackageInstall, MissingPackageRunsNoTool) {
  const std::string dir = ScratchDir("install-missing");
  const std::string log = dir + "\\log.txt";
  ScopedEnv logEnv("PTQ_LOG", log);
  for (const std::string& path : {std::string(), dir + "\\gone.apk", dir}) {
    EXPECT_EQ(RunPackageInstall(kAppPath, path), MissingPackageChanges()) << path;
  }
  EXPECT_EQ(ReadBytes(log), "");
  EXPECT_THROW(RunPackageInstall(dir + "\\", Sample()), EInstallerError);
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
