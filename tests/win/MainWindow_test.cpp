// The main window as the user drives it: start with and without a package argument,
// drops through a real HDROP, the install button with every outcome of the phone tool,
// the hidden driver-dialog button. Real windows, messages and child processes.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
// The shell's menu-band command of the same name; the skin commands are ours here.
#undef SMC_REFRESH

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "app/BuiltinSkin.h"
#include "app/InstallOutcome.h"
#include "app/PackageTools.h"
#include "app/ProgramArguments.h"
#include "app/Utf8Text.h"
#include "app/uDriveFrm.h"
#include "app/uVqMainFrm.h"
#include "frame/sSkinProvider.h"
#include "framework/vclApplication.h"
#include "framework/vclMessageForm.h"
#include "framework/vclParams.h"
#include "framework/vclText.h"
#include "framework/vclTimer.h"
#include "skin/sCommandCodes.h"
#include "skin/sSkinManager.h"
#include "support/ScopedEnv.h"
#include "support/TestPaths.h"

namespace {

const char* const kReady = "准备就绪,请点击\"安装\"按钮将软件安装到手机.";
const char* const kHelp =
    "您可以用鼠标拖APK文件到窗体上来进行安装.\r\n您还可以双击APK文件进行安装.\r\n您还可以对APK文件单击鼠标右键进行安装.";

const char* const kLoading = "正在读取软件信息,请稍候...";

std::string SamplePath() { return SourcePath("tests/data/sample/VqSample.apk"); }
std::wstring W(const std::string& gbk) { return GbkToWide(gbk); }
std::string Recorded(const std::string& name) { return SourcePath("tests/data/recorded/" + name); }

std::string WriteFile(const std::string& dir, const std::string& name, const std::string& bytes) {
  std::string path = dir + "\\" + name;
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

// Pumps messages until `done` holds or the time is up.
bool PumpUntil(const std::function<bool()>& done, DWORD ms = 15000) {
  DWORD end = GetTickCount() + ms;
  while (!done()) {
    if (GetTickCount() > end) return false;
    Application->ProcessMessages();
    Sleep(5);
  }
  return true;
}

class MainWindow : public testing::Test {
 protected:
  void SetUp() override {
    errors_.clear();
    Application->OnException = [this](const std::exception& e) { errors_.push_back(e.what()); };
    for (const char* var : {"PTQ_SCRIPT", "PTQAPK_SCRIPT", "PTQLIST_SCRIPT", "PTQ_DEVICE", "PTQ_LOG", "PTQ_STDERR",
                            "PTQ_EXIT", "PTQ_DELAY_MS", "VQ_BADGING_TIMEOUT_MS"})
      SetEnvironmentVariableA(var, nullptr);
    AppPath.clear();
    ApkFileName.clear();
  }
  void TearDown() override {
    delete form_;
    Application->OnException = nullptr;
    SetProgramArgumentsW({});
  }
  // Starts the window with UTF-16 arguments and waits until a load it began has ended.
  void StartW(const std::vector<std::wstring>& args, bool waitForLoad = true) {
    std::vector<std::wstring> all{ProgramFileW()};
    all.insert(all.end(), args.begin(), args.end());
    SetProgramArgumentsW(all);
    form_ = Application->CreateForm<TVqMainFrm>();
    form_->Show();
    if (waitForLoad) WaitForLoad();
  }
  void Start(const std::vector<std::string>& args, bool waitForLoad = true) {
    std::vector<std::wstring> wide;
    for (const std::string& a : args) wide.push_back(W(a));
    StartW(wide, waitForLoad);
  }
  void WaitForLoad() { ASSERT_TRUE(PumpUntil([&] { return !form_->PackageLoading(); })); }
  void Drop(const std::vector<std::wstring>& files);
  // Records, in order, the changes the install makes to the status label, the error
  // label and the install button, by taking over their message handlers.
  void RecordChanges() {
    Watch(form_->lblSoftInfo, "status");
    Watch(form_->lblErrorInfo, "error");
    Watch(form_->sbtbtn1, "button");
  }
  void Watch(TControl* c, const std::string& name) {
    auto previous = c->WindowProc;
    c->WindowProc = [this, c, name, previous](TMessage& m) {
      previous(m);
      if (m.Msg == CM_TEXTCHANGED) changes_.push_back(name + " text " + c->Caption());
      if (m.Msg == CM_FONTCHANGED) changes_.push_back(name + " colour " + std::to_string(c->Font().Color()));
      if (m.Msg == CM_VISIBLECHANGED) changes_.push_back(name + (c->Visible() ? " shown" : " hidden"));
      if (m.Msg == CM_ENABLEDCHANGED) changes_.push_back(name + (c->Enabled() ? " enabled" : " disabled"));
    };
  }

  TVqMainFrm* form_ = nullptr;
  std::vector<std::string> errors_;
  std::vector<std::string> changes_;
};

TEST_F(MainWindow, StartWithoutArgumentShowsTheHelpTextAndRegistersTheFileType) {
  Start({});
  EXPECT_EQ(form_->lblSoftInfo->Caption(), kHelp);
  EXPECT_EQ(form_->lblSoftInfo->Font().Color(), 0u);
  EXPECT_FALSE(form_->sbtbtn1->Enabled());
  EXPECT_EQ(form_->lblSoftComName->Caption(), "未知");
  EXPECT_TRUE(errors_.empty());
  HKEY key;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CLASSES_ROOT, "铂蜓\\Shell\\Open\\Command", 0, KEY_READ, &key), ERROR_SUCCESS);
  RegCloseKey(key);
  EXPECT_EQ(AppPath, ProgramFileW().substr(0, ProgramFileW().find_last_of(L'\\') + 1));
}

