// Loading of the skin model from a source: masks, patterns, global data, section
// table, hue and saturation, cached indexes.
#include <string_view>
#include <unordered_map>
#include <vector>

#include "paint/acColors.h"
#include "skin/acAnsiText.h"
#include "skin/acBitmapFormat.h"
#include "skin/acImageDecode.h"
#include "skin/acSkinSource.h"
#include "skin/acStrToInt.h"
#include "skin/sImageReference.h"
#include "skin/sSkinModel.h"
#include "skin/sSkinOptions.h"
#include "skin/sSkinRecolor.h"

namespace {

const char* const GlobalSection = "GLOBALINFO";

// Decodes an image of the source; null when the source has no such image. A
// damaged image raises EacImageError naming the file.
TacBitmapPtr LoadSourceImage(TacSkinSource& source, const std::string& reference) {
  const uint8_t* data = nullptr;
  size_t size = 0;
  if (!source.FindImage(reference, data, size)) return nullptr;
  try {
    return DecodeImage(data, size);
  } catch (const EacImageError& e) {
    throw EacImageError("Skin image \"" + reference + "\": " + e.what());
  }
}

// PNG pixels that are white and fully transparent become all zero.
void ClearTransparentWhite(TacBitmap& bmp) {
  for (int y = 0; y < bmp.Height(); ++y) {
    uint8_t* p = bmp.Row(y);
    for (int x = 0; x < bmp.Width(); ++x, p += 4)
      if (p[0] == 255 && p[1] == 255 && p[2] == 255 && p[3] == 0) p[0] = p[1] = p[2] = 0;
  }
}

// Values of keys that a section inherits along its PARENTCLASS chain. Every
// section's parent is found once and every key resolved once per section, so
// long chains cost linear time; a chain that comes back to a section already
// on it ends there without a value.
class InheritedKeys {
 public:
  explicit InheritedKeys(const TsSkinOptions& options) : options_(options) {
    const std::vector<TsSkinOptionSection>& sections = options.Sections();
    parent_.assign(sections.size(), TsSkinOptions::npos);
    for (size_t i = 0; i < sections.size(); ++i) {
      // A repeated header reads the keys of the first section of its name.
      if (options.FindSectionIndex(sections[i].Name) != i) continue;
      const TsSkinOptionKey* p = options.FindKeyAt(i, "PARENTCLASS");
      if (!p || p->Value.empty() || p->Value == "?") continue;
      const size_t parent = options.FindSectionIndex(p->Value);
      if (parent != i) parent_[i] = parent;
    }
  }

  // The first present value of `key` along the chain of the section at position
  // `i` (a first section of its name); null when there is none. Integer keys are
  // absent when -1 or not a number, text keys when "?".
  const TsSkinOptionKey* Find(size_t i, const char* key, bool text) {
    if (i >= parent_.size()) return nullptr;
    std::vector<const TsSkinOptionKey*>& memo = (text ? textMemo_ : intMemo_)[key];
    if (memo.empty()) memo.assign(parent_.size(), &unresolved_);
    path_.clear();
    const TsSkinOptionKey* result = nullptr;
    for (; i != TsSkinOptions::npos; i = parent_[i]) {
      if (memo[i] == &onPath_) break;  // a cycle: no value on it
      if (memo[i] != &unresolved_) {
        result = memo[i];
        break;
      }
      const TsSkinOptionKey* own = options_.FindKeyAt(i, key);
      if (own && (text ? own->Value != "?" : StrToIntDef(own->Value, -1) != -1)) {
        result = own;
        memo[i] = own;
        break;
      }
      memo[i] = &onPath_;
      path_.push_back(i);
    }
    for (size_t p : path_) memo[p] = result;
    return result;
  }

 private:
  const TsSkinOptions& options_;
  std::vector<size_t> parent_;
  std::unordered_map<std::string_view, std::vector<const TsSkinOptionKey*>> intMemo_, textMemo_;
  std::vector<size_t> path_;
  const TsSkinOptionKey unresolved_{}, onPath_{};
};

class SkinLoader {
 public:
  SkinLoader(TsSkinModel& model, TacSkinSource& source, const TsSkinOptions& options)
      : model_(model), source_(source), options_(options), inherited_(options) {}

