// Popup menus: a tree of menu items and the menu that shows them at a screen point.
// The platform menu is built each time the menu is shown and freed when it closes.
// Every popup is owned by one hidden window of the framework, which hands the
// platform's measure and draw requests of owner-drawn items to the items' handlers;
// the command chosen runs the item's OnClick after the menu has closed.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "framework/vclCanvas.h"
#include "framework/vclComponent.h"
#include "framework/vclShortCut.h"
#include "paint/acBitmap.h"

class TImageList;
class TPopupMenu;
class TMenuItem;

// A break starts a new column before the item (mbBarBreak with a line between).
enum TMenuBreak { mbNone, mbBreak, mbBarBreak };

// Asked for an owner-drawn item's size; width and height come in with the
// framework's own measure.
using TMenuMeasureItemEvent = std::function<void(TMenuItem* sender, TCanvas& canvas, int& width, int& height)>;
// Paints an owner-drawn item into r of the canvas; state holds the platform's ODS_* bits.
using TMenuDrawItemEvent = std::function<void(TMenuItem* sender, TCanvas& canvas, const RECT& r, UINT state)>;

class TMenuItem : public TComponent {
 public:
  // The owner frees the item until it is added to a parent, which owns it from then on.
  explicit TMenuItem(TComponent* owner);
  ~TMenuItem() override;

  std::string Caption;  // GBK; "-" is a separator
  intptr_t Tag = 0;
  bool Enabled = true;
  bool Visible = true;
  bool Checked = false;
  bool RadioItem = false;
  bool Default = false;  // shown bold, chosen by a double click
  TMenuBreak Break = mbNone;
  TShortCut ShortCut = scNone;
  TacBitmapPtr Bitmap;                  // the item's own image, or null
  int ImageIndex = -1;                  // in the menu's image list
  TImageList* SubMenuImages = nullptr;  // images of the children, instead of the menu's
  TNotifyEvent OnClick;
  TMenuMeasureItemEvent OnMeasureItem;
  TMenuDrawItemEvent OnDrawItem;
  TMenuDrawItemEvent OnAdvancedDrawItem;
  // Who set OnMeasureItem and OnDrawItem: null for the program itself; a skin marks
  // the handlers it installs, so that it takes away only its own.
  const void* HandlersOwner = nullptr;

  TMenuItem* Parent() const { return parent_; }
  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int index) const { return items_[static_cast<size_t>(index)]; }
  int IndexOf(const TMenuItem* item) const;
  // Position among the parent's items; -1 without a parent.
  int MenuIndex() const { return parent_ ? parent_->IndexOf(this) : -1; }
  void Add(TMenuItem* item) { Insert(Count(), item); }
  // Makes the item a child at index (clamped to 0..Count()), taken from a former parent.
  void Insert(int index, TMenuItem* item);
  // Frees the child at index.
  void Delete(int index);
  // Frees every child.
  void Clear();
  // The popup menu whose tree holds the item; null for a loose item.
  TPopupMenu* Menu() const;
  // The command the platform menu reports for this item.
  UINT Command() const { return command_; }
  // A separator: the caption is exactly "-".
  bool IsLine() const { return Caption == "-"; }
  virtual void Click();

  // The framework's own drawing of an owner-drawn item when the item has no handler:
  // the platform's menu colours, the caption and the shortcut text.
  void DefaultMeasure(TCanvas& canvas, int& width, int& height) const;
  void DefaultDraw(TCanvas& canvas, const RECT& r, UINT state) const;

 private:
  friend class TPopupMenu;
  TMenuItem* parent_ = nullptr;
  TPopupMenu* menu_ = nullptr;  // set on the root item only
  std::vector<TMenuItem*> items_;
  UINT command_;
};

// The item behind an owner-draw request's item data, or null when no live item has
// that address (requests outlive nothing: the data is checked, not trusted).
TMenuItem* LiveMenuItem(ULONG_PTR itemData);

class TPopupMenu : public TComponent {
 public:
  explicit TPopupMenu(TComponent* owner);
  ~TPopupMenu() override;

  TMenuItem* Items() const { return items_; }
  TImageList* Images() const { return images_; }
  void SetImages(TImageList* images);
  // Items are drawn by their handlers (MFT_OWNERDRAW) instead of the platform.
  bool OwnerDraw = false;
  TNotifyEvent OnPopup;

  // Shows the menu at a screen point and waits until it closes; a chosen item's
  // OnClick runs afterwards. Nothing while the menu is already shown.
  void Popup(int x, int y);
  bool Tracking() const { return tracking_; }
  // The platform menu while the menu is shown, else null.
  HMENU Handle() const { return handle_; }
  // The platform menu of an item's children while shown, else null.
  HMENU HandleOf(const TMenuItem* item) const;

 private:
  struct Built;
  TMenuItem* items_;
  TImageList* images_ = nullptr;
  bool tracking_ = false;
  HMENU handle_ = nullptr;
  Built* built_ = nullptr;
};

// Functions that see every popup menu just before it is shown (a skin prepares its
// drawing there). Answers an id for RemovePopupHook.
using TPopupHook = std::function<void(TPopupMenu& menu)>;
int AddPopupHook(TPopupHook hook);
void RemovePopupHook(int id);

// The hidden window that owns every popup menu of the framework.
HWND PopupOwnerWindow();
