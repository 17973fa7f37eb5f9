// File-type registration against throwaway registry keys, and once against the
// real HKEY_CLASSES_ROOT of the test's Wine prefix.
#include <windows.h>

#include <sddl.h>

#include <gtest/gtest.h>

#include <string>

#include "app/FileTypeRegistration.h"
#include "app/InstallerError.h"

namespace {

// ctest runs these tests side by side: each gets a root of its own under this key.
std::string TestRoot() {
  return std::string("Software\\VqFileTypeTest\\") + testing::UnitTest::GetInstance()->current_test_info()->name();
}

std::string DefaultValueOf(HKEY root, const std::string& key) {
  char data[1024] = {};
  DWORD size = sizeof(data) - 1;
  if (RegGetValueA(root, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS) return "<none>";
  return data;
}

bool KeyExists(HKEY root, const std::string& key) {
  HKEY k = nullptr;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return false;
  RegCloseKey(k);
  return true;
}

void SetDefault(HKEY root, const std::string& key, const std::string& value) {
  ASSERT_EQ(RegSetKeyValueA(root, key.c_str(), nullptr, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1)),
            ERROR_SUCCESS);
}

// Two empty keys under HKCU standing in for HKEY_CLASSES_ROOT and its per-user fallback.
class FileTypeRegistrationTest : public testing::Test {
 protected:
  void SetUp() override {
    RegDeleteTreeA(HKEY_CURRENT_USER, TestRoot().c_str());
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, (TestRoot() + "\\Classes").c_str(), 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &root, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, (TestRoot() + "\\UserClasses").c_str(), 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &fallback, nullptr),
              ERROR_SUCCESS);
  }
  void TearDown() override {
    if (root) RegCloseKey(root);
    if (fallback) RegCloseKey(fallback);
    RegDeleteTreeA(HKEY_CURRENT_USER, TestRoot().c_str());
  }

  FileTypeRegistrationResult Register(HKEY into, const std::string& exePath, HKEY fallbackKey = nullptr) {
    FileTypeAssociation a{".apk", "铂蜓", "APK程序", exePath, 0};
    return RegisterFileTypeUnder(into, "ROOT", fallbackKey, "FALLBACK", a, [this] { ++notified; });
  }

  void ExpectAssociation(HKEY under, const std::string& exePath) {
    EXPECT_EQ(DefaultValueOf(under, ".apk"), "铂蜓");
    EXPECT_EQ(DefaultValueOf(under, "铂蜓"), "APK程序");
    EXPECT_EQ(DefaultValueOf(under, "铂蜓\\DefaultIcon"), exePath + ",0");
    EXPECT_EQ(DefaultValueOf(under, "铂蜓\\Shell\\Open"), "用铂蜓APK工具安装");
    EXPECT_EQ(DefaultValueOf(under, "铂蜓\\Shell\\Open\\Command"), "\"" + exePath + "\" \"%1\"");
  }

  // The root as a user without write access sees it: opened for reading only
  // (Windows then refuses to create keys through it), and its extension key
  // already there but writable by nobody (Wine checks only the key's own
  // security). Both refusals are "access denied".
  HKEY OpenRefusingRoot() {
    HKEY ext = nullptr;
    EXPECT_EQ(RegCreateKeyExA(root, ".apk", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &ext, nullptr), ERROR_SUCCESS);
    PSECURITY_DESCRIPTOR sd = nullptr;
    EXPECT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA("D:P(A;;KRSDWD;;;WD)", SDDL_REVISION_1, &sd,
                                                                     nullptr));
    EXPECT_EQ(RegSetKeySecurity(ext, DACL_SECURITY_INFORMATION, sd), ERROR_SUCCESS);
    LocalFree(sd);
    RegCloseKey(ext);
    HKEY readOnly = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, (TestRoot() + "\\Classes").c_str(), 0, KEY_READ,
                            &readOnly),
              ERROR_SUCCESS);
    return readOnly;
  }

  HKEY root = nullptr;
  HKEY fallback = nullptr;
  int notified = 0;
};

const std::string kExe = "C:\\Program Files\\铂蜓\\ApkInstaller.exe";

TEST_F(FileTypeRegistrationTest, FirstStartWritesAllFiveValuesAndNotifies) {
  EXPECT_EQ(Register(root, kExe, fallback), FileTypeRegistrationResult::Registered);
  ExpectAssociation(root, kExe);
  EXPECT_EQ(notified, 1);
  EXPECT_FALSE(KeyExists(fallback, ".apk"));
}

TEST_F(FileTypeRegistrationTest, SecondStartWritesNothingAndDoesNotNotify) {
  Register(root, kExe, fallback);
  // Values the check does not look at: a rewrite would restore them.
  SetDefault(root, "铂蜓", "changed");
  SetDefault(root, "铂蜓\\DefaultIcon", "changed");
  FILETIME before = {};
  ASSERT_EQ(RegQueryInfoKeyA(root, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                             nullptr, &before),
            ERROR_SUCCESS);
  notified = 0;
  EXPECT_EQ(Register(root, kExe, fallback), FileTypeRegistrationResult::AlreadyRegistered);
  EXPECT_EQ(notified, 0);
  EXPECT_EQ(DefaultValueOf(root, "铂蜓"), "changed");
  EXPECT_EQ(DefaultValueOf(root, "铂蜓\\DefaultIcon"), "changed");
  FILETIME after = {};
  RegQueryInfoKeyA(root, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                   &after);
  EXPECT_EQ(CompareFileTime(&before, &after), 0);
  EXPECT_FALSE(KeyExists(fallback, ".apk"));
}

