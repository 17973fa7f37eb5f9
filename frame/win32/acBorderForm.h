// The extended border: a borderless per-pixel-alpha window just behind a skinned
// form that shows the whole frame image (shadow, border, title with icon, caption and
// title buttons) while the form itself is cut down to its client area. It forwards
// mouse input on the frame to the form's provider, lets clicks in the shadow through
// to whatever lies below, and follows the form's moves, size, activation, visibility
// and z-order.
#pragma once

#include <windows.h>

#include "frame/acFrameModel.h"
#include "framework/vclSubclass.h"
#include "paint/acBitmap.h"

class TsSkinProvider;

class TacBorderForm : public TWindowSubclass {
 public:
  // Creates the border window hidden; the first UpdateBorder shows it.
  explicit TacBorderForm(TsSkinProvider* owner);
  ~TacBorderForm() override;

  HWND BorderWindow() const { return Window(); }
  // Brings the border window in line with the form: position and z-order always, the
  // frame image (recomposed when dirty) when `repaint` or when the size changed.
  void UpdateBorder(bool repaint, int opacity = 255);
  // What a point (screen coordinates) on the border window means (-1: nothing).
  int BorderHitTest(POINT screen);
  // The point (border-window coordinates) lies in the shadow.
  bool InShadow(POINT local) const;
  // Puts the border window behind the form again once the messages queued now are
  // handled (activation may have stacked it elsewhere).
  void ReplaceLater();
  // The opacity of the last image handed to the platform (-1 before any).
  int SentOpacity() const { return sentOpacity_; }

 protected:
  void WndProc(TMessage& m) override;

 private:
  TacFrameModel Model() const;
  void SendImage(const TacFrameModel& m, HWND insertAfter, POINT at, int opacity);
  void UpdateRegion(const TacFrameModel& m, int width, int height);
  // Mouse input in the shadow: a hole at the point lets the following input through
  // to the window below, and this message goes there at once.
  void PassThrough(TMessage& m, POINT screen);
  void TrackLeave();

  TsSkinProvider* owner_;
  TacBitmapPtr premultiplied_;  // the frame image as the platform takes it
  bool updating_ = false;
  bool passingThrough_ = false;
  bool tracking_ = false;
  int sentOpacity_ = -1;
  SIZE sentSize_{0, 0};
};
