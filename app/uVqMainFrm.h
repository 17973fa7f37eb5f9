// The main window: package information, install status, install and close buttons.
#pragma once

#include <string>

#include "app/InstallOutcome.h"
#include "app/StartupSkin.h"
#include "app/uBadgingThread.h"
#include "controls/sBitBtn.h"
#include "controls/sButton.h"
#include "controls/sGroupBox.h"
#include "controls/sLabel.h"
#include "frame/sSkinProvider.h"
#include "framework/vclForm.h"
#include "framework/vclTimer.h"
#include "skin/sSkinManager.h"

// The program folder with its trailing backslash; set once at creation. UTF-16,
// like the package path, so that no path is lost to the user's code page.
extern std::wstring AppPath;
// The package last loaded; empty until the first load.
extern std::wstring ApkFileName;

// The skin manager's skin folder, "c:\Skins" as the window is described; a host
// (a test) may point it elsewhere before the window is created.
extern std::string MainWindowSkinDirectory;

// The main window's web addresses.
extern const char* const kMarketUrl;
extern const char* const kHelpUrl;

class TVqMainFrm : public TForm {
 public:
  explicit TVqMainFrm(TComponent* owner);
  const char* ClassName() const override { return "TVqMainFrm"; }
  ~TVqMainFrm() override;

  TsGroupBox* grp1;
  TImage* img1;
  TsLabel* lbl5;
  TsLabel* lbl3;
  TsLabel* lbl4;
  TsLabel* lbl6;
  TsLabel* lblSoftComName;
  TsLabel* lblSoftVer;
  TsLabel* lblSoftOsVer;
  TsLabel* lblSoftSize;
  TsGroupBox* grp2;
  TsLabel* lblSoftInfo;
  TsLabel* lblErrorInfo;
  TsWebLabel* lbl7;
  TsBitBtn* sbtbtn1;
  TsBitBtn* sbtbtn2;
  TsButton* btn1;
  TImageList* il1;
  TsSkinManager* sknmngr1;
  TsSkinProvider* sknprvdr1;

  void FormCreate(TComponent* sender);
  void FormMouseDown(TComponent* sender, TMouseButton button, TShiftState shift, int x, int y);
  void sbtbtn1Click(TComponent* sender);
  void sbtbtn2Click(TComponent* sender);
  void lblErrorInfoClick(TComponent* sender);
  void btn1Click(TComponent* sender);

  // Starts loading: the path, the caption and a clean sheet at once, the badging on
  // its own thread (FinishLoad completes it). False for an empty path.
  bool LoadPackage(const std::wstring& path);
  void ReadBadging(const std::wstring& path);
  // Whether a load is still waiting for its badging run.
  bool PackageLoading() const { return loading_; }
  // The end of a load, on the GUI thread; results of replaced loads are dropped,
  // their icon with them.
  void FinishLoad(PackageLoadResult result);
  // How the skin of the skin folder fared at start.
  const StartupSkinResult& StartupSkin() const { return startupSkin_; }
  // Sets the status label's font colour and caption.
  void SetStatus(uint32_t color, const std::string& text);
  // Carries out one change an install asks for (on the GUI thread).
  void ApplyInstallChange(const InstallUiChange& change);

  void WndProc(TMessage& message) override;

 private:
  void WMDropFiles(TMessage& message);

  // What the start leaves until its first paint has been made: the bridge's server
  // restart and the first badging run (starting a process costs tens of
  // milliseconds on some platforms). A timer's tick comes after pending paints.
  void AfterFirstPaint();

  StartupSkinResult startupSkin_;
  unsigned loadTicket_ = 0;
  bool loading_ = false;
  bool started_ = false;         // AfterFirstPaint has run
  std::wstring pendingBadging_;  // the load waiting for it
  TTimer* afterFirstPaint_ = nullptr;
};

extern TVqMainFrm* VqMainFrm;
