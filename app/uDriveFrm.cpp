#include "app/uDriveFrm.h"

TDriveFrm* DriveFrm = nullptr;

TDriveFrm::TDriveFrm(TComponent* owner) : TForm(owner) {
  TFormDescription d;
  d.Name = "DriveFrm";
  d.Caption = "手机驱动安装向导";
  d.ClientWidth = 305;
  d.ClientHeight = 174;
  d.BorderStyle = bsSingle;
  d.BorderIcons = biSystemMenu;
  d.Position = poMainFormCenter;
  d.FontName = "Tahoma";
  d.FontHeight = -12;
  ApplyDescription(d);

  grp1 = AddControl<TsGroupBox>(this, "grp1", 16, 8, 273, 129, "选择您的手机品牌");
  rb1 = AddControl<TsRadioButton>(grp1, "rb1", 32, 32, 172, 20, "HTC (全序列包含谷歌手机)");
  rb2 = AddControl<TsRadioButton>(grp1, "rb2", 32, 58, 167, 20, "三星 (全序列Android手机)");
  rb3 = AddControl<TsRadioButton>(grp1, "rb3", 32, 84, 191, 20, "摩托罗拉 (全序列Android手机)");
  rb1->SetChecked(true);
  sbtbtn1 = AddControl<TsBitBtn>(this, "sbtbtn1", 117, 143, 83, 25, "安装驱动");
  sbtbtn2 = AddControl<TsBitBtn>(this, "sbtbtn2", 206, 143, 83, 25, "取消安装");
  sbtbtn2->OnClick = [this](TComponent* s) { sbtbtn2Click(s); };
}

void TDriveFrm::sbtbtn2Click(TComponent*) { Close(); }
