// The application object: owns the forms, runs the message loop, reports errors
// raised in handlers with the standard error box, and carries calls from worker
// threads into the GUI thread.
#pragma once

#include <windows.h>

#include <exception>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "framework/vclComponent.h"
#include "framework/vclMessages.h"

class TForm;

class TApplication : public TComponent {
 public:
  TApplication();
  ~TApplication() override;

  void Initialize();
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title) { title_ = title; }
  // The main form, not a hidden application window, owns the task-bar button.
  bool MainFormOnTaskBar = false;
  TForm* MainForm() const { return mainForm_; }

  // Creates a form owned by the application; the first one becomes the main form.
  template <class T>
  T* CreateForm() {
    T* form = new T(this);
    if (!mainForm_) mainForm_ = form;
    form->FinishCreate();
    return form;
  }

  // Shows the main form and processes messages until it closes.
  void Run();
  // Handles every message waiting in the queue, then returns.
  void ProcessMessages();
  bool Terminated() const { return terminated_; }
  void Terminate();

  // The standard error box: the error's message, the application title, an error icon.
  // OnException replaces it (for embedding the forms elsewhere).
  void HandleException(const std::exception& e);
  std::function<void(const std::exception&)> OnException;

  // Runs `call` on the GUI thread and waits for it; calls from one thread keep their order.
  // Called on the GUI thread itself, it runs the call at once.
  void Synchronize(const std::function<void()>& call);
  // The hidden window that carries synchronized calls and timers.
  HWND UtilityWindow();
  DWORD MainThreadId() const { return mainThreadId_; }

  // Hooks on the application window's messages (the utility window): each sees every
  // message first, in the order installed; one that answers true has handled it.
  using TWindowHook = std::function<bool(TMessage&)>;
  int HookMainWindow(TWindowHook hook);
  void UnhookMainWindow(int id);

  // The forms that exist, in creation order (the screen's form list).
  int FormCount() const;
  TForm* Forms(int index) const;
  void AddForm(TForm* form);
  void RemoveForm(TForm* form);

 private:
  bool ProcessMessage(MSG& msg);
  static LRESULT CALLBACK UtilityProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

  std::string title_;
  TForm* mainForm_ = nullptr;
  bool terminated_ = false;
  HWND utility_ = nullptr;
  DWORD mainThreadId_;
  struct FormList;
  FormList* forms_;
  std::vector<std::pair<int, TWindowHook>> hooks_;
  int nextHookId_ = 1;
};

// The program's one application object (created on first use).
extern TApplication* const& Application;
TApplication* GetApplication();