TEST_F(MainWindow, StartWithAPackageShowsItsBadgingAndTheReadyText) {
  std::string dir = ScratchDir("main-start");
  std::string log = dir + "\\tools.log";
  SetEnvironmentVariableA("PTQ_LOG", log.c_str());
  Start({SamplePath()});
  EXPECT_TRUE(errors_.empty());
  EXPECT_EQ(ApkFileName, W(SamplePath()));
  EXPECT_EQ(form_->grp1->Caption(), "软件信息 -- 开始安装: VqSample.apk");
  EXPECT_EQ(form_->lblSoftComName->Caption(), "com.boting.sample");
  EXPECT_EQ(form_->lblSoftVer->Caption(), "1.2.0");
  EXPECT_EQ(form_->lblSoftOsVer->Caption(), "Android 2.2");
  EXPECT_EQ(form_->lblSoftSize->Caption(), "9.40 K");
  EXPECT_TRUE(form_->sbtbtn1->Enabled());
  EXPECT_EQ(form_->lblSoftInfo->Caption(), kReady);
  // The bridge's server is restarted at every start (not waited for), and the badging
  // tool ran on the package.
  std::string text;
  ASSERT_TRUE(PumpUntil([&] {
    std::ifstream in(log, std::ios::binary);
    text.assign(std::istreambuf_iterator<char>(in), {});
    return text.find("kill-server") != std::string::npos && text.find("start-server") != std::string::npos;
  }));
  EXPECT_NE(text.find("d badging \"" + SamplePath() + "\""), std::string::npos);
}

// Files that are no package, as the real badging tool answers them (its lines recorded
// from Debian's aapt, which writes them to its error stream and exits with 1): the
// load ends with the red failure text and the tool's own reason, the install button
// stays off, the fields stay "未知" and the size is the file's.
TEST_F(MainWindow, NotAPackageIsNeverShownAsReady) {
  const std::string dir = ScratchDir("main-notapackage");
  const std::string zip = ReadBytes(SamplePath());
  CreateDirectoryA((dir + "\\folder.apk").c_str(), nullptr);
  struct Case { const char* recording; std::string file; std::string bytes; const char* size; };
  const Case cases[] = {
      {"empty", "empty.apk", "", "0.00 字节"},
      {"text", "text.apk", "just some text\r\n", "16.00 字节"},
      {"truncated", "cut.apk", zip.substr(0, 20), "20.00 字节"},
      {"nomanifest", "nomanifest.apk", zip.substr(0, 30), "30.00 字节"},
      {"folder", "folder.apk", "", "0.00 字节"},
      {"missing", "gone.apk", "", "0.00 字节"},
  };
  const std::string empty = WriteFile(dir, "nothing.txt", "");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.recording);
    const std::string path = dir + "\\" + c.file;
    if (std::string(c.recording) != "folder" && std::string(c.recording) != "missing") WriteFile(dir, c.file, c.bytes);
    const std::string err = Recorded(std::string("aapt-badging-") + c.recording + ".stderr.txt");
    ScopedEnv out("PTQLIST_SCRIPT", empty), errors("PTQ_STDERR", err), exitCode("PTQ_EXIT", "1");
    Start({path});
    std::string reason = ReadBytes(err);
    reason = reason.substr(reason.find("ERROR: "));
    reason = reason.substr(0, reason.find('\n'));
    EXPECT_EQ(form_->lblSoftInfo->Caption(), std::string("获取参数失败!不支持该类型文件.\r\n") + reason);
    EXPECT_EQ(form_->lblSoftInfo->Font().Color(), 255u);
    EXPECT_FALSE(form_->sbtbtn1->Enabled());
    EXPECT_EQ(form_->lblSoftComName->Caption(), "未知");
    EXPECT_EQ(form_->lblSoftVer->Caption(), "未知");
    EXPECT_EQ(form_->lblSoftOsVer->Caption(), "未知");
    EXPECT_EQ(form_->lblSoftSize->Caption(), c.size);
    EXPECT_TRUE(errors_.empty());
    delete form_;
    form_ = nullptr;
  }
  // Our own badging tool says the same kind of thing for a file it cannot read.
  Start({dir + "\\gone.apk"});
  EXPECT_EQ(form_->lblSoftInfo->Caption().rfind("获取参数失败!不支持该类型文件.\r\nERROR: cannot open '", 0), 0u)
      << form_->lblSoftInfo->Caption();
  EXPECT_FALSE(form_->sbtbtn1->Enabled());
}

