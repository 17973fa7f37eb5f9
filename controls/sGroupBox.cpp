#include "controls/sGroupBox.h"

#include <algorithm>
#include <cctype>

#include "framework/vclCanvas.h"
#include "framework/vclText.h"
#include "paint/acBgRequest.h"
#include "paint/acColors.h"
#include "paint/acTextColors.h"
#include "paint/sGraphUtils.h"
#include "paint/sItemPaint.h"
#include "paint/acGdiHandles.h"
#include "paint/acSkinnedText.h"
#include "paint/sItemPaintGdi.h"
#include "skin/sCommandMessages.h"
#include "skin/sSkinManager.h"

namespace {

// The framework's bevel width: a caption rectangle narrower than twice this grows by it.
constexpr int kBevelWidth = 1;

TacRect ToTacRect(const RECT& r) { return TacRect{r.left, r.top, r.right, r.bottom}; }

// r cut to a width x height bitmap.
RECT ClipTo(const RECT& r, int width, int height) {
  return RECT{std::max<LONG>(r.left, 0), std::max<LONG>(r.top, 0), std::min<LONG>(r.right, width),
              std::min<LONG>(r.bottom, height)};
}

bool IsEmpty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

// Copies rows [0, rows) of the parent's image behind the box (the box's origin at
// (x, y) of the image) into the cache; what lies outside the image stays.
void CopyParentRows(TacBitmap* cache, const TacBitmap* image, int x, int y, const RECT& area) {
  if (!cache || !image) return;
  for (int row = area.top; row < area.bottom; ++row) {
    const int sy = y + row;
    if (row < 0 || row >= cache->Height() || sy < 0 || sy >= image->Height()) continue;
    for (int col = area.left; col < area.right; ++col) {
      const int sx = x + col;
      if (col < 0 || col >= cache->Width() || sx < 0 || sx >= image->Width()) continue;
      const uint8_t* s = image->Pixel(sx, sy);
      uint8_t* d = cache->Pixel(col, row);
      d[0] = s[0];
      d[1] = s[1];
      d[2] = s[2];
    }
  }
}

void FillRows(TacBitmap* cache, const RECT& area, uint32_t color) {
  if (!cache) return;
  const RECT r = ClipTo(area, cache->Width(), cache->Height());
  const uint32_t rgb = ColorToRGB(color);
  for (int row = r.top; row < r.bottom; ++row)
    for (int col = r.left; col < r.right; ++col) {
      uint8_t* d = cache->Pixel(col, row);
      d[0] = static_cast<uint8_t>(rgb >> 16);
      d[1] = static_cast<uint8_t>(rgb >> 8);
      d[2] = static_cast<uint8_t>(rgb);
    }
}

// A caption with characters GBK cannot hold (a package name, say) is drawn from
// its UTF-16 form in the section's colours, contours first.
void DrawWideCaption(TCanvas& canvas, const std::wstring& text, const TsGeneralData& section, const RECT& r,
                     UINT flags) {
  TacSavedDcState saved(canvas.Handle());
  IntersectClipRect(canvas.Handle(), r.left, r.top, r.right, r.bottom);
  const TacTextPasses passes = SectionTextPasses(section, false);
  for (int i = 0; i < passes.Count; ++i) {
    const TacTextPass& p = passes.Items[i];
    canvas.Font().SetColor(p.Color);
    RECT rc{r.left + p.Dx, r.top + p.Dy, r.right + p.Dx, r.bottom + p.Dy};
    canvas.DrawText(text, rc, flags);
  }
}

}  // namespace

RECT GroupBoxCaptionRect(int width, int textWidth, int rowHeight, int yOffset, TsCaptionLayout layout, bool skinned,
                         bool rightToLeft) {
  RECT r{0, 0, 0, rowHeight};
  if (skinned) {
    r.bottom = rowHeight + yOffset;
    if (yOffset < 0) r.top = yOffset;
  }
  if (layout == clTopCenter)
    r.left = (width - textWidth - 10) / 2;
  else if ((layout == clTopLeft) != rightToLeft)
    r.left = 6;
  else
    r.left = width - textWidth - 14;
  if (r.left < 0) r.left = 0;
  r.right = std::min<LONG>(r.left + textWidth + 8, width);
  if (r.right - r.left < 2 * kBevelWidth) {
    r.left -= kBevelWidth;
    r.right += kBevelWidth;
  }
  return r;
}

TsGroupBox::TsGroupBox(TComponent* owner) : TGroupBox(owner) {
  skinData_ = std::make_unique<TsCommonData>(this, true);
  skinData_->ControlKind = ckGroupBox;
  SetOpaque(false);
  skinData_->BindingLoaded();
}

TsGroupBox::~TsGroupBox() {
  MarkDestroying();
  skinData_.reset();
}

