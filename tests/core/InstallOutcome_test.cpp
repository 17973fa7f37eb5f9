// The install worker's reading of the install tool's output: which UI changes it
// makes, and in which order.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "app/InstallOutcome.h"

void PrintTo(const InstallUiChange& change, std::ostream* os) { *os << DescribeInstallUiChange(change); }

namespace {

using Changes = std::vector<InstallUiChange>;
using A = InstallUiAction;

InstallUiChange Do(A action) { return {action, 0, ""}; }
InstallUiChange Colour(uint32_t c) { return {A::SetStatusColor, c, ""}; }
InstallUiChange Text(const char* t) { return {A::SetStatusText, 0, t}; }

const Changes kSuccess = {Do(A::EnableInstallButton), Colour(32768), Text("该手机应用安装成功!")};
const Changes kStorage = {Do(A::EnableInstallButton), Colour(255),
                          Text("安装失败!可能原因是手机存储空间不足或使用了中文文件名.")};
const Changes kRefused = {Do(A::EnableInstallButton), Colour(255), Text("安装失败!未知原因.")};
const Changes kNoDevice = {Do(A::EnableInstallButton), Do(A::HideStatusLabel), Do(A::ShowErrorLabel)};
const Changes kUnknown = {Text("安装失败!未知原因.")};

Changes Then(Changes first, const Changes& second) {
  first.insert(first.end(), second.begin(), second.end());
  return first;
}

TEST(InstallOutcome, OutputDecidesTheChangesInOrder) {
  struct Case { const char* name; std::string output; Changes changes; };
  const Case cases[] = {
      {"empty output", "", {}},
      {"only blank lines", "\r\n\r\n", kUnknown},
      {"success", "Success\r\n", kSuccess},
      {"success without line end", "Success", kSuccess},
      {"progress then success",
       "1214 KB/s (4731 bytes in 0.003s)\r\n\tpkg: /data/local/tmp/sample.apk\r\nSuccess\r\n",
       Then(kUnknown, kSuccess)},
      {"storage", "Failure [INSTALL_FAILED_INSUFFICIENT_STORAGE]\r\n", kStorage},
      {"other reason", "Failure [INSTALL_FAILED_ALREADY_EXISTS]\r\n", kRefused},
      {"reason without closing bracket", "Failure [INSTALL_FAILED_INSUFFICIENT_STORAGE", kRefused},
      {"any one character before the bracket", "Failure\t[INSTALL_FAILED_INSUFFICIENT_STORAGE]", kStorage},
      {"text after the bracket", "Failure [INSTALL_FAILED_INSUFFICIENT_STORAGE] (x)", kStorage},
      {"no blank before the bracket", "Failure[INSTALL_FAILED_INSUFFICIENT_STORAGE]", kUnknown},
      {"two blanks before the bracket", "Failure  [INSTALL_FAILED_INSUFFICIENT_STORAGE]", kUnknown},
      {"no bracket", "Failure", kUnknown},
      {"lower-case failure", "failure [INSTALL_FAILED_INSUFFICIENT_STORAGE]", kUnknown},
      {"device not found", "error: device not found\r\n", kNoDevice},
      {"device not found with blank", "error: device not found ", kUnknown},
      {"leading blank success", " Success", kUnknown},
      {"lower-case success", "success", kUnknown},
      {"unknown lines only", "a\nb\nc", kUnknown},
      {"first classified line wins", "Failure [X]\nSuccess\nerror: device not found", kRefused},
      {"device line before success", "- waiting -\nerror: device not found\nSuccess", Then(kUnknown, kNoDevice)},
      {"bare CR endings", "x\rSuccess\r", Then(kUnknown, kSuccess)},
  };
  for (const Case& c : cases) EXPECT_EQ(ClassifyInstallOutput(c.output), c.changes) << c.name;
}

TEST(InstallOutcome, StartAndMissingPackage) {
  EXPECT_EQ(InstallStartChanges(), (Changes{Do(A::DisableInstallButton), Colour(0),
                                            Text("正在安装软件到手机,请等待完成提示..."),
                                            Do(A::ShowStatusLabel), Do(A::HideErrorLabel)}));
  EXPECT_EQ(MissingPackageChanges(),
            (Changes{Colour(255), Text("安装失败!无法找到APK文件."), Do(A::EnableInstallButton)}));
}

}  // namespace
