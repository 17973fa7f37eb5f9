#include "app/uVqMainFrm.h"

#include <shellapi.h>

#include <utility>

#include "app/AppImages.h"
#include "app/BadgingReader.h"
#include "app/BuiltinSkin.h"
#include "app/FileSizeText.h"
#include "app/FileTypeRegistration.h"
#include "app/GbkText.h"
#include "app/GetApkFileSize.h"
#include "app/InstallOutcome.h"
#include "app/PackageDisplayName.h"
#include "app/PackageTools.h"
#include "app/ProgramArguments.h"
#include "app/RunAndCapture.h"
#include "app/AnsiFileName.h"
#include "app/ToolCommandLines.h"
#include "app/UserDecimalSeparator.h"
#include "app/uDriveFrm.h"
#include "app/uStupThread.h"
#include "framework/vclApplication.h"
#include "framework/vclMessageForm.h"
#include "framework/vclParams.h"
#include "framework/vclText.h"

std::wstring AppPath;
std::wstring ApkFileName;
TVqMainFrm* VqMainFrm = nullptr;
std::string MainWindowSkinDirectory = "c:\\Skins";

const char* const kMarketUrl = "http://market.ptqapk.example/";
const char* const kHelpUrl = "http://help.ptqapk.example/usb-driver.html";

namespace {
const TColor kLabelColor = 2171169;  // 0x212121
const char* const kReadyText = "准备就绪,请点击\"安装\"按钮将软件安装到手机.";
const char* const kHelpText =
    "您可以用鼠标拖APK文件到窗体上来进行安装.\r\n您还可以双击APK文件进行安装.\r\n您还可以对APK文件单击鼠标右键进行安装.";
const char* const kWrongTypeText = "文件类型错误,不支持该文件格式.";
const char* const kLoadingText = "正在读取软件信息,请稍候...";
const char* const kUnknown = "未知";
// Posted to the window once it is up, to tell about a skin that could not be loaded.
constexpr UINT WM_SKIN_FELL_BACK = WM_APP + 0x51;

void SetFont(TForm* form, TControl* c, int height, TColor color, unsigned style = 0) {
  c->Font().SetName("Tahoma");
  c->Font().SetHeight(form->Scale(height));
  c->Font().SetColor(color);
  c->Font().SetStyle(style);
}

}  // namespace