// Codenames of preview builds, levels past 9, a second load that yields less than the
// first, and a badging tool that is missing or hangs: the window always ends whole.
TEST_F(MainWindow, EveryLoadEndsWhole) {
  const std::string dir = ScratchDir("main-whole");
  const std::string apk = WriteFile(dir, "p.apk", std::string(3000, 'x'));
  struct Case { const char* name; std::string output; const char* pkg; const char* version; const char* os; bool ready; };
  const Case cases[] = {
      {"codename Q", "package: name='a.b' versionCode='7' versionName='2.0'\r\nsdkVersion:'Q'\r\n", "a.b", "2.0",
       "Android 10", true},
      {"codename L", "package: name='a.b' versionCode='7' versionName='2.0'\nsdkVersion:'L'\n", "a.b", "2.0",
       "Android 5.0", true},
      {"level 19", "package: name='a.b' versionCode='7' versionName='2.0'\nsdkVersion:'19'\n", "a.b", "2.0",
       "Android 4.4", true},
      {"level 20", "package: name='a.b' versionCode='7' versionName='2.0'\nsdkVersion:'20'\n", "a.b", "2.0",
       "Android 4.4W", true},
      {"level 28", "package: name='a.b' versionCode='7' versionName='2.0'\nsdkVersion:'28'\n", "a.b", "2.0",
       "Android 9", true},
      {"level 32", "package: name='a.b' versionCode='7' versionName='2.0'\nsdkVersion:'32'\n", "a.b", "2.0",
       "Android 12L", true},
      {"level 36", "package: name='a.b' versionCode='7' versionName='2.0'\nsdkVersion:'36'\n", "a.b", "2.0",
       "Android 16", true},
      {"level 40", "package: name='a.b' versionCode='7' versionName='2.0'\nsdkVersion:'40'\n", "a.b", "2.0", "40",
       true},
      {"no level", "package: name='c.d' versionCode='1' versionName='0.1'\n", "c.d", "0.1", "未知", true},
      {"utf-8 version", "package: name='c.d' versionCode='1' versionName='\xE6\xB5\x8B\xE8\xAF\x95\xE7\x89\x88'\n",
       "c.d", "测试版", "未知", true},
      {"gbk version", "package: name='c.d' versionCode='1' versionName='测试版'\n", "c.d", "测试版", "未知", true},
  };
  Start({SamplePath()});
  ASSERT_EQ(form_->lblSoftOsVer->Caption(), "Android 2.2");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // Each load follows one that filled every field.
    form_->LoadPackage(W(SamplePath()));
    WaitForLoad();
    ScopedEnv script("PTQLIST_SCRIPT", WriteFile(dir, "out.txt", c.output));
    form_->LoadPackage(W(apk));
    EXPECT_FALSE(form_->sbtbtn1->Enabled());  // until the load has ended
    WaitForLoad();
    EXPECT_EQ(form_->lblSoftComName->Caption(), c.pkg);
    EXPECT_EQ(form_->lblSoftVer->Caption(), c.version);
    EXPECT_EQ(form_->lblSoftOsVer->Caption(), c.os);
    EXPECT_EQ(form_->lblSoftSize->Caption(), "2.93 K");
    EXPECT_EQ(form_->sbtbtn1->Enabled(), c.ready);
    EXPECT_EQ(form_->lblSoftInfo->Caption(), kReady);
  }
  EXPECT_TRUE(errors_.empty());

  // The badging tool missing: one Chinese message, never a half-loaded window.
  const std::wstring realAppPath = AppPath;
  AppPath = W(dir) + L"\\";
  form_->LoadPackage(W(apk));
  WaitForLoad();
  AppPath = realAppPath;
  EXPECT_EQ(form_->lblSoftInfo->Caption(), kBadgingToolMissingText);
  EXPECT_EQ(form_->lblSoftInfo->Font().Color(), 255u);
  EXPECT_EQ(form_->lblSoftComName->Caption(), "未知");
  EXPECT_EQ(form_->lblSoftSize->Caption(), "2.93 K");
  EXPECT_FALSE(form_->sbtbtn1->Enabled());

  // A tool past its time limit is ended, and the user told.
  ScopedEnv limit("VQ_BADGING_TIMEOUT_MS", "700");
  ScopedEnv delay("PTQ_DELAY_MS", "30000");
  const DWORD start = GetTickCount();
  form_->LoadPackage(W(apk));
  WaitForLoad();
  EXPECT_LT(GetTickCount() - start, 10000u);
  EXPECT_EQ(form_->lblSoftInfo->Caption(), "获取参数失败!解析工具PTQList运行超过1秒没有结束,已被终止.");
  EXPECT_FALSE(form_->sbtbtn1->Enabled());
  EXPECT_EQ(form_->lblSoftSize->Caption(), "2.93 K");
  EXPECT_TRUE(errors_.empty());
}

