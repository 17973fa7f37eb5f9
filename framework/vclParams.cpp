#include "framework/vclParams.h"

#include <windows.h>

#include "framework/vclText.h"

std::vector<std::string> SplitCommandLine(const std::string& s) {
  std::vector<std::string> out;
  size_t i = 0, n = s.size();
  while (true) {
    while (i < n && (s[i] == ' ' || s[i] == '\t' || s[i] == '\r' || s[i] == '\n')) ++i;
    if (i >= n) break;
    std::string arg;
    bool quoted = false;
    while (i < n && (quoted || (s[i] != ' ' && s[i] != '\t' && s[i] != '\r' && s[i] != '\n'))) {
      if (s[i] == '"')
        quoted = !quoted;
      else
        arg += s[i];
      ++i;
    }
    out.push_back(arg);
  }
  return out;
}

namespace {
std::vector<std::string> g_arguments;

std::vector<std::string> ProcessArguments() {
  if (!g_arguments.empty()) return g_arguments;
  // Read as UTF-16 and convert, so the path's bytes are GBK whatever the ANSI code page.
  return SplitCommandLine(WideToGbk(GetCommandLineW()));
}
}  // namespace

int ParamCount() {
  size_t n = ProcessArguments().size();
  return n ? static_cast<int>(n) - 1 : 0;
}

void SetProgramArguments(const std::vector<std::string>& arguments) { g_arguments = arguments; }

bool ProgramArgumentsReplaced() { return !g_arguments.empty(); }

std::string ParamStr(int index) {
  if (index == 0 && g_arguments.empty()) {
    wchar_t path[MAX_PATH * 2];
    DWORD len = GetModuleFileNameW(nullptr, path, MAX_PATH * 2);
    return WideToGbk(std::wstring(path, len));
  }
  std::vector<std::string> args = ProcessArguments();
  return index > 0 && static_cast<size_t>(index) < args.size() ? args[static_cast<size_t>(index)] : std::string();
}
