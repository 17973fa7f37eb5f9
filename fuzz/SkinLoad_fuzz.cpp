// The whole skin loader on a packed skin: archive, options, every image form,
// JPEG patterns, parent chains and the hue and saturation changes.
//
// Input starting with "ASzf" is an archive as it is. Any other input is the
// skin's parts, packed here so that mutations reach the options text and the
// image bytes instead of breaking zlib streams: the options text, then for each
// image "\x01" NAME "\x02" BYTES.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "skin/acAnsiFile.h"
#include "skin/acImageDecode.h"
#include "skin/acSkinPack.h"
#include "skin/acSkinSource.h"
#include "skin/acSkinWriter.h"
#include "skin/acStrToInt.h"
#include "skin/sSkinModel.h"

namespace {
std::vector<TacPackEntry> SplitParts(const uint8_t* data, size_t size) {
  std::vector<TacPackEntry> entries(1);
  entries[0].Name = "Options.dat";
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == 1) {
      const uint8_t* end = static_cast<const uint8_t*>(std::memchr(data + i + 1, 2, size - i - 1));
      if (end) {
        entries.push_back(TacPackEntry{std::string(reinterpret_cast<const char*>(data + i + 1),
                                                   static_cast<size_t>(end - data - i - 1)),
                                       {}});
        i = static_cast<size_t>(end - data);
        continue;
      }
    }
    entries.back().Data.push_back(data[i]);
  }
  return entries;
}

void Load(TsSkinModel& model, TacSkinSource& source, int hue, int saturation) {
  TsSkinLoadSettings settings;
  settings.HueOffset = hue;
  settings.Saturation = saturation;
  settings.OnVersionWarning = [](const std::string&) {};
  try {
    model.LoadSkin(source, settings);
  } catch (const EConvertError&) {
  } catch (const EacImageError&) {
  }
  if (!model.IsSkinLoaded()) return;
  // Exercise the lookups on every section and mask.
  for (size_t i = 0; i < model.Sections.size(); ++i) {
    const TsGeneralData& g = model.Sections[i];
    model.GetMaskIndex(static_cast<int>(i), g.Name, "BORDERSMASK");
    model.GetTextureIndex(static_cast<int>(i), g.Name, "PATTERN");
    model.GetPatternIndex(static_cast<int>(i), g.Name, "PATTERN");
  }
  model.GetHighlightFontColor();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> packed;
  if (size < 4 || std::memcmp(data, "ASzf", 4) != 0) {
    packed = PackSkinEntries(SplitParts(data, size));
    data = packed.data();
    size = packed.size();
  }
  std::unique_ptr<TacSkinConvertor> reader;
  try {
    UnpackSkinData(data, size, reader);
  } catch (const EacSkinPackError&) {
    return 0;
  }
  TacPackedSkinSource source(*reader);
  TsSkinModel model;
  Load(model, source, 0, 0);
  if (model.IsSkinLoaded()) Load(model, source, 75, -40);
  return 0;
}