TVqMainFrm::TVqMainFrm(TComponent* owner) : TForm(owner) {
  VqMainFrm = this;
  // The program's message boxes carry the same skinned push buttons as its windows.
  SetMessageButtonMaker([](TComponent* box) -> TButton* { return new TsButton(box); });
  TFormDescription d;
  d.Name = "VqMainFrm";
  d.Caption = "铂蜓APK应用安装器 -- Preview 2";
  d.ClientWidth = 450;
  d.ClientHeight = 262;
  d.BorderStyle = bsSingle;
  d.BorderIcons = biSystemMenu | biMinimize;
  d.Position = poDesktopCenter;
  d.FontName = "Tahoma";
  d.FontHeight = -12;
  ApplyDescription(d);
  // The skin manager first: it loads the built-in skin while the window is built
  // and announces it to every control once the window is complete.
  sknmngr1 = new TsSkinManager(this);
  sknmngr1->SetName("sknmngr1");
  sknmngr1->SetExtendedBorders(true);
  sknmngr1->InternalSkins.Add(BuiltinSkinName, BuiltinSkinData(), BuiltinSkinSize());
  sknmngr1->SetSkinDirectory(MainWindowSkinDirectory);
  sknmngr1->ThirdParty.SetText(tpButton, "TButton");
  // A damaged skin of the same name in the skin folder must not stop the start.
  startupSkin_ = SelectStartupSkin(*sknmngr1, BuiltinSkinName);
  // The skinned frame: title, borders and title buttons from the skin's "FORM".
  sknprvdr1 = new TsSkinProvider(this);
  sknprvdr1->SetName("sknprvdr1");
  sknprvdr1->SkinData().SetSkinSection("FORM");
  OnCreate = [this](TComponent* s) { FormCreate(s); };
  OnMouseDown = [this](TComponent* s, TMouseButton b, TShiftState sh, int x, int y) { FormMouseDown(s, b, sh, x, y); };
  auto mouseDown = OnMouseDown;

  il1 = new TImageList(this, 16, 16);
  il1->SetName("il1");
  il1->Add(LoadAppImage(AppImage::InstallGlyph));
  il1->Add(LoadAppImage(AppImage::CloseGlyph));

  grp1 = AddControl<TsGroupBox>(this, "grp1", 16, 12, 417, 137, "软件信息");
  grp1->OnMouseDown = mouseDown;
  img1 = AddControl<TImage>(grp1, "img1", 14, 26, 96, 96, "");
  img1->Center = true;
  img1->SetPicture(LoadAppImage(AppImage::Placeholder));
  img1->OnMouseDown = mouseDown;

  const int tops[4] = {35, 57, 78, 98};
  const char* titles[4] = {"应用包名:", "软件版本:", "系统要求:", "软件大小:"};
  const char* titleNames[4] = {"lbl5", "lbl3", "lbl4", "lbl6"};
  const char* valueNames[4] = {"lblSoftComName", "lblSoftVer", "lblSoftOsVer", "lblSoftSize"};
  TsLabel* titleLabels[4];
  TsLabel* valueLabels[4];
  for (int i = 0; i < 4; ++i) {
    titleLabels[i] = AddControl<TsLabel>(grp1, titleNames[i], 123, tops[i], 0, 0, titles[i]);
    SetFont(this, titleLabels[i], -11, kLabelColor);
    valueLabels[i] = AddControl<TsLabel>(grp1, valueNames[i], 184, tops[i], 0, 0, "未知");
    SetFont(this, valueLabels[i], -12, kLabelColor);
  }
  lbl5 = titleLabels[0];
  lbl3 = titleLabels[1];
  lbl4 = titleLabels[2];
  lbl6 = titleLabels[3];
  lblSoftComName = valueLabels[0];
  lblSoftVer = valueLabels[1];
  lblSoftOsVer = valueLabels[2];
  lblSoftSize = valueLabels[3];

  grp2 = AddControl<TsGroupBox>(this, "grp2", 16, 152, 417, 71, "安装提示");
  grp2->OnMouseDown = mouseDown;
  lblSoftInfo = AddControl<TsLabel>(grp2, "lblSoftInfo", 0, 0, 0, 0, "准备就绪,点击\"安装\"按钮将软件安装到手机.");
  lblSoftInfo->SetAutoSize(false);
  lblSoftInfo->SetAlignment(taCenter);
  lblSoftInfo->SetLayout(tlCenter);
  lblSoftInfo->SetWordWrap(true);
  lblSoftInfo->SetUseSkinColor(false);
  SetFont(this, lblSoftInfo, -12, kLabelColor);
  lblSoftInfo->SetAlignWithMargins(true, TMargins{});
  lblSoftInfo->SetAlign(alClient);
  lblSoftInfo->OnMouseDown = mouseDown;

  lblErrorInfo = AddControl<TsLabel>(grp2, "lblErrorInfo", 0, 0, 0, 0,
                                "安装失败!请将您的手机数据线接入电脑,然后打开手机的USB调试功能.如果仍无法安装,"
                                "那么您需要安装手机驱动.点击这里进入手机驱动安装向导.");
  lblErrorInfo->SetVisible(false);
  lblErrorInfo->SetAutoSize(false);
  lblErrorInfo->SetAlignment(taCenter);
  lblErrorInfo->SetLayout(tlCenter);
  lblErrorInfo->SetWordWrap(true);
  lblErrorInfo->SetUseSkinColor(false);
  lblErrorInfo->SetCursor(crHandPoint);
  SetFont(this, lblErrorInfo, -12, clRed, fsUnderline);
  TMargins errorMargins;
  errorMargins.Top = 6;
  lblErrorInfo->SetAlignWithMargins(true, errorMargins);
  lblErrorInfo->SetAlign(alClient);
  lblErrorInfo->OnClick = [this](TComponent* s) { lblErrorInfoClick(s); };

  lbl7 = AddControl<TsWebLabel>(this, "lbl7", 16, 236, 0, 0, std::string("铂蜓应用市场 ") + "MARKET.PTQAPK.EXAMPLE");
  SetFont(this, lbl7, -11, 8404992);
  lbl7->HoverFont().Assign(lbl7->Font());
  lbl7->HoverFont().SetHeight(Scale(-12));
  lbl7->HoverFont().SetStyle(fsBold);
  lbl7->URL = kMarketUrl;

  sbtbtn1 = AddControl<TsBitBtn>(this, "sbtbtn1", 250, 230, 88, 27, "安装");
  sbtbtn1->SetEnabled(false);
  sbtbtn1->SetImages(il1);
  sbtbtn1->SetImageIndex(0);
  sbtbtn1->OnClick = [this](TComponent* s) { sbtbtn1Click(s); };
  sbtbtn2 = AddControl<TsBitBtn>(this, "sbtbtn2", 344, 230, 89, 27, "关闭");
  sbtbtn2->SetImages(il1);
  sbtbtn2->SetImageIndex(1);
  sbtbtn2->OnClick = [this](TComponent* s) { sbtbtn2Click(s); };
  btn1 = AddControl<TsButton>(this, "btn1", 139, 229, 75, 25, "btn1");
  btn1->SetVisible(false);
  btn1->OnClick = [this](TComponent* s) { btn1Click(s); };
}

