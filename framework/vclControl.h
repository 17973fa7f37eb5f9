// Controls: components with a parent, bounds, caption, font, colour, enabled and
// visible states. A control's messages go through its replaceable WindowProc, so
// a skin component can take a control's message handling over and pass messages on.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "framework/vclComponent.h"
#include "framework/vclFont.h"
#include "framework/vclMessages.h"

class TWinControl;
class TCanvas;

// Colours: 0x00BBGGRR, or a system colour with the top byte 0xFF and the index in the low byte.
using TColor = uint32_t;
constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clGreen = 0x008000;
constexpr TColor clBtnFace = 0xFF000000 | COLOR_BTNFACE;
constexpr TColor clWindow = 0xFF000000 | COLOR_WINDOW;
constexpr TColor clWindowText = 0xFF000000 | COLOR_WINDOWTEXT;
constexpr TColor clBtnText = 0xFF000000 | COLOR_BTNTEXT;
constexpr TColor clGrayText = 0xFF000000 | COLOR_GRAYTEXT;
constexpr TColor clNone = 0x1FFFFFFF;
COLORREF ResolveColor(TColor color);

enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftFlag : unsigned { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64 };
using TShiftState = unsigned;
using TMouseEvent = std::function<void(TComponent* sender, TMouseButton button, TShiftState shift, int x, int y)>;
enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TCursor { crDefault, crArrow, crHandPoint };

struct TMargins {
  int Left = 3, Top = 3, Right = 3, Bottom = 3;
};

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* owner);
  ~TControl() override;

  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* parent);

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  virtual void SetBounds(int left, int top, int width, int height);
  RECT BoundsRect() const { return RECT{left_, top_, left_ + width_, top_ + height_}; }
  RECT ClientRect() const { return RECT{0, 0, width_, height_}; }

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  // A caption with characters GBK cannot hold: Caption() then gives its GBK form,
  // CaptionW() the text as it is, for painting.
  void SetCaptionW(const std::wstring& caption);
  std::wstring CaptionW() const;
  TFont& Font() { return font_; }
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Visible() const { return visible_; }
  virtual void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor cursor) { cursor_ = cursor; }
  TAlign Align() const { return align_; }
  void SetAlign(TAlign align);
  bool AlignWithMargins() const { return alignWithMargins_; }
  void SetAlignWithMargins(bool on, const TMargins& margins);
  const TMargins& Margins() const { return margins_; }
  bool MouseInControl() const { return mouseIn_; }
  // The control covers its whole rectangle when it paints (nothing of its parent
  // shows through); skinned containers then leave its place out of their own copy.
  bool Opaque() const { return opaque_; }
  void SetOpaque(bool on) { opaque_ = on; }

  TNotifyEvent OnClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

  // The message handler; replace it to take the control's messages over and call the
  // previous one to pass them on.
  std::function<void(TMessage&)> WindowProc;
  // Sends a message straight to WindowProc (direct dispatch; works without a window).
  LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
  virtual void WndProc(TMessage& message);

  virtual bool IsWindowed() const { return false; }
  virtual void Invalidate();
  virtual void Repaint();
  virtual void Click();
  // Drawing of a windowless control onto its parent's canvas, origin at the control.
  virtual void Paint(TCanvas& canvas) {}
  // Visible, and every parent up to the form visible too.
  bool Showing() const;
  // Position of the control's origin in the client area of its nearest windowed ancestor
  // (the parent for a windowless control).
  POINT ClientOrigin() const;

 protected:
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y) {}
  virtual void FontChanged() { Invalidate(); }
  virtual void TextChanged() { Invalidate(); }
  // Called when the size a control wants may have changed (labels size themselves).
  virtual void AdjustSize() {}
  void RequestAlign();

  TWinControl* parent_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  std::string caption_;
  std::wstring wideCaption_;  // empty unless set through SetCaptionW
  TFont font_;
  TColor color_ = clBtnFace;
  bool enabled_ = true;
  bool visible_ = true;
  TCursor cursor_ = crDefault;
  TAlign align_ = alNone;
  bool alignWithMargins_ = false;
  TMargins margins_;
  bool mouseIn_ = false;
  bool pressed_ = false;
  bool opaque_ = false;

  friend class TWinControl;
};

// Mouse message parameters as the framework hands them to handlers.
TShiftState ShiftFromKeys(WPARAM keys);
