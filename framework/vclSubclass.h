// Taking over the messages of a window, also one we did not create (a message box,
// a dialog, a standard control): the object subclasses the window under its own id
// through comctl32's subclass chain, sees each message first, and hands what it does
// not answer on with Inherited. Several objects may subclass one window; the one
// attached last sees a message first. The object lets go of the window when the window
// is destroyed (WM_NCDESTROY) or when the object is, whichever comes first. Attach,
// Detach and destruction belong on the window's own thread.
#pragma once

#include <windows.h>

#include <functional>

#include "framework/vclMessages.h"

class TWindowSubclass {
 public:
  TWindowSubclass() = default;
  virtual ~TWindowSubclass();
  TWindowSubclass(const TWindowSubclass&) = delete;
  TWindowSubclass& operator=(const TWindowSubclass&) = delete;

  // Subclasses `window` (after letting go of a window held before). False when the
  // window does not exist or the platform refuses.
  bool Attach(HWND window);
  // Lets go of the window; nothing when none is held.
  void Detach();
  HWND Window() const { return window_; }
  bool Attached() const { return window_ != nullptr; }

 protected:
  // Sees every message of the window. The default hands it on unchanged.
  virtual void WndProc(TMessage& message) { Inherited(message); }
  // Hands a message to the next in the chain (the window's own procedure last) and
  // stores its answer in message.Result.
  void Inherited(TMessage& message);
  // The window is being destroyed; the object has already let go of it and may free
  // itself here.
  virtual void WindowDestroyed() {}

 private:
  static LRESULT CALLBACK SubclassProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                       DWORD_PTR data);
  HWND window_ = nullptr;
  HWND current_ = nullptr;
};

// A subclass whose answer is a function: handy where a class of its own is too much.
// The function answers true when it has handled the message (and set its Result);
// false hands the message on.
class TMessageSubclass : public TWindowSubclass {
 public:
  using THandler = std::function<bool(TMessage& message)>;
  explicit TMessageSubclass(THandler handler) : handler_(std::move(handler)) {}

 protected:
  void WndProc(TMessage& message) override;

 private:
  THandler handler_;
};