void TVqMainFrm::SetStatus(uint32_t color, const std::string& text) {
  lblSoftInfo->Font().SetColor(color);
  lblSoftInfo->SetCaption(text);
}

TVqMainFrm::~TVqMainFrm() {
  // Workers still running find no window to report to.
  if (VqMainFrm == this) VqMainFrm = nullptr;
}

void TVqMainFrm::FormCreate(TComponent*) {
  const std::wstring exe = ProgramFileW();
  AppPath = exe.substr(0, exe.find_last_of(L"\\:") + 1);
  afterFirstPaint_ = new TTimer(this);
  afterFirstPaint_->SetInterval(1);
  afterFirstPaint_->SetOnTimer([this](TComponent*) { AfterFirstPaint(); });
  DragAcceptFiles(Handle(), TRUE);
  if (startupSkin_.fellBack) PostMessageW(Handle(), WM_SKIN_FELL_BACK, 0, 0);
  const std::vector<std::wstring> args = ProgramArgumentsW();
  if (args.size() >= 2) {
    LoadPackage(args[1]);
  } else {
    RegisterFileType(".apk", "铂蜓", "APK程序", WideToGbk(exe), 0, true);
    if (ApkFileName.empty()) SetStatus(clBlack, kHelpText);
  }
}

bool TVqMainFrm::LoadPackage(const std::wstring& path) {
  if (path.empty()) return false;
  ApkFileName = path;
  grp1->SetCaptionW(GbkToWide(kPackageBoxCaptionPrefix) + PackageDisplayNameW(path));
  // A clean sheet: nothing of an earlier package may stay under the new name.
  for (TsLabel* label : {lblSoftComName, lblSoftVer, lblSoftOsVer, lblSoftSize}) label->SetCaption(kUnknown);
  img1->SetPicture(LoadAppImage(AppImage::Placeholder));
  sbtbtn1->SetEnabled(false);
  SetStatus(clBlack, kLoadingText);
  ReadBadging(ApkFileName);
  return true;
}

void TVqMainFrm::AfterFirstPaint() {
  if (afterFirstPaint_) afterFirstPaint_->SetEnabled(false);
  if (started_) return;
  started_ = true;
  // Not serialised and not waited for; UTF-16 so that any program folder works.
  StartHidden(KillServerCommandLine(AppPath));
  StartHidden(StartServerCommandLine(AppPath));
  if (!pendingBadging_.empty()) {
    const std::wstring path = std::move(pendingBadging_);
    pendingBadging_.clear();
    (new TBadgingThread(loadTicket_, AppPath, path))->Start();
  }
}

void TVqMainFrm::ReadBadging(const std::wstring& path) {
  if (path.empty()) return;
  loading_ = true;
  ++loadTicket_;
  if (!started_) {
    pendingBadging_ = path;  // a later file before the first paint replaces it
    return;
  }
  (new TBadgingThread(loadTicket_, AppPath, path))->Start();
}

