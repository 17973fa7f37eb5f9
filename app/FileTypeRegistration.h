// Registers the program as the handler of a file extension, so that opening a
// file of that type starts the program with the file's path as its argument.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

struct FileTypeAssociation {
  std::string extension;    // ".apk"
  std::string progId;       // the file type's key name
  std::string description;  // default value of the ProgID key
  std::string exePath;      // the program's full path
  int iconIndex = 0;
};

enum class FileTypeRegistrationResult {
  AlreadyRegistered,       // nothing written, shell not told
  Registered,              // written under the root
  RegisteredInFallback,    // the root refused writes; written under the fallback root
};

// The value of ProgID\Shell\Open\Command: "exePath" "%1".
std::string FileTypeOpenCommand(const std::string& exePath);

// Writes the association under rootKey unless it is already in place there or
// under fallbackKey (the extension's key names the ProgID and the open command
// is the one for exePath). When a write under rootKey is refused (access
// denied) and fallbackKey is not null, every key is written under fallbackKey
// instead. Other write errors raise EInstallerError naming the value;
// rootName/fallbackName are how the roots appear in that message. notifyShell
// runs after anything was written.
FileTypeRegistrationResult RegisterFileTypeUnder(HKEY rootKey, const std::string& rootName, HKEY fallbackKey,
                                                 const std::string& fallbackName,
                                                 const FileTypeAssociation& association,
                                                 const std::function<void()>& notifyShell);

// The program's registration: HKEY_CLASSES_ROOT, falling back on
// HKEY_CURRENT_USER\Software\Classes for a user who may not write there; tells
// the shell (SHCNE_ASSOCCHANGED) when notify is true and something was written.
FileTypeRegistrationResult RegisterFileType(const std::string& extension, const std::string& progId,
                                            const std::string& description, const std::string& exePath,
                                            int iconIndex, bool notify);
