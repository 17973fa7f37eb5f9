// Simulated phone bridge: PTQApk kill-server | start-server | install -r "package.apk".
// The phone it talks to is chosen by PTQ_DEVICE (see PhoneToolEnv.h).
#include <string>

#include "tools/phone/PhoneToolEnv.h"

// No wildcard expansion of the arguments: a package path is taken as it is.
extern "C" {
int _dowildcard = 0;
}

namespace {

int Install(const std::string& path) {
  const std::string device = EnvText("PTQ_DEVICE");
  if (device == "none") {
    WriteOut("error: device not found\r\n");
    return 1;
  }
  std::string bytes;
  if (!ReadWholeFile(path, bytes)) {
    WriteOut("error: cannot read '" + path + "'\r\n");
    return 1;
  }
  size_t slash = path.find_last_of("\\/:");
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  WriteOut(std::to_string(bytes.size() / 2 + 137) + " KB/s (" + std::to_string(bytes.size()) +
           " bytes in 0.002s)\r\n");
  WriteOut("\tpkg: /data/local/tmp/" + name + "\r\n");
  if (device == "full") {
    WriteOut("Failure [INSTALL_FAILED_INSUFFICIENT_STORAGE]\r\n");
    return 1;
  }
  WriteOut("Success\r\n");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  int exitCode = 0;
  if (RunScript("PTQAPK_SCRIPT", exitCode)) return exitCode;
  const std::string command = argc >= 2 ? argv[1] : "";
  if (argc == 2 && command == "kill-server") return 0;
  if (argc == 2 && command == "start-server") {
    WriteOut("* server started *\r\n");
    return 0;
  }
  if (argc == 4 && command == "install" && std::string(argv[2]) == "-r") return Install(argv[3]);
  WriteErr("usage: PTQApk kill-server | start-server | install -r \"file.apk\"\r\n");
  return 1;
}