void TsGroupBox::Loaded() {
  TGroupBox::Loaded();
  skinData_->BindingLoaded();
}

bool TsGroupBox::OwnManager(const TMessage& m) const {
  return ManagerFromParam(m.LParam) == skinData_->SkinManager();
}

void TsGroupBox::SetCaptionLayout(TsCaptionLayout layout) {
  if (layout == captionLayout_) return;
  captionLayout_ = layout;
  if (!caption_.empty()) skinData_->RequestRepaint();
}

void TsGroupBox::SetCaptionYOffset(int offset) {
  if (offset == captionYOffset_) return;
  captionYOffset_ = offset;
  AlignControls();
  skinData_->RequestRepaint();
}

void TsGroupBox::SetCaptionSkin(const std::string& section) {
  std::string upper = section;
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  captionSkin_ = upper;
  skinData_->RequestRepaint();
}

int TsGroupBox::CaptionRowHeight() const {
  return std::max<int>(4, TextExtentInFont(font_, "W").cy) + 2;
}

int TsGroupBox::CaptionTextWidth() const {
  return ScreenTextExtent(font_, CaptionW()).cx;
}

RECT TsGroupBox::CaptionRect() const {
  return GroupBoxCaptionRect(width_, CaptionTextWidth(), CaptionRowHeight(), captionYOffset_, captionLayout_,
                             skinData_ && skinData_->IsSkinned(), false);
}

RECT TsGroupBox::AdjustedClientRect() const {
  RECT r = TGroupBox::AdjustedClientRect();
  if (!Destroying()) r.top += captionYOffset_;
  return r;
}

void TsGroupBox::PaintCaptionArea(TacBitmap* cache, const RECT& caption, const TacParentImage& pi) {
  TsSkinManager* m = skinData_->SkinManager();
  const RECT inside = ClipTo(caption, cache->Width(), cache->Height());
  if (!m || IsEmpty(inside)) return;
  const TacRect r = ToTacRect(inside);
  const int state = Focused() ? 1 : 0;
  if (!captionSkin_.empty()) {
    const int section = m->GetSkinIndex(captionSkin_);
    PaintItem(section, captionSkin_, ParentImageFromBitmap(cache, 0, 0), -1, -1, m, cache,
              TacPoint{r.Left, r.Top}, r, state, true);
    return;
  }
  // The border behind the caption goes: the parent's background first, then the
  // (transparent) check box face over it.
  if (pi.HasImage && pi.Image) {
    CopyParentRows(cache, pi.Image, pi.X + left_, pi.Y + top_, inside);
    PaintItem(m->GetSkinIndex("CHECKBOX"), "CHECKBOX", pi, -1, -1, m, cache, TacPoint{left_ + r.Left, top_ + r.Top},
              r, state, true);
  } else {
    FillRows(cache, inside, pi.FillColor);
  }
}

void TsGroupBox::PaintCache() {
  TacBitmap* cache = skinData_->InitCacheBitmap();
  if (!cache || cache->Width() <= 0 || cache->Height() <= 0) return;
  TacParentImage pi;
  skinData_->GetParentImage(pi);
  const RECT caption = CaptionRect();
  const int rowHeight = caption.bottom - caption.top;

  // The caption row shows what lies behind the box.
  if (pi.HasImage && pi.Image)
    CopyParentRows(cache, pi.Image, pi.X + left_, pi.Y + top_, RECT{0, 0, width_, rowHeight});
  else if (parent_)
    FillRows(cache, RECT{0, 0, width_, caption.bottom}, pi.FillColor);

  const int y = captionYOffset_ < 0 ? 0 : rowHeight / 2;
  if (y < height_)
    PaintControlItem(*skinData_, pi, true, true, cache, TacPoint{left_, top_ + y}, TacRect{0, y, width_, height_}, 0);

  if (!caption_.empty()) {
    PaintCaptionArea(cache, caption, pi);
    if (cache->Handle()) {
      TBitmapCanvas canvas(*cache);
      canvas.Font().Assign(font_);
      const UINT flags = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
      const std::wstring wide = CaptionW();
      TsSkinManager* m = skinData_->SkinManager();
      if (wide != GbkToWide(caption_) && m && m->IsValidSkinIndex(skinData_->SectionIndex()))
        DrawWideCaption(canvas, wide, m->Sections[static_cast<size_t>(skinData_->SectionIndex())], caption, flags);
      else
        DrawSkinnedText(canvas, caption_, true, false, skinData_->TextBinding(), flags, ToTacRect(caption));
    }
  }
  skinData_->CacheDirty = false;
}

