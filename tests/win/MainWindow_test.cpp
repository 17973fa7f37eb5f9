// The main window as the user drives it: start with and without a package argument,
// drops through a real HDROP, the install button with every outcome of the phone tool,
// the hidden driver-dialog button. Real windows, messages and child processes.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "app/InstallOutcome.h"
#include "app/uDriveFrm.h"
#include "app/uVqMainFrm.h"
#include "framework/vclApplication.h"
#include "framework/vclParams.h"
#include "framework/vclTimer.h"
#include "support/TestPaths.h"

namespace {

const char* const kReady = "准备就绪,请点击\"安装\"按钮将软件安装到手机.";
const char* const kHelp =
    "您可以用鼠标拖APK文件到窗体上来进行安装.\r\n您还可以双击APK文件进行安装.\r\n您还可以对APK文件单击鼠标右键进行安装.";

std::string SamplePath() { return SourcePath("tests/data/sample/VqSample.apk"); }

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
    for (const char* var : {"PTQ_SCRIPT", "PTQAPK_SCRIPT", "PTQLIST_SCRIPT", "PTQ_DEVICE", "PTQ_LOG"})
      SetEnvironmentVariableA(var, nullptr);
    AppPath.clear();
    ApkFileName.clear();
  }
  void TearDown() override {
    delete form_;
    Application->OnException = nullptr;
    SetProgramArguments({});
  }
  void Start(const std::vector<std::string>& args) {
    std::vector<std::string> all{ParamStr(0)};
    all.insert(all.end(), args.begin(), args.end());
    SetProgramArguments(all);
    form_ = Application->CreateForm<TVqMainFrm>();
    form_->Show();
  }
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
  EXPECT_EQ(AppPath, ParamStr(0).substr(0, ParamStr(0).find_last_of('\\') + 1));
}

TEST_F(MainWindow, StartWithAPackageShowsItsBadgingAndTheReadyText) {
  std::string dir = ScratchDir("main-start");
  std::string log = dir + "\\tools.log";
  SetEnvironmentVariableA("PTQ_LOG", log.c_str());
  Start({SamplePath()});
  EXPECT_TRUE(errors_.empty());
  EXPECT_EQ(ApkFileName, SamplePath());
  EXPECT_EQ(form_->grp1->Caption(), "软件信息 -- 开始安装: VqSample.apk");
  EXPECT_EQ(form_->lblSoftComName->Caption(), "com.boting.sample");
  EXPECT_EQ(form_->lblSoftVer->Caption(), "1.2.0");
  EXPECT_EQ(form_->lblSoftOsVer->Caption(), "Android 2.2");
  EXPECT_EQ(form_->lblSoftSize->Caption(), "818.00 字节");
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

TEST_F(MainWindow, MissingPackageOnTheCommandLineKeepsUnknownAndShowsZeroBytes) {
  std::string dir = ScratchDir("main-missing");
  WriteFile(dir, "empty.txt", "");
  SetEnvironmentVariableA("PTQLIST_SCRIPT", (dir + "\\empty.txt").c_str());
  Start({dir + "\\gone.apk"});
  EXPECT_EQ(form_->lblSoftComName->Caption(), "未知");
  EXPECT_EQ(form_->lblSoftSize->Caption(), "0.00 字节");
  EXPECT_TRUE(form_->sbtbtn1->Enabled());
  EXPECT_EQ(form_->lblSoftInfo->Caption(), kReady);
}

TEST_F(MainWindow, BadLevelTextIsReportedAndStopsTheLoadPartWay) {
  std::string dir = ScratchDir("main-badlevel");
  SetEnvironmentVariableA(
      "PTQLIST_SCRIPT",
      WriteFile(dir, "badging.txt", "package: name='a.b' versionCode='7' versionName='2.0'\r\nsdkVersion:'x'\r\n").c_str());
  Start({SamplePath()});
  ASSERT_EQ(errors_.size(), 1u);
  EXPECT_EQ(form_->lblSoftComName->Caption(), "a.b");  // filled before the failing line
  EXPECT_EQ(form_->lblSoftSize->Caption(), "未知");     // not reached
  EXPECT_FALSE(form_->sbtbtn1->Enabled());
}

// A real drop: a DROPFILES block in global memory, as the shell hands it over.
HDROP MakeDrop(const std::vector<std::string>& files) {
  std::string names;
  for (const std::string& f : files) names += f + '\0';
  names += '\0';
  HGLOBAL mem = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size());
  auto* df = static_cast<DROPFILES*>(GlobalLock(mem));
  df->pFiles = sizeof(DROPFILES);
  df->fWide = FALSE;
  memcpy(reinterpret_cast<char*>(df) + sizeof(DROPFILES), names.data(), names.size());
  GlobalUnlock(mem);
  return static_cast<HDROP>(mem);
}

TEST_F(MainWindow, DropsAreCheckedByExtensionOneAfterAnother) {
  std::string dir = ScratchDir("main-drop");
  std::string upper = WriteFile(dir, "A.APK", "x");
  std::string lower = WriteFile(dir, "a.apk", std::string(2000, 'x'));
  std::string text = WriteFile(dir, "b.txt", "x");
  Start({});

  SendMessageW(form_->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({upper})), 0);
  EXPECT_EQ(form_->lblSoftInfo->Caption(), "文件类型错误,不支持该文件格式.");
  EXPECT_TRUE(ApkFileName.empty());
  EXPECT_FALSE(form_->sbtbtn1->Enabled());

  SendMessageW(form_->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({lower, text})), 0);
  EXPECT_EQ(ApkFileName, lower);  // stays loaded
  EXPECT_EQ(form_->lblSoftSize->Caption(), "1.95 K");
  EXPECT_TRUE(form_->sbtbtn1->Enabled());
  EXPECT_EQ(form_->lblSoftInfo->Caption(), "文件类型错误,不支持该文件格式.");  // the last file decides
  EXPECT_TRUE(errors_.empty());
}

