// The framework's message box: a small modal form with the icon of its kind, the
// text and an OK button. It is a framework form of class "TMessageForm", so a skin
// manager's window-creation hook skins it like the program's other forms (under the
// rule for standard dialogs).
#pragma once

#include <string>

#include "framework/vclForm.h"

class TButton;
class TLabel;

enum TMsgDlgType { mtError, mtWarning, mtInformation };

class TMessageForm : public TForm {
 public:
  // Text and caption are GBK, as every caption of the framework.
  TMessageForm(TComponent* owner, const std::string& text, const std::string& caption, TMsgDlgType type);
  const char* ClassName() const override { return "TMessageForm"; }

  const std::string& Text() const { return text_; }
  TMsgDlgType DlgType() const { return type_; }
  TLabel* Message() const { return message_; }
  TButton* OkButton() const { return ok_; }

  // IDOK and IDCANCEL commands end the box as a platform box's do.
  void WndProc(TMessage& message) override;

 private:
  void Layout();

  std::string text_;
  TMsgDlgType type_;
  TControl* icon_ = nullptr;
  TLabel* message_ = nullptr;
  TButton* ok_ = nullptr;
};

// Makes the box's push button (a plain framework button when none is set); a program
// whose windows carry skinned buttons sets a maker of those.
using TMessageButtonMaker = TButton* (*)(TComponent* owner);
void SetMessageButtonMaker(TMessageButtonMaker maker);

// Shows a message form modally, owned by the main form when there is one, and
// answers IDOK once the user has closed it.
int ShowMessageForm(const std::string& text, const std::string& caption, TMsgDlgType type);
