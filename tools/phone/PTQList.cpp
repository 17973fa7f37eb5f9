// Simulated badging dumper: PTQList d badging "package.apk".
// Prints the badging stored inside our packages (entry assets/badging.txt,
// uncompressed), or one made up from the file name for any other zip archive.
#include <cctype>
#include <string>

#include "tools/phone/PhoneToolEnv.h"
#include "tools/phone/StoredZipEntry.h"

namespace {

std::string Stem(const std::string& path) {
  size_t start = path.find_last_of("\\/:");
  start = start == std::string::npos ? 0 : start + 1;
  std::string stem = path.substr(start);
  const size_t dot = stem.rfind('.');
  if (dot != std::string::npos) stem.erase(dot);
  std::string id;
  for (char c : stem)
    if (std::isalnum(static_cast<unsigned char>(c))) id += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return id.empty() ? "app" : id;
}

int Badging(const std::wstring& widePath) {
  const std::string path = ToUtf8(widePath);
  std::string bytes;
  if (!ReadWholeFile(widePath, bytes)) {
    WriteErr("ERROR: cannot open '" + path + "'\r\n");
    return 1;
  }
  if (!LooksLikeZip(bytes)) {
    WriteErr("ERROR: '" + path + "' is not a package\r\n");
    return 1;
  }
  std::string badging;
  if (!FindStoredZipEntry(bytes, "assets/badging.txt", badging)) {
    const std::string id = Stem(path);
    badging = "package: name='com.example." + id + "' versionCode='1' versionName='1.0'\r\n"
              "sdkVersion:'8'\r\n"
              "application-label:'" + id + "'\r\n";
  }
  WriteOut(badging);
  return 0;
}

}  // namespace

int main() {
  int exitCode = 0;
  if (RunScript("PTQLIST_SCRIPT", exitCode)) return exitCode;
  const std::vector<std::wstring> args = ToolArguments();
  if (args.size() == 3 && args[0] == L"d" && args[1] == L"badging") return Badging(args[2]);
  WriteErr("usage: PTQList d badging \"file.apk\"\r\n");
  return 1;
}
