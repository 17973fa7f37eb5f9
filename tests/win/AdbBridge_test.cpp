// The real PTQApk under Wine: it finds a stand-in adb.exe (built by the project) in
// each place it searches, in the right order, passes arguments, output and exit
// code through, and says so in one line when there is none.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "app/ScopedHandle.h"
#include "support/ScopedEnv.h"
#include "support/TestPaths.h"
#include "tools/bridge/AdbSearch.h"

namespace {

struct ToolRun {
  std::string out, err;
  DWORD exitCode = 0;
};

std::string ReadAll(HANDLE h) {
  std::string text;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(h, buffer, sizeof buffer, &got, nullptr) && got) text.append(buffer, got);
  return text;
}

// Runs a command with its standard output and error on pipes of their own.
ToolRun RunTool(const std::string& commandLine) {
  SECURITY_ATTRIBUTES sa = {sizeof(sa), nullptr, TRUE};
  ScopedHandle outRead, outWrite, errRead, errWrite;
  EXPECT_TRUE(CreatePipe(outRead.Receive(), outWrite.Receive(), &sa, 1 << 16));
  EXPECT_TRUE(CreatePipe(errRead.Receive(), errWrite.Receive(), &sa, 1 << 16));
  SetHandleInformation(outRead.Get(), HANDLE_FLAG_INHERIT, 0);
  SetHandleInformation(errRead.Get(), HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA si = {};
  si.cb = sizeof(si);
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdOutput = outWrite.Get();
  si.hStdError = errWrite.Get();
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');
  PROCESS_INFORMATION pi = {};
  ToolRun run;
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) {
    ADD_FAILURE() << "cannot start " << commandLine;
    return run;
  }
  ScopedHandle process(pi.hProcess), thread(pi.hThread);
  outWrite.Close();
  errWrite.Close();
  run.out = ReadAll(outRead.Get());  // the outputs are small: no pipe fills up meanwhile
  run.err = ReadAll(errRead.Get());
  WaitForSingleObject(process.Get(), INFINITE);
  GetExitCodeProcess(process.Get(), &run.exitCode);
  return run;
}

void Copy(const std::string& from, const std::string& to) {
  CreateDirectoryA(to.substr(0, to.find_last_of('\\')).c_str(), nullptr);
  ASSERT_TRUE(CopyFileA(from.c_str(), to.c_str(), FALSE)) << from << " -> " << to;
}

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

enum Place { kBeside, kSdkRoot, kAndroidHome, kLocalAppData, kPath };

class AdbBridge : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = ScratchDir(::testing::UnitTest::GetInstance()->current_test_info()->name());
    bridge_ = dir_ + "\\program\\PTQApk.exe";
    Copy(BinaryPath("bin/real/PTQApk.exe"), bridge_);
    folders_ = {dir_ + "\\program", dir_ + "\\sdk-root", dir_ + "\\android-home", dir_ + "\\local",
                dir_ + "\\on path"};
    for (const std::string& folder : folders_) CreateDirectoryA(folder.c_str(), nullptr);
  }
  // Where adb.exe lies for each place.
  std::string AdbAt(Place place) const {
    switch (place) {
      case kBeside: return folders_[kBeside] + "\\adb.exe";
      case kSdkRoot: return folders_[kSdkRoot] + "\\platform-tools\\adb.exe";
      case kAndroidHome: return folders_[kAndroidHome] + "\\platform-tools\\adb.exe";
      case kLocalAppData: return folders_[kLocalAppData] + "\\Android\\Sdk\\platform-tools\\adb.exe";
      case kPath: return folders_[kPath] + "\\adb.exe";
    }
    return std::string();
  }
  void PutAdb(Place place) {
    const std::string to = AdbAt(place);
    // Folders down to the file.
    for (size_t at = dir_.size() + 1; (at = to.find('\\', at)) != std::string::npos; ++at)
      CreateDirectoryA(to.substr(0, at).c_str(), nullptr);
    Copy(BinaryPath("bin/standin/adb.exe"), to);
  }
  ToolRun RunBridge(const std::string& arguments) {
    // Every place is configured; only where an adb.exe lies decides.
    ScopedEnv sdkRoot("ANDROID_SDK_ROOT", folders_[kSdkRoot]);
    ScopedEnv home("ANDROID_HOME", folders_[kAndroidHome]);
    ScopedEnv local("LOCALAPPDATA", folders_[kLocalAppData]);
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    ScopedEnv path("PATH", std::string(system) + ";\"" + folders_[kPath] + "\"");
    return RunTool("\"" + bridge_ + "\" " + arguments);
  }

  std::string dir_, bridge_;
  std::vector<std::string> folders_;
};