  void LoadMasterBitmap() {
    std::string name = options_.ReadString(GlobalSection, "MASTERBITMAP", "");
    TacBitmapPtr master = name.empty() ? nullptr : LoadSourceImage(source_, name);
    if (master)
      EnsurePixelFormat(master, TacPixelFormat::pf24bit);
    else
      master = NewBitmapOrThrow(0, 0, TacPixelFormat::pf24bit);
    model_.MasterBitmap = std::move(master);
  }

  void LoadMasks() {
    for (const TsSkinOptionSection& header : options_.Sections()) {
      const TsSkinOptionSection* section = options_.FindSection(header.Name);
      const bool global = SameText(header.Name, GlobalSection);
      for (const TsSkinOptionKey& key : section->Keys) {
        if (global && SameText(key.Name, "MASTERBITMAP")) continue;
        AddMask(header.Name, key.Name, key.Value);
      }
    }
  }

  void LoadPatterns() {
    for (const TsSkinOptionSection& header : options_.Sections()) {
      const TsSkinOptionSection* section = options_.FindSection(header.Name);
      for (const TsSkinOptionKey& key : section->Keys)
        if (IsJpegReference(key.Value)) AddJpeg(header.Name, key.Name, key.Value);
    }
  }

  void LoadGlobalData(const TsSkinLoadSettings& settings) {
    TsSkinData& d = model_.SkinData;
    auto int16 = [&](const char* key, int fallback) {
      return static_cast<int16_t>(options_.ReadInteger(GlobalSection, key, fallback));
    };
    auto converted = [&](const char* key, const char* fallback) {
      return static_cast<int16_t>(StrToInt(options_.ReadString(GlobalSection, key, fallback)));
    };
    d.SkinPath = source_.SkinPath();
    d.Version = options_.ReadFloat(GlobalSection, "VERSION", 0);
    d.Author = options_.ReadString(GlobalSection, "AUTHOR", "");
    d.Description = options_.ReadString(GlobalSection, "DESCRIPTION", "");
    d.BorderWidth = int16("BORDERWIDTH", 4);
    d.TitleHeight = int16("TITLEHEIGHT", 30);
    d.MaxTitleHeight = int16("MAXHEIGHT", 0);
    if (d.MaxTitleHeight == 0) d.MaxTitleHeight = d.TitleHeight;
    d.FormOffset = int16("FORMOFFSET", 8);
    d.CenterOffset = int16("CENTEROFFSET", 0);
    d.BorderMode = int16("BORDERMODE", 0);
    d.Shadow1Color = static_cast<uint32_t>(options_.ReadInteger(GlobalSection, "SHADOW1COLOR", 0));
    d.Shadow1Offset = converted("SHADOW1OFFSET", "0");
    d.Shadow1Blur = converted("SHADOW1BLUR", "-1");
    d.Shadow1Transparency = converted("SHADOW1TRANSPARENCY", "0");
    d.BISpace = int16("BISPACE", 0);
    d.BIVAlign = int16("BIVALIGN", 0);
    d.BIRight = int16("BIRIGHT", 0);
    d.BILeft = int16("BILEFT", 0);
    d.BorderColor = static_cast<uint32_t>(options_.ReadInteger(GlobalSection, "BORDERCOLOR", 0));
    d.BIKeepHue = int16("BIKEEPHUE", 0);
    d.BICloseGlow = converted("BICONCLOSEGLOW", "0");
    d.BICloseGlowMargin = converted("BICONCLOSEGLOWMARGIN", "0");
    d.BIMaxGlow = converted("BICONMAXGLOW", "0");
    d.BIMaxGlowMargin = converted("BICONMAXGLOWMARGIN", "0");
    d.BIMinGlow = converted("BICONMINGLOW", "0");
    d.BIMinGlowMargin = converted("BICONMINGLOWMARGIN", "0");
    if (d.Version > MaxSupportedSkinVersion && settings.OnVersionWarning)
      settings.OnVersionWarning(SkinVersionWarningText);
  }

  void LoadSections() {
    for (const TsSkinOptionSection& header : options_.Sections()) model_.Sections.push_back(ReadSection(header.Name));
  }