void TsGroupBox::PaintTo(HDC dc) {
  if (!dc || !PaintAllowedInto(dc)) return;
  skinData_->PaintDeferred = skinData_->ComputeDeferred();
  if (skinData_->PaintDeferred) return;
  if (skinData_->NeedsRepaintOnMove() && parent_) {
    const RECT pr = parent_->ClientRect();
    const POINT a{left_ + 1, top_ + 1}, b{left_ + width_ - 1, top_ + height_ - 1};
    skinData_->PartlyHidden = !PtInRect(&pr, a) || !PtInRect(&pr, b);
  } else {
    skinData_->PartlyHidden = false;
  }
  PaintCache();
  const RECT whole = ClientRect();
  CopyCacheToDC(this, *skinData_, 0, 0, whole, dc, 0, 0, false);
  PaintGraphicChildren(dc, this, POINT{0, 0}, &childrenPicture_);
  RefreshChildren(this);
}

void TsGroupBox::PaintSkinned(HDC given) {
  if (given) {
    PaintTo(given);
    return;
  }
  TacPaintDC dc(Handle());
  PaintTo(dc.Get());
}

void TsGroupBox::WndProc(TMessage& m) {
  if (!skinData_) {
    TGroupBox::WndProc(m);
    return;
  }
  if (m.Msg == SM_ALPHACMD) {
    switch (CommandCode(m.WParam)) {
      case SMC_NEWSKIN:
        BroadcastToChildren(this, m);
        if (OwnManager(m)) skinData_->HandleSkinCommand(m);
        return;
      case SMC_REMOVESKIN:
      case SMC_REFRESH:
        if (OwnManager(m)) {
          skinData_->HandleSkinCommand(m);
          BroadcastToChildren(this, m);
          AlignControls();
          Repaint();
        } else {
          BroadcastToChildren(this, m);
        }
        return;
      case SMC_ISSKINNED:
        m.Result = 1;
        return;
      case SMC_GETBGINFO:
        if (!captionSkin_.empty() && skinData_->CacheBitmap()) {
          // The caption's own section lies in the cache: children get the cache itself.
          TacBgRequest* request = reinterpret_cast<TacBgRequest*>(m.LParam);
          if (request) {
            if (request->PaintNow && request->TargetDC) {
              const TacRect& a = request->Area;
              CopyBitmapToDC(static_cast<HDC>(request->TargetDC), a.Left, a.Top, *skinData_->CacheBitmap(),
                             TacRect{request->Offset.X, request->Offset.Y, request->Offset.X + a.Width(),
                                     request->Offset.Y + a.Height()});
            }
            request->Image = skinData_->CacheBitmap();
            request->Offset = TacPoint{0, 0};
            request->Kind = bgkImage;
          }
          return;
        }
        break;
      default:
        break;
    }
  }
  const bool skinned = ControlIsReady(this) && skinData_->IsSkinned();
  if (!skinned) {
    TGroupBox::WndProc(m);
    return;
  }
  if (m.Msg == SM_ALPHACMD) {
    switch (CommandCode(m.WParam)) {
      case SMC_PARENTUPDATED:
        if (skinData_->PaintDeferred) {
          skinData_->PaintDeferred = false;
          skinData_->PaintDeferred = skinData_->ComputeDeferred();
          if (!skinData_->PaintDeferred && Showing())
            RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
        }
        return;
      case SMC_ISINVALID:
        m.Result = (skinData_->CacheDirty || skinData_->ComputeDeferred()) ? 1 : 0;
        return;
      default:
        skinData_->HandleSkinCommand(m);
        return;
    }
  }
  switch (m.Msg) {
    case WM_MOVE:
      skinData_->CacheDirty = skinData_->CacheDirty || skinData_->NeedsRepaintOnMove();
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      TGroupBox::WndProc(m);
      return;
    case WM_PAINT:
      if (!Destroying() && Visible()) {
        PaintSkinned(reinterpret_cast<HDC>(m.WParam));
        m.Result = 0;
        return;
      }
      break;
    case WM_PRINT:
      if (!Destroying() && Visible()) {
        skinData_->PaintDeferred = false;
        PaintSkinned(reinterpret_cast<HDC>(m.WParam));
        m.Result = 0;
        return;
      }
      break;
    case WM_ERASEBKGND:
      m.Result = 1;
      return;
    case WM_WINDOWPOSCHANGED:
    case CM_VISIBLECHANGED:
      skinData_->CacheDirty = true;
      break;
    case WM_SIZE:
      // The border follows the size: the whole box is painted again, not only what
      // the resize uncovered (the window class does not redraw on resizing).
      Invalidate();
      break;
    case CM_TEXTCHANGED:
      if (HandleAllocated()) SetWindowTextW(Handle(), CaptionW().c_str());
      skinData_->RequestRepaint();
      return;
    case CM_FONTCHANGED:
      AlignControls();
      if (!caption_.empty()) skinData_->RequestRepaint();
      break;
    default:
      break;
  }
  if (skinData_->CommonWndProc(m)) return;
  TGroupBox::WndProc(m);
}
