// The platform-free part of the skin manager: its properties, the internal skins,
// how a skin name is resolved and loaded (".asz" file, skin folder, internal skin),
// hue and saturation, the extended-border images and the order of the steps that
// announce a skin change. The window side (TsSkinManager) fills in the hooks:
// broadcasting commands to windows, locking forms, message boxes, platform checks.
#pragma once

#include <string>
#include <vector>

#include "paint/acBitmap.h"
#include "paint/acRect.h"
#include "skin/acAnimEffects.h"
#include "skin/acThirdParty.h"
#include "skin/sSkinModel.h"
#include "skin/sStoredSkins.h"

class TacSkinSource;

enum TacSkinningRule : unsigned { srStdForms = 1, srStdDialogs = 2, srThirdParty = 4 };
using TacSkinningRules = unsigned;

// What GetSkinNames lists besides the internal skins.
enum TacSkinListKind : int { stUnpacked = 0, stPacked = 1, stAllSkins = 2 };

// SkinInfo while no skin is loaded.
extern const char* const NoSkinInfo;  // "N/A"

class TacSkinManagerCore : public TsSkinModel {
 public:
  TacSkinManagerCore();
  ~TacSkinManagerCore() override;

  // A skin is used. Switching it on runs the skin change for SkinName; switching it
  // off (outside description reading) removes the skin from all windows.
  bool Active() const { return active_; }
  void SetActive(bool value);

  // Setting it runs the skin change sequence: find and load the skin, announce it.
  const std::string& SkinName() const { return skinName_; }
  void SetSkinName(const std::string& name);

  const std::string& SkinDirectory() const { return skinDirectory_; }
  void SetSkinDirectory(const std::string& directory) { skinDirectory_ = directory; }
  // SkinDirectory resolved against the program's folder, with a trailing separator.
  std::string ResolvedSkinDirectory() const;
  // The ".asz" file of the current skin name: resolved directory + name + ".asz".
  std::string PackedSkinFileName() const;

  // Hue shift and saturation change applied at load; a change reloads the skin.
  int HueOffset() const { return hueOffset_; }
  void SetHueOffset(int value);
  int Saturation() const { return saturation_; }
  void SetSaturation(int value);

  // Reads true only when set and the platform has layered windows.
  bool ExtendedBorders() const { return extendedBorders_ && LayeredWindowsAvailable(); }
  void SetExtendedBorders(bool value);
  bool AllowGlowing() const { return allowGlowing_ && LayeredWindowsAvailable(); }
  void SetAllowGlowing(bool value) { allowGlowing_ = value; }
  bool SkinnedPopups = true;

  // Extra sections in options-file syntax, one line each; setting them removes the
  // blanks of every line not starting with ";" and runs the skin change again.
  const std::vector<std::string>& CommonSections() const { return commonSections_; }
  void SetCommonSections(const std::vector<std::string>& lines);

  TacSkinningRules SkinningRules() const { return skinningRules_; }
  void SetSkinningRules(TacSkinningRules rules);

  TsStoredSkins InternalSkins;
  TacThirdPartyList ThirdParty;
  TacAnimEffects AnimEffects;

  // The loaded skin's version ("6.1"), NoSkinInfo when none is loaded.
  std::string SkinInfo() const;
  // The engine's version, always "6.57".
  static const char* Version();
  // The current skin came from an archive (internal data or an ".asz" file).
  bool Packed() const { return packed_; }

  // Extended borders: the window's distance from the shadow images' edges and the
  // images for the active and inactive window (32 bits with alpha).
  TacRect ShadowMargins{0, 0, 0, 0};
  TacBitmapPtr ActiveShadow;
  TacBitmapPtr InactiveShadow;
  void PrepareExtBorders();

  // Loads SkinName from a skin folder, else from the internal skins (the first one
  // when the name is not among them; with none, Active becomes false). Nothing when
  // not Active. Errors of the archive or the skin reach the caller.
  void LoadSkin();
  // Loads SkinName's ".asz" file (LoadSkin when there is none). Nothing when not Active.
  void LoadPackedSkin();

  // The names of the skins to choose from, sorted (letter case ignored, no repeats):
  // internal skins, then (stUnpacked, stAllSkins) subfolders of the skin directory
  // holding "Options.dat", then (stPacked, stAllSkins) ".asz" files there by the text
  // before their first ".". Answers the first name found.
  std::string GetSkinNames(std::vector<std::string>& names, TacSkinListKind kind = stAllSkins) const;

  // Announces the loaded skin to all windows (nothing while the description is read).
  void SendNewSkin(bool repaint);
  // Removes the skin from all windows and frees the model.
  void SendRemoveSkin();
  // Makes every window refresh itself from the skin.
  void RepaintForms();

  // The step after the form description has been read: defaults for empty values,
  // lists brought up to date, the loaded skin announced without repaint.
  void FinishLoading();

 protected:
  // Hooks of the window side; the defaults do nothing.
  virtual bool ReadingDescription() const { return false; }
  virtual bool IsDefaultManager() const { return false; }
  // The manager broadcast of one command; `withManager`: lParam carries this manager.
  virtual void BroadcastCommand(int code, bool withManager) {}
  virtual void DoBeforeChange() {}
  virtual void DoAfterChange() {}
  virtual void StopGlows() {}
  virtual void LockForms() {}
  virtual void UnlockForms() {}
  virtual void InstallCreationHook() {}
  virtual void RemoveCreationHook() {}
  // Windows outside the forms (the skinned hint window, adapted windows) refresh.
  virtual void RefreshOtherWindows() {}
  // The program's folder with its trailing separator.
  virtual std::string ProgramFolder() const { return std::string(); }
  virtual bool LayeredWindowsAvailable() const { return true; }
  // Desktop composition is on (the built-in shadows then lie one pixel further out).
  virtual bool CompositionEnabled() const { return false; }
  virtual void ShowVersionWarning(const std::string& message) {}

  // The process-wide flag that standard dialogs are not skinned, when this is the
  // default manager.
  void UpdateDialogRule();

 private:
  // Step 3 of the skin change: the ".asz" file when it exists, else LoadSkin.
  void LoadCurrentSkin();
  // Loads the model from a source with the current settings, then the shadows.
  void LoadModel(TacSkinSource& source);
  void LoadLegacySkin(const TsStoredSkin& stored);
  // After a change of hue, saturation or extended borders.
  void ReloadForSettings();

  bool active_ = true;
  std::string skinName_;
  std::string skinDirectory_;
  int hueOffset_ = 0;
  int saturation_ = 0;
  bool extendedBorders_ = false;
  bool allowGlowing_ = true;
  std::vector<std::string> commonSections_;
  TacSkinningRules skinningRules_ = srStdForms | srStdDialogs | srThirdParty;
  bool packed_ = false;
};
