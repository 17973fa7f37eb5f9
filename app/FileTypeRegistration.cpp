#include "app/FileTypeRegistration.h"

#include <shlobj.h>

#include <vector>

#include "app/InstallerError.h"
#include "app/ScopedHandle.h"

namespace {

struct DefaultValue {
  std::string key;
  std::string value;
};

// The five default values, in the order they are written.
std::vector<DefaultValue> AssociationValues(const FileTypeAssociation& a) {
  return {
      {a.extension, a.progId},
      {a.progId, a.description},
      {a.progId + "\\DefaultIcon", a.exePath + "," + std::to_string(a.iconIndex)},
      {a.progId + "\\Shell\\Open", "用铂蜓APK工具安装"},
      {a.progId + "\\Shell\\Open\\Command", FileTypeOpenCommand(a.exePath)},
  };
}

// Default value of root\key; empty when the key or the value is missing or not a string.
std::string ReadDefaultValue(HKEY root, const std::string& key) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) return std::string();
  ScopedRegKey k(opened);
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExA(k.Get(), nullptr, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ) || size == 0)
    return std::string();
  std::vector<char> data(size + 1, '\0');
  if (RegQueryValueExA(k.Get(), nullptr, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) !=
      ERROR_SUCCESS)
    return std::string();
  return std::string(data.data());  // drops the terminating zero, whether stored or not
}

bool IsInPlace(HKEY root, const FileTypeAssociation& a) {
  return ReadDefaultValue(root, a.progId + "\\Shell\\Open\\Command") == FileTypeOpenCommand(a.exePath) &&
         ReadDefaultValue(root, a.extension) == a.progId;
}

LSTATUS WriteDefaultValue(HKEY root, const DefaultValue& v) {
  HKEY created = nullptr;
  const LSTATUS rc = RegCreateKeyExA(root, v.key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                                     nullptr, &created, nullptr);
  if (rc != ERROR_SUCCESS) return rc;
  ScopedRegKey k(created);
  return RegSetValueExA(k.Get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(v.value.c_str()),
                        static_cast<DWORD>(v.value.size() + 1));
}

[[noreturn]] void RaiseWriteError(const std::string& rootName, const DefaultValue& v) {
  throw EInstallerError("无法写入注册表值: " + rootName + "\\" + v.key + " (默认)");
}

}  // namespace

std::string FileTypeOpenCommand(const std::string& exePath) { return "\"" + exePath + "\" \"%1\""; }

FileTypeRegistrationResult RegisterFileTypeUnder(HKEY rootKey, const std::string& rootName, HKEY fallbackKey,
                                                 const std::string& fallbackName,
                                                 const FileTypeAssociation& association,
                                                 const std::function<void()>& notifyShell) {
  // A user who could not write under the root got the association under the
  // fallback on an earlier start; that counts as in place too.
  if (IsInPlace(rootKey, association) || (fallbackKey != nullptr && IsInPlace(fallbackKey, association)))
    return FileTypeRegistrationResult::AlreadyRegistered;

  const std::vector<DefaultValue> values = AssociationValues(association);
  FileTypeRegistrationResult result = FileTypeRegistrationResult::Registered;
  for (const DefaultValue& v : values) {
    const LSTATUS rc = WriteDefaultValue(rootKey, v);
    if (rc == ERROR_SUCCESS) continue;
    if (rc != ERROR_ACCESS_DENIED || fallbackKey == nullptr) RaiseWriteError(rootName, v);
    for (const DefaultValue& fv : values)
      if (WriteDefaultValue(fallbackKey, fv) != ERROR_SUCCESS) RaiseWriteError(fallbackName, fv);
    result = FileTypeRegistrationResult::RegisteredInFallback;
    break;
  }
  if (notifyShell) notifyShell();
  return result;
}

FileTypeRegistrationResult RegisterFileType(const std::string& extension, const std::string& progId,
                                            const std::string& description, const std::string& exePath,
                                            int iconIndex, bool notify) {
  // Without a writable HKCU\Software\Classes there is simply no fallback.
  HKEY created = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Classes", 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_QUERY_VALUE | KEY_SET_VALUE | KEY_CREATE_SUB_KEY, nullptr, &created,
                      nullptr) != ERROR_SUCCESS)
    created = nullptr;
  ScopedRegKey userClasses(created);
  const FileTypeAssociation association{extension, progId, description, exePath, iconIndex};
  std::function<void()> notifyShell;
  if (notify) notifyShell = [] { SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr); };
  return RegisterFileTypeUnder(HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT", userClasses.Get(),
                               "HKEY_CURRENT_USER\\Software\\Classes", association, notifyShell);
}
