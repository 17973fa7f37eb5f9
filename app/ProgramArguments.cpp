#include "app/ProgramArguments.h"

#include <windows.h>

#include "app/CommandLineSplit.h"
#include "framework/vclParams.h"
#include "framework/vclText.h"

namespace {
std::vector<std::wstring> g_arguments;
}

std::vector<std::wstring> ProgramArgumentsW() {
  if (!g_arguments.empty()) return g_arguments;
  if (ProgramArgumentsReplaced()) {
    // A host that replaced the framework's 8-bit arguments decides here too.
    std::vector<std::wstring> args;
    for (int i = 0; i <= ParamCount(); ++i) args.push_back(GbkToWide(ParamStr(i)));
    return args;
  }
  return SplitArguments(std::wstring(GetCommandLineW()));
}

void SetProgramArgumentsW(const std::vector<std::wstring>& arguments) { g_arguments = arguments; }

std::wstring ProgramFileW() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
    if (n < path.size()) return path.substr(0, n);
    path.resize(path.size() * 2);
  }
}
