// Fonts as the forms describe them: a face name, a height in the framework's
// convention (negative = character height in pixels), a colour and a style.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "paint/acGdiHandles.h"

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

class TFont {
 public:
  TFont();
  ~TFont();
  TFont(const TFont&) = delete;
  TFont& operator=(const TFont&) = delete;

  const std::string& Name() const { return name_; }
  int Height() const { return height_; }
  COLORREF Color() const { return color_; }
  unsigned Style() const { return style_; }
  // The character set asked of the platform (DEFAULT_CHARSET: the user's); a symbol
  // font is found by its face only when SYMBOL_CHARSET is asked for.
  BYTE Charset() const { return charset_; }
  void SetName(const std::string& name);
  void SetHeight(int height);
  void SetColor(COLORREF color);
  void SetStyle(unsigned style);
  void SetCharset(BYTE charset);
  void Assign(const TFont& other);
  bool SameAs(const TFont& other) const;

  // The GDI font, created on first use and kept until the font changes. Fonts
  // assigned from one another share it while their face, height and style agree
  // (the colour is no part of it).
  HFONT Handle() const;

  // Called after every change; the owning control repaints.
  std::function<void()> OnChange;

 private:
  void Changed();
  void FreeHandle() const;
  bool SameFace(const TFont& other) const;
  const std::shared_ptr<TacFontHandle>& SharedHandle() const;

  std::string name_ = "Tahoma";
  int height_ = -11;
  COLORREF color_ = 0;
  unsigned style_ = 0;
  BYTE charset_ = DEFAULT_CHARSET;
  mutable std::shared_ptr<TacFontHandle> handle_;
};