// While a load runs, a new drop replaces it: the older result, arriving later, is dropped.
TEST_F(MainWindow, DropDuringALoadReplacesIt) {
  const std::string dir = ScratchDir("main-replace");
  const std::string log = dir + "\\log.txt";
  const std::string first = WriteFile(dir, "first.apk", "1");
  const std::string second = WriteFile(dir, "second.apk", "22");
  ScopedEnv logEnv("PTQ_LOG", log);
  Start({});
  {
    ScopedEnv slow("PTQ_DELAY_MS", "2500");
    ScopedEnv script("PTQLIST_SCRIPT", WriteFile(dir, "slow.txt", "package: name='slow.one' versionCode='1' versionName='1'\n"));
    Drop({W(first)});
    // The slow tool has started (it logs before it waits).
    ASSERT_TRUE(PumpUntil([&] { return ReadBytes(log).find("first.apk") != std::string::npos; }));
  }
  ScopedEnv script("PTQLIST_SCRIPT", WriteFile(dir, "fast.txt", "package: name='fast.two' versionCode='2' versionName='2'\n"));
  Drop({W(second)});
  EXPECT_FALSE(form_->sbtbtn1->Enabled());
  WaitForLoad();
  EXPECT_EQ(form_->lblSoftComName->Caption(), "fast.two");
  // Let the slow tool finish and its result arrive.
  const DWORD until = GetTickCount() + 3500;
  PumpUntil([&] { return GetTickCount() > until; }, 5000);
  EXPECT_EQ(form_->lblSoftComName->Caption(), "fast.two");
  EXPECT_EQ(form_->lblSoftSize->Caption(), "2.00 字节");
  EXPECT_EQ(ApkFileName, W(second));
  EXPECT_TRUE(form_->sbtbtn1->Enabled());
  EXPECT_EQ(form_->lblSoftInfo->Caption(), kReady);
}

// A real drop: a DROPFILES block in global memory, as the shell hands it over (UTF-16).
HDROP MakeDrop(const std::vector<std::wstring>& files) {
  std::wstring names;
  for (const std::wstring& f : files) names += f + L'\0';
  names += L'\0';
  HGLOBAL mem = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size() * sizeof(wchar_t));
  auto* df = static_cast<DROPFILES*>(GlobalLock(mem));
  df->pFiles = sizeof(DROPFILES);
  df->fWide = TRUE;
  memcpy(reinterpret_cast<char*>(df) + sizeof(DROPFILES), names.data(), names.size() * sizeof(wchar_t));
  GlobalUnlock(mem);
  return static_cast<HDROP>(mem);
}

void MainWindow::Drop(const std::vector<std::wstring>& files) {
  SendMessageW(form_->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(files)), 0);
}

TEST_F(MainWindow, DropsAreCheckedByExtensionOneAfterAnother) {
  std::string dir = ScratchDir("main-drop");
  std::string upper = WriteFile(dir, "APP.APK", ReadBytes(SamplePath()));
  // The start of a zip: our badging tool makes a badging up from the name.
  std::string lower = WriteFile(dir, "a.apk", ReadBytes(SamplePath()).substr(0, 30) + std::string(1970, 'x'));
  std::string text = WriteFile(dir, "b.txt", "x");
  Start({});

  // Windows file names are case-insensitive, and so is the bridge: APP.APK loads.
  Drop({W(upper)});
  WaitForLoad();
  EXPECT_EQ(ApkFileName, W(upper));
  EXPECT_EQ(form_->lblSoftComName->Caption(), "com.boting.sample");
  EXPECT_EQ(form_->lblSoftInfo->Caption(), kReady);
  EXPECT_TRUE(form_->sbtbtn1->Enabled());

  Drop({W(lower), W(text)});
  WaitForLoad();
  EXPECT_EQ(ApkFileName, W(lower));  // stays loaded
  EXPECT_EQ(form_->lblSoftSize->Caption(), "1.95 K");
  EXPECT_TRUE(form_->sbtbtn1->Enabled());
  EXPECT_EQ(form_->lblSoftInfo->Caption(), "文件类型错误,不支持该文件格式.");  // the last file decides
  EXPECT_TRUE(errors_.empty());
}

struct InstallCase {
  const char* name;
  std::string output;  // the install tool's output, or the name of a recording ("@name")
  const char* device;  // PTQ_DEVICE when there is no output script
  std::vector<std::string> changes;  // after the start changes
};

void PrintTo(const InstallCase& c, std::ostream* os) { *os << c.name; }

class Install : public MainWindow, public testing::WithParamInterface<InstallCase> {};

const std::string kText = "status text ";
const std::vector<std::string> kRed = {"button enabled", "status colour 255"};
std::vector<std::string> Red(const std::string& text) { return {"button enabled", "status colour 255", kText + text}; }
std::vector<std::string> AfterUnknown(std::vector<std::string> last) {
  last.insert(last.begin(), kText + kUnknownFailureText);
  return last;
}
const std::vector<std::string> kNoPhone = {"button enabled", "status hidden", "error shown"};
std::string Refused(const std::string& reason) {
  return "Performing Streamed Install\r\nadb: failed to install VqSample.apk: Failure [" + reason + "]\r\n";
}