 private:
  void AddMask(const std::string& section, const std::string& key, const std::string& value) {
    TacImageReference ref = ParseImageReference(value);
    if (ref.Form == TacImageRefForm::None) return;
    TsMaskData m;
    m.ClassName = section;
    m.PropertyName = key;
    m.Manager = &model_;
    m.ImageCount = static_cast<int16_t>(ref.ImageCount);
    m.MaskType = static_cast<int16_t>(ref.MaskType);
    switch (ref.Form) {
      case TacImageRefForm::MasterGlyph:
        m.ImgType = itisaGlyph;
        m.R = ref.R;
        break;
      case TacImageRefForm::MasterBorder:
        m.ImgType = itisaBorder;
        m.R = ref.R;
        m.DrawMode = static_cast<int16_t>(ref.DrawMode);
        m.BorderWidth = static_cast<int16_t>(ref.BorderWidth);
        if (ref.WL + ref.WT + ref.WR + ref.WB == 0) {
          if (m.BorderWidth != 0)
            m.WL = m.WT = m.WR = m.WB = m.BorderWidth;
          else
            ComputeMaskMargins(m);
        } else {
          SetMargins(m, ref);
        }
        break;
      case TacImageRefForm::MasterTexture:
        m.ImgType = itisaTexture;
        m.R = ref.R;
        m.DrawMode = static_cast<int16_t>(ref.DrawMode);
        break;
      case TacImageRefForm::ImageFile: {
        const bool bmpFile = ref.FileName.find(".BMP") != std::string::npos;
        m.ImgType = ref.ImageKind <= 3 ? static_cast<TacImgType>(ref.ImageKind) : itisaPngGlyph;
        m.Bmp = LoadSourceImage(source_, ref.FileName);
        if (!m.Bmp || m.Bmp->Width() == 0) return;
        if (bmpFile) {
          if (m.ImgType != itisaTexture) EnsurePixelFormat(m.Bmp, TacPixelFormat::pf24bit);
        } else {
          EnsurePixelFormat(m.Bmp, TacPixelFormat::pf32bit);
          ClearTransparentWhite(*m.Bmp);
        }
        m.R = TacRect{0, 0, m.Bmp->Width(), m.Bmp->Height()};
        m.DrawMode = 4;
        if (ref.HasMargins)
          SetMargins(m, ref);
        else
          ComputeMaskMargins(m);
        break;
      }
      case TacImageRefForm::BitmapFile:
        m.Bmp = LoadSourceImage(source_, ref.FileName);
        if (!m.Bmp || m.Bmp->Width() == 0) return;
        EnsurePixelFormat(m.Bmp, TacPixelFormat::pf24bit);
        m.ClassName = AnsiUpperCase(section);
        m.PropertyName = AnsiUpperCase(key);
        m.R = TacRect{0, 0, m.Bmp->Width(), m.Bmp->Height()};
        m.ImgType = itisaBorder;
        ComputeMaskMargins(m);
        break;
      case TacImageRefForm::None:
        return;
    }
    model_.Masks.push_back(std::move(m));
  }

  static void SetMargins(TsMaskData& m, const TacImageReference& ref) {
    m.WL = static_cast<int16_t>(ref.WL);
    m.WT = static_cast<int16_t>(ref.WT);
    m.WR = static_cast<int16_t>(ref.WR);
    m.WB = static_cast<int16_t>(ref.WB);
  }

  // Large pictures are tiled whole as patterns; small ones become texture masks.
  void AddJpeg(const std::string& section, const std::string& key, const std::string& value) {
    TacBitmapPtr img = LoadSourceImage(source_, AnsiUpperCase(value));
    if (!img || img->Width() == 0) return;
    EnsurePixelFormat(img, TacPixelFormat::pf24bit);
    if (static_cast<int64_t>(img->Width()) * img->Height() >= 90000) {
      model_.Patterns.push_back(TsPatternData{std::move(img), AnsiUpperCase(section), AnsiUpperCase(key)});
      return;
    }
    TsMaskData m;
    m.Bmp = std::move(img);
    m.ClassName = AnsiUpperCase(section);
    m.PropertyName = AnsiUpperCase(key);
    m.ImgType = itisaTexture;
    m.ImageCount = 1;
    m.Manager = &model_;
    model_.Masks.push_back(std::move(m));
  }

  int32_t InheritedInt(size_t section, const char* key, int32_t fallback) {
    const TsSkinOptionKey* k = inherited_.Find(section, key, false);
    return k ? StrToIntDef(k->Value, -1) : fallback;
  }
  uint32_t InheritedColor(size_t section, const char* key, uint32_t fallback) {
    return static_cast<uint32_t>(InheritedInt(section, key, static_cast<int32_t>(fallback)));
  }
  std::string InheritedText(size_t section, const char* key, const char* fallback) {
    const TsSkinOptionKey* k = inherited_.Find(section, key, true);
    return k ? k->Value : std::string(fallback);
  }
  bool InheritedBool(size_t section, const char* key) {
    return SameText(InheritedText(section, key, "FALSE"), "TRUE");
  }

