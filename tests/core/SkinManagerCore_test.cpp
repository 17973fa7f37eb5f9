// The platform-free skin manager: which source a skin name resolves to, the change
// sequence and its announcements, hue and saturation reloads, extended-border
// images, the skin list, directory rules, version texts and the third-party lists.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <direct.h>
#else
#include <sys/stat.h>
#endif

#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "skin/acAnsiFile.h"
#include "skin/acEngineVersion.h"
#include "skin/acImageDecode.h"
#include "skin/acSkinChangeState.h"
#include "skin/acSkinDirectory.h"
#include "skin/acSkinManagerCore.h"
#include "skin/acSkinWriter.h"
#include "skin/sCommandCodes.h"
#include "support/TestPaths.h"

namespace {

const char* const kBuiltinName = "air unpacked (内建皮肤)";
const std::string kSep(1, PathDelimiter());

void MakeDir(const std::string& path) {
#ifdef _WIN32
  _mkdir(path.c_str());
#else
  mkdir(path.c_str(), 0755);
#endif
}

void WriteText(const std::string& path, const std::string& text) {
  WriteAnsiFile(path, std::vector<uint8_t>(text.begin(), text.end()));
}

// A small skin whose version tells where it was loaded from.
std::string SkinText(const std::string& version, const std::string& extra = std::string()) {
  return "[GLOBALINFO]\nVERSION=" + version + "\nCOLOR=16250098\n[BUTTON]\nCOLOR=255\nFONTCOLOR=0\n" + extra;
}

// Packs a skin folder made from `text` in a work folder of its own.
std::vector<uint8_t> PackedSkin(const std::string& scratch, const std::string& tag, const std::string& text) {
  const std::string folder = scratch + kSep + "src-" + tag;
  MakeDir(folder);
  WriteText(folder + kSep + "Options.dat", text);
  return PackSkinFolder(folder);
}

std::vector<uint8_t> AirArchive() { return PackSkinFolder(SourcePath("skins/air")); }

// Records what the window side would be asked to do.
class RecordingManager : public TacSkinManagerCore {
 public:
  std::string programFolder;
  bool reading = false;
  bool isDefault = false;
  bool layered = true;
  bool composition = false;
  std::vector<std::string> log;
  std::vector<std::string> warnings;

