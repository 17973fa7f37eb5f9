#include "app/StartupSkin.h"

#include <exception>

#include "skin/acAnsiFile.h"
#include "skin/acSkinDirectory.h"

namespace {

// "?" is a wildcard, never part of an existing Windows file or folder name.
const char* const kNoSkinFolder = "?";

bool TrySelect(TacSkinManagerCore& manager, const std::string& skinName, std::string& error) {
  try {
    manager.SetSkinName(skinName);
    return true;
  } catch (const std::exception& e) {
    error = e.what();
  } catch (...) {
    error = "unknown error";
  }
  return false;
}

}  // namespace

StartupSkinResult SelectStartupSkin(TacSkinManagerCore& manager, const std::string& skinName) {
  StartupSkinResult result;
  if (TrySelect(manager, skinName, result.error)) return result;
  result.fellBack = true;
  result.damagedFile = AnsiFileExists(manager.PackedSkinFileName())
                           ? manager.PackedSkinFileName()
                           : manager.ResolvedSkinDirectory() + skinName + PathDelimiter() + "Options.dat";
  manager.SetSkinDirectory(kNoSkinFolder);
  std::string secondError;
  if (!TrySelect(manager, skinName, secondError)) {
    try {
      manager.SetActive(false);
    } catch (...) {
    }
  }
  return result;
}

std::string StartupSkinMessage(const StartupSkinResult& result) {
  if (!result.fellBack) return std::string();
  return "皮肤文件夹中的皮肤无法加载:\r\n" + result.damagedFile + "\r\n(" + result.error +
         ")\r\n程序已改用内建皮肤.";
}
