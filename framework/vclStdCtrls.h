// The plain controls: labels, push buttons (with an optional glyph), group boxes,
// radio buttons, panels, pictures and image lists. The skinned controls derive
// from these and take their drawing over.
#pragma once

#include <cstddef>
#include <functional>
#include <utility>
#include <vector>

#include "framework/vclWinControl.h"
#include "paint/acBitmap.h"

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TTextLayout { tlTop, tlCenter, tlBottom };

class TLabel : public TControl {
 public:
  const char* ClassName() const override { return "TLabel"; }
  explicit TLabel(TComponent* owner);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool on);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment a) { alignment_ = a; Invalidate(); }
  TTextLayout Layout() const { return layout_; }
  void SetLayout(TTextLayout l) { layout_ = l; Invalidate(); }
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool on);
  void Paint(TCanvas& canvas) override;
  // DrawText flags for the label's alignment, layout and wrapping.
  UINT TextFlags() const;

 protected:
  void AdjustSize() override;
  // The rectangle the text takes inside the label, for the current settings.
  RECT TextRect(HDC dc) const;

  bool autoSize_ = true;
  TAlignment alignment_ = taLeftJustify;
  TTextLayout layout_ = tlTop;
  bool wordWrap_ = false;
};

class TButton : public TCustomControl {
 public:
  const char* ClassName() const override { return "TButton"; }
  explicit TButton(TComponent* owner);
  void WndProc(TMessage& message) override;
  void Paint(TCanvas& canvas) override;
  bool Down() const { return down_; }

 protected:
  void PaintBackground(TCanvas& canvas) override {}
  // Glyph drawn left of the caption; none for a plain button.
  virtual const TacBitmap* GlyphBitmap() const { return nullptr; }
  bool down_ = false;      // pressed and the mouse still over it
  bool tracking_ = false;  // left button went down on it
};

class TImageList : public TComponent {
 public:
  const char* ClassName() const override { return "TImageList"; }
  TImageList(TComponent* owner, int width, int height) : TComponent(owner), width_(width), height_(height) {}
  ~TImageList() override {
    // Whoever still points at the list forgets it now.
    std::vector<std::pair<const void*, std::function<void()>>> notify;
    notify.swap(freeNotifications_);
    for (auto& n : notify) n.second();
  }
  // onFree runs once when the list is destroyed; a key names the registration.
  void AddFreeNotification(const void* key, std::function<void()> onFree) {
    RemoveFreeNotification(key);
    freeNotifications_.emplace_back(key, std::move(onFree));
  }
  void RemoveFreeNotification(const void* key) {
    for (size_t i = 0; i < freeNotifications_.size(); ++i)
      if (freeNotifications_[i].first == key) {
        freeNotifications_.erase(freeNotifications_.begin() + static_cast<std::ptrdiff_t>(i));
        return;
      }
  }
  int Width() const { return width_; }
  int Height() const { return height_; }
  int Count() const { return static_cast<int>(images_.size()); }
  void Add(TacBitmapPtr image) { images_.push_back(std::move(image)); }
  const TacBitmap* Image(int index) const {
    return index >= 0 && index < Count() ? images_[static_cast<size_t>(index)].get() : nullptr;
  }

 private:
  int width_, height_;
  std::vector<TacBitmapPtr> images_;
  std::vector<std::pair<const void*, std::function<void()>>> freeNotifications_;
};

class TBitBtn : public TButton {
 public:
  const char* ClassName() const override { return "TBitBtn"; }
  using TButton::TButton;
  void SetGlyph(TImageList* images, int index) { images_ = images; imageIndex_ = index; Invalidate(); }

 protected:
  const TacBitmap* GlyphBitmap() const override { return images_ ? images_->Image(imageIndex_) : nullptr; }
  TImageList* images_ = nullptr;
  int imageIndex_ = -1;
};

class TGroupBox : public TCustomControl {
 public:
  const char* ClassName() const override { return "TGroupBox"; }
  explicit TGroupBox(TComponent* owner);
  void Paint(TCanvas& canvas) override;
  RECT AdjustedClientRect() const override;

 protected:
  int CaptionHeight() const;
  void TextChanged() override;
};

class TRadioButton : public TCustomControl {
 public:
  const char* ClassName() const override { return "TRadioButton"; }
  explicit TRadioButton(TComponent* owner);
  bool Checked() const { return checked_; }
  // Virtual so that a skinned radio button sees its siblings being unchecked too.
  virtual void SetChecked(bool on);
  void WndProc(TMessage& message) override;
  void Paint(TCanvas& canvas) override;
  void Click() override;

 protected:
  bool checked_ = false;
};

class TPanel : public TCustomControl {
 public:
  const char* ClassName() const override { return "TPanel"; }
  using TCustomControl::TCustomControl;
};

class TImage : public TControl {
 public:
  const char* ClassName() const override { return "TImage"; }
  explicit TImage(TComponent* owner) : TControl(owner) {}
  void SetPicture(TacBitmapPtr picture) { picture_ = std::move(picture); Invalidate(); }
  const TacBitmap* Picture() const { return picture_.get(); }
  bool Center = false;
  void Paint(TCanvas& canvas) override;

 private:
  TacBitmapPtr picture_;
};
