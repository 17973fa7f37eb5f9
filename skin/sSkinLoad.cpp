// Loading of the skin model from a source: masks, patterns, global data, section
// table, hue and saturation, cached indexes.
#include <string_view>
#include <vector>

#include "paint/acColors.h"
#include "skin/acAnsiText.h"
#include "skin/acBitmapFormat.h"
#include "skin/acImageDecode.h"
#include "skin/acSectionKeys.h"
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

class SkinLoader {
 public:
  SkinLoader(TsSkinModel& model, TacSkinSource& source, const TsSkinOptions& options)
      : model_(model), source_(source), options_(options), keys_(options) {}

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
    const std::vector<TsSkinOptionSection>& sections = options_.Sections();
    for (size_t i = 0; i < sections.size(); ++i) {
      const TsSkinOptionSection& header = sections[i];
      const bool global = SameText(header.Name, GlobalSection);
      for (const TsSkinOptionKey& key : sections[keys_.FirstSection(i)].Keys) {
        if (global && SameText(key.Name, "MASTERBITMAP")) continue;
        AddMask(header.Name, key.Name, key.Value);
      }
    }
  }

  void LoadPatterns() {
    const std::vector<TsSkinOptionSection>& sections = options_.Sections();
    for (size_t i = 0; i < sections.size(); ++i)
      for (const TsSkinOptionKey& key : sections[keys_.FirstSection(i)].Keys)
        if (IsJpegReference(key.Value)) AddJpeg(sections[i].Name, key.Name, key.Value);
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
    const std::vector<TsSkinOptionSection>& sections = options_.Sections();
    model_.Sections.reserve(sections.size());
    for (size_t i = 0; i < sections.size(); ++i) model_.Sections.push_back(ReadSection(i));
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

  using Key = TacSectionKey;
  int32_t InheritedInt(size_t section, Key key, int32_t fallback) {
    int32_t value;
    return keys_.FindInteger(section, key, value) ? value : fallback;
  }
  uint32_t InheritedColor(size_t section, Key key, uint32_t fallback) {
    return static_cast<uint32_t>(InheritedInt(section, key, static_cast<int32_t>(fallback)));
  }
  std::string InheritedText(size_t section, Key key, const char* fallback) {
    const TsSkinOptionKey* k = keys_.FindText(section, key);
    return k ? k->Value : std::string(fallback);
  }
  bool InheritedBool(size_t section, Key key) {
    const TsSkinOptionKey* k = keys_.FindText(section, key);
    return k && SameText(k->Value, "TRUE");
  }

  TsGeneralData ReadSection(size_t i) {
    TsGeneralData g;
    const TsSkinOptionKey* parent = keys_.Own(i, Key::ParentClass);
    if (parent) g.ParentClass = parent->Value;
    g.Name = options_.Sections()[i].Name;
    g.Color = ColorToRGB(InheritedColor(i, Key::Color, 0xFFFFFF));
    static const Key contour[4] = {Key::TcLeft, Key::TcTop, Key::TcRight, Key::TcBottom};
    static const Key hotContour[4] = {Key::HotTcLeft, Key::HotTcTop, Key::HotTcRight, Key::HotTcBottom};
    g.FontColor[0] = InheritedColor(i, Key::FontColor, 0);
    g.HotFontColor[0] = InheritedColor(i, Key::HotFontColor, 0);
    for (int k = 0; k < 4; ++k) {
      g.FontColor[k + 1] = InheritedColor(i, contour[k], ColorNotSet);
      g.HotFontColor[k + 1] = InheritedColor(i, hotContour[k], ColorNotSet);
    }
    g.GiveOwnFont = InheritedBool(i, Key::GiveOwnFont);
    g.GlowCount = InheritedInt(i, Key::Glow, 0);
    g.GlowMargin = InheritedInt(i, Key::GlowMargin, 0);
    g.ReservedBoolean = InheritedBool(i, Key::ReservedBoolean);
    g.Transparency = InheritedInt(i, Key::Transparency, 0);
    g.GradientPercent = InheritedInt(i, Key::GradientPercent, 0);
    g.GradientData = InheritedText(i, Key::GradientData, " ");
    if (g.GradientData != " ") g.GradientArray = ParseGradientData(g.GradientData);
    g.ImagePercent = InheritedInt(i, Key::ImagePercent, 0);
    g.ShowFocus = InheritedBool(i, Key::ShowFocus);
    g.FadingEnabled = InheritedBool(i, Key::FadingEnabled);
    g.FadingIterations = InheritedInt(i, Key::FadingIterations, 5);
    g.HotColor = InheritedColor(i, Key::HotColor, 0xFFFFFF);
    g.HotTransparency = InheritedInt(i, Key::HotTransparency, 0);
    g.HotGradientPercent = InheritedInt(i, Key::HotGradientPercent, 0);
    g.HotGradientData = InheritedText(i, Key::HotGradientData, "");
    if (g.HotGradientData != " ") g.HotGradientArray = ParseGradientData(g.HotGradientData);
    g.HotImagePercent = InheritedInt(i, Key::HotImagePercent, 0);
    g.HotGlowColor = ColorToRGB(InheritedColor(i, Key::HotGlowColor, 0xFFFFFF));
    g.GlowColor = ColorToRGB(InheritedColor(i, Key::GlowColor, 0xFFFFFF));
    g.HotGlowSize = static_cast<uint8_t>(InheritedInt(i, Key::HotGlowSize, 0));
    g.GlowSize = static_cast<uint8_t>(InheritedInt(i, Key::GlowSize, 0));
    return g;
  }

  TsSkinModel& model_;
  TacSkinSource& source_;
  const TsSkinOptions& options_;
  TacSectionKeys keys_;
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
