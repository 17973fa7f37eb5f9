// The main window's picture shows the package's own launcher icon, read by the
// load's worker; packages without one (or with one we refuse) show the placeholder,
// also right after a package that had an icon. Real windows, real loads.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/AppImages.h"
#include "app/PackageIcon.h"
#include "app/ProgramArguments.h"
#include "app/uVqMainFrm.h"
#include "framework/vclApplication.h"
#include "framework/vclParams.h"
#include "framework/vclText.h"
#include "paint/acGdiHandles.h"
#include "support/ScopedEnv.h"
#include "support/TestPaths.h"
#include "tools/badging/PackageBadging.h"

namespace {

std::string Package(const std::string& name) { return SourcePath("tests/data/badging/" + name + ".apk"); }
std::string Sample() { return SourcePath("tests/data/sample/VqSample.apk"); }

bool PumpUntil(const std::function<bool()>& done, DWORD ms = 15000) {
  const DWORD end = GetTickCount() + ms;
  while (!done()) {
    if (GetTickCount() > end) return false;
    Application->ProcessMessages();
    Sleep(5);
  }
  return true;
}

// The icon as the library reads it from the file, independently of the window.
TacBitmapPtr ExpectedIcon(const std::string& path) {
  const std::string bytes = ReadBytes(path);
  const PackageBadgingOutcome outcome = ReadPackageBadging(bytes);
  return ReadPackageIcon(bytes, outcome.badging);
}

// Empty when equal, else where they first differ.
std::string Difference(const TacBitmap* shown, const TacBitmap& expected) {
  if (!shown) return "no picture";
  if (shown->Width() != expected.Width() || shown->Height() != expected.Height())
    return "size " + std::to_string(shown->Width()) + "x" + std::to_string(shown->Height()) + ", expected " +
           std::to_string(expected.Width()) + "x" + std::to_string(expected.Height());
  if (shown->Format() != TacPixelFormat::pf32bit || expected.Format() != TacPixelFormat::pf32bit) return "not 32-bit";
  for (int y = 0; y < expected.Height(); ++y)
    for (int x = 0; x < expected.Width(); ++x)
      for (int c = 0; c < 4; ++c)
        if (shown->Pixel(x, y)[c] != expected.Pixel(x, y)[c])
          return "pixel " + std::to_string(x) + "," + std::to_string(y) + " channel " + std::to_string(c);
  return "";
}

class PackageIconWindow : public testing::Test {
 protected:
  void SetUp() override {
    for (const char* var : {"PTQ_SCRIPT", "PTQAPK_SCRIPT", "PTQLIST_SCRIPT", "PTQ_DEVICE", "PTQ_LOG", "PTQ_STDERR",
                            "PTQ_EXIT", "PTQ_DELAY_MS", "VQ_BADGING_TIMEOUT_MS"})
      SetEnvironmentVariableA(var, nullptr);
    AppPath.clear();
    ApkFileName.clear();
    placeholder_ = LoadAppImage(AppImage::Placeholder);
    ASSERT_NE(placeholder_, nullptr);
    SetProgramArgumentsW({ProgramFileW()});
    form_ = Application->CreateForm<TVqMainFrm>();
    form_->Show();
  }
  void TearDown() override {
    delete form_;
    SetProgramArgumentsW({});
  }
  void Load(const std::string& path) {
    ASSERT_TRUE(form_->LoadPackage(GbkToWide(path)));
    ASSERT_TRUE(PumpUntil([&] { return !form_->PackageLoading(); }));
    ASSERT_TRUE(form_->sbtbtn1->Enabled()) << path;  // the load itself went through
  }
  std::string ShowsPlaceholder() const { return Difference(form_->img1->Picture(), *placeholder_); }
  std::string ShowsIconOf(const std::string& path) const {
    TacBitmapPtr expected = ExpectedIcon(path);
    if (!expected) return "the library finds no icon in " + path;
    return Difference(form_->img1->Picture(), *expected);
  }
  // The colour on screen at the centre of the picture.
  COLORREF ScreenAtPictureCentre() {
    form_->Repaint();
    UpdateWindow(form_->grp1->Handle());
    TacWindowDC dc(form_->grp1->Handle());
    return GetPixel(dc.Get(), form_->img1->Left() + 48, form_->img1->Top() + 48);
  }

