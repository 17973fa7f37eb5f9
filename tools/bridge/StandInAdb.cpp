// A stand-in for the platform tools' adb.exe, for the bridge's tests: says where it
// lies and what arguments it got, writes raw bytes to both outputs, and ends with
// the exit code given after "exit" among its arguments (0 otherwise).
#include <windows.h>

#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  const std::string out = std::string("stand-in adb: ") + self + "\r\nargs: " + GetCommandLineA() +
                          "\r\nraw: \x01\xFF\n\r\n";
  const std::string err = "stderr of the stand-in\r\n";
  DWORD wrote = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), out.data(), static_cast<DWORD>(out.size()), &wrote, nullptr);
  WriteFile(GetStdHandle(STD_ERROR_HANDLE), err.data(), static_cast<DWORD>(err.size()), &wrote, nullptr);
  for (int i = 1; i + 1 < argc; ++i)
    if (std::string(argv[i]) == "exit") return std::atoi(argv[i + 1]);
  return 0;
}