struct InstallCase {
  const char* name;
  const char* output;  // the install tool's output; null: no script, PTQ_DEVICE below
  const char* device;
  std::vector<std::string> changes;  // after the start changes
};

void PrintTo(const InstallCase& c, std::ostream* os) { *os << c.name; }

class Install : public MainWindow, public testing::WithParamInterface<InstallCase> {};

TEST_P(Install, OutcomeReachesTheWindowInOrder) {
  const InstallCase& c = GetParam();
  std::string dir = ScratchDir(std::string("install-") + c.name);
  Start({SamplePath()});
  ASSERT_TRUE(form_->sbtbtn1->Enabled());
  if (c.output) SetEnvironmentVariableA("PTQAPK_SCRIPT", WriteFile(dir, "out.txt", c.output).c_str());
  if (c.device) SetEnvironmentVariableA("PTQ_DEVICE", c.device);
  form_->lblSoftInfo->Font().SetColor(255);  // as a previous failed install leaves it
  RecordChanges();
  form_->sbtbtn1->Click();
  std::vector<std::string> expected = {"button disabled", "status colour 0",
                                       std::string("status text ") + kInstallingText};
  expected.insert(expected.end(), c.changes.begin(), c.changes.end());
  // The worker ends with its last change; wait for that many changes.
  ASSERT_TRUE(PumpUntil([&] { return changes_.size() >= expected.size(); })) << testing::PrintToString(changes_);
  Sleep(300);
  Application->ProcessMessages();
  EXPECT_EQ(changes_, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, Install,
    testing::Values(
        InstallCase{"success", "3412 KB/s (818 bytes in 0.001s)\r\n\tpkg: /data/local/tmp/VqSample.apk\r\nSuccess\r\n",
                    nullptr,
                    {std::string("status text ") + kUnknownFailureText, "button enabled", "status colour 32768",
                     std::string("status text ") + kInstallSuccessText}},
        InstallCase{"storage", "Failure [INSTALL_FAILED_INSUFFICIENT_STORAGE]\r\n", nullptr,
                    {"button enabled", "status colour 255", std::string("status text ") + kInsufficientStorageText}},
        InstallCase{"other", "Failure [INSTALL_FAILED_OLDER_SDK]\n", nullptr,
                    {"button enabled", "status colour 255", std::string("status text ") + kUnknownFailureText}},
        InstallCase{"nodevice", nullptr, "none", {"button enabled", "status hidden", "error shown"}},
        InstallCase{"unclassified", "Failure[INSTALL_FAILED_OLDER_SDK]\r\nsuccess", nullptr,
                    {std::string("status text ") + kUnknownFailureText}}),
    [](const testing::TestParamInfo<InstallCase>& info) { return std::string(info.param.name); });

TEST_F(MainWindow, InstallOfADeletedPackageSaysItIsMissing) {
  std::string dir = ScratchDir("install-deleted");
  std::string apk = WriteFile(dir, "gone.apk", "x");
  Start({apk});
  DeleteFileA(apk.c_str());
  form_->sbtbtn1->Click();
  ASSERT_TRUE(PumpUntil([&] { return form_->sbtbtn1->Enabled(); }));
  EXPECT_EQ(form_->lblSoftInfo->Caption(), kMissingPackageText);
  EXPECT_EQ(form_->lblSoftInfo->Font().Color(), 255u);
}

// Closes the message box with the given title once it shows up.
struct WindowCloser {
  std::wstring title;
  bool seen = false;
  HANDLE thread = nullptr;
  explicit WindowCloser(const wchar_t* t) : title(t) { thread = CreateThread(nullptr, 0, &Watch, this, 0, nullptr); }
  ~WindowCloser() {
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
  }
  static DWORD WINAPI Watch(void* p) {
    auto* self = static_cast<WindowCloser*>(p);
    for (int i = 0; i < 500; ++i) {
      HWND h = FindWindowW(L"#32770", self->title.c_str());
      if (h) {
        self->seen = true;
        PostMessageW(h, WM_COMMAND, IDOK, 0);
        return 0;
      }
      Sleep(20);
    }
    return 0;
  }
};

TEST_F(MainWindow, InstallWithoutAPackageShowsTheErrorBoxAndStartsNothing) {
  Start({});
  form_->sbtbtn1->SetEnabled(true);
  RecordChanges();
  {
    WindowCloser closer(L"错误");
    form_->sbtbtn1Click(form_->sbtbtn1);
    WaitForSingleObject(closer.thread, INFINITE);
    EXPECT_TRUE(closer.seen);
  }
  EXPECT_TRUE(changes_.empty());
}

TEST_F(MainWindow, HiddenButtonOpensTheDriverDialogModally) {
  Start({});
  EXPECT_FALSE(form_->btn1->Visible());
  struct Step {
    bool sawDialog = false, ownerDisabled = false, cancelKeepsOpen = false;
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