  TsGeneralData ReadSection(const std::string& header) {
    TsGeneralData g;
    const size_t name = options_.FindSectionIndex(header);
    g.ParentClass = options_.ReadString(header, "PARENTCLASS", "");
    g.Name = header;
    g.Color = ColorToRGB(InheritedColor(name, "COLOR", 0xFFFFFF));
    static const char* const contour[4] = {"TCLEFT", "TCTOP", "TCRIGHT", "TCBOTTOM"};
    static const char* const hotContour[4] = {"HOTTCLEFT", "HOTTCTOP", "HOTTCRIGHT", "HOTTCBOTTOM"};
    g.FontColor[0] = InheritedColor(name, "FONTCOLOR", 0);
    g.HotFontColor[0] = InheritedColor(name, "HOTFONTCOLOR", 0);
    for (int i = 0; i < 4; ++i) {
      g.FontColor[i + 1] = InheritedColor(name, contour[i], ColorNotSet);
      g.HotFontColor[i + 1] = InheritedColor(name, hotContour[i], ColorNotSet);
    }
    g.GiveOwnFont = InheritedBool(name, "GIVEOWNFONT");
    g.GlowCount = InheritedInt(name, "GLOW", 0);
    g.GlowMargin = InheritedInt(name, "GLOWMARGIN", 0);
    g.ReservedBoolean = InheritedBool(name, "RESERVEDBOOLEAN");
    g.Transparency = InheritedInt(name, "TRANSPARENCY", 0);
    g.GradientPercent = InheritedInt(name, "GRADIENTPERCENT", 0);
    g.GradientData = InheritedText(name, "GRADIENTDATA", " ");
    if (g.GradientData != " ") g.GradientArray = ParseGradientData(g.GradientData);
    g.ImagePercent = InheritedInt(name, "IMAGEPERCENT", 0);
    g.ShowFocus = InheritedBool(name, "SHOWFOCUS");
    g.FadingEnabled = InheritedBool(name, "FADINGENABLED");
    g.FadingIterations = InheritedInt(name, "FADINGITERATIONS", 5);
    g.HotColor = InheritedColor(name, "HOTCOLOR", 0xFFFFFF);
    g.HotTransparency = InheritedInt(name, "HOTTRANSPARENCY", 0);
    g.HotGradientPercent = InheritedInt(name, "HOTGRADIENTPERCENT", 0);
    g.HotGradientData = InheritedText(name, "HOTGRADIENTDATA", "");
    if (g.HotGradientData != " ") g.HotGradientArray = ParseGradientData(g.HotGradientData);
    g.HotImagePercent = InheritedInt(name, "HOTIMAGEPERCENT", 0);
    g.HotGlowColor = ColorToRGB(InheritedColor(name, "HGCOL", 0xFFFFFF));
    g.GlowColor = ColorToRGB(InheritedColor(name, "GCOL", 0xFFFFFF));
    g.HotGlowSize = static_cast<uint8_t>(InheritedInt(name, "HGSIZE", 0));
    g.GlowSize = static_cast<uint8_t>(InheritedInt(name, "GSIZE", 0));
    return g;
  }

  TsSkinModel& model_;
  TacSkinSource& source_;
  const TsSkinOptions& options_;
  InheritedKeys inherited_;
};

}  // namespace

void TsSkinModel::LoadSkin(TacSkinSource& source, const TsSkinLoadSettings& settings) {
  ClearSkin();
  try {
    std::string text;
    const bool hasText = source.ReadOptionsText(text);
    TsSkinOptions options(text);
    if (!settings.CommonSections.empty()) options.MergeText(settings.CommonSections);
    SkinLoader loader(*this, source, options);
    MasterBitmap = NewBitmapOrThrow(0, 0, TacPixelFormat::pf24bit);
    if (hasText) {
      loader.LoadMasterBitmap();
      loader.LoadMasks();
    }
    loader.LoadPatterns();
    loader.LoadGlobalData(settings);
    loader.LoadSections();
    if (settings.HueOffset != 0) ApplySkinHueOffset(*this, settings.HueOffset);
    if (settings.Saturation != 0) ApplySkinSaturation(*this, settings.Saturation);
    InitConstantIndexes();
    InitSectionMaskIndexes();
    loaded_ = true;
  } catch (...) {
    ClearSkin();
    throw;
  }
}
