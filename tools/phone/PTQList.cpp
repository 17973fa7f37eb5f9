// Simulated badging dumper: PTQList d badging "package.apk".
// Prints the badging stored inside our packages (entry assets/badging.txt,
// uncompressed), or one made up from the file name for any other zip archive.
#include <cctype>
#include <string>

#include "tools/phone/PhoneToolEnv.h"
#include "tools/phone/StoredZipEntry.h"

// No wildcard expansion of the arguments: a package path is taken as it is.
extern "C" {
int _dowildcard = 0;
}

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

int Badging(const std::string& path) {
  std::string bytes;
  if (!ReadWholeFile(path, bytes)) {
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

int main(int argc, char** argv) {
  int exitCode = 0;
  if (RunScript("PTQLIST_SCRIPT", exitCode)) return exitCode;
  if (argc == 4 && std::string(argv[1]) == "d" && std::string(argv[2]) == "badging") return Badging(argv[3]);
  WriteErr("usage: PTQList d badging \"file.apk\"\r\n");
  return 1;
}
