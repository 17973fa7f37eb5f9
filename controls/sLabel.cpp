#include "controls/sLabel.h"

#include <shellapi.h>

#include <algorithm>
#include <cctype>

#include "controls/sCommonData.h"
#include "framework/vclApplication.h"
#include "framework/vclCanvas.h"
#include "framework/vclForm.h"
#include "framework/vclText.h"
#include "framework/vclWinControl.h"
#include "paint/acBgRequest.h"
#include "paint/acColors.h"
#include "paint/sGraphUtils.h"
#include "paint/sItemPaint.h"
#include "paint/sItemPaintGdi.h"
#include "skin/sCommandMessages.h"
#include "skin/sSkinManager.h"

bool LabelPaintGuard = false;

namespace {

TsShellExecuteFn shellExecute = &ShellExecuteA;

// Sets the guard for a scope; the previous value comes back on every path.
class PaintGuardScope {
 public:
  PaintGuardScope() : previous_(LabelPaintGuard) { LabelPaintGuard = true; }
  ~PaintGuardScope() { LabelPaintGuard = previous_; }
  PaintGuardScope(const PaintGuardScope&) = delete;
  PaintGuardScope& operator=(const PaintGuardScope&) = delete;

 private:
  bool previous_;
};

const TsGeneralData* SectionOf(const TsSkinManager* m, int index) {
  return m && m->IsValidSkinIndex(index) ? &m->Sections[static_cast<size_t>(index)] : nullptr;
}

bool FromDefaultManager(const TMessage& m) {
  return ManagerFromParam(m.LParam) == DefaultManager() && DefaultManager() != nullptr;
}

bool IsSkinCommand(const TMessage& m, int code) {
  return m.Msg == SM_ALPHACMD && CommandCode(m.WParam) == code;
}

}  // namespace

int FontSourceIndex(TControl* control, int defaultIndex, TsSkinManager* manager) {
  TsSkinManager* m = manager ? manager : DefaultManager();
  if (!control || !m) return defaultIndex;
  TWinControl* parent = control->Parent();
  if (!parent) return defaultIndex;
  const int index = static_cast<int>(AskControl(parent, SMC_GETSKININDEX)) - 1;
  const TsGeneralData* section = SectionOf(m, index);
  if (!section) return defaultIndex;
  // A parent that mostly lets its own parent show through takes its text colour from there too.
  if (section->Transparency > 50) return FontSourceIndex(parent, defaultIndex, m);
  return section->GiveOwnFont ? index : defaultIndex;
}

TsShellExecuteFn SetWebLabelShellExecute(TsShellExecuteFn fn) {
  TsShellExecuteFn previous = shellExecute;
  shellExecute = fn ? fn : &ShellExecuteA;
  return previous;
}

// ---- TsCustomLabel

TsCustomLabel::TsCustomLabel(TComponent* owner) : TLabel(owner) {}

TsSkinManager* TsCustomLabel::ActiveManager() {
  TsSkinManager* m = DefaultManager();
  return m && m->SkinData.Active && !m->Destroying() ? m : nullptr;
}

void TsCustomLabel::SetSkinSection(const std::string& section) {
  std::string upper = section;
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  if (upper == skinSection_) return;
  skinSection_ = upper;
  Invalidate();
}

TFont& TsCustomLabel::GetCurrentFont() {
  TsSkinManager* m = ActiveManager();
  if (!m) return font_;
  const int i = FontSourceIndex(this, -1, m);
  const TsGeneralData* section = SectionOf(m, i);
  const uint32_t color = section ? section->FontColor[0] : m->GetGlobalFontColor();
  if (color != TransparentKey && font_.Color() != color) font_.SetColor(color);
  return font_;
}

void TsCustomLabel::Paint(TCanvas& canvas) {
  if (Destroying()) return;
  TsSkinManager* m = ActiveManager();
  const int section = m && !skinSection_.empty() ? m->GetSkinIndex(skinSection_) : -1;
  if (!LabelPaintGuard) {
    PaintGuardScope guard;
    TFont& current = GetCurrentFont();
    if (&current != &font_ && !current.SameAs(font_)) font_.Assign(current);
    if (const TsGeneralData* s = SectionOf(m, section))
      if (font_.Color() != s->FontColor[0]) font_.SetColor(s->FontColor[0]);
  }
  // The first section of a skin is its global one: only a real section is painted behind.
  if (section > 0) PaintSectionBackground(canvas, section);
  if (!enabled_ && m) {
    PaintDisabledText(canvas);
    return;
  }
  TLabel::Paint(canvas);
}

void TsCustomLabel::PaintSectionBackground(TCanvas& canvas, int section) {
  TsSkinManager* m = ActiveManager();
  if (!m || !parent_ || width_ <= 0 || height_ <= 0) return;
  TacBgRequest request;
  request.Offset = TacPoint{left_, top_};
  SendBgRequest(this, request, false);
  const TacParentImage pi = ReduceBgRequest(request);
  // Painted in memory and handed to the platform as DIB bits: no DIB section needed.
  TacBitmapPtr item = NewMemoryBitmap(width_, height_, TacPixelFormat::pf24bit);
  if (!item) return;
  const TacRect whole{0, 0, width_, height_};
  PaintItem(section, skinSection_, pi, -1, -1, m, item.get(), TacPoint{left_, top_}, whole, 0, true);
  CopyBitmapToDC(canvas.Handle(), 0, 0, *item, whole);
}

