// The program's start-up skin path: whatever lies in the skin folder under the
// built-in skin's name, selecting the start-up skin never lets an error escape and
// always ends with a skin loaded (the folder's or, failing that, the built-in one).
//
// The first input byte picks where the rest goes: even, a packed ".asz" file; odd,
// a skin folder whose Options.dat is the rest (with the built-in skin's images).
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/StartupSkin.h"
#include "skin/acAnsiFile.h"
#include "skin/acSkinWriter.h"

namespace {

const char* const kName = "air unpacked (builtin)";

std::string SourceDir() {
  const std::string file = __FILE__;
  return file.substr(0, file.rfind('/')) + "/..";
}

const std::vector<uint8_t>& BuiltinArchive() {
  static const std::vector<uint8_t> packed = PackSkinFolder(SourceDir() + "/skins/air");
  return packed;
}

const std::string& WorkDir() {
  static const std::string dir = [] {
    char pattern[] = "/tmp/startup-skin-XXXXXX";
    const char* made = mkdtemp(pattern);
    if (!made) std::abort();
    return std::string(made) + "/";
  }();
  return dir;
}

void Write(const std::string& path, const uint8_t* data, size_t size) {
  WriteAnsiFile(path, std::vector<uint8_t>(data, data + size));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string dir = WorkDir();
  const std::string asz = dir + kName + ".asz";
  const std::string folder = dir + kName + "/";
  std::remove(asz.c_str());
  if (data[0] % 2 == 0) {
    Write(asz, data + 1, size - 1);
  } else {
    static bool copied = false;
    if (!copied) {
      mkdir(folder.c_str(), 0755);
      for (const char* image : {"MASTER.BMP", "EXTB.PNG", "GLOWCLOSE.PNG"}) {
        std::vector<uint8_t> bytes;
        if (ReadAnsiFile(SourceDir() + "/skins/air/" + image, bytes)) WriteAnsiFile(folder + image, bytes);
      }
      copied = true;
    }
    Write(folder + "Options.dat", data + 1, size - 1);
  }
  TacSkinManagerCore manager;
  manager.SetSkinDirectory(dir);
  manager.InternalSkins.Add(kName, BuiltinArchive().data(), BuiltinArchive().size());
  const StartupSkinResult result = SelectStartupSkin(manager, kName);  // must not raise
  if (!manager.IsSkinLoaded()) __builtin_trap();
  if (result.fellBack && StartupSkinMessage(result).find(result.damagedFile) == std::string::npos) __builtin_trap();
  std::remove((folder + "Options.dat").c_str());
  return 0;
}
