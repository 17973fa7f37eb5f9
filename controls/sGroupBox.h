// Skinned group box (section "GROUPBOX" by default): the section's border from
// half the caption's height down, the caption over a gap cut into it. It is a
// container: it answers its children's background requests and paints its
// windowless children (labels) through one off-screen image.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "controls/sCommonData.h"
#include "framework/vclStdCtrls.h"

enum TsCaptionLayout { clTopLeft, clTopCenter, clTopRight };

// The caption rectangle of a group box `width` wide whose caption text is
// textWidth wide in a row rowHeight high (see TsGroupBox::CaptionRect).
RECT GroupBoxCaptionRect(int width, int textWidth, int rowHeight, int yOffset, TsCaptionLayout layout, bool skinned,
                         bool rightToLeft);

class TsGroupBox : public TGroupBox {
 public:
  explicit TsGroupBox(TComponent* owner);
  ~TsGroupBox() override;

  TsCommonData* SkinData() const { return skinData_.get(); }
  TsCaptionLayout CaptionLayout() const { return captionLayout_; }
  void SetCaptionLayout(TsCaptionLayout layout);
  // Added to the caption row's height and to the client area's top; a negative
  // value also moves the caption up.
  int CaptionYOffset() const { return captionYOffset_; }
  void SetCaptionYOffset(int offset);
  // Section painted behind the caption; empty: "CHECKBOX" over the parent's background.
  const std::string& CaptionSkin() const { return captionSkin_; }
  void SetCaptionSkin(const std::string& section);

  // max(4, height of "W" in the font) + 2.
  int CaptionRowHeight() const;
  RECT CaptionRect() const;
  RECT AdjustedClientRect() const override;

  // Rebuilds the cache image (done on every paint).
  void PaintCache();
  void WndProc(TMessage& message) override;
  void Loaded() override;

 private:
  int CaptionTextWidth() const;
  // The caption area: CaptionSkin's item, or "CHECKBOX" over the parent.
  void PaintCaptionArea(TacBitmap* cache, const RECT& caption, const TacParentImage& pi);
  // Painting of a skinned box into dc (the window's paint cycle when dc is null).
  void PaintSkinned(HDC dc);
  void PaintTo(HDC dc);
  bool OwnManager(const TMessage& m) const;

  std::unique_ptr<TsCommonData> skinData_;
  TacChildrenPicture childrenPicture_;  // the labels are painted through it
  TsCaptionLayout captionLayout_ = clTopLeft;
  int captionYOffset_ = 0;
  std::string captionSkin_;
};
