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
// Output that ends without a deciding line: the button is usable again.
const Changes kEnd = kRefused;
Changes Red(const char* text) { return {Do(A::EnableInstallButton), Colour(255), Text(text)}; }

Changes Then(Changes first, const Changes& second) {
  first.insert(first.end(), second.begin(), second.end());
  return first;
}

TEST(InstallOutcome, OutputDecidesTheChangesInOrder) {
  struct Case { const char* name; std::string output; Changes changes; };
  const Case cases[] = {
      {"empty output", "", kEnd},
      {"only blank lines", "\r\n\r\n", Then(kUnknown, kEnd)},
      {"success", "Success\r\n", kSuccess},
      {"success without line end", "Success", kSuccess},
      {"progress then success",
       "1214 KB/s (4731 bytes in 0.003s)\r\n\tpkg: /data/local/tmp/sample.apk\r\nSuccess\r\n",
       Then(kUnknown, kSuccess)},
      {"storage", "Failure [INSTALL_FAILED_INSUFFICIENT_STORAGE]\r\n", kStorage},
      {"other reason", "Failure [INSTALL_FAILED_TEST_ONLY]\r\n", kRefused},
      {"reason without closing bracket", "Failure [INSTALL_FAILED_INSUFFICIENT_STORAGE", kRefused},
      {"any one character before the bracket", "Failure\t[INSTALL_FAILED_INSUFFICIENT_STORAGE]", kStorage},
      {"text after the bracket", "Failure [INSTALL_FAILED_INSUFFICIENT_STORAGE] (x)", kStorage},
      {"no blank before the bracket", "Failure[INSTALL_FAILED_INSUFFICIENT_STORAGE]", Then(kUnknown, kEnd)},
      {"two blanks before the bracket", "Failure  [INSTALL_FAILED_INSUFFICIENT_STORAGE]", Then(kUnknown, kEnd)},
      {"no bracket", "Failure", Then(kUnknown, kEnd)},
      {"lower-case failure", "failure [INSTALL_FAILED_INSUFFICIENT_STORAGE]", Then(kUnknown, kEnd)},
      {"device not found", "error: device not found\r\n", kNoDevice},
      {"device not found with blank", "error: device not found ", kNoDevice},
      {"leading blank success", " Success", Then(kUnknown, kEnd)},
      {"lower-case success", "success", Then(kUnknown, kEnd)},
      {"unknown lines only", "a\nb\nc", Then(kUnknown, kEnd)},
      {"first classified line wins", "Failure [X]\nSuccess\nerror: device not found", kRefused},
      {"device line before success", "- waiting -\nerror: device not found\nSuccess", Then(kUnknown, kNoDevice)},
      {"bare CR endings", "x\rSuccess\r", Then(kUnknown, kSuccess)},
  };
  for (const Case& c : cases) EXPECT_EQ(ClassifyInstallOutput(c.output), c.changes) << c.name;
}