 protected:
  bool ReadingDescription() const override { return reading; }
  bool IsDefaultManager() const override { return isDefault; }
  void BroadcastCommand(int code, bool withManager) override {
    log.push_back("cmd" + std::to_string(code) + (withManager ? "+m" : ""));
  }
  void DoBeforeChange() override { log.push_back("before"); }
  void DoAfterChange() override { log.push_back("after"); }
  void LockForms() override { log.push_back("lock"); }
  void UnlockForms() override { log.push_back("unlock"); }
  std::string ProgramFolder() const override { return programFolder; }
  bool LayeredWindowsAvailable() const override { return layered; }
  bool CompositionEnabled() const override { return composition; }
  void ShowVersionWarning(const std::string& message) override { warnings.push_back(message); }
};

const std::vector<std::string> kAnnounceWithRepaint = {
    "lock", "cmd1+m", "cmd16", "lock", "cmd3+m", "unlock",
};

// Which of the three sources a name resolves to when several exist.
struct ResolutionCase {
  const char* title;
  bool asz, folder, internal;
  const char* version;  // of the skin expected to load
  bool packed;
  enum { DirOnly, FolderPath, Empty } skinPath;
};

void PrintTo(const ResolutionCase& c, std::ostream* os) { *os << c.title; }

class SkinResolution : public ::testing::TestWithParam<ResolutionCase> {};

TEST_P(SkinResolution, LoadsFromTheFirstSourceThatExists) {
  const ResolutionCase& c = GetParam();
  const std::string scratch = ScratchDir(std::string("SkinResolution_") + c.title);
  const std::string skins = scratch + kSep + "Skins";
  MakeDir(skins);
  if (c.asz) WriteAnsiFile(skins + kSep + kBuiltinName + ".asz", PackedSkin(scratch, "asz", SkinText("2.5")));
  if (c.folder) {
    MakeDir(skins + kSep + kBuiltinName);
    WriteText(skins + kSep + kBuiltinName + kSep + "Options.dat", SkinText("1.5"));
  }
  RecordingManager m;
  m.SetSkinDirectory(skins);
  const std::vector<uint8_t> internal = PackedSkin(scratch, "internal", SkinText("3.5"));
  if (c.internal) m.InternalSkins.Add(kBuiltinName, internal.data(), internal.size());
  m.SetSkinName(kBuiltinName);

  EXPECT_TRUE(m.Active());
  EXPECT_EQ(m.SkinName(), kBuiltinName);
  EXPECT_EQ(m.SkinInfo(), c.version);
  EXPECT_EQ(m.Packed(), c.packed);
  const std::string dir = IncludeTrailingDelimiter(skins);
  switch (c.skinPath) {
    case ResolutionCase::DirOnly: EXPECT_EQ(m.SkinData.SkinPath, dir); break;
    case ResolutionCase::FolderPath: EXPECT_EQ(m.SkinData.SkinPath, dir + kBuiltinName + kSep); break;
    case ResolutionCase::Empty: EXPECT_EQ(m.SkinData.SkinPath, ""); break;
  }
  EXPECT_EQ(m.GetSkinIndex("BUTTON"), 1);
  EXPECT_TRUE(m.SkinData.Active);
}

INSTANTIATE_TEST_SUITE_P(
    Sources, SkinResolution,
    ::testing::Values(ResolutionCase{"AszBeatsFolderAndInternal", true, true, true, "2.5", true, ResolutionCase::DirOnly},
                      ResolutionCase{"FolderBeatsInternal", false, true, true, "1.5", false, ResolutionCase::FolderPath},
                      ResolutionCase{"InternalAlone", false, false, true, "3.5", true, ResolutionCase::Empty},
                      ResolutionCase{"AszAlone", true, false, false, "2.5", true, ResolutionCase::DirOnly}),
    [](const ::testing::TestParamInfo<ResolutionCase>& info) { return std::string(info.param.title); });

class SkinManagerCore : public ::testing::Test {
 protected:
  void SetUp() override {
    scratch_ = ScratchDir(std::string("SkinManagerCore_") +
                          ::testing::UnitTest::GetInstance()->current_test_info()->name());
    m_.SetSkinDirectory(scratch_ + kSep + "NoSkinsHere");
  }
  void AddInternal(const std::string& name, const std::string& text) {
    // The work folder is named by number: the packer lists folders by ASCII names.
    const std::vector<uint8_t> data = PackedSkin(scratch_, std::to_string(m_.InternalSkins.Count()), text);
    m_.InternalSkins.Add(name, data.data(), data.size());
  }
  std::string scratch_;
  RecordingManager m_;
};

TEST_F(SkinManagerCore, UnknownNameFallsBackToTheFirstInternalSkin) {
  AddInternal("first", SkinText("4.25"));
  AddInternal("second", SkinText("5"));
  m_.SetSkinName("no such skin");
  EXPECT_EQ(m_.SkinName(), "first");
  EXPECT_EQ(m_.SkinInfo(), "4.25");
  EXPECT_TRUE(m_.Active());
  // An exact name is needed: letter case counts among internal skins.
  m_.SetSkinName("SECOND");
  EXPECT_EQ(m_.SkinName(), "first");
  m_.SetSkinName("second");
  EXPECT_EQ(m_.SkinInfo(), "5");
}

TEST_F(SkinManagerCore, NoSkinAnywhereSwitchesOffAndRemovesTheSkin) {
  AddInternal("only", SkinText("1"));
  m_.SetSkinName("only");
  ASSERT_EQ(m_.SkinInfo(), "1");
  m_.InternalSkins.Clear();
  m_.log.clear();
  m_.SetSkinName("gone");
  EXPECT_FALSE(m_.Active());
  EXPECT_EQ(m_.SkinInfo(), NoSkinInfo);
  EXPECT_EQ(m_.log, (std::vector<std::string>{"before", "cmd2+m", "after"}));
  EXPECT_TRUE(m_.Sections.empty());
  EXPECT_EQ(m_.ConstData.IndexGlobalInfo, -1);
}

TEST_F(SkinManagerCore, ASkinChangeIsAnnouncedAndRepaintedInOrder) {
  AddInternal("a", SkinText("1"));
  m_.SetSkinName("a");
  std::vector<std::string> expected{"before"};
  expected.insert(expected.end(), kAnnounceWithRepaint.begin(), kAnnounceWithRepaint.end());
  expected.push_back("after");
  EXPECT_EQ(m_.log, expected);
  EXPECT_FALSE(SkinChangeState().Changing);
  EXPECT_FALSE(SkinChangeState().NewSkinAnnounced);
}

TEST_F(SkinManagerCore, WhileTheFormIsReadTheSkinLoadsAndIsAnnouncedOnceWithoutRepaintAfterwards) {
  AddInternal(kBuiltinName, SkinText("6.1"));
  m_.reading = true;
  m_.SetSkinDirectory("");
  m_.SetSkinName(kBuiltinName);
  EXPECT_EQ(m_.SkinInfo(), "6.1");
  EXPECT_FALSE(m_.SkinData.Active);
  EXPECT_EQ(m_.log, (std::vector<std::string>{"before", "after"}));
  m_.reading = false;
  m_.log.clear();
  m_.FinishLoading();
  EXPECT_EQ(m_.log, (std::vector<std::string>{"cmd1+m"}));
  EXPECT_TRUE(m_.SkinData.Active);
  EXPECT_EQ(m_.SkinDirectory(), DefaultSkinDirectory);
}

TEST_F(SkinManagerCore, HueAndSaturationReloadOnlyWhenTheyChange) {
  AddInternal("a", SkinText("1"));
  m_.SetSkinName("a");
  const int button = m_.GetSkinIndex("BUTTON");
  ASSERT_EQ(m_.Sections[button].Color, 255u);
  m_.log.clear();
  m_.SetHueOffset(0);
  m_.SetSaturation(0);
  EXPECT_TRUE(m_.log.empty());
  EXPECT_EQ(m_.Sections[button].Color, 255u);

  m_.SetHueOffset(120);  // red turns green
  EXPECT_EQ(m_.Sections[button].Color, 0x00FF00u);
  EXPECT_EQ(m_.log, (std::vector<std::string>{"cmd16", "lock", "cmd3+m", "unlock"}));
  EXPECT_TRUE(m_.SkinData.Active);
  m_.log.clear();
  m_.SetHueOffset(120);
  EXPECT_TRUE(m_.log.empty());
  m_.SetSaturation(-100);  // all colour gone
  const uint32_t grey = m_.Sections[button].Color;
  EXPECT_EQ(grey & 0xFF, (grey >> 8) & 0xFF);
  EXPECT_EQ(grey & 0xFF, (grey >> 16) & 0xFF);
}

TEST_F(SkinManagerCore, SwitchingOffRemovesTheSkinAndOnLoadsItAgain) {
  AddInternal("a", SkinText("3"));
  m_.SetSkinName("a");
  m_.log.clear();
  m_.SetActive(false);
  EXPECT_EQ(m_.log, (std::vector<std::string>{"cmd2+m"}));
  EXPECT_EQ(m_.SkinInfo(), NoSkinInfo);
  EXPECT_FALSE(m_.SkinData.Active);
  // Nothing loads or is announced while off.
  m_.log.clear();
  m_.SetSkinName("a");
  EXPECT_TRUE(m_.log.empty());
  EXPECT_EQ(m_.SkinInfo(), NoSkinInfo);
  m_.SetActive(true);
  EXPECT_EQ(m_.SkinInfo(), "3");
  EXPECT_TRUE(m_.SkinData.Active);
}

TEST_F(SkinManagerCore, ALoadErrorReachesTheCallerAndLeavesNoChangeMarked) {
  m_.InternalSkins.Add().Name = "broken";
  m_.InternalSkins.Items(0).Data = {'A', 'S', 'z', 'f', 1, 0};
  EXPECT_ANY_THROW(m_.SetSkinName("broken"));
  EXPECT_FALSE(SkinChangeState().Changing);
  EXPECT_FALSE(m_.SkinData.Active);
  EXPECT_EQ(m_.SkinInfo(), NoSkinInfo);
}

TEST_F(SkinManagerCore, AStoredSkinWithoutDataGivesItsStoredGlobalValues) {
  TsStoredSkin& s = m_.InternalSkins.Add();
  s.Name = "legacy";
  s.Version = 5.5;
  s.Author = "someone";
  s.BorderColor = 0x123456;
  m_.SetSkinName("legacy");
  EXPECT_EQ(m_.SkinInfo(), "5.5");
  EXPECT_EQ(m_.SkinData.Author, "someone");
  EXPECT_EQ(m_.SkinData.BorderColor, 0x123456u);
  EXPECT_FALSE(m_.Packed());
}

TEST_F(SkinManagerCore, CommonSectionsLoseTheirBlanksAndApplyOverTheSkin) {
  AddInternal("a", SkinText("1"));
  m_.SetSkinName("a");
  m_.SetCommonSections({"[BUTTON]", "COLOR = 16711680", "; a comment keeps its blanks"});
  EXPECT_EQ(m_.CommonSections(),
            (std::vector<std::string>{"[BUTTON]", "COLOR=16711680", "; a comment keeps its blanks"}));
  EXPECT_EQ(m_.Sections[m_.GetSkinIndex("BUTTON")].Color, 16711680u);
}

TEST_F(SkinManagerCore, ANewerSkinIsLoadedAfterTheWarning) {
  AddInternal("new", SkinText("7.5"));
  m_.SetSkinName("new");
  ASSERT_EQ(m_.warnings.size(), 1u);
  EXPECT_NE(m_.warnings[0].find("Components must be updated"), std::string::npos);
  EXPECT_EQ(m_.SkinInfo(), "7.5");
}

TEST_F(SkinManagerCore, TheDialogRuleFollowsTheDefaultManager) {
  AddInternal("a", SkinText("1"));
  m_.isDefault = true;
  m_.SetSkinName("a");
  EXPECT_FALSE(SkinChangeState().StdDialogsNotSkinned);
  m_.SetSkinningRules(srStdForms | srThirdParty);
  EXPECT_TRUE(SkinChangeState().StdDialogsNotSkinned);
  m_.SetSkinningRules(srStdForms | srStdDialogs | srThirdParty);
  EXPECT_FALSE(SkinChangeState().StdDialogsNotSkinned);
  m_.SetActive(false);
  EXPECT_TRUE(SkinChangeState().StdDialogsNotSkinned);
}

// Extended borders: the built-in shadows for a skin without "EXBORDER", the skin's
// own frames otherwise, nothing when switched off or without layered windows.
TEST_F(SkinManagerCore, ExtendedBordersUseTheBuiltInShadowsWithoutAnExBorderImage) {
  AddInternal("a", SkinText("1"));
  m_.SetSkinName("a");
  EXPECT_EQ(m_.ShadowMargins.Left + m_.ShadowMargins.Top + m_.ShadowMargins.Right + m_.ShadowMargins.Bottom, 0);
  m_.SetExtendedBorders(true);
  EXPECT_EQ(m_.ShadowMargins.Left, 11);
  EXPECT_EQ(m_.ShadowMargins.Top, 7);
  EXPECT_EQ(m_.ShadowMargins.Right, 11);
  EXPECT_EQ(m_.ShadowMargins.Bottom, 11);
  // The images are the embedded copies of skin/builtin/*.png, pixel for pixel.
  const std::pair<const TacBitmap*, const char*> images[] = {{m_.ActiveShadow.get(), "ShadowActive.png"},
                                                             {m_.InactiveShadow.get(), "ShadowInactive.png"}};
  for (const auto& [image, file] : images) {
    SCOPED_TRACE(file);
    ASSERT_NE(image, nullptr);
    std::vector<uint8_t> png;
    ASSERT_TRUE(ReadAnsiFile(SourcePath(std::string("skin/builtin/") + file), png));
    const TacBitmapPtr original = DecodePng(png.data(), png.size());
    ASSERT_EQ(image->Width(), 64);
    ASSERT_EQ(image->Height(), 64);
    ASSERT_EQ(image->BytesPerPixel(), 4);
    for (int y = 0; y < 64; ++y)
      for (int x = 0; x < 64; ++x) {
        const uint8_t* p = image->Pixel(x, y);
        const uint8_t* o = original->Pixel(x, y);
        // White and fully transparent pixels are cleared to zero, all others kept.
        const bool clearedWhite = o[0] == 255 && o[1] == 255 && o[2] == 255 && o[3] == 0;
        const uint8_t expected[4] = {clearedWhite ? uint8_t(0) : o[0], clearedWhite ? uint8_t(0) : o[1],
                                     clearedWhite ? uint8_t(0) : o[2], o[3]};
        ASSERT_EQ(std::memcmp(p, expected, 4), 0) << x << "," << y;
      }
    // The shadow fades outward: the outer corner is more transparent than the edge
    // next to the window.
    EXPECT_LT(image->Pixel(0, 0)[3], image->Pixel(10, 32)[3]);
  }
  bool differ = false;
  for (int y = 0; y < 64 && !differ; ++y)
    for (int x = 0; x < 64 && !differ; ++x)
      differ = std::memcmp(m_.ActiveShadow->Pixel(x, y), m_.InactiveShadow->Pixel(x, y), 4) != 0;
  EXPECT_TRUE(differ) << "the active window's shadow differs from the inactive one's";

  m_.composition = true;
  m_.PrepareExtBorders();
  EXPECT_EQ(m_.ShadowMargins.Left, 12);
  EXPECT_EQ(m_.ShadowMargins.Top, 8);

  m_.layered = false;
  EXPECT_FALSE(m_.ExtendedBorders());
  m_.PrepareExtBorders();
  EXPECT_EQ(m_.ShadowMargins.Top, 0);
}

TEST_F(SkinManagerCore, ExtendedBordersOfOurSkinComeFromItsExBorderFrames) {
  const std::vector<uint8_t> air = AirArchive();
  m_.InternalSkins.Add(kBuiltinName, air.data(), air.size());
  m_.SetExtendedBorders(true);
  m_.SetSkinName(kBuiltinName);
  ASSERT_GE(m_.ConstData.ExBorder, 0);
  const TsMaskData& ex = m_.Masks[m_.ConstData.ExBorder];
  const int offset = m_.SkinData.FormOffset;  // the skin's BORDERMODE is 1
  EXPECT_EQ(m_.ShadowMargins.Left, offset);
  EXPECT_EQ(m_.ShadowMargins.Bottom, offset);
  ASSERT_NE(m_.ActiveShadow, nullptr);
  ASSERT_NE(m_.InactiveShadow, nullptr);
  EXPECT_EQ(m_.InactiveShadow->Width(), MaskFrameWidth(ex));
  EXPECT_EQ(m_.InactiveShadow->Height(), MaskFrameHeight(ex));
  // Frame 0 is the inactive shadow, frame 1 the active one.
  const int w = MaskFrameWidth(ex);
  for (int y = 0; y < m_.InactiveShadow->Height(); y += 7)
    for (int x = 0; x < w; x += 5) {
      const uint8_t* src0 = ex.Bmp->Pixel(ex.R.Left + x, ex.R.Top + y);
      const uint8_t* src1 = ex.Bmp->Pixel(ex.R.Left + w + x, ex.R.Top + y);
      ASSERT_EQ(m_.InactiveShadow->Pixel(x, y)[3], src0[3]);
      ASSERT_EQ(m_.ActiveShadow->Pixel(x, y)[3], src1[3]);
    }
}

TEST_F(SkinManagerCore, OurSkinLoadsPackedAsTheMainWindowStoresIt) {
  const std::vector<uint8_t> air = AirArchive();
  m_.InternalSkins.Add(kBuiltinName, air.data(), air.size());
  m_.SetSkinDirectory(DefaultSkinDirectory);
  m_.SetSkinName(kBuiltinName);
  EXPECT_EQ(m_.SkinInfo(), "6.1");
  EXPECT_EQ(m_.Sections.size(), 64u);
  EXPECT_EQ(m_.GetSkinIndex("BUTTON"), 39);
  EXPECT_TRUE(m_.Packed());
}

TEST_F(SkinManagerCore, SkinNamesListInternalSkinsFoldersAndArchivesSorted) {
  AddInternal("Zeta", SkinText("1"));
  AddInternal("alpha", SkinText("1"));
  const std::string dir = scratch_ + kSep + "Skins";
  MakeDir(dir);
  MakeDir(dir + kSep + "Beta");
  WriteText(dir + kSep + "Beta" + kSep + "Options.dat", SkinText("1"));
  MakeDir(dir + kSep + "NoOptions");
  MakeDir(dir + kSep + "zeta");  // the same name as an internal skin in another case
  WriteText(dir + kSep + "zeta" + kSep + "Options.dat", SkinText("1"));
  WriteText(dir + kSep + "gamma.asz", "x");
  WriteText(dir + kSep + "Delta.v2.ASZ", "x");
  WriteText(dir + kSep + "readme.txt", "x");
  m_.SetSkinDirectory(dir);

  std::vector<std::string> names;
  EXPECT_EQ(m_.GetSkinNames(names, stAllSkins), "Zeta");
  EXPECT_EQ(names, (std::vector<std::string>{"alpha", "Beta", "Delta", "gamma", "Zeta"}));
  m_.GetSkinNames(names, stUnpacked);
  EXPECT_EQ(names, (std::vector<std::string>{"alpha", "Beta", "Zeta"}));
  m_.GetSkinNames(names, stPacked);
  EXPECT_EQ(names, (std::vector<std::string>{"alpha", "Delta", "gamma", "Zeta"}));

  m_.InternalSkins.Clear();
  const std::string first = m_.GetSkinNames(names, stPacked);
  EXPECT_TRUE(first == "Delta" || first == "gamma") << first;  // the folder's own order
  m_.SetSkinDirectory(dir + kSep + "missing");
  EXPECT_EQ(m_.GetSkinNames(names, stAllSkins), "");
  EXPECT_TRUE(names.empty());
}

// The Windows rules, checked on every platform as plain text.
TEST(SkinDirectory, WindowsRulesResolveAgainstTheProgramFolder) {
  struct Case {
    const char* dir;
    const char* expected;
  } cases[] = {
      {"c:\\Skins", "c:\\Skins\\"},
      {"c:\\Skins\\", "c:\\Skins\\"},
      {"c:\\Skins/", "c:\\Skins\\"},
      {"d:", "d:\\"},
      {"\\\\server\\share", "\\\\server\\share\\"},
      {"Skins", "C:\\App\\Bin\\Skins\\"},
      {"", "C:\\App\\Bin\\"},
      {".\\Skins", "C:\\App\\Bin\\Skins\\"},
      {"./Skins", "C:\\App\\Bin\\Skins\\"},
      {"..\\Skins", "C:\\App\\Skins\\"},
      {"../Skins/", "C:\\App\\Skins\\"},
      {"..", "C:\\App\\"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ResolveSkinDirectory(c.dir, "C:\\App\\Bin\\", TacPathStyle::Windows), c.expected) << c.dir;
  // A lone drive letter can only arise without a program folder.
  EXPECT_EQ(ResolveSkinDirectory("e", "", TacPathStyle::Windows), "e:\\");
  EXPECT_EQ(ResolveSkinDirectory("..\\Skins", "C:\\", TacPathStyle::Windows), "C:\\Skins\\");
}

TEST(SkinDirectory, PosixPathsFollowTheSameRules) {
  EXPECT_EQ(ResolveSkinDirectory("/opt/skins", "/usr/bin/", TacPathStyle::Posix), "/opt/skins/");
  EXPECT_EQ(ResolveSkinDirectory("skins", "/usr/bin/", TacPathStyle::Posix), "/usr/bin/skins/");
  EXPECT_EQ(ResolveSkinDirectory("./skins", "/usr/bin/", TacPathStyle::Posix), "/usr/bin/skins/");
  EXPECT_EQ(ResolveSkinDirectory("../skins", "/usr/bin/", TacPathStyle::Posix), "/usr/skins/");
  EXPECT_EQ(ExtractFileDir("C:\\App\\ApkInstaller.exe", TacPathStyle::Windows), "C:\\App\\");
  EXPECT_EQ(ExtractFileDir("ApkInstaller.exe", TacPathStyle::Windows), "");
}

TEST(SkinEngineVersion, VersionTextsAndTheStartUpSwitch) {
  EXPECT_STREQ(TacSkinManagerCore::Version(), "6.57");
  EXPECT_STREQ(SkinEngineVersionText, "Corvane v6.57");
  struct Case {
    std::vector<std::string> args;
    bool expected;
  } cases[] = {
      {{"ApkInstaller.exe"}, false},
      {{"ApkInstaller.exe", "/acver"}, true},
      {{"ApkInstaller.exe", "/ACVer"}, true},
      {{"ApkInstaller.exe", "c:\\a.apk", "/AcVeR"}, true},
      {{"ApkInstaller.exe", "/acver2"}, false},
      {{"ApkInstaller.exe", "acver"}, false},
      {{"ApkInstaller.exe", "-acver"}, false},
      {{}, false},
  };
  for (const Case& c : cases) EXPECT_EQ(HasEngineVersionSwitch(c.args), c.expected) << ::testing::PrintToString(c.args);
  EXPECT_EQ(FormatSkinVersion(6.1), "6.1");
  EXPECT_EQ(FormatSkinVersion(6.10), "6.1");
  EXPECT_EQ(FormatSkinVersion(7), "7");
  EXPECT_EQ(FormatSkinVersion(6.57), "6.57");
  EXPECT_EQ(FormatSkinVersion(0), "0");
}

TEST(SkinThirdParty, ListsTakeTheirDefaultsAndSplitIntoNames) {
  TacThirdPartyList t;
  EXPECT_EQ(t.Text(tpButton), "TButton");
  EXPECT_EQ(t.Names(tpButton), std::vector<std::string>{"TButton"});
  for (int k = 0; k < ThirdPartyKindCount; ++k)
    if (k != tpButton) {
      EXPECT_EQ(t.Text(static_cast<TacThirdPartyKind>(k)), " ") << ThirdPartyPropertyNames[k];
      EXPECT_TRUE(t.Names(static_cast<TacThirdPartyKind>(k)).empty());
    }
  EXPECT_STREQ(ThirdPartyPropertyNames[tpEdit], "ThirdEdits");
  EXPECT_STREQ(ThirdPartyPropertyNames[tpSpeedButton], "ThirdSpeedButton");
  EXPECT_TRUE(t.SetText("ThirdEdits", "TEdit\r\n  TMemo \r\n\r\nTMaskEdit"));
  EXPECT_FALSE(t.SetText("ThirdNothing", "x"));
  t.SetText(tpButton, "");
  t.Update();
  EXPECT_EQ(t.Names(tpEdit), (std::vector<std::string>{"TEdit", "TMemo", "TMaskEdit"}));
  EXPECT_EQ(t.Text(tpButton), "TButton");
  EXPECT_EQ(t.KindOfClass("tmemo"), tpEdit);
  EXPECT_EQ(t.KindOfClass("TButton"), tpButton);
  EXPECT_EQ(t.KindOfClass("TPanel"), -1);
}

TEST(SkinCommands, PackingAndColourMixing) {
  EXPECT_EQ(PackCommand(SMC_NEWSKIN), 0x10000u);
  EXPECT_EQ(PackCommand(SMC_SETUPDATING, 1), 0x80001u);
  EXPECT_EQ(CommandCode(PackCommand(SMC_GETCLIENTOFFSET, 0xFFFF)), 61);
  EXPECT_EQ(CommandArg(PackCommand(SMC_GETCLIENTOFFSET, 0xFFFF)), 0xFFFF);
  struct Case {
    uint32_t color, parent;
    int t;
    uint32_t expected;
  } cases[] = {
      {0x102030, 0xFFFFFF, 0, 0x102030},   {0x102030, 0xFFFFFF, 100, 0xFFFFFF},
      {0x000000, 0xFFFFFF, 50, 0x808080},  // 127.5 rounds to even: 128
      {0x0000FF, 0xFF0000, 25, 0x4000BF},  {0x646464, 0x000000, 10, 0x5A5A5A},
      {0x102030, 0xFFFFFF, -5, 0x102030},  {0x102030, 0xFFFFFF, 150, 0xFFFFFF},
  };
  for (const Case& c : cases) EXPECT_EQ(MixBgColor(c.color, c.parent, c.t), c.expected) << c.t;
}

}  // namespace