TEST_F(AdbBridge, FindsAdbInEachPlaceInOrder) {
  struct Case { const char* what; std::vector<Place> present; Place expected; };
  const Case cases[] = {
      {"beside the bridge", {kBeside}, kBeside},
      {"ANDROID_SDK_ROOT", {kSdkRoot}, kSdkRoot},
      {"ANDROID_HOME", {kAndroidHome}, kAndroidHome},
      {"per-user SDK", {kLocalAppData}, kLocalAppData},
      {"PATH", {kPath}, kPath},
      {"beside before all others", {kPath, kLocalAppData, kAndroidHome, kSdkRoot, kBeside}, kBeside},
      {"SDK root before ANDROID_HOME", {kPath, kLocalAppData, kAndroidHome, kSdkRoot}, kSdkRoot},
      {"ANDROID_HOME before the per-user SDK", {kPath, kLocalAppData, kAndroidHome}, kAndroidHome},
      {"per-user SDK before PATH", {kPath, kLocalAppData}, kLocalAppData},
  };
  for (const Case& c : cases) {
    for (Place p : {kBeside, kSdkRoot, kAndroidHome, kLocalAppData, kPath}) DeleteFileA(AdbAt(p).c_str());
    for (Place p : c.present) PutAdb(p);
    const ToolRun run = RunBridge("devices");
    EXPECT_EQ(run.exitCode, 0u) << c.what << "\n" << run.err;
    EXPECT_EQ(run.out.rfind("stand-in adb: ", 0), 0u) << c.what << "\n" << run.out;
    EXPECT_NE(Lower(run.out).find(Lower("stand-in adb: " + AdbAt(c.expected) + "\r\n")), std::string::npos)
        << c.what << "\n" << run.out;
  }
}

TEST_F(AdbBridge, PassesArgumentsOutputAndExitCodeThrough) {
  PutAdb(kSdkRoot);
  const std::string package = dir_ + "\\my package.apk";
  const ToolRun run = RunBridge("install -r \"" + package + "\" exit 7");
  EXPECT_EQ(run.exitCode, 7u);
  // adb gets the bridge's arguments as they were written, and its bytes reach us unchanged.
  EXPECT_NE(run.out.find(" install -r \"" + package + "\" exit 7\r\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("raw: \x01\xFF\n\r\n"), std::string::npos) << run.out;
  EXPECT_EQ(run.err, "stderr of the stand-in\r\n");
  EXPECT_EQ(RunBridge("start-server").exitCode, 0u);
}

TEST_F(AdbBridge, SaysSoWhenThereIsNoAdb) {
  const ToolRun run = RunBridge("install -r \"x.apk\"");
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, std::string(kAdbNotFoundLine) + "\r\n");
  EXPECT_EQ(run.exitCode, static_cast<DWORD>(kAdbNotFoundExitCode));
  // A folder called adb.exe is no adb.
  CreateDirectoryA((folders_[kPath] + "\\adb.exe").c_str(), nullptr);
  EXPECT_EQ(RunBridge("devices").exitCode, static_cast<DWORD>(kAdbNotFoundExitCode));
}

}  // namespace
