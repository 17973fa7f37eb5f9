#include "framework/vclFont.h"

#include "framework/vclText.h"

TFont::TFont() = default;
TFont::~TFont() { FreeHandle(); }

void TFont::FreeHandle() const { handle_.reset(); }

void TFont::Changed() {
  FreeHandle();
  if (OnChange) OnChange();
}

void TFont::SetName(const std::string& name) {
  if (name != name_) { name_ = name; Changed(); }
}
void TFont::SetHeight(int height) {
  if (height != height_) { height_ = height; Changed(); }
}
void TFont::SetColor(COLORREF color) {
  if (color != color_) { color_ = color; if (OnChange) OnChange(); }
}
void TFont::SetStyle(unsigned style) {
  if (style != style_) { style_ = style; Changed(); }
}
void TFont::SetCharset(BYTE charset) {
  if (charset != charset_) { charset_ = charset; Changed(); }
}

bool TFont::SameFace(const TFont& o) const {
  return name_ == o.name_ && height_ == o.height_ && style_ == o.style_ && charset_ == o.charset_;
}

bool TFont::SameAs(const TFont& o) const { return SameFace(o) && color_ == o.color_; }

void TFont::Assign(const TFont& o) {
  if (SameAs(o)) {
    if (!handle_) handle_ = o.SharedHandle();
    return;
  }
  const bool sameFace = SameFace(o);
  name_ = o.name_;
  height_ = o.height_;
  color_ = o.color_;
  style_ = o.style_;
  charset_ = o.charset_;
  // A canvas takes its control's font for every paint: one GDI font serves both.
  if (!sameFace || !handle_) handle_ = o.SharedHandle();
  if (OnChange) OnChange();
}

HFONT TFont::Handle() const { return SharedHandle()->Get(); }

const std::shared_ptr<TacFontHandle>& TFont::SharedHandle() const {
  if (!handle_) {
    LOGFONTW lf = {};
    lf.lfHeight = height_;
    lf.lfWeight = (style_ & fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (style_ & fsItalic) ? TRUE : FALSE;
    lf.lfUnderline = (style_ & fsUnderline) ? TRUE : FALSE;
    lf.lfStrikeOut = (style_ & fsStrikeOut) ? TRUE : FALSE;
    lf.lfCharSet = charset_;
    lf.lfQuality = DEFAULT_QUALITY;
    std::wstring face = GbkToWide(name_);
    lstrcpynW(lf.lfFaceName, face.c_str(), LF_FACESIZE);
    handle_ = std::make_shared<TacFontHandle>(NewFont(lf));
  }
  return handle_;
}
