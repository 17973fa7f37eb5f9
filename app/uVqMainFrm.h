// The main window: package information, install status, install and close buttons.
#pragma once

#include <string>

#include "app/InstallOutcome.h"
#include "controls/sBitBtn.h"
#include "controls/sButton.h"
#include "controls/sGroupBox.h"
#include "controls/sLabel.h"
#include "framework/vclForm.h"
#include "skin/sSkinManager.h"

// The program folder with its trailing backslash; set once at creation.
extern std::string AppPath;
// The package last loaded; empty until the first load.
extern std::string ApkFileName;

// The main window's web addresses.
extern const char* const kMarketUrl;
extern const char* const kHelpUrl;

class TVqMainFrm : public TForm {
 public:
  explicit TVqMainFrm(TComponent* owner);

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

  void FormCreate(TComponent* sender);
  void FormMouseDown(TComponent* sender, TMouseButton button, TShiftState shift, int x, int y);
  void sbtbtn1Click(TComponent* sender);
  void sbtbtn2Click(TComponent* sender);
  void lblErrorInfoClick(TComponent* sender);
  void btn1Click(TComponent* sender);

  bool LoadPackage(const std::string& path);
  void ReadBadging(const std::string& path);
  // Sets the status label's font colour and caption.
  void SetStatus(uint32_t color, const std::string& text);
  // Carries out one change an install asks for (on the GUI thread).
  void ApplyInstallChange(const InstallUiChange& change);

  void WndProc(TMessage& message) override;

 private:
  void WMDropFiles(TMessage& message);
};

extern TVqMainFrm* VqMainFrm;
