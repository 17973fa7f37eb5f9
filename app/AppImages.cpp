#include "app/AppImages.h"

#include <windows.h>

#include <exception>

#include "skin/acImageDecode.h"

namespace {
const wchar_t* ResourceName(AppImage image) {
  switch (image) {
    case AppImage::Placeholder: return L"PLACEHOLDER_PNG";
    case AppImage::InstallGlyph: return L"GLYPH_INSTALL_PNG";
    case AppImage::CloseGlyph: return L"GLYPH_CLOSE_PNG";
  }
  return L"";
}
}  // namespace

TacBitmapPtr LoadAppImage(AppImage image) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC res = FindResourceW(module, ResourceName(image), MAKEINTRESOURCEW(10));  // RT_RCDATA
  if (!res) return nullptr;
  HGLOBAL data = LoadResource(module, res);
  const void* bytes = data ? LockResource(data) : nullptr;
  if (!bytes) return nullptr;
  try {
    return DecodePng(static_cast<const uint8_t*>(bytes), SizeofResource(module, res));
  } catch (const std::exception&) {
    return nullptr;
  }
}
