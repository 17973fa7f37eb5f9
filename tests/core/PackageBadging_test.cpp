// Badging of packages built by the Android asset packaging tool from our own small
// manifests (tools/badging/make_test_packages.py); the expected lines are the ones
// that tool prints for them. The parity test compares every line on a fresh build.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/ZipFixture.h"
#include "support/TestPaths.h"
#include "tools/badging/PackageBadging.h"
#include "tools/badging/ZipDirectory.h"

namespace {

std::string Package(const std::string& name) {
  std::ifstream in(SourcePath("tests/data/badging/" + name + ".apk"), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

using Lines = std::vector<std::string>;
// What every package gets: the feature group, and the screens its target level implies.
const char* const kFeatures = "feature-group: label=''";
const char* const kTouch = "  uses-feature: name='android.hardware.faketouch'";
const char* const kTouchWhy = "  uses-implied-feature: name='android.hardware.faketouch' reason='default feature for all apps'";
const char* const kAllScreens = "supports-screens: 'small' 'normal' 'large' 'xlarge'";
const char* const kAnyDensity = "supports-any-density: 'true'";
const std::string kPlatform =
    " platformBuildVersionName='10.0.0' compileSdkVersion='29' compileSdkVersionCodename='10.0.0'";

TEST(PackageBadging, LinesOfTestPackages) {
  struct Case { const char* package; Lines lines; };
  const Case cases[] = {
      {"literal",
       {"package: name='com.vq.literal' versionCode='42' versionName='3.1.4'" + kPlatform, "sdkVersion:'8'",
        "targetSdkVersion:'10'", "uses-permission: name='android.permission.INTERNET'",
        "uses-permission: name='android.permission.INTERNET'",
        "uses-permission: name='android.permission.READ_CONTACTS' maxSdkVersion='18'",
        // Without a resource table the application shows neither label nor icon.
        "application: label='' icon=''",
        "launchable-activity: name='com.vq.literal.MainActivity'  label='Main' icon=''",
        "uses-permission: name='android.permission.READ_CALL_LOG'",
        "uses-implied-permission: name='android.permission.READ_CALL_LOG' reason='targetSdkVersion < 16 and "
        "requested READ_CONTACTS'",
        kFeatures, kTouch, kTouchWhy, "main", kAllScreens, kAnyDensity, "locales:", "densities:"}},
      {"references",
       {"package: name='com.vq.references' versionCode='1234' versionName='2.5.1-beta'" + kPlatform,
        "sdkVersion:'9'", "targetSdkVersion:'19'", "application-label:'Reference App'",
        u8"application-label-ar:'تطبيق مرجعي'", "application-label-de:'Verweis-App'",
        u8"application-label-fr-CA:'Appli référence'", u8"application-label-ja:'参照アプリ'",
        u8"application-label-ru:'Ссылочное приложение'", "application-label-sr-Latn:'Referentna aplikacija'",
        u8"application-label-zh-CN:'安装器示例应用'", u8"application-label-zh-TW:'安裝器範例'",
        "application-icon-160:'res/drawable-mdpi-v4/icon.png'",
        "application-icon-240:'res/drawable-hdpi-v4/icon.png'",
        "application-icon-480:'res/drawable-xxhdpi-v4/icon.png'",
        "application: label='Reference App' icon='res/drawable-mdpi-v4/icon.png'",
        "launchable-activity: name='com.vq.references.Start'  label='Start here' "
        "icon='res/drawable-mdpi-v4/icon.png'",
        kFeatures, kTouch, kTouchWhy, "main", kAllScreens, kAnyDensity, "locales: '--_--' 'ar' 'de' 'fr-CA' 'ja' 'ru' 'sr-Latn' 'zh-CN' 'zh-TW'",
        "densities: '160' '240' '480'"}},
      {"codename",
       {"package: name='com.vq.codename' versionCode='5' versionName='Q preview'" + kPlatform, "sdkVersion:'Q'",
        "targetSdkVersion:'Q'", "application-label:'Codename'",
        // An adaptive icon for any density wins over every bitmap.
        "application-icon-160:'res/mipmap-anydpi-v26/launcher.xml'",
        "application-icon-320:'res/mipmap-anydpi-v26/launcher.xml'",
        "application-icon-65534:'res/mipmap-anydpi-v26/launcher.xml'",
        "application: label='Codename' icon='res/mipmap-anydpi-v26/launcher.xml'",
        "uses-permission: name='android.permission.WRITE_EXTERNAL_STORAGE'",
        "uses-implied-permission: name='android.permission.WRITE_EXTERNAL_STORAGE' reason='targetSdkVersion < 4'",
        "uses-permission: name='android.permission.READ_PHONE_STATE'",
        "uses-implied-permission: name='android.permission.READ_PHONE_STATE' reason='targetSdkVersion < 4'",
        "uses-permission: name='android.permission.READ_EXTERNAL_STORAGE'",
        "uses-implied-permission: name='android.permission.READ_EXTERNAL_STORAGE' reason='requested "
        "WRITE_EXTERNAL_STORAGE'",
        kFeatures, kTouch, kTouchWhy, "supports-screens: 'normal'", "supports-any-density: 'false'",
        "locales: '--_--'", "densities: '160' '320' '65534'"}},
      {"noversion",
       {"package: name='com.vq.noversion' versionCode='' versionName=''" + kPlatform, "sdkVersion:'4'",
        "application: label='' icon=''", kFeatures, kTouch, kTouchWhy, "supports-screens: 'small' 'normal' 'large'",
        kAnyDensity, "locales:", "densities:"}},
      {"split",
       {"package: name='com.vq.split' versionCode='8' versionName='1.0' split='config.x86'" + kPlatform,
        "sdkVersion:'21'", "application: label='' icon=''", kFeatures, kTouch, kTouchWhy, kAllScreens, kAnyDensity,
        "locales:", "densities:"}},
      {"native",
       {"package: name='com.vq.native' versionCode='77' versionName='7.7'" + kPlatform, "sdkVersion:'14'",
        "targetSdkVersion:'28'", "uses-permission: name='android.permission.CAMERA'",
        "application-label:'Native & 'quoted' game'", "application: label='Native & 'quoted' game' icon=''",
        "launchable-activity: name='com.vq.native.Game'  label='' icon=''", kFeatures,
        "  uses-feature: name='android.hardware.camera'",
        "  uses-implied-feature: name='android.hardware.camera' reason='requested android.permission.CAMERA permission'",
        kTouch, kTouchWhy, "main", kAllScreens, kAnyDensity, "locales: '--_--'",
        "densities: '160'", "native-code: 'arm64-v8a' 'armeabi-v7a' 'x86'"}},
  };
  for (const Case& c : cases) {
    const PackageBadgingOutcome outcome = ReadPackageBadging(Package(c.package));
    EXPECT_EQ(outcome.status, BadgingStatus::kOk) << c.package << ": " << outcome.message;
    EXPECT_EQ(outcome.badging.lines, c.lines) << c.package;
  }
}

TEST(PackageBadging, VersionCodeGivenAsReferenceStopsAfterTheName) {
  const PackageBadgingOutcome outcome = ReadPackageBadging(Package("badcode"));
  EXPECT_EQ(outcome.status, BadgingStatus::kBadAttribute);
  EXPECT_EQ(outcome.badging.lines, Lines{"package: name='com.vq.badcode' "});
  EXPECT_EQ(outcome.message, "ERROR getting 'android:versionCode' attribute: attribute is not an integer value");
}

TEST(PackageBadging, IconsForTheWindow) {
  const PackageBadging badging = ReadPackageBadging(Package("references")).badging;
  EXPECT_EQ(badging.defaultIcon, "res/drawable-mdpi-v4/icon.png");
  using Icon = std::pair<uint16_t, std::string>;
  const std::vector<Icon> icons = {{160, "res/drawable-mdpi-v4/icon.png"},
                                   {240, "res/drawable-hdpi-v4/icon.png"},
                                   {480, "res/drawable-xxhdpi-v4/icon.png"}};
  EXPECT_EQ(badging.iconsByDensity, icons);
  EXPECT_TRUE(ReadPackageBadging(Package("native")).badging.defaultIcon.empty());
}

TEST(PackageBadging, FilesThatAreNoPackage) {
  const std::string manifest = BuildZip({{"AndroidManifest.xml", "plain text, not compiled XML"}});
  const std::string good = Package("references");
  struct Case { const char* what; std::string bytes; BadgingStatus status; };
  const Case cases[] = {
      {"empty file", "", BadgingStatus::kNoManifest},
      {"text", "just some text", BadgingStatus::kNoManifest},
      {"zip without manifest", BuildZip({{"classes.dex", "dex"}}), BadgingStatus::kNoManifest},
      {"manifest that is not compiled", manifest, BadgingStatus::kDamagedManifest},
      {"cut in half", good.substr(0, good.size() / 2), BadgingStatus::kNoManifest},
  };
  for (const Case& c : cases) {
    const PackageBadgingOutcome outcome = ReadPackageBadging(c.bytes);
    EXPECT_EQ(outcome.status, c.status) << c.what;
    EXPECT_FALSE(outcome.message.empty()) << c.what;
  }
}

TEST(PackageBadging, DamagedManifestsAndTablesNeverCrash) {
  // Changed bytes inside the compiled manifest and resource table (repacked with
  // good CRCs, so the damage reaches the decoders) give an outcome, never a fault.
  ZipDirectory zip;
  std::string error, manifest, table;
  const std::string good = Package("references");
  ASSERT_TRUE(zip.Open(good, error));
  ASSERT_TRUE(zip.Read(*zip.Find("AndroidManifest.xml"), manifest, error));
  ASSERT_TRUE(zip.Read(*zip.Find("resources.arsc"), table, error));
  int ok = 0, refused = 0;
  for (int which = 0; which < 2; ++which) {
    const std::string& original = which ? table : manifest;
    for (size_t at = 0; at < original.size(); at += 2) {
      std::string damaged = original;
      damaged[at] = static_cast<char>(damaged[at] ^ (at & 1 ? 0x80 : 0xFF));
      const std::string package = BuildZip({{"AndroidManifest.xml", which ? manifest : damaged, true},
                                            {"resources.arsc", which ? damaged : table}});
      const PackageBadgingOutcome outcome = ReadPackageBadging(package);
      if (outcome.status == BadgingStatus::kOk) {
        ++ok;
        ASSERT_FALSE(outcome.badging.lines.empty());
        EXPECT_EQ(outcome.badging.lines[0].compare(0, 14, "package: name="), 0) << which << " " << at;
      } else {
        ++refused;
        EXPECT_FALSE(outcome.message.empty()) << which << " " << at;
      }
    }
  }
  // Most bytes are text and values, whose change still reads; headers are refused.
  EXPECT_GT(ok, 0);
  EXPECT_GT(refused, 0);
}

}  // namespace