TEST_P(Install, OutcomeReachesTheWindowInOrder) {
  const InstallCase& c = GetParam();
  std::string dir = ScratchDir(std::string("install-") + c.name);
  Start({SamplePath()});
  ASSERT_TRUE(form_->sbtbtn1->Enabled());
  if (c.output.rfind("@", 0) == 0) {
    // A recording of the real bridge with no phone: its two streams and exit code.
    SetEnvironmentVariableA("PTQAPK_SCRIPT", Recorded("adb-install-" + c.output.substr(1) + ".stdout.txt").c_str());
    SetEnvironmentVariableA("PTQ_STDERR", Recorded("adb-install-" + c.output.substr(1) + ".stderr.txt").c_str());
    SetEnvironmentVariableA("PTQ_EXIT", "255");
  } else if (!c.device) {
    SetEnvironmentVariableA("PTQAPK_SCRIPT", WriteFile(dir, "out.txt", c.output).c_str());
  }
  if (c.device) SetEnvironmentVariableA("PTQ_DEVICE", c.device);
  form_->lblSoftInfo->Font().SetColor(255);  // as a previous failed install leaves it
  RecordChanges();
  // The end reaches the window in one piece: a message posted as the button comes
  // free is handled only after the last change (a waiting user or test never sees
  // the button free beside a text that is about to change).
  const UINT kPosted = WM_APP + 77;
  auto formProc = form_->WindowProc;
  form_->WindowProc = [this, formProc](TMessage& m) {
    if (m.Msg == kPosted) changes_.push_back("message loop ran");
    else formProc(m);
  };
  auto buttonProc = form_->sbtbtn1->WindowProc;
  form_->sbtbtn1->WindowProc = [this, buttonProc](TMessage& m) {
    buttonProc(m);
    if (m.Msg == CM_ENABLEDCHANGED && form_->sbtbtn1->Enabled()) PostMessageW(form_->Handle(), kPosted, 0, 0);
  };
  form_->sbtbtn1->Click();
  std::vector<std::string> expected = {"button disabled", "status colour 0", kText + kInstallingText};
  expected.insert(expected.end(), c.changes.begin(), c.changes.end());
  expected.push_back("message loop ran");
  // The worker ends with its last change; wait for that many changes.
  ASSERT_TRUE(PumpUntil([&] { return changes_.size() >= expected.size(); })) << testing::PrintToString(changes_);
  Sleep(300);
  Application->ProcessMessages();
  EXPECT_EQ(changes_, expected);
  EXPECT_TRUE(form_->sbtbtn1->Enabled());  // never a dead button
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, Install,
    testing::Values(
        InstallCase{"success", "", "ok", AfterUnknown({"button enabled", "status colour 32768", kText + kInstallSuccessText})},
        InstallCase{"legacy_success",
                    "3412 KB/s (9630 bytes in 0.001s)\r\n\tpkg: /data/local/tmp/VqSample.apk\r\nSuccess\r\n", nullptr,
                    AfterUnknown({"button enabled", "status colour 32768", kText + kInstallSuccessText})},
        InstallCase{"storage", "", "full", AfterUnknown(Red(kInsufficientStorageText))},
        InstallCase{"legacy_storage", "Failure [INSTALL_FAILED_INSUFFICIENT_STORAGE]\r\n", nullptr,
                    Red(kInsufficientStorageText)},
        InstallCase{"downgrade", Refused("INSTALL_FAILED_VERSION_DOWNGRADE"), nullptr,
                    AfterUnknown(Red("安装失败!手机上已安装该应用的更高版本.请先卸载手机上的版本,然后重新安装."))},
        InstallCase{"signatures",
                    Refused("INSTALL_FAILED_UPDATE_INCOMPATIBLE: Package com.boting.sample signatures do not match "
                            "previously installed version; ignoring!"),
                    nullptr,
                    AfterUnknown(Red("安装失败!该应用的签名与手机上已安装的版本不同.请先卸载手机上的版本,然后重新安装."))},
        InstallCase{"older_sdk", Refused("INSTALL_FAILED_OLDER_SDK"), nullptr,
                    AfterUnknown(Red("安装失败!手机的Android版本太低,不能运行该应用."))},
        InstallCase{"no_certificates", Refused("INSTALL_PARSE_FAILED_NO_CERTIFICATES: No certificates"), nullptr,
                    AfterUnknown(Red("安装失败!该应用没有签名证书,手机拒绝安装."))},
        InstallCase{"user_restricted", Refused("INSTALL_FAILED_USER_RESTRICTED: Install canceled by user"), nullptr,
                    AfterUnknown(Red("安装失败!手机的设置阻止了安装.请在手机上允许通过USB安装应用,然后重新安装."))},
        InstallCase{"already_exists", Refused("INSTALL_FAILED_ALREADY_EXISTS"), nullptr,
                    AfterUnknown(Red("安装失败!手机上已存在该应用."))},
        InstallCase{"no_matching_abis", Refused("INSTALL_FAILED_NO_MATCHING_ABIS: Failed to extract native libraries"),
                    nullptr, AfterUnknown(kRed)},
        InstallCase{"test_only", Refused("INSTALL_FAILED_TEST_ONLY"), nullptr, AfterUnknown(kRed)},
        InstallCase{"nodevice", "", "none", AfterUnknown(kNoPhone)},
        InstallCase{"recorded_nodevice", "@nodevice", nullptr, AfterUnknown(kNoPhone)},
        InstallCase{"recorded_nousb", "@nousb", nullptr, AfterUnknown(kNoPhone)},
        InstallCase{"recorded_noserial", "@noserial", nullptr, AfterUnknown(kNoPhone)},
        InstallCase{"legacy_nodevice", "error: device not found\r\n", nullptr, kNoPhone},
        InstallCase{"unauthorized",
                    "error: device unauthorized.\nThis adb server's $ADB_VENDOR_KEYS is not set\nTry 'adb kill-server' "
                    "if that seems wrong.\nOtherwise check for a confirmation dialog on your device.\n",
                    nullptr, Red(kUnauthorizedText)},
        InstallCase{"offline", "error: device offline\n", nullptr, Red(kDeviceOfflineText)},
        InstallCase{"several", "error: more than one device/emulator\n", nullptr, Red(kSeveralDevicesText)},
        InstallCase{"unclassified", "Failure[INSTALL_FAILED_OLDER_SDK]\r\nsuccess", nullptr,
                    AfterUnknown(kRed)},
        InstallCase{"empty", "", nullptr, Red(kUnknownFailureText)}),
    [](const testing::TestParamInfo<InstallCase>& info) { return std::string(info.param.name); });

