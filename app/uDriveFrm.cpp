#include "app/uDriveFrm.h"

TDriveFrm* DriveFrm = nullptr;

namespace {
template <class T>
T* Place(TForm* form, TWinControl* parent, const char* name, int l, int t, int w, int h, const char* caption) {
  T* c = new T(form);
  c->SetName(name);
  c->SetCaption(caption);
  c->SetBounds(form->Scale(l), form->Scale(t), form->Scale(w), form->Scale(h));
  c->Font().Assign(form->Font());
  c->SetParent(parent);
  return c;
}
}  // namespace

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

  grp1 = Place<TsGroupBox>(this, this, "grp1", 16, 8, 273, 129, "选择您的手机品牌");
  rb1 = Place<TsRadioButton>(this, grp1, "rb1", 32, 32, 172, 20, "HTC (全序列包含谷歌手机)");
  rb2 = Place<TsRadioButton>(this, grp1, "rb2", 32, 58, 167, 20, "三星 (全序列Android手机)");
  rb3 = Place<TsRadioButton>(this, grp1, "rb3", 32, 84, 191, 20, "摩托罗拉 (全序列Android手机)");
  rb1->SetChecked(true);
  sbtbtn1 = Place<TsBitBtn>(this, this, "sbtbtn1", 117, 143, 83, 25, "安装驱动");
  sbtbtn2 = Place<TsBitBtn>(this, this, "sbtbtn2", 206, 143, 83, 25, "取消安装");
  sbtbtn2->OnClick = [this](TComponent* s) { sbtbtn2Click(s); };
}

void TDriveFrm::sbtbtn2Click(TComponent*) { Close(); }
