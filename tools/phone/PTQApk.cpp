// Simulated phone bridge: PTQApk kill-server | start-server | install -r "package.apk".
// The phone it talks to is chosen by PTQ_DEVICE (see PhoneToolEnv.h); what it
// prints follows what a current bridge prints in each case.
#include <string>

#include "tools/phone/PhoneToolEnv.h"

namespace {

int Install(const std::wstring& widePath) {
  const std::string path = ToUtf8(widePath);
  const std::string device = EnvText("PTQ_DEVICE");
  if (device == "none") {
    WriteOut("Performing Push Install\r\nadb: error: failed to get feature set: no devices/emulators found\r\n");
    WriteErr("error: no devices/emulators found\r\n");
    return 255;
  }
  std::string bytes;
  if (!ReadWholeFile(widePath, bytes)) {
    WriteOut("adb: error: cannot open '" + path + "'\r\n");
    return 1;
  }
  WriteOut("Performing Streamed Install\r\n");
  if (device == "full") {
    WriteOut("adb: failed to install " + path + ": Failure [INSTALL_FAILED_INSUFFICIENT_STORAGE]\r\n");
    return 1;
  }
  WriteOut("Success\r\n");
  return 0;
}

}  // namespace

int main() {
  int exitCode = 0;
  if (RunScript("PTQAPK_SCRIPT", exitCode)) return exitCode;
  const std::vector<std::wstring> args = ToolArguments();
  const std::wstring command = args.empty() ? L"" : args[0];
  if (args.size() == 1 && command == L"kill-server") return 0;
  if (args.size() == 1 && command == L"start-server") {
    WriteOut("* server started *\r\n");
    return 0;
  }
  if (args.size() == 3 && command == L"install" && args[1] == L"-r") return Install(args[2]);
  WriteErr("usage: PTQApk kill-server | start-server | install -r \"file.apk\"\r\n");
  return 1;
}
