// Windowed controls: a real window, a list of child controls in control order,
// painting of windowless children, mouse routing to them, and hover tracking.
#pragma once

#include <vector>

#include "framework/vclControl.h"

struct TCreateParams {
  DWORD Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  DWORD ExStyle = 0;
  HWND WndParent = nullptr;
  int X = 0, Y = 0, Width = 0, Height = 0;
};

class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;

  bool IsWindowed() const override { return true; }
  // The window, created on first use (and the parents' windows before it).
  HWND Handle();
  bool HandleAllocated() const { return hwnd_ != nullptr; }
  void HandleNeeded() { Handle(); }
  void DestroyHandle();

  int ControlCount() const { return static_cast<int>(controls_.size()); }
  TControl* Controls(int index) const { return controls_[static_cast<size_t>(index)]; }
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  // The visible windowless child under a client point, topmost first; null if none.
  TControl* GraphicControlAt(POINT p) const;

  void SetBounds(int left, int top, int width, int height) override;
  void SetVisible(bool visible) override;
  void Invalidate() override;
  void Repaint() override;

  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool on) { tabStop_ = on; }
  void SetFocus();
  bool Focused() const;
  bool CanFocus() const;

  // Client area available to aligned children (a group box leaves room for its caption).
  virtual RECT AdjustedClientRect() const { return ClientRect(); }
  void AlignControls();

  void WndProc(TMessage& message) override;
  // Hands a message to the platform's default processing.
  virtual void DefaultHandler(TMessage& message);
  // Paints background, own content and windowless children into a DC (double-buffered by WM_PAINT).
  virtual void PaintWindow(HDC dc);
  // The background of the client area; default: the control's colour.
  virtual void PaintBackground(TCanvas& canvas);
  void PaintControls(HDC dc);

  // The control behind a window created by the framework, or null.
  static TWinControl* FromHandle(HWND hwnd);
  // A message to this control's window, sent from the window's own thread. While
  // nothing has taken over the window's procedure, the control's handler is called
  // as that procedure would call it, without the platform's round trip (hooks on
  // sent messages do not see such a call); otherwise it is sent. 0 without a window.
  LRESULT SendToOwnWindow(UINT msg, WPARAM wParam, LPARAM lParam);

 protected:
  virtual void CreateParams(TCreateParams& params);
  virtual void CreateWnd();
  virtual void HandleCreated() {}
  void UpdateWindowBounds();

 private:
  static LRESULT CALLBACK StdWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void RouteMouse(TMessage& message);
  void SetHotChild(TControl* child);

  HWND hwnd_ = nullptr;
  std::vector<TControl*> controls_;
  bool tabStop_ = false;
  bool tracking_ = false;
  TControl* hotChild_ = nullptr;
  TControl* captureChild_ = nullptr;
  bool aligning_ = false;

  friend class TControl;
};

// A windowed control that draws its own content in Paint.
class TCustomControl : public TWinControl {
 public:
  using TWinControl::TWinControl;
};
