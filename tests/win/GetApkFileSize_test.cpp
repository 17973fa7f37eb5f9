#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/FileSizeText.h"
#include "app/GetApkFileSize.h"
#include "app/UserDecimalSeparator.h"
#include "support/ScopedEnv.h"
#include "support/TestPaths.h"

namespace {

// A file of the given size; large sizes are sparse and cost no disk.
bool MakeFileOfSize(const std::string& path, int64_t size) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER at;
  at.QuadPart = size;
  const bool ok = SetFilePointerEx(h, at, nullptr, FILE_BEGIN) && SetEndOfFile(h);
  CloseHandle(h);
  return ok;
}

TEST(GetApkFileSize, SizesOfFiles) {
  const std::string dir = ScratchDir("file-size");
  const int64_t sizes[] = {0, 200, 1025, 5000000, 0x100000000LL + 7, 0x140000000LL};
  for (int64_t size : sizes) {
    const std::string path = dir + "\\" + std::to_string(size) + ".apk";
    ASSERT_TRUE(MakeFileOfSize(path, size)) << size;
    EXPECT_EQ(GetApkFileSize(path), size);
    DeleteFileA(path.c_str());
  }
}

TEST(GetApkFileSize, NoFileGivesZero) {
  const std::string dir = ScratchDir("file-size-none");
  EXPECT_EQ(GetApkFileSize(""), 0);
  EXPECT_EQ(GetApkFileSize(dir + "\\missing.apk"), 0);
  EXPECT_EQ(GetApkFileSize(dir), 0);
  EXPECT_EQ(GetApkFileSize(dir + "\\"), 0);
}

TEST(GetApkFileSize, GbkNameAndFileOpenElsewhere) {
  const std::string dir = ScratchDir("file-size-gbk");
  const std::string path = dir + "\\铂蜓软件.apk";
  WriteBytes(path, std::string(4321, 'z'));
  EXPECT_EQ(GetApkFileSize(path), 4321);
  // Another program holding the file for writing does not hide its size.
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetApkFileSize(path), 4321);
  CloseHandle(h);
}

TEST(UserDecimalSeparator, FormatsWithTheRegionalSetting) {
  const std::string separator = UserDecimalSeparator();
  char expected[8] = {};
  ASSERT_GT(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, expected, sizeof(expected)), 1);
  EXPECT_EQ(separator, expected);
  EXPECT_EQ(FileSizeText(5000000, separator), "4" + separator + "77 M");
}

}  // namespace
