// Glows around hot items: a click-through, semi-transparent tool window laid over
// the item and a little beyond, showing a nine-part skin image. All live glows sit
// in one program-wide list; callers hold a glow by its position there (its id).
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/vclSubclass.h"
#include "paint/acBitmap.h"
#include "paint/acRect.h"
#include "skin/sSkinModel.h"

class TacGlowEffect {
 public:
  explicit TacGlowEffect(const TsSkinModel* manager);
  virtual ~TacGlowEffect();
  TacGlowEffect(const TacGlowEffect&) = delete;
  TacGlowEffect& operator=(const TacGlowEffect&) = delete;

  // Bitmap := a w x h 32-bit bitmap of transparent black with the glow image drawn as
  // a border (edges and corners with their own alpha, the centre left empty).
  virtual void PrepareBitmap(int width, int height);

  // Makes the window over `item` (screen coordinates), cut to its `visible` part (item
  // coordinates), and sets its picture once. A glow that has a window is not shown
  // again. False when nothing can be shown: no layered windows, no image, nothing visible.
  bool Show(const TacRect& item, const TacRect& visible, HWND owner);

  const TsSkinModel* Manager;  // whose mask table holds the glow image
  int MaskIndex = -1;
  int Margin = 0;              // how far the image's fixed edges reach in over the item
  HWND Window = nullptr;
  TacBitmapPtr Bitmap;         // exists only while the picture is being set

 private:
  // Lets the mouse through to what lies below; forgets the window when its owner
  // destroys it first.
  class GlowSubclass : public TWindowSubclass {
   public:
    explicit GlowSubclass(TacGlowEffect& glow) : glow_(glow) {}

   protected:
    void WndProc(TMessage& message) override;
    void WindowDestroyed() override { glow_.Window = nullptr; }

   private:
    TacGlowEffect& glow_;
  };

  void FreeWindow();
  GlowSubclass subclass_{*this};
};

// The program-wide list. Hiding a glow frees it and leaves an empty slot, so ids stay
// valid until the list is cleared. Freed (with every window) at program end.
class TacGlowEffects {
 public:
  TacGlowEffects() = default;
  ~TacGlowEffects();
  TacGlowEffects(const TacGlowEffects&) = delete;
  TacGlowEffects& operator=(const TacGlowEffects&) = delete;

  int Add(std::unique_ptr<TacGlowEffect> glow);
  // Ids outside the list or already hidden are ignored.
  void Hide(int id);
  void Clear();
  int Count() const { return static_cast<int>(items_.size()); }
  // The glow of an id, null when there is none.
  TacGlowEffect* Item(int id) const;

 private:
  std::vector<std::unique_ptr<TacGlowEffect>> items_;
};

TacGlowEffects& GlowEffects();

// Shows a glow over `item` (screen coordinates) with the image of section `section`
// named propertyBase + "0" (exact names) in `manager` (null: the default manager).
// `alpha` is not used: the picture carries its own alpha. `owner` being topmost makes
// the glow topmost. Answers the new glow's id, or -1 when no glow can be shown
// (no layered-window function, no such image, nothing of the item visible).
int ShowGlow(const TacRect& item, const TacRect& visible, const std::string& section, const std::string& propertyBase,
             int margin, int alpha, HWND owner, const TsSkinModel* manager);
void HideGlow(int id);
void ClearGlows();
