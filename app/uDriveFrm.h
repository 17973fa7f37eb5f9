// The driver wizard dialog: the user picks the phone's brand. Installing the driver
// itself is not offered yet, so its install button does nothing.
#pragma once

#include "controls/sBitBtn.h"
#include "controls/sGroupBox.h"
#include "controls/sRadioButton.h"
#include "framework/vclForm.h"

class TDriveFrm : public TForm {
 public:
  explicit TDriveFrm(TComponent* owner);
  const char* ClassName() const override { return "TDriveFrm"; }

  TsGroupBox* grp1;
  TsRadioButton* rb1;
  TsRadioButton* rb2;
  TsRadioButton* rb3;
  TsBitBtn* sbtbtn1;
  TsBitBtn* sbtbtn2;

  void sbtbtn2Click(TComponent* sender);
};

extern TDriveFrm* DriveFrm;
