// SkinSheet OUT.png [SKINFOLDER]: paints every section of a skin (our built-in
// skin by default) in states 0 and 1 into one sheet, each cell labelled with
// the section's name. The items are painted through the painting core over a
// checkered parent image, so transparency and key-coloured corners show.
#include <png.h>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "acTinyFont.h"
#include "paint/acBlockCopy.h"
#include "paint/sGraphUtils.h"
#include "paint/sItemPaint.h"
#include "skin/acSkinSource.h"
#include "skin/sSkinModel.h"

namespace {

constexpr int kItemW = 150, kItemH = 46, kPad = 8, kLabelH = 14, kColumns = 4;
constexpr int kCellW = 2 * kItemW + 3 * kPad, kCellH = kLabelH + kItemH + kPad;

bool WritePng(const TacBitmap& b, const std::string& path) {
  std::vector<uint8_t> rgb(static_cast<size_t>(b.Width()) * b.Height() * 3);
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) {
      const uint8_t* p = b.Pixel(x, y);
      uint8_t* d = &rgb[(static_cast<size_t>(y) * b.Width() + x) * 3];
      d[0] = p[2], d[1] = p[1], d[2] = p[0];
    }
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(b.Width());
  image.height = static_cast<png_uint_32>(b.Height());
  image.format = PNG_FORMAT_RGB;
  return png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr) != 0;
}

// A light checkerboard: what lies behind every item.
void Checker(TacBitmap* b, const TacRect& r) {
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x) {
      const uint32_t c = ((x - r.Left) / 6 + (y - r.Top) / 6) % 2 ? 0xD8D8D8u : 0xF8F8F8u;
      FillSolidRect(b, TacRect{x, y, x + 1, y + 1}, c);
    }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: SkinSheet OUT.png [SKINFOLDER]\n");
    return 2;
  }
  const std::string folder = argc > 2 ? argv[2] : std::string(VQ_SOURCE_DIR) + "/skins/air";
  TsSkinModel model;
  try {
    TacFolderSkinSource source(folder);
    model.LoadSkin(source, TsSkinLoadSettings());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "SkinSheet: cannot load %s: %s\n", folder.c_str(), e.what());
    return 1;
  }
  const int count = static_cast<int>(model.Sections.size());
  const int rows = (count + kColumns - 1) / kColumns;
  TacBitmapPtr sheet = NewBitmap24(kColumns * kCellW + kPad, rows * kCellH + kPad + 20);
  FillSolidRect(sheet.get(), TacRect{0, 0, sheet->Width(), sheet->Height()}, 0xFFFFFF);
  DrawTinyText(sheet.get(), kPad, 6, "SKIN " + folder.substr(folder.find_last_of('/') + 1) + " - STATES 0 AND 1",
               0x202020, 2);
  for (int i = 0; i < count; ++i) {
    const int cx = kPad + (i % kColumns) * kCellW, cy = 20 + kPad + (i / kColumns) * kCellH;
    DrawTinyText(sheet.get(), cx + kPad, cy, model.Sections[static_cast<size_t>(i)].Name, 0x303030, 2);
    for (int state = 0; state < 2; ++state) {
      const TacRect r{cx + kPad + state * (kItemW + kPad), cy + kLabelH, cx + kPad + state * (kItemW + kPad) + kItemW,
                      cy + kLabelH + kItemH};
      Checker(sheet.get(), r);
      // The sheet itself is the parent image: the background behind r is r.
      PaintItem(i, model.Sections[static_cast<size_t>(i)].Name, ParentImageFromBitmap(sheet.get(), 0, 0), -1, -1,
                &model, sheet.get(), TacPoint{r.Left, r.Top}, r, state, true);
    }
  }
  if (!WritePng(*sheet, argv[1])) {
    std::fprintf(stderr, "SkinSheet: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