TEST_F(MainWindow, InstallOfADeletedPackageSaysItIsMissing) {
  std::string dir = ScratchDir("install-deleted");
  std::string apk = WriteFile(dir, "gone.apk", ReadBytes(SamplePath()));
  Start({apk});
  ASSERT_TRUE(form_->sbtbtn1->Enabled());
  DeleteFileA(apk.c_str());
  form_->sbtbtn1->Click();
  ASSERT_TRUE(PumpUntil([&] { return form_->sbtbtn1->Enabled(); }));
  EXPECT_EQ(form_->lblSoftInfo->Caption(), kMissingPackageText);
  EXPECT_EQ(form_->lblSoftInfo->Font().Color(), 255u);
}

TEST_F(MainWindow, InstallWithoutTheBridgeToolSaysSoAndFreesTheButton) {
  const std::string dir = ScratchDir("install-nobridge");
  Start({SamplePath()});
  ASSERT_TRUE(form_->sbtbtn1->Enabled());
  AppPath = W(dir) + L"\\";  // a program folder without the tools
  form_->sbtbtn1->Click();
  ASSERT_TRUE(PumpUntil([&] { return form_->sbtbtn1->Enabled(); }));
  EXPECT_EQ(form_->lblSoftInfo->Caption(), kBridgeMissingText);
  EXPECT_EQ(form_->lblSoftInfo->Font().Color(), 255u);
}

