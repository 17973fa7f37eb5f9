// The shipped executable carries its version resource and manifest: read back
// from the built file, as Explorer and the loader read them.
#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/TestPaths.h"

namespace {

// Literals are GBK bytes; the tests run with code page 936.
std::wstring Wide(const std::string& s) {
  int n = MultiByteToWideChar(CP_ACP, 0, s.c_str(), -1, nullptr, 0);
  std::wstring w(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, s.c_str(), -1, &w[0], n);
  w.resize(static_cast<size_t>(n - 1));
  return w;
}

const std::wstring kExe = Wide(BinaryPath("bin/ApkInstaller.exe"));

struct VersionInfo {
  std::vector<char> block;
  std::wstring String(const wchar_t* name) const {
    void* value = nullptr;
    UINT length = 0;
    std::wstring key = std::wstring(L"\\StringFileInfo\\080404B0\\") + name;
    if (!VerQueryValueW(block.data(), key.c_str(), &value, &length) || !value) return L"<missing>";
    return std::wstring(static_cast<const wchar_t*>(value));
  }
};

VersionInfo ReadVersionInfo(const std::wstring& file) {
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeW(file.c_str(), &ignored);
  VersionInfo info;
  if (size == 0) return info;
  info.block.resize(size);
  if (!GetFileVersionInfoW(file.c_str(), 0, size, info.block.data())) info.block.clear();
  return info;
}

std::string ReadManifest(const std::wstring& file) {
  HMODULE module = LoadLibraryExW(file.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!module) return {};
  std::string text;
  if (HRSRC res = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24))) {
    if (HGLOBAL data = LoadResource(module, res))
      text.assign(static_cast<const char*>(LockResource(data)), SizeofResource(module, res));
  }
  FreeLibrary(module);
  return text;
}

}  // namespace

TEST(VersionResource, InstallerNamesProductVersionAndFile) {
  VersionInfo info = ReadVersionInfo(kExe);
  ASSERT_FALSE(info.block.empty()) << "no version resource";

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(info.block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  ASSERT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  const std::string version = VQ_PROJECT_VERSION;
  char fixedText[64];
  wsprintfA(fixedText, "%u.%u.%u", HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
            HIWORD(fixed->dwFileVersionLS));
  EXPECT_EQ(std::string(fixedText), version);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

  struct Case {
    const wchar_t* name;
    std::wstring expected;
  } cases[] = {
      {L"ProductName", Wide("铂蜓APK应用安装器")},
      {L"FileDescription", Wide("铂蜓APK应用安装器")},
      {L"CompanyName", Wide("铂蜓")},
      {L"FileVersion", Wide(version)},
      {L"ProductVersion", Wide(version)},
      {L"OriginalFilename", L"ApkInstaller.exe"},
  };
  for (const Case& c : cases) EXPECT_EQ(info.String(c.name), c.expected) << c.name;
  EXPECT_NE(info.String(L"LegalCopyright").find(L"Copyright"), std::wstring::npos);
}

TEST(VersionResource, InstallerManifestAsksNoElevationAndIsLongPathAwareAndDpiUnaware) {
  const std::string manifest = ReadManifest(kExe);
  ASSERT_FALSE(manifest.empty()) << "no manifest resource";
  const char* required[] = {
      "level=\"asInvoker\"",
      "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  // Windows 7
      "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  // Windows 8
      "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  // Windows 8.1
      "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  // Windows 10 and 11
      ">true</longPathAware>",
      ">false</dpiAware>",
      ">unaware</dpiAwareness>",
  };
  for (const char* r : required) EXPECT_NE(manifest.find(r), std::string::npos) << r;
}