void TVqMainFrm::FinishLoad(PackageLoadResult r) {
  if (r.ticket != loadTicket_) return;  // a newer drop replaced this load
  loading_ = false;
  if (r.icon) img1->SetPicture(std::move(r.icon));
  if (!r.name.empty()) lblSoftComName->SetCaption(r.name);
  if (r.badging.result == BadgingResult::Package) lblSoftVer->SetCaption(r.version);
  if (!r.androidVersion.empty()) lblSoftOsVer->SetCaption(r.androidVersion);
  lblSoftSize->SetCaption(FileSizeText(GetApkFileSize(ApkFileName), UserDecimalSeparator()));
  const bool isPackage = r.failure.empty() && r.badging.result == BadgingResult::Package;
  sbtbtn1->SetEnabled(isPackage);
  // A file refused while this load ran keeps its message: the last file decides.
  if (lblSoftInfo->Caption() != kLoadingText) return;
  if (!r.failure.empty()) {
    SetStatus(clRed, r.failure);
  } else if (!isPackage) {
    SetStatus(clRed, r.badging.toolError.empty() ? std::string(kBadgingFailedText)
                                                 : std::string(kBadgingFailedText) + "\r\n" + r.badging.toolError);
  } else {
    SetStatus(clBlack, kReadyText);
  }
}

void TVqMainFrm::FormMouseDown(TComponent*, TMouseButton, TShiftState, int, int) {
  ReleaseCapture();
  SendMessageW(Handle(), WM_SYSCOMMAND, 0xF012, 0);
}

void TVqMainFrm::WndProc(TMessage& m) {
  if (m.Msg == WM_DROPFILES) {
    WMDropFiles(m);
    return;
  }
  if (m.Msg == WM_SKIN_FELL_BACK) {
    ShowMessageForm(StartupSkinMessage(startupSkin_), "皮肤", mtWarning);
    return;
  }
  TForm::WndProc(m);
}

void TVqMainFrm::WMDropFiles(TMessage& m) {
  DefaultHandler(m);
  HDROP drop = reinterpret_cast<HDROP>(m.WParam);
  // The drop's memory is ours to free, also when a file's load raises an error.
  struct DropRelease {
    HDROP h;
    ~DropRelease() { DragFinish(h); }
  } release{drop};
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    // UTF-16 and of any length: the name is what the shell dropped, whatever the code page.
    std::wstring file(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
    file.resize(DragQueryFileW(drop, i, &file[0], static_cast<UINT>(file.size())));
    if (!HasApkExtension(std::u16string(file.begin(), file.end())))
      SetStatus(clBlack, kWrongTypeText);
    else
      LoadPackage(file);
  }
}

void TVqMainFrm::sbtbtn1Click(TComponent*) {
  if (ApkFileName.empty()) {
    ShowMessageForm("请双击APK文件进行安装或鼠标拖APK文件到窗口上进行安装.", "错误", mtError);
    return;
  }
  for (const InstallUiChange& change : InstallStartChanges()) ApplyInstallChange(change);
  (new TStupThread())->Start();
}

void TVqMainFrm::ApplyInstallChange(const InstallUiChange& change) {
  switch (change.action) {
    case InstallUiAction::SetStatusColor: lblSoftInfo->Font().SetColor(change.color); break;
    case InstallUiAction::SetStatusText: lblSoftInfo->SetCaption(change.text); break;
    // While a load runs, its end decides about the button.
    case InstallUiAction::EnableInstallButton: if (!loading_) sbtbtn1->SetEnabled(true); break;
    case InstallUiAction::DisableInstallButton: sbtbtn1->SetEnabled(false); break;
    case InstallUiAction::ShowStatusLabel: lblSoftInfo->SetVisible(true); break;
    case InstallUiAction::HideStatusLabel: lblSoftInfo->SetVisible(false); break;
    case InstallUiAction::ShowErrorLabel: lblErrorInfo->SetVisible(true); break;
    case InstallUiAction::HideErrorLabel: lblErrorInfo->SetVisible(false); break;
  }
}

void TVqMainFrm::sbtbtn2Click(TComponent*) { Close(); }

void TVqMainFrm::lblErrorInfoClick(TComponent*) {
  ShellExecuteA(Handle(), "open", kHelpUrl, nullptr, nullptr, SW_SHOWNORMAL);
}

void TVqMainFrm::btn1Click(TComponent*) {
  DriveFrm = TForm::Create<TDriveFrm>(this);
  DriveFrm->ShowModal();
  delete DriveFrm;
  DriveFrm = nullptr;
}
