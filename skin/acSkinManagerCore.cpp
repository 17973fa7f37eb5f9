#include "skin/acSkinManagerCore.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "skin/acAnsiFile.h"
#include "skin/acAnsiText.h"
#include "skin/acBuiltinShadows.h"
#include "skin/acDirectoryList.h"
#include "skin/acEngineVersion.h"
#include "skin/acSkinChangeState.h"
#include "skin/acSkinDirectory.h"
#include "skin/acSkinPack.h"
#include "skin/acSkinSource.h"
#include "skin/sCommandCodes.h"

const char* const NoSkinInfo = "N/A";

namespace {

// Sets a process-wide flag for the length of a step and gives it back its value
// afterwards (a handler may start a nested change), also when the step raises.
class FlagScope {
 public:
  explicit FlagScope(bool& flag) : flag_(flag), saved_(flag) { flag_ = true; }
  ~FlagScope() { flag_ = saved_; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;

 private:
  bool& flag_;
  bool saved_;
};

// A skin described by a stored item without packed data: no options text, no images.
class EmptySkinSource : public TacSkinSource {
 public:
  bool ReadOptionsText(std::string&) override { return false; }
  bool FindImage(const std::string&, const uint8_t*&, size_t&) override { return false; }
  std::string SkinPath() const override { return std::string(); }
};

// A frame of `src` as a new 32-bit image; 24-bit pixels get alpha 255. Parts of the
// area outside the source stay zero.
TacBitmapPtr CopyArea32(const TacBitmap* src, int left, int top, int width, int height) {
  TacBitmapPtr out = NewBitmap32(std::max(width, 0), std::max(height, 0));
  if (!out || !src) return out;
  const int bpp = src->BytesPerPixel();
  for (int y = 0; y < out->Height(); ++y) {
    const int sy = top + y;
    if (sy < 0 || sy >= src->Height()) continue;
    for (int x = 0; x < out->Width(); ++x) {
      const int sx = left + x;
      if (sx < 0 || sx >= src->Width()) continue;
      const uint8_t* s = src->Pixel(sx, sy);
      uint8_t* d = out->Pixel(x, y);
      d[0] = s[0];
      d[1] = s[1];
      d[2] = s[2];
      d[3] = bpp == 4 ? s[3] : 255;
    }
  }
  return out;
}

TacBitmapPtr Copy32(const TacBitmap* src) {
  return src ? CopyArea32(src, 0, 0, src->Width(), src->Height()) : nullptr;
}

// Pixels that are white and fully transparent become all zero, as in skin PNGs.
void ClearTransparentWhite(TacBitmap* bmp) {
  if (!bmp || bmp->BytesPerPixel() != 4) return;
  for (int y = 0; y < bmp->Height(); ++y)
    for (int x = 0; x < bmp->Width(); ++x) {
      uint8_t* p = bmp->Pixel(x, y);
      if (p[0] == 255 && p[1] == 255 && p[2] == 255 && p[3] == 0) p[0] = p[1] = p[2] = 0;
    }
}

bool EndsWithAsz(const std::string& name) {
  return name.size() > 4 && SameText(std::string_view(name).substr(name.size() - 4), ".asz");
}

// Adds to a sorted list unless it holds the name already (letter case ignored).
void AddSortedName(std::vector<std::string>& names, const std::string& name) {
  const std::string key = AnsiUpperCase(name);
  auto it = std::lower_bound(names.begin(), names.end(), key,
                             [](const std::string& a, const std::string& k) { return AnsiUpperCase(a) < k; });
  if (it != names.end() && AnsiUpperCase(*it) == key) return;
  names.insert(it, name);
}

}  // namespace

TacSkinManagerCore::TacSkinManagerCore() = default;
TacSkinManagerCore::~TacSkinManagerCore() = default;

const char* TacSkinManagerCore::Version() { return SkinEngineVersion; }

std::string TacSkinManagerCore::ResolvedSkinDirectory() const {
  return ResolveSkinDirectory(skinDirectory_, ProgramFolder());
}

std::string TacSkinManagerCore::PackedSkinFileName() const { return ResolvedSkinDirectory() + skinName_ + ".asz"; }

std::string TacSkinManagerCore::SkinInfo() const {
  return IsSkinLoaded() ? FormatSkinVersion(SkinData.Version) : std::string(NoSkinInfo);
}

void TacSkinManagerCore::SetActive(bool value) {
  if (value == active_) return;
  active_ = value;
  if (value) {
    SetSkinName(skinName_);
  } else if (!ReadingDescription()) {
    SendRemoveSkin();
    InitConstantIndexes();
    UpdateDialogRule();
  }
}

void TacSkinManagerCore::SetSkinName(const std::string& name) {
  skinName_ = name;
  if (!active_) {
    UpdateDialogRule();
    return;
  }
  DoBeforeChange();
  {
    // The mark is cleared also when loading raises; the error reaches the caller.
    FlagScope changing(SkinChangeState().Changing);
    SkinData.Active = false;
    LoadCurrentSkin();
    if (!active_)
      SendRemoveSkin();
    else
      SendNewSkin(true);
  }
  DoAfterChange();
  UpdateDialogRule();
}

void TacSkinManagerCore::LoadCurrentSkin() {
  if (!skinName_.empty() && AnsiFileExists(PackedSkinFileName()))
    LoadPackedSkin();
  else
    LoadSkin();
}

void TacSkinManagerCore::LoadSkin() {
  if (!active_) return;
  if (!skinName_.empty()) {
    const std::string folder = ResolvedSkinDirectory() + skinName_ + PathDelimiter();
    if (AnsiFileExists(folder + "Options.dat")) {
      packed_ = false;
      TacFolderSkinSource source(folder);
      LoadModel(source);
      return;
    }
  }
  const TsStoredSkin* stored = InternalSkins.Find(skinName_);
  if (!stored) {
    if (InternalSkins.Empty()) {
      // No skin of that name anywhere: the caller removes the skin from all windows.
      active_ = false;
      return;
    }
    stored = &InternalSkins.Items(0);
    skinName_ = stored->Name;
  }
  if (stored->Data.empty()) {
    packed_ = false;
    LoadLegacySkin(*stored);
    return;
  }
  packed_ = true;
  TacSkinConvertor reader;
  reader.SetSource(stored->Data.data(), stored->Data.size());
  reader.Unpack();
  TacPackedSkinSource source(reader);
  LoadModel(source);
}

void TacSkinManagerCore::LoadPackedSkin() {
  if (!active_) return;
  std::unique_ptr<TacSkinConvertor> reader;
  if (!LoadSkinPackFile(PackedSkinFileName(), reader, true)) {
    LoadSkin();
    return;
  }
  packed_ = true;
  TacPackedSkinSource source(*reader, ResolvedSkinDirectory());
  LoadModel(source);
}

void TacSkinManagerCore::LoadModel(TacSkinSource& source) {
  TsSkinLoadSettings settings;
  settings.HueOffset = hueOffset_;
  settings.Saturation = saturation_;
  for (const std::string& line : commonSections_) settings.CommonSections += line + "\n";
  settings.OnVersionWarning = [this](const std::string& message) { ShowVersionWarning(message); };
  TsSkinModel::LoadSkin(source, settings);
  PrepareExtBorders();
}

void TacSkinManagerCore::LoadLegacySkin(const TsStoredSkin& stored) {
  // Sections, images and patterns of the old stored form are not read; the skin's
  // global values are.
  EmptySkinSource source;
  LoadModel(source);
  SkinData.Version = stored.Version;
  SkinData.Author = stored.Author;
  SkinData.Description = stored.Description;
  SkinData.Shadow1Color = stored.Shadow1Color;
  SkinData.Shadow1Offset = static_cast<int16_t>(stored.Shadow1Offset);
  SkinData.Shadow1Blur = static_cast<int16_t>(stored.Shadow1Blur);
  SkinData.Shadow1Transparency = static_cast<int16_t>(stored.Shadow1Transparency);
  SkinData.BorderColor = stored.BorderColor;
}

void TacSkinManagerCore::ReloadForSettings() {
  if (!active_ || !IsSkinLoaded()) return;
  const bool wasActive = SkinData.Active;
  try {
    LoadCurrentSkin();
  } catch (...) {
    SkinData.Active = false;
    throw;
  }
  SkinData.Active = wasActive && IsSkinLoaded();
  if (!ReadingDescription()) RepaintForms();
}

void TacSkinManagerCore::SetHueOffset(int value) {
  if (value == hueOffset_) return;
  hueOffset_ = value;
  ReloadForSettings();
}

void TacSkinManagerCore::SetSaturation(int value) {
  if (value == saturation_) return;
  saturation_ = value;
  ReloadForSettings();
}

void TacSkinManagerCore::SetExtendedBorders(bool value) {
  if (value == extendedBorders_) return;
  extendedBorders_ = value;
  if (!active_ || !IsSkinLoaded()) return;
  PrepareExtBorders();
  ReloadForSettings();
}

void TacSkinManagerCore::SetCommonSections(const std::vector<std::string>& lines) {
  commonSections_.clear();
  for (std::string line : lines) {
    if (line.empty() || line[0] != ';') line.erase(std::remove(line.begin(), line.end(), ' '), line.end());
    commonSections_.push_back(std::move(line));
  }
  SetSkinName(skinName_);
}

void TacSkinManagerCore::SetSkinningRules(TacSkinningRules rules) {
  skinningRules_ = rules;
  UpdateDialogRule();
}

void TacSkinManagerCore::UpdateDialogRule() {
  if (IsDefaultManager())
    SkinChangeState().StdDialogsNotSkinned = !((skinningRules_ & srStdDialogs) != 0 && active_);
}

void TacSkinManagerCore::PrepareExtBorders() {
  if (!active_ || !IsSkinLoaded() || !ExtendedBorders()) {
    ShadowMargins = TacRect{0, 0, 0, 0};
    return;
  }
  ActiveShadow.reset();
  InactiveShadow.reset();
  if (IsValidImgIndex(ConstData.ExBorder)) {
    const TsMaskData& m = Masks[static_cast<size_t>(ConstData.ExBorder)];
    const int offset = SkinData.FormOffset;
    if (SkinData.BorderMode != 0)
      ShadowMargins = TacRect{offset, offset, offset, offset};
    else
      ShadowMargins = TacRect{m.WL - offset, m.WT - offset, m.WR - offset, m.WB - offset};
    const TacBitmap* image = m.Bmp ? m.Bmp.get() : MasterBitmap.get();
    const int w = MaskFrameWidth(m);
    const int h = MaskFrameHeight(m);
    InactiveShadow = CopyArea32(image, m.R.Left, m.R.Top, w, h);
    ActiveShadow = m.ImageCount == 1 ? Copy32(InactiveShadow.get()) : CopyArea32(image, m.R.Left + w, m.R.Top, w, h);
  } else if (BuiltinShadow(true) && BuiltinShadow(false)) {
    const int grow = CompositionEnabled() ? 1 : 0;
    ShadowMargins = TacRect{BuiltinShadowMargins.Left + grow, BuiltinShadowMargins.Top + grow,
                            BuiltinShadowMargins.Right + grow, BuiltinShadowMargins.Bottom + grow};
    ActiveShadow = Copy32(BuiltinShadow(true));
    InactiveShadow = Copy32(BuiltinShadow(false));
  } else {
    ShadowMargins = TacRect{0, 0, 0, 0};
  }
  ClearTransparentWhite(ActiveShadow.get());
  ClearTransparentWhite(InactiveShadow.get());
}

std::string TacSkinManagerCore::GetSkinNames(std::vector<std::string>& names, TacSkinListKind kind) const {
  names.clear();
  std::string first;
  auto add = [&](const std::string& name) {
    if (first.empty()) first = name;
    AddSortedName(names, name);
  };
  for (int i = 0; i < InternalSkins.Count(); ++i) add(InternalSkins.Items(i).Name);
  const std::string dir = ResolvedSkinDirectory();
  std::vector<TacDirEntry> entries;
  if (!ListDirectory(dir, entries)) return first;
  if (kind == stUnpacked || kind == stAllSkins)
    for (const TacDirEntry& e : entries)
      if (e.IsFolder && AnsiFileExists(dir + e.Name + PathDelimiter() + "Options.dat")) add(e.Name);
  if (kind == stPacked || kind == stAllSkins)
    for (const TacDirEntry& e : entries)
      if (!e.IsFolder && EndsWithAsz(e.Name)) add(e.Name.substr(0, e.Name.find('.')));
  return first;
}

void TacSkinManagerCore::SendNewSkin(bool repaint) {
  if (ReadingDescription()) return;
  StopGlows();
  if (repaint) LockForms();
  SkinData.Active = false;
  {
    FlagScope announcing(SkinChangeState().NewSkinAnnounced);
    InitConstantIndexes();
    BroadcastCommand(SMC_NEWSKIN, true);
  }
  SkinData.Active = IsSkinLoaded();
  if (IsDefaultManager()) InstallCreationHook();
  if (repaint) RepaintForms();
}

void TacSkinManagerCore::SendRemoveSkin() {
  StopGlows();
  FlagScope removing(SkinChangeState().Removing);
  if (IsDefaultManager()) RemoveCreationHook();
  SkinData.Active = false;
  BroadcastCommand(SMC_REMOVESKIN, true);
  ClearSkin();
  // Without a skin there is nothing to draw the shadow border from.
  ShadowMargins = TacRect{0, 0, 0, 0};
  ActiveShadow.reset();
  InactiveShadow.reset();
}

void TacSkinManagerCore::RepaintForms() {
  BroadcastCommand(SMC_STOPANIMATIONS, false);
  const bool locking = !ReadingDescription();
  if (locking) LockForms();
  BroadcastCommand(SMC_REFRESH, true);
  if (locking) UnlockForms();
  RefreshOtherWindows();
}

void TacSkinManagerCore::FinishLoading() {
  if (skinDirectory_.empty()) skinDirectory_ = DefaultSkinDirectory;
  ThirdParty.Update();
  if (active_ && !skinName_.empty()) SendNewSkin(false);
  UpdateDialogRule();
}