// What a current bridge prints: no-phone lines recorded from Debian's adb 29 with no
// phone attached (stdout and stderr as they arrive), the phone-side lines in the
// forms the bridge gives them.
TEST(InstallOutcome, CurrentBridgeOutput) {
  const std::string file = "C:\\pkgs\\VqSample.apk";
  auto refused = [&](const std::string& reason) { return "adb: failed to install " + file + ": Failure [" + reason + "]"; };
  struct Case { const char* name; std::string output; Changes changes; };
  const Case cases[] = {
      {"streamed success", "Performing Streamed Install\r\nSuccess\r\n", Then(kUnknown, kSuccess)},
      {"no phone (recorded)",
       "* daemon not running; starting now at tcp:5037\n* daemon started successfully\nerror: no devices/emulators found\n"
       "Performing Push Install\nadb: error: failed to get feature set: no devices/emulators found\n",
       Then(kUnknown, kNoDevice)},
      {"no phone, stdout first (recorded)",
       "Performing Push Install\nadb: error: failed to get feature set: no devices/emulators found\n"
       "error: no devices/emulators found\n",
       Then(kUnknown, kNoDevice)},
      {"no USB phone (recorded)", "error: no devices found\n", kNoDevice},
      {"named phone gone (recorded)",
       "Performing Push Install\nadb: error: failed to get feature set: device 'emulator-5554' not found\n",
       Then(kUnknown, kNoDevice)},
      {"older wording", "error: device not found", kNoDevice},
      {"no emulator", "error: no emulators found", kNoDevice},
      {"unauthorized",
       "error: device unauthorized.\nThis adb server's $ADB_VENDOR_KEYS is not set\n"
       "Try 'adb kill-server' if that seems wrong.\nOtherwise check for a confirmation dialog on your device.\n",
       Red("安装失败!手机尚未允许这台电脑调试.请在手机上的\"允许USB调试吗?\"提示中点击\"允许\",然后重新安装.")},
      {"offline", "error: device offline\n", Red("安装失败!手机处于离线状态.请重新插拔数据线,然后重新安装.")},
      {"several", "error: more than one device/emulator\n",
       Red("安装失败!电脑上连接了多部手机或模拟器.请只保留要安装的一部手机,然后重新安装.")},
      {"storage", refused("INSTALL_FAILED_INSUFFICIENT_STORAGE"), kStorage},
      {"storage with detail", refused("INSTALL_FAILED_INSUFFICIENT_STORAGE: Failed to override installation location"),
       kStorage},
      {"downgrade", "Performing Streamed Install\n" + refused("INSTALL_FAILED_VERSION_DOWNGRADE"),
       Then(kUnknown, Red("安装失败!手机上已安装该应用的更高版本.请先卸载手机上的版本,然后重新安装."))},
      {"signatures", refused("INSTALL_FAILED_UPDATE_INCOMPATIBLE: Package com.boting.sample signatures do not match "
                             "previously installed version; ignoring!"),
       Red("安装失败!该应用的签名与手机上已安装的版本不同.请先卸载手机上的版本,然后重新安装.")},
      {"older sdk", refused("INSTALL_FAILED_OLDER_SDK"), Red("安装失败!手机的Android版本太低,不能运行该应用.")},
      {"no certificates", refused("INSTALL_PARSE_FAILED_NO_CERTIFICATES: Failed to collect certificates from /data/app/vmdl.tmp/base.apk"),
       Red("安装失败!该应用没有签名证书,手机拒绝安装.")},
      {"user restricted", refused("INSTALL_FAILED_USER_RESTRICTED: Install canceled by user"),
       Red("安装失败!手机的设置阻止了安装.请在手机上允许通过USB安装应用,然后重新安装.")},
      {"already exists", refused("INSTALL_FAILED_ALREADY_EXISTS"), Red("安装失败!手机上已存在该应用.")},
      {"no matching abis", refused("INSTALL_FAILED_NO_MATCHING_ABIS: Failed to extract native libraries, res=-113"),
       kRefused},
      {"test only", refused("INSTALL_FAILED_TEST_ONLY"), kRefused},
      {"old form with detail", "Failure [INSTALL_FAILED_OLDER_SDK: Requires newer sdk version #21]",
       Red("安装失败!手机的Android版本太低,不能运行该应用.")},
      // A file name holding ": Failure [" is not taken for the reason.
      {"refusal only after the prefix", "failed to install x: Failure [INSTALL_FAILED_OLDER_SDK]", Then(kUnknown, kEnd)},
      {"error about something else", "adb: error: cannot stat 'x.apk': No such file or directory",
       Then(kUnknown, kEnd)},
      {"bridge without platform tools", "error: adb.exe of the Android platform tools not found\r\n",
       Red("安装失败!没有找到Android平台工具adb.exe.请下载并解压Android SDK Platform-Tools,"
           "把其中的adb.exe和AdbWinApi.dll、AdbWinUsbApi.dll放到本程序目录中,然后重新安装.")},
  };
  for (const Case& c : cases) EXPECT_EQ(ClassifyInstallOutput(c.output), c.changes) << c.name;
}

TEST(InstallOutcome, StartAndMissingPackage) {
  EXPECT_EQ(InstallStartChanges(), (Changes{Do(A::DisableInstallButton), Colour(0),
                                            Text("正在安装软件到手机,请等待完成提示..."),
                                            Do(A::ShowStatusLabel), Do(A::HideErrorLabel)}));
  EXPECT_EQ(MissingPackageChanges(),
            (Changes{Colour(255), Text("安装失败!无法找到APK文件."), Do(A::EnableInstallButton)}));
  EXPECT_EQ(BridgeMissingChanges(), Red("安装失败!无法运行安装工具PTQApk,请确认它在程序目录中."));
}

}  // namespace