// Paths the user's code page cannot hold and paths past 260 characters: loaded from
// the command line and from a drop, shown as they are, handed whole to both tools.
TEST_F(MainWindow, PathsOutsideTheCodePageAndLongPathsLoadAndInstall) {
  const std::wstring dir = W(ScratchDir("main-unicode"));
  const std::wstring sample = W(SamplePath());
  const std::wstring folder = dir + L"\\\uC571 \u0645\u062C\u0644\u062F \u00F1";
  // The scratch folder is emptied through the 8-bit functions, which cannot reach
  // these names: a folder left by an earlier run is fine.
  auto makeDir = [](const std::wstring& path) {
    return CreateDirectoryW(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
  };
  ASSERT_TRUE(makeDir(folder));
  const std::wstring korean = folder + L"\\\uD55C\uAD6D\uC5B4 \u00C5pp.apk";
  ASSERT_TRUE(CopyFileW(sample.c_str(), korean.c_str(), FALSE));
  std::wstring deep = dir;
  while (deep.size() < 300) {
    deep += L"\\" + std::wstring(60, L'd');
    ASSERT_TRUE(makeDir(L"\\\\?\\" + deep));
  }
  const std::wstring longFile = deep + L"\\long.apk";
  ASSERT_TRUE(CopyFileW(sample.c_str(), (L"\\\\?\\" + longFile).c_str(), FALSE));
  struct Case { const char* name; std::wstring path; std::wstring shown; };
  const Case cases[] = {
      {"outside GBK", korean, L"\uD55C\uAD6D\uC5B4 \u00C5pp.apk"},
      {"long", longFile, L"long.apk"},
      {"long in its \\\\?\\ form", L"\\\\?\\" + longFile, L"long.apk"},
  };
  const std::string log = ScratchDir("main-unicode-log") + "\\log.txt";
  ScopedEnv logEnv("PTQ_LOG", log);
  for (const Case& c : cases) {
    for (int byDrop = 0; byDrop < 2; ++byDrop) {
      SCOPED_TRACE(std::string(c.name) + (byDrop ? " dropped" : " on the command line"));
      DeleteFileA(log.c_str());
      if (byDrop) {
        Start({});
        Drop({c.path});
        WaitForLoad();
      } else {
        StartW({c.path});
      }
      EXPECT_EQ(ApkFileName, c.path);
      EXPECT_EQ(form_->grp1->CaptionW(), W("软件信息 -- 开始安装: ") + c.shown);
      EXPECT_EQ(form_->lblSoftComName->Caption(), "com.boting.sample");
      EXPECT_EQ(form_->lblSoftSize->Caption(), "9.40 K");
      EXPECT_EQ(form_->lblSoftInfo->Caption(), kReady);
      ASSERT_TRUE(form_->sbtbtn1->Enabled());
      form_->sbtbtn1->Click();
      ASSERT_TRUE(PumpUntil([&] { return form_->sbtbtn1->Enabled(); }));
      EXPECT_EQ(form_->lblSoftInfo->Caption(), kInstallSuccessText) << "tool log:\n" << ReadBytes(log);
      // Both tools got the path whole (they log their UTF-16 command line as UTF-8).
      const std::string logged = ReadBytes(log);
      const std::u16string path16(c.path.begin(), c.path.end());
      EXPECT_NE(logged.find("d badging \"" + Utf16ToUtf8(path16) + "\""), std::string::npos) << logged;
      EXPECT_NE(logged.find("install -r \"" + Utf16ToUtf8(path16) + "\""), std::string::npos) << logged;
      delete form_;
      form_ = nullptr;
    }
  }
}

// Closes each message box with the given title as it shows up (the program's boxes
// are framework message forms), and keeps the text of the first and whether the
// manager's hook skinned it with an automatic provider without a skin menu.
struct MessageBoxReader {
  std::wstring title, text;
  int seen = 0;
  bool autoSkinned = false;
  HANDLE thread = nullptr;
  explicit MessageBoxReader(const wchar_t* t) : title(t) { thread = CreateThread(nullptr, 0, &Watch, this, 0, nullptr); }
  ~MessageBoxReader() {
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
  }
  static TMessageForm* Find(const std::wstring& title) {
    HWND h = FindWindowW(nullptr, title.c_str());
    return h ? dynamic_cast<TMessageForm*>(TWinControl::FromHandle(h)) : nullptr;
  }
  static DWORD WINAPI Watch(void* p) {
    auto* self = static_cast<MessageBoxReader*>(p);
    for (int i = 0; i < 250; ++i) {
      if (TMessageForm* box = Find(self->title)) {
        HWND h = box->Handle();
        if (++self->seen == 1) {
          self->text = GbkToWide(box->Text());
          // Asked through the window: the GUI thread answers while the box is up.
          const auto* provider = reinterpret_cast<const TsSkinProvider*>(
              SendMessageW(h, SM_ALPHACMD, static_cast<WPARAM>(PackCommand(SMC_GETPROVIDER)), 0));
          self->autoSkinned = provider && provider->AutoCreated() && !provider->MakeSkinMenu &&
                              SendMessageW(h, SM_ALPHACMD, static_cast<WPARAM>(PackCommand(SMC_ISSKINNED)), 0) == 1;
        }
        PostMessageW(h, WM_COMMAND, IDOK, 0);
        Sleep(300);  // a second box would show up by now
        continue;
      }
      if (self->seen) return 0;
      Sleep(20);
    }
    return 0;
  }
};

// Damaged skins of the built-in skin's name in the skin folder: the program still
// starts, skinned with its built-in skin, and says once which file it could not load.
TEST_F(MainWindow, DamagedSkinInTheSkinFolderFallsBackToTheBuiltInSkin) {
  Start({});
  ASSERT_FALSE(form_->StartupSkin().fellBack);
  const double builtinVersion = form_->sknmngr1->SkinData.Version;
  const std::string builtinDescription = form_->sknmngr1->SkinData.Description;
  ASSERT_FALSE(builtinDescription.empty());
  delete form_;
  form_ = nullptr;

  // A skin folder of this test's own: windows of tests running beside it keep c:\Skins.
  const std::string skins = ScratchDir("main-skins");
  MainWindowSkinDirectory = skins;
  struct Restore {
    ~Restore() { MainWindowSkinDirectory = "c:\\Skins"; }
  } restore;
  const std::string name = BuiltinSkinName;
  const std::string asz = skins + "\\" + name + ".asz";
  const std::string folder = skins + "\\" + name;
  const std::string archive(reinterpret_cast<const char*>(BuiltinSkinData()), BuiltinSkinSize());
  const std::string options = ReadBytes(SourcePath("skins/air/Options.dat"));
  // Removes what a case left, also when it failed.
  auto clean = [&] {
    DeleteFileA(asz.c_str());
    WIN32_FIND_DATAA f;
    HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &f);
    if (h != INVALID_HANDLE_VALUE) {
      do DeleteFileA((folder + "\\" + f.cFileName).c_str());
      while (FindNextFileA(h, &f));
      FindClose(h);
    }
    RemoveDirectoryA(folder.c_str());
  };
  auto skinFolder = [&](const std::string& optionsText, bool damageBitmap) {
    CreateDirectoryA(folder.c_str(), nullptr);
    WIN32_FIND_DATAA f;
    const std::string src = SourcePath("skins/air");
    HANDLE h = FindFirstFileA((src + "\\*").c_str(), &f);
    do
      if (!(f.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        CopyFileA((src + "\\" + f.cFileName).c_str(), (folder + "\\" + f.cFileName).c_str(), FALSE);
    while (FindNextFileA(h, &f));
    FindClose(h);
    WriteFile(folder, "Options.dat", optionsText);
    if (damageBitmap) WriteFile(folder, "MASTER.BMP", "BM" + std::string(40, '\x7F'));
  };
  // SHADOW1OFFSET is one of the keys the engine reads as a number, raising for anything else.
  std::string badNumber = options;
  const size_t at = badNumber.find("[GLOBALINFO]");
  ASSERT_NE(at, std::string::npos);
  badNumber.insert(at + 12, "\nSHADOW1OFFSET=four");
  struct Case { const char* name; std::function<void()> make; std::string file; };
  const Case cases[] = {
      {"empty archive", [&] { WriteFile(skins, name + ".asz", ""); }, asz},
      {"wrong magic", [&] { WriteFile(skins, name + ".asz", "PK\x03\x04" + archive.substr(4)); }, asz},
      {"truncated archive", [&] { WriteFile(skins, name + ".asz", archive.substr(0, archive.size() / 2)); }, asz},
      {"bad number in Options.dat", [&] { skinFolder(badNumber, false); }, folder + "\\Options.dat"},
      {"damaged bitmap", [&] { skinFolder(options, true); }, folder + "\\Options.dat"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    clean();
    c.make();
    {
      MessageBoxReader box(L"皮肤");
      Start({});
      ASSERT_NE(form_, nullptr);
      EXPECT_TRUE(IsWindowVisible(form_->Handle()));
      PumpUntil([&] { return box.seen > 0; }, 5000);
      WaitForSingleObject(box.thread, INFINITE);
      EXPECT_EQ(box.seen, 1);
      EXPECT_NE(box.text.find(W(c.file)), std::wstring::npos) << WideToGbk(box.text);
      EXPECT_TRUE(box.autoSkinned);
    }
    EXPECT_TRUE(form_->StartupSkin().fellBack);
    EXPECT_EQ(form_->StartupSkin().damagedFile, c.file);
    EXPECT_TRUE(form_->sknmngr1->IsSkinLoaded());
    EXPECT_TRUE(form_->sknmngr1->SkinData.Active);
    EXPECT_EQ(form_->sknmngr1->SkinData.Version, builtinVersion);
    EXPECT_EQ(form_->sknmngr1->SkinData.Description, builtinDescription);
    EXPECT_EQ(form_->lblSoftInfo->Caption(), kHelp);
    EXPECT_TRUE(errors_.empty());
    delete form_;
    form_ = nullptr;
  }
  clean();
}

TEST_F(MainWindow, InstallWithoutAPackageShowsTheErrorBoxAndStartsNothing) {
  Start({});
  form_->sbtbtn1->SetEnabled(true);
  RecordChanges();
  {
    MessageBoxReader box(L"错误");
    form_->sbtbtn1Click(form_->sbtbtn1);
    WaitForSingleObject(box.thread, INFINITE);
    EXPECT_EQ(box.seen, 1);
    EXPECT_EQ(box.text, W("请双击APK文件进行安装或鼠标拖APK文件到窗口上进行安装."));
    EXPECT_TRUE(box.autoSkinned) << "the box wears the skin's frame";
  }
  EXPECT_TRUE(changes_.empty());
}

TEST_F(MainWindow, HiddenButtonOpensTheDriverDialogModally) {
  Start({});
  EXPECT_FALSE(form_->btn1->Visible());
  struct Step {
    bool sawDialog = false, ownerDisabled = false, cancelKeepsOpen = false, autoSkinned = false;
  } step;
  for (int path = 0; path < 2; ++path) {
    TTimer timer(nullptr);
    timer.SetInterval(50);
    int ticks = 0;
    timer.SetOnTimer([&](TComponent*) {
      ++ticks;
      if (!DriveFrm) return;
      if (ticks == 1) {
        step.sawDialog = DriveFrm->Visible() && DriveFrm->Modal();
        step.ownerDisabled = !IsWindowEnabled(form_->Handle());
        // No provider of its own: the manager's hook gave it one, without a skin menu.
        const TsSkinProvider* provider = ProviderOfForm(DriveFrm);
        step.autoSkinned = provider && provider->AutoCreated() && provider->Skinned() && !provider->MakeSkinMenu;
        EXPECT_TRUE(DriveFrm->rb1->Checked());
        DriveFrm->sbtbtn1->Click();  // "安装驱动" does nothing
      } else if (ticks == 2) {
        step.cancelKeepsOpen = DriveFrm->Visible() && DriveFrm->Modal();
        if (path == 0)
          DriveFrm->sbtbtn2->Click();  // "取消安装"
        else
          PostMessageW(DriveFrm->Handle(), WM_CLOSE, 0, 0);  // the title bar's close button
      }
    });
    form_->btn1->Click();
    EXPECT_TRUE(step.sawDialog) << path;
    EXPECT_TRUE(step.ownerDisabled) << path;
    EXPECT_TRUE(step.cancelKeepsOpen) << path;
    EXPECT_TRUE(step.autoSkinned) << path;
    EXPECT_EQ(DriveFrm, nullptr) << path;
    EXPECT_TRUE(IsWindowEnabled(form_->Handle())) << path;
  }
}

TEST_F(MainWindow, RadioButtonsOfTheDriverDialogFormOneGroup) {
  Start({});
  TDriveFrm* dialog = TForm::Create<TDriveFrm>(form_);
  dialog->rb3->Click();
  EXPECT_FALSE(dialog->rb1->Checked());
  EXPECT_FALSE(dialog->rb2->Checked());
  EXPECT_TRUE(dialog->rb3->Checked());
  delete dialog;
}

}  // namespace
