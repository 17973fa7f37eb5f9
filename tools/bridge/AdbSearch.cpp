#include "tools/bridge/AdbSearch.h"

namespace {

std::wstring Join(std::wstring folder, const std::wstring& rest) {
  if (!folder.empty() && folder.back() != L'\\' && folder.back() != L'/') folder += L'\\';
  return folder + rest;
}

}  // namespace

std::vector<std::wstring> AdbCandidates(const AdbSearchPlaces& places) {
  std::vector<std::wstring> out;
  auto add = [&](const std::wstring& folder, const std::wstring& rest) {
    if (!folder.empty()) out.push_back(Join(folder, rest));
  };
  add(places.programFolder, L"adb.exe");
  add(places.sdkRoot, L"platform-tools\\adb.exe");
  add(places.androidHome, L"platform-tools\\adb.exe");
  add(places.localAppData, L"Android\\Sdk\\platform-tools\\adb.exe");
  size_t start = 0;
  while (start <= places.path.size()) {
    size_t end = places.path.find(L';', start);
    if (end == std::wstring::npos) end = places.path.size();
    std::wstring folder = places.path.substr(start, end - start);
    if (folder.size() >= 2 && folder.front() == L'"' && folder.back() == L'"') folder = folder.substr(1, folder.size() - 2);
    add(folder, L"adb.exe");
    start = end + 1;
  }
  return out;
}

std::wstring ArgumentsAfterProgram(const std::wstring& commandLine) {
  size_t at = 0;
  if (at < commandLine.size() && commandLine[at] == L'"') {
    const size_t close = commandLine.find(L'"', at + 1);
    at = close == std::wstring::npos ? commandLine.size() : close + 1;
  } else {
    while (at < commandLine.size() && commandLine[at] != L' ' && commandLine[at] != L'\t') ++at;
  }
  while (at < commandLine.size() && (commandLine[at] == L' ' || commandLine[at] == L'\t')) ++at;
  return commandLine.substr(at);
}

std::wstring AdbCommandLine(const std::wstring& adb, const std::wstring& arguments) {
  std::wstring line = L"\"" + adb + L"\"";
  if (!arguments.empty()) line += L" " + arguments;
  return line;
}