void TsCustomLabel::PaintDisabledText(TCanvas& canvas) {
  RECT r = ClientRect();
  if (layout_ != tlTop) {
    const RECT calc = TextRect(canvas.Handle());
    const int h = calc.bottom - calc.top;
    r.top = layout_ == tlCenter ? (height_ - h) / 2 : height_ - h;
  }
  const uint32_t parentColor = parent_ ? GetControlBgColor(parent_) : TransparentKey;
  canvas.Font().Assign(font_);
  canvas.Font().SetColor(WeightedColor(ResolveColor(font_.Color()), ColorToRGB(parentColor), 0.4) & 0xFFFFFF);
  canvas.DrawText(CaptionW(), r, TextFlags());
}

void TsCustomLabel::WndProc(TMessage& m) {
  if (m.Msg == CM_FONTCHANGED) {
    // Our own skin colour, applied while painting: nothing to redo.
    if (LabelPaintGuard) return;
    if (!Destroying()) {
      AdjustSize();
      Invalidate();
    }
    return;
  }
  TLabel::WndProc(m);
  if (IsSkinCommand(m, SMC_REMOVESKIN) && FromDefaultManager(m) && !Destroying()) {
    if (font_.Color() != clWindowText) font_.SetColor(clWindowText);
  }
}

// ---- TsLabel

void TsLabel::SetUseSkinColor(bool on) {
  if (on == useSkinColor_) return;
  useSkinColor_ = on;
  Invalidate();
}

TFont& TsLabel::GetCurrentFont() {
  if (Destroying() || !useSkinColor_ || !ActiveManager()) return font_;
  return TsCustomLabel::GetCurrentFont();
}

void TsLabel::WndProc(TMessage& m) {
  if (IsSkinCommand(m, SMC_REMOVESKIN)) {
    if (FromDefaultManager(m) && useSkinColor_ && !Destroying() && font_.Color() != clWindowText)
      font_.SetColor(clWindowText);
    return;
  }
  TsCustomLabel::WndProc(m);
}

// ---- TsWebLabel

TsWebLabel::TsWebLabel(TComponent* owner) : TsLabel(owner) {
  cursor_ = crHandPoint;
  // A container fills the label's place with its colour before it paints.
  SetOpaque(true);
  normalFont_.Assign(font_);
  hoverFont_.Assign(font_);
}

void TsWebLabel::Loaded() {
  TsLabel::Loaded();
  PaintGuardScope guard;
  font_.Assign(normalFont_);
}

TFont& TsWebLabel::GetCurrentFont() {
  TsSkinManager* m = ActiveManager();
  const TsGeneralData* global = m ? SectionOf(m, m->ConstData.IndexGlobalInfo) : nullptr;
  const bool skinColors = UseSkinColor() && global != nullptr;
  const bool hot = hovered_ && !(ComponentState() & csDesigning);
  TFont& chosen = hot ? hoverFont_ : normalFont_;
  // The global section's contour colours stand for the link: bottom normally, top under the mouse.
  uint32_t color = skinColors ? global->FontColor[hot ? 2 : 4] : chosen.Color();
  if (color == ColorNotSet) color = hot ? 0x0000FF : 0xFF0000;
  paintFont_.Assign(chosen);
  paintFont_.SetColor(color);
  return paintFont_;
}

void TsWebLabel::HoverChanged(bool hovered) {
  hovered_ = hovered;
  if (autoSize_) {
    // The hover font may have another size: take it now and size the label to it.
    {
      PaintGuardScope guard;
      TFont& current = GetCurrentFont();
      if (!current.SameAs(font_)) font_.Assign(current);
    }
    Invalidate();
    AdjustSize();
  }
  if (parent_ && parent_->HandleAllocated()) {
    RECT r = BoundsRect();
    InvalidateRect(parent_->Handle(), &r, TRUE);
  }
}

void TsWebLabel::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CM_FONTCHANGED:
      // A change the program made to Font(): that is the normal font from now on.
      if (!LabelPaintGuard) normalFont_.Assign(font_);
      break;
    case WM_ERASEBKGND:
      return;
    default:
      break;
  }
  TsLabel::WndProc(m);
  switch (m.Msg) {
    case CM_MOUSEENTER:
      HoverChanged(true);
      break;
    case CM_MOUSELEAVE:
      HoverChanged(false);
      break;
    case WM_LBUTTONDOWN:
      if (!URL.empty()) {
        TForm* mainForm = Application ? Application->MainForm() : nullptr;
        HWND owner = mainForm && mainForm->HandleAllocated() ? mainForm->Handle() : nullptr;
        // A failed call is not reported: the link simply does not open.
        shellExecute(owner, "open", URL.c_str(), nullptr, nullptr, static_cast<int>(ShowMode));
      }
      break;
    default:
      break;
  }
}
