// The bridge's search order for adb.exe and how it hands on its arguments.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/bridge/AdbSearch.h"

namespace {

TEST(AdbSearch, CandidatesInOrder) {
  AdbSearchPlaces places;
  places.programFolder = L"C:\\Program Files\\VQ";
  places.sdkRoot = L"D:\\sdk\\";
  places.androidHome = L"E:\\android";
  places.localAppData = L"C:\\Users\\me\\AppData\\Local";
  places.path = L"C:\\Windows;\"C:\\quoted dir\";;C:\\tools\\";
  const std::vector<std::wstring> expected = {
      L"C:\\Program Files\\VQ\\adb.exe",
      L"D:\\sdk\\platform-tools\\adb.exe",
      L"E:\\android\\platform-tools\\adb.exe",
      L"C:\\Users\\me\\AppData\\Local\\Android\\Sdk\\platform-tools\\adb.exe",
      L"C:\\Windows\\adb.exe",
      L"C:\\quoted dir\\adb.exe",
      L"C:\\tools\\adb.exe",
  };
  EXPECT_EQ(AdbCandidates(places), expected);
  // Unset places are skipped, not turned into relative paths.
  AdbSearchPlaces few;
  few.programFolder = L"C:\\VQ";
  EXPECT_EQ(AdbCandidates(few), std::vector<std::wstring>{L"C:\\VQ\\adb.exe"});
}

TEST(AdbSearch, ArgumentsPassUnchanged) {
  struct Case { std::wstring commandLine, arguments; };
  const Case cases[] = {
      {L"PTQApk install -r \"C:\\a b\\x.apk\"", L"install -r \"C:\\a b\\x.apk\""},
      {L"\"C:\\Program Files\\VQ\\PTQApk\"  kill-server", L"kill-server"},
      {L"\"C:\\VQ\\PTQApk.exe\"", L""},
      {L"PTQApk", L""},
      {L"PTQApk\tdevices  -l ", L"devices  -l "},
      {L"\"unclosed quote", L""},
  };
  for (const Case& c : cases) EXPECT_EQ(ArgumentsAfterProgram(c.commandLine), c.arguments);
  EXPECT_EQ(AdbCommandLine(L"C:\\sdk\\adb.exe", L"start-server"), L"\"C:\\sdk\\adb.exe\" start-server");
  EXPECT_EQ(AdbCommandLine(L"C:\\sdk\\adb.exe", L""), L"\"C:\\sdk\\adb.exe\"");
}

}  // namespace
