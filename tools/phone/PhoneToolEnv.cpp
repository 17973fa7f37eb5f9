#include "tools/phone/PhoneToolEnv.h"

#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "app/CommandLineSplit.h"
#include "app/LongPathName.h"
#include "app/Utf8Text.h"

std::string EnvText(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string(value) : std::string();
}

namespace {

void WriteAll(DWORD stdHandle, const std::string& bytes) {
  HANDLE h = GetStdHandle(stdHandle);
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD wrote = 0;
    if (!WriteFile(h, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &wrote, nullptr) || wrote == 0)
      return;  // reader gone: nothing more to do
    done += wrote;
  }
}

// Appends with one write, so that two tools started together do not interleave a line.
void AppendLog(const std::string& path, const std::string& line) {
  for (int attempt = 0; attempt < 50; ++attempt) {
    HANDLE h = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
      DWORD wrote = 0;
      WriteFile(h, line.data(), static_cast<DWORD>(line.size()), &wrote, nullptr);
      CloseHandle(h);
      return;
    }
    Sleep(10);
  }
}

int CountFiles(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE h = FindFirstFileA((folder + "\\*.run").c_str(), &found);
  if (h == INVALID_HANDLE_VALUE) return 0;
  int n = 0;
  do ++n;
  while (FindNextFileA(h, &found));
  FindClose(h);
  return n;
}

void WaitAtBarrier(const std::string& folder, int count) {
  const std::string mine = folder + "\\" + std::to_string(GetCurrentProcessId()) + ".run";
  HANDLE h = CreateFileA(mine.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  for (int waited = 0; waited < 20000; waited += 10) {
    if (CountFiles(folder) >= count) return;
    Sleep(10);
  }
  WriteErr("barrier time-out\r\n");
}

}  // namespace

void WriteOut(const std::string& bytes) { WriteAll(STD_OUTPUT_HANDLE, bytes); }
void WriteErr(const std::string& bytes) { WriteAll(STD_ERROR_HANDLE, bytes); }

bool ReadWholeFile(const std::string& path, std::string& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

bool ReadWholeFile(const std::wstring& path, std::string& bytes) {
  HANDLE h = CreateFileW(LongPathName(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  bytes.clear();
  char buffer[65536];
  DWORD got = 0;
  bool ok = true;
  while ((ok = ReadFile(h, buffer, sizeof(buffer), &got, nullptr) != FALSE) && got > 0) bytes.append(buffer, got);
  CloseHandle(h);
  return ok;
}

std::vector<std::wstring> ToolArguments() {
  std::vector<std::wstring> args = SplitArguments(std::wstring(GetCommandLineW()));
  if (!args.empty()) args.erase(args.begin());
  return args;
}

std::string ToUtf8(const std::wstring& text) { return Utf16ToUtf8(std::u16string(text.begin(), text.end())); }

bool RunScript(const char* toolScriptVar, int& exitCode) {
  const std::string log = EnvText("PTQ_LOG");
  if (!log.empty()) AppendLog(log, ToUtf8(GetCommandLineW()) + "\r\n");
  const int delay = std::atoi(EnvText("PTQ_DELAY_MS").c_str());
  if (delay > 0) Sleep(static_cast<DWORD>(delay));
  const std::string barrier = EnvText("PTQ_BARRIER");
  if (!barrier.empty()) WaitAtBarrier(barrier, std::atoi(EnvText("PTQ_BARRIER_COUNT").c_str()));

  std::string script = EnvText(toolScriptVar);
  if (script.empty()) script = EnvText("PTQ_SCRIPT");
  if (script.empty()) return false;
  exitCode = std::atoi(EnvText("PTQ_EXIT").c_str());
  std::string bytes;
  if (!ReadWholeFile(script, bytes)) {
    WriteErr("cannot read script '" + script + "'\r\n");
    exitCode = 3;
    return true;
  }
  WriteOut(bytes);
  const std::string errScript = EnvText("PTQ_STDERR");
  if (!errScript.empty()) {
    if (!ReadWholeFile(errScript, bytes)) {
      WriteErr("cannot read script '" + errScript + "'\r\n");
      exitCode = 3;
      return true;
    }
    WriteErr(bytes);
  }
  return true;
}
