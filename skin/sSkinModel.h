// The in-memory model of one skin: global data, section table, mask table,
// pattern table, cached indexes and the master bitmap, with the lookups every
// painting and control unit reads it through. A skin manager owns one (it may
// derive from it); masks point back to it for the master bitmap.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "paint/acBitmap.h"
#include "skin/acFirstIndex.h"
#include "skin/sConstData.h"
#include "skin/sGeneralData.h"
#include "skin/sMaskData.h"
#include "skin/sPatternData.h"
#include "skin/sSkinData.h"

class TacSkinSource;

// The message shown (by the caller's hook) for skins newer than the engine.
extern const char* const SkinVersionWarningText;
// Skins above this version get the warning; loading goes on.
constexpr double MaxSupportedSkinVersion = 6.99;

struct TsSkinLoadSettings {
  int HueOffset = 0;   // degrees; 0 keeps the colours
  int Saturation = 0;  // 0 keeps the colours
  // Extra sections in options-file syntax, merged over the options text: their keys
  // replace or add keys of existing sections, new sections are appended.
  std::string CommonSections;
  // Shows SkinVersionWarningText (a message box on Windows); may be empty.
  std::function<void(const std::string& message)> OnVersionWarning;
};

class TsSkinModel {
 public:
  TsSkinModel();
  virtual ~TsSkinModel();
  TsSkinModel(const TsSkinModel&) = delete;
  TsSkinModel& operator=(const TsSkinModel&) = delete;

  TsSkinData SkinData;
  TsGeneralDataArray Sections;  // skin index = position
  TsMaskArray Masks;            // mask index = position
  TsPatternArray Patterns;
  TConstantSkinData ConstData;
  // 24-bit, key colour 0xFF00FF. Empty (0 x 0) for a loaded skin without one;
  // null when no skin is loaded.
  TacBitmapPtr MasterBitmap;

  // Replaces the model with the skin of `source`: masks, patterns, global data
  // (with the version warning), section table, hue and saturation, cached indexes.
  // An error (EConvertError, EacImageError, EacFileError) leaves the model empty
  // and is raised. SkinData.Active is left to the caller.
  void LoadSkin(TacSkinSource& source, const TsSkinLoadSettings& settings);
  // Frees every bitmap and empties the tables; ConstData becomes all -1.
  void ClearSkin();
  // Recomputes ConstData from the current tables (all -1 when they are empty).
  void InitConstantIndexes();

  // Lookups; all answer -1 when nothing is found. They go through hash indexes of
  // the tables, made again whenever a table has changed its size or storage (a
  // load, or an entry added by hand); a name changed in place is not seen.
  // The first section whose Name equals `name` case-sensitively.
  int GetSkinIndex(std::string_view name) const;
  // The first mask of that section and key (exact), else the same in the parent
  // section; -1 at once for a negative skin index or an empty section name.
  int GetMaskIndex(int skinIndex, std::string_view section, std::string_view key) const;
  // As GetMaskIndex, counting only masks of kind itisaTexture.
  int GetTextureIndex(int skinIndex, std::string_view section, std::string_view key) const;
  // The first pattern of that section and key, with the same parent fallback.
  int GetPatternIndex(int skinIndex, std::string_view section, std::string_view key) const;
  // The first mask of that section and key; no parent fallback.
  int FindMask(std::string_view section, std::string_view key) const;

  // True from a successful LoadSkin to the next ClearSkin.
  bool IsSkinLoaded() const { return loaded_; }
  bool IsValidSkinIndex(int index) const {
    return loaded_ && index >= 0 && static_cast<size_t>(index) < Sections.size();
  }
  bool IsValidImgIndex(int index) const { return index >= 0 && static_cast<size_t>(index) < Masks.size(); }

  // Global colours (RGB, system colours resolved).
  uint32_t GetGlobalColor() const;           // "GLOBALINFO" Color, else button face
  uint32_t GetGlobalHotColor() const;        // "GLOBALINFO" HotColor, else window colour
  uint32_t GetGlobalFontColor() const;       // "GLOBALINFO" FontColor[0], else 0xFF00FF
  uint32_t GetEditHotFontColor() const;      // "EDIT" HotFontColor[0], else 0xFF00FF
  uint32_t GetHighlightColor() const;        // "MENUITEM" HotColor, else system highlight
  uint32_t GetHighlightFontColor() const;    // "MENUITEM" HotFontColor[0], else highlight text

 private:
  enum class Table { Masks, Textures, Patterns };
  int LookupWithParents(int skinIndex, std::string_view section, std::string_view key, Table table) const;
  int FindIn(Table table, std::string_view section, std::string_view key) const;
  void InitSectionMaskIndexes();

  // The indexes and the shape of the tables they were made for.
  struct Indexes {
    size_t SectionCount = 0, MaskCount = 0, PatternCount = 0;
    const void* SectionData = nullptr;
    const void* MaskData = nullptr;
    const void* PatternData = nullptr;
    bool Made = false;
    TacFirstIndex Sections, Masks, Textures, Patterns;
  };
  const Indexes& CurrentIndexes() const;
  mutable Indexes indexes_;

  bool loaded_ = false;
};