TEST_F(FileTypeRegistrationTest, AnyMismatchRewritesAllFive) {
  struct Case { const char* name; void (*spoil)(HKEY); };
  const Case cases[] = {
      {"program moved", [](HKEY r) { SetDefault(r, "铂蜓\\Shell\\Open\\Command", "\"D:\\old\\ApkInstaller.exe\" \"%1\""); }},
      {"extension points elsewhere", [](HKEY r) { SetDefault(r, ".apk", "OtherApp.apk"); }},
      {"command of another case", [](HKEY r) { SetDefault(r, "铂蜓\\Shell\\Open\\Command", "\"c:\\program files\\铂蜓\\apkinstaller.exe\" \"%1\""); }},
      {"command not a string",
       [](HKEY r) {
         const DWORD n = 1;
         RegSetKeyValueA(r, "铂蜓\\Shell\\Open\\Command", nullptr, REG_DWORD, &n, sizeof(n));
       }},
      {"command key missing", [](HKEY r) { RegDeleteTreeA(r, "铂蜓\\Shell\\Open\\Command"); }},
  };
  for (const Case& c : cases) {
    Register(root, kExe);
    SetDefault(root, "铂蜓", "stale");
    SetDefault(root, "铂蜓\\Shell\\Open", "stale");
    c.spoil(root);
    notified = 0;
    EXPECT_EQ(Register(root, kExe), FileTypeRegistrationResult::Registered) << c.name;
    ExpectAssociation(root, kExe);
    EXPECT_EQ(notified, 1) << c.name;
  }
  const std::string moved = "E:\\新位置\\ApkInstaller.exe";
  EXPECT_EQ(Register(root, moved), FileTypeRegistrationResult::Registered);
  ExpectAssociation(root, moved);
}

TEST_F(FileTypeRegistrationTest, RefusedRootFallsBackAndIsFoundThereNextTime) {
  HKEY readOnly = OpenRefusingRoot();
  EXPECT_EQ(Register(readOnly, kExe, fallback), FileTypeRegistrationResult::RegisteredInFallback);
  ExpectAssociation(fallback, kExe);
  EXPECT_EQ(DefaultValueOf(root, ".apk"), "<none>");
  EXPECT_FALSE(KeyExists(root, "铂蜓"));
  EXPECT_EQ(notified, 1);

  SetDefault(fallback, "铂蜓", "changed");
  notified = 0;
  EXPECT_EQ(Register(readOnly, kExe, fallback), FileTypeRegistrationResult::AlreadyRegistered);
  EXPECT_EQ(notified, 0);
  EXPECT_EQ(DefaultValueOf(fallback, "铂蜓"), "changed");

  // Moved program: the fallback is rewritten.
  EXPECT_EQ(Register(readOnly, "D:\\x.exe", fallback), FileTypeRegistrationResult::RegisteredInFallback);
  ExpectAssociation(fallback, "D:\\x.exe");
  RegCloseKey(readOnly);
}

TEST_F(FileTypeRegistrationTest, RefusedWriteWithoutFallbackNamesTheValue) {
  HKEY readOnly = OpenRefusingRoot();
  try {
    Register(readOnly, kExe);
    ADD_FAILURE() << "no error";
  } catch (const EInstallerError& e) {
    EXPECT_EQ(std::string(e.what()), "无法写入注册表值: ROOT\\.apk (默认)");
  }
  EXPECT_EQ(notified, 0);
  RegCloseKey(readOnly);
}

TEST(FileTypeRegistration, RealClassesRoot) {
  const std::string ext = ".vqtest" + std::to_string(GetCurrentProcessId());
  const std::string progId = "VqTestType" + std::to_string(GetCurrentProcessId());
  const std::string exe = "C:\\VQ\\ApkInstaller.exe";
  EXPECT_EQ(RegisterFileType(ext, progId, "APK程序", exe, 3, true), FileTypeRegistrationResult::Registered);
  EXPECT_EQ(DefaultValueOf(HKEY_CLASSES_ROOT, ext), progId);
  EXPECT_EQ(DefaultValueOf(HKEY_CLASSES_ROOT, progId + "\\DefaultIcon"), exe + ",3");
  EXPECT_EQ(DefaultValueOf(HKEY_CLASSES_ROOT, progId + "\\Shell\\Open\\Command"), "\"" + exe + "\" \"%1\"");
  EXPECT_EQ(RegisterFileType(ext, progId, "APK程序", exe, 3, true), FileTypeRegistrationResult::AlreadyRegistered);
  RegDeleteTreeA(HKEY_CLASSES_ROOT, ext.c_str());
  RegDeleteTreeA(HKEY_CLASSES_ROOT, progId.c_str());
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, ext));
}

}  // namespace
