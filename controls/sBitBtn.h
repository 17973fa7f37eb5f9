// Skinned push button with a glyph (from an image list, or a bitmap of up to four
// frames) laid out with its caption; section "BUTTON" by default.
#pragma once

#include <functional>

#include "controls/sButton.h"
#include "paint/sBitmapGlyph.h"

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

using TBmpPaintEvent = std::function<void(TComponent* sender, TacBitmap* bitmap)>;

class TsBitBtn : public TacSkinButton {
 public:
  explicit TsBitBtn(TComponent* owner);
  ~TsBitBtn() override;

  // The glyph's source: image `ImageIndex` of `Images` (forgotten when the list is destroyed).
  TImageList* Images() const { return images_; }
  void SetImages(TImageList* images);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int index);
  // A bitmap glyph (24-bit with its bottom-left pixel as key, or 32-bit with
  // alpha), NumGlyphs frames side by side; used when the image list gives none.
  const TacBitmap* Glyph() const { return glyph_.get(); }
  void SetGlyph(TacBitmapPtr glyph);
  int NumGlyphs() const { return numGlyphs_; }
  void SetNumGlyphs(int n);

  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout layout);
  // -1: glyph and caption centred together.
  int Margin() const { return margin_; }
  void SetMargin(int margin);
  // Pixels between glyph and caption; negative: shared out evenly.
  int Spacing() const { return spacing_; }
  void SetSpacing(int spacing);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment a);
  TAlignment TextAlignment() const { return textAlignment_; }
  void SetTextAlignment(TAlignment a);
  int TextOffset() const { return textOffset_; }
  void SetTextOffset(int offset);
  bool ShowCaption() const { return showCaption_; }
  void SetShowCaption(bool on);
  // 0..100: how much of the face shows through the glyph while the button is not active.
  int Blend() const { return blend_; }
  void SetBlend(int percent);
  bool Grayed() const { return grayed_; }
  void SetGrayed(bool on);
  bool Reflected() const { return reflected_; }
  void SetReflected(bool on);
  bool DrawOverBorder() const { return drawOverBorder_; }
  void SetDrawOverBorder(bool on);
  int DisabledGlyphKind() const { return disabledGlyphKind_; }
  void SetDisabledGlyphKind(int kind);

  TBmpPaintEvent OnPaint;

  void PrepareCache() override;
  void Loaded() override;

  // Layout results (client coordinates) for a state.
  RECT CaptionRect(int state);
  RECT GlyphRect(int state);
  // The glyph's size: the image list's (width divided by NumGlyphs), else Glyph's; 0 x 0 without one.
  SIZE GlyphSize() const;
  // The caption's extent within the layout's width limit; 0 x 0 without a caption to show.
  SIZE CaptionExtent();

 protected:
  const TacBitmap* GlyphBitmap() const override;

 private:
  const TacBitmap* ListImage() const;
  UINT TextAlignmentFlags() const;
  void PaintCaption(int state);
  void PaintGlyph(int state);

  TImageList* images_ = nullptr;
  int imageIndex_ = -1;
  TacBitmapPtr glyph_;
  int numGlyphs_ = 1;
  TButtonLayout layout_ = blGlyphLeft;
  int margin_ = -1;
  int spacing_ = 4;
  TAlignment alignment_ = taCenter;
  TAlignment textAlignment_ = taCenter;
  int textOffset_ = 0;
  bool showCaption_ = true;
  int blend_ = 0;
  bool grayed_ = false;
  bool reflected_ = false;
  bool drawOverBorder_ = true;
  int disabledGlyphKind_ = dgBlended;
};
