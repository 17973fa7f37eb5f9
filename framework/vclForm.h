// Top-level windows built in code from a description that mirrors a form table:
// client size at 96 dpi, border style and icons, placement, caption and font.
#pragma once

#include <string>

#include "framework/vclWinControl.h"

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow };
enum TBorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
enum TPosition { poDesigned, poScreenCenter, poDesktopCenter, poMainFormCenter, poOwnerFormCenter };
enum TModalResult { mrNone = 0, mrOk = 1, mrCancel = 2 };
enum TCloseAction { caNone, caHide, caFree, caMinimize };

struct TFormDescription {
  std::string Name;
  std::string Caption;
  int ClientWidth = 0;
  int ClientHeight = 0;
  TFormBorderStyle BorderStyle = bsSizeable;
  unsigned BorderIcons = biSystemMenu | biMinimize | biMaximize;
  TPosition Position = poDesigned;
  int Left = 0, Top = 0;
  std::string FontName = "Tahoma";
  int FontHeight = -11;
};

class TForm : public TWinControl {
 public:
  const char* ClassName() const override { return "TForm"; }
  explicit TForm(TComponent* owner);
  ~TForm() override;

  // Creates a form owned by `owner`, reads its description and runs OnCreate.
  template <class T>
  static T* Create(TComponent* owner) {
    T* form = new T(owner);
    form->FinishCreate();
    return form;
  }
  // Ends construction: components are told loading is done, then OnCreate runs.
  // An error in OnCreate shows the standard error box; the form still exists.
  void FinishCreate();

  void ApplyDescription(const TFormDescription& description);
  // Adds a control row of a form table: owned by the form, bounds at 96 dpi, the form's font.
  template <class T>
  T* AddControl(TWinControl* parent, const char* name, int left, int top, int width, int height,
                const std::string& caption) {
    T* c = new T(this);
    c->SetName(name);
    c->SetCaption(caption);
    c->SetBounds(Scale(left), Scale(top), Scale(width), Scale(height));
    c->Font().Assign(Font());
    c->SetParent(parent);
    return c;
  }
  // Sizes in the description are at 96 dpi; this scales them to the screen.
  int Scale(int value) const;

  int ClientWidth() const { return clientWidth_; }
  int ClientHeight() const { return clientHeight_; }
  void SetClientSize(int width, int height);
  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  unsigned BorderIcons() const { return borderIcons_; }
  TPosition Position() const { return position_; }

  // The whole window drawn at AlphaBlendValue opacity (a layered window).
  bool AlphaBlend() const { return alphaBlend_; }
  void SetAlphaBlend(bool value);
  int AlphaBlendValue() const { return alphaBlendValue_; }
  void SetAlphaBlendValue(int value);

  void SetVisible(bool visible) override;
  void Show();
  int ShowModal();
  bool Modal() const { return modal_; }
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int result) { modalResult_ = result; }
  // Closes the form: ends a modal loop with mrCancel, ends the program for the main form,
  // otherwise hides it.
  void Close();

  // Moves focus to the next (or previous) tab stop among the form's windowed controls.
  void SelectNext(bool forward);

  TNotifyEvent OnCreate;
  TNotifyEvent OnShow;
  std::function<void(TComponent* sender, TCloseAction& action)> OnClose;

  // The control's own client area (the window's client rectangle).
  RECT AdjustedClientRect() const override { return RECT{0, 0, clientWidth_, clientHeight_}; }
  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void PlaceOnScreen();

 private:
  void CollectTabStops(TWinControl* parent, std::vector<TWinControl*>& out);
  void ApplyAlphaBlend();

  int clientWidth_ = 0;
  int clientHeight_ = 0;
  TFormBorderStyle borderStyle_ = bsSizeable;
  unsigned borderIcons_ = biSystemMenu | biMinimize | biMaximize;
  TPosition position_ = poDesigned;
  bool modal_ = false;
  int modalResult_ = mrNone;
  bool placed_ = false;
  bool alphaBlend_ = false;
  int alphaBlendValue_ = 255;
};