  TVqMainFrm* form_ = nullptr;
  TacBitmapPtr placeholder_;
};

TEST_F(PackageIconWindow, AnIconIsShownAndThePlaceholderComesBackForAPackageWithout) {
  EXPECT_EQ(ShowsPlaceholder(), "") << "before any load";
  Load(Package("densities"));
  EXPECT_EQ(ShowsIconOf(Package("densities")), "");
  // The xxhdpi picture (green, 144 px shrunk to 96) is what reaches the screen.
  EXPECT_EQ(ScreenAtPictureCentre(), RGB(0x30, 0xA0, 0x40));
  Load(Package("literal"));
  EXPECT_EQ(ShowsPlaceholder(), "") << "a package without icon after one with";
  EXPECT_NE(ScreenAtPictureCentre(), RGB(0x30, 0xA0, 0x40));
}

TEST_F(PackageIconWindow, TheSamplePackageShowsItsOwnIcon) {
  Load(Sample());
  EXPECT_EQ(form_->lblSoftComName->Caption(), "com.boting.sample");
  ASSERT_EQ(ShowsIconOf(Sample()), "");
  EXPECT_EQ(form_->img1->Picture()->Width(), 96);
  EXPECT_EQ(form_->img1->Picture()->Height(), 96);
}

TEST_F(PackageIconWindow, IconsWeDoNotShowKeepThePlaceholder) {
  const char* const packages[] = {"adaptive", "hugeicon", "codename", "literal"};
  for (const char* name : packages) {
    Load(Package("densities"));  // an icon first, so a stale one would show
    ASSERT_EQ(ShowsIconOf(Package("densities")), "");
    Load(Package(name));
    EXPECT_EQ(ShowsPlaceholder(), "") << name;
  }
}

TEST_F(PackageIconWindow, EveryLoadStartsWithThePlaceholder) {
  Load(Package("densities"));
  ASSERT_EQ(ShowsIconOf(Package("densities")), "");
  // Before the new load's worker has reported, the old icon is already gone.
  ASSERT_TRUE(form_->LoadPackage(GbkToWide(Package("references"))));
  EXPECT_EQ(ShowsPlaceholder(), "");
  ASSERT_TRUE(PumpUntil([&] { return !form_->PackageLoading(); }));
  EXPECT_EQ(ShowsIconOf(Package("references")), "");
}

TEST_F(PackageIconWindow, AReplacedLoadDropsItsIcon) {
  const std::string dir = ScratchDir("icon-replace");
  const std::string log = dir + "\\log.txt";
  ScopedEnv logEnv("PTQ_LOG", log);
  {
    // The first load's tool is slow: its result, icon and all, arrives after the second's.
    ScopedEnv slow("PTQ_DELAY_MS", "2000");
    ASSERT_TRUE(form_->LoadPackage(GbkToWide(Package("densities"))));
    ASSERT_TRUE(PumpUntil([&] { return ReadBytes(log).find("densities.apk") != std::string::npos; }));
  }
  ASSERT_TRUE(form_->LoadPackage(GbkToWide(Package("literal"))));
  ASSERT_TRUE(PumpUntil([&] { return !form_->PackageLoading(); }));
  EXPECT_EQ(ShowsPlaceholder(), "");
  const DWORD until = GetTickCount() + 3000;
  PumpUntil([&] { return GetTickCount() > until; }, 5000);
  EXPECT_EQ(ShowsPlaceholder(), "") << "the replaced load's icon arrived and was shown";
  EXPECT_EQ(form_->lblSoftComName->Caption(), "com.example.literal");
}

TEST_F(PackageIconWindow, AFileThatIsNoPackageKeepsThePlaceholder) {
  const std::string dir = ScratchDir("icon-notpackage");
  const std::string file = dir + "\\broken.apk";
  // The sample cut short: the simulated tool still finds its badging entry, but
  // without the archive's directory the reader finds no icon.
  WriteBytes(file, ReadBytes(Sample()).substr(0, 2000));
  Load(Package("densities"));
  ASSERT_TRUE(form_->LoadPackage(GbkToWide(file)));
  ASSERT_TRUE(PumpUntil([&] { return !form_->PackageLoading(); }));
  EXPECT_EQ(ShowsPlaceholder(), "");
}

}  // namespace
