// The package icon for the main window: which entry is taken, what is refused,
// and how it is fitted into the 96 x 96 picture.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/PackageIcon.h"
#include "core/SkinFixtures.h"
#include "core/ZipFixture.h"
#include "support/TestPaths.h"
#include "tools/badging/PackageBadging.h"

namespace {

std::string Png(int w, int h, uint32_t abgr) {
  const std::vector<uint8_t> v = skinfix::MakePng(w, h, [abgr](int, int) { return abgr; });
  return std::string(v.begin(), v.end());
}

// The start of a compiled XML file, as an adaptive icon's entry holds.
const std::string kCompiledXml("\x03\x00\x08\x00\x40\x00\x00\x00", 8);

uint32_t PixelAt(const TacBitmap& b, int x, int y) {
  const uint8_t* p = b.Pixel(x, y);
  return static_cast<uint32_t>(p[3]) << 24 | static_cast<uint32_t>(p[0]) << 16 | static_cast<uint32_t>(p[1]) << 8 |
         p[2];  // A B G R, like the fixtures' colours
}

constexpr uint32_t kRed = 0xFF0000E0, kGreen = 0xFF00C000, kBlue = 0xFFE00000;

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

TEST(PackageIcon, CandidatesRankByLauncherSizeNearestTheBoxTiesToTheLargerDensity) {
  struct Case {
    const char* what;
    std::vector<std::pair<uint16_t, std::string>> densities;
    std::string defaultIcon;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {"nothing", {}, "", {}},
      {"xhdpi is exactly 96 px", {{160, "m"}, {240, "h"}, {320, "x"}, {480, "xx"}}, "m", {"x", "h", "xx", "m"}},
      {"hdpi (72 px) first, then the tie of 48 and 144 px", {{160, "m"}, {240, "h"}, {480, "xx"}}, "", {"h", "xx", "m"}},
      {"48 px and 144 px tie: the larger", {{160, "m"}, {480, "xx"}}, "", {"xx", "m"}},
      {"the default configuration counts as mdpi", {{640, "xxx"}}, "d", {"d", "xxx"}},
      {"density 0 counts as mdpi too", {{0, "z"}, {640, "xxx"}}, "", {"z", "xxx"}},
      {"a file named twice is tried once", {{160, "m"}, {320, "x"}}, "m", {"x", "m"}},
      {"anydpi comes last", {{65534, "a.xml"}, {120, "l"}}, "", {"l", "a.xml"}},
  };
  for (const Case& c : cases) {
    PackageBadging b;
    b.iconsByDensity = c.densities;
    b.defaultIcon = c.defaultIcon;
    EXPECT_EQ(PackageIconCandidates(b), c.expected) << c.what;
  }
}

TEST(PackageIcon, PngHeaderSizeReadsOnlyAWellFormedLeadingIhdr) {
  const std::string good = Png(300, 7, kRed);
  uint32_t w = 0, h = 0;
  ASSERT_TRUE(PngHeaderSize(good, w, h));
  EXPECT_EQ(w, 300u);
  EXPECT_EQ(h, 7u);
  std::string badSignature = good;
  badSignature[1] = 'Q';
  std::string badLength = good;
  badLength[11] = 14;
  EXPECT_FALSE(PngHeaderSize(badSignature, w, h));
  EXPECT_FALSE(PngHeaderSize(badLength, w, h));
  EXPECT_FALSE(PngHeaderSize(good.substr(0, 23), w, h));
  EXPECT_FALSE(PngHeaderSize(kCompiledXml, w, h));
}

TEST(PackageIcon, ReadPackageIconPicksFitsOrRefuses) {
  const std::string red48 = Png(48, 48, kRed), green72 = Png(72, 72, kGreen), blue144 = Png(144, 144, kBlue);
  std::string damaged = Png(96, 96, kRed);
  damaged.replace(damaged.find("IDAT") + 6, 4, "xxxx");  // inside the image data
  struct Case {
    const char* what;
    std::vector<ZipFixtureEntry> entries;
    std::vector<std::pair<uint16_t, std::string>> densities;
    std::string defaultIcon;
    int width, height;  // 0: no icon
    uint32_t colour;
  };
  const Case cases[] = {
      {"no icon in the badging", {{"res/a.png", red48}}, {}, "", 0, 0, 0},
      {"an adaptive icon only", {{"res/ic.xml", kCompiledXml}}, {{160, "res/ic.xml"}, {65534, "res/ic.xml"}},
       "res/ic.xml", 0, 0, 0},
      {"the adaptive icon is passed over for a PNG",
       {{"res/ic.xml", kCompiledXml}, {"res/m.png", red48}}, {{160, "res/m.png"}, {65534, "res/ic.xml"}}, "",
       48, 48, kRed},
      {"compiled XML under a .png name is no PNG",
       {{"res/x.png", kCompiledXml}, {"res/m.png", red48}}, {{160, "res/m.png"}, {320, "res/x.png"}}, "",
       48, 48, kRed},
      {"several densities: hdpi is nearest, shown as it is",
       {{"m.png", red48}, {"h.png", green72, true}, {"xx.png", blue144}},
       {{160, "m.png"}, {240, "h.png"}, {480, "xx.png"}}, "m.png", 72, 72, kGreen},
      {"a tie takes xxhdpi, shrunk to the box",
       {{"m.png", red48}, {"xx.png", blue144, true}}, {{160, "m.png"}, {480, "xx.png"}}, "", 96, 96, kBlue},
      {"a file the archive lacks is passed over",
       {{"m.png", red48}}, {{160, "m.png"}, {320, "gone.png"}}, "", 48, 48, kRed},
      {"the default configuration's icon alone", {{"d.png", green72}}, {}, "d.png", 72, 72, kGreen},
      {"wider than high keeps its aspect", {{"w.png", Png(200, 100, kBlue)}}, {{320, "w.png"}}, "", 96, 48, kBlue},
      {"higher than wide keeps its aspect", {{"t.png", Png(30, 300, kRed)}}, {{320, "t.png"}}, "", 10, 96, kRed},
      {"1024 pixels wide is still read", {{"e.png", Png(1024, 2, kGreen)}}, {{320, "e.png"}}, "", 96, 1, kGreen},
      {"1025 pixels wide is refused", {{"e.png", Png(1025, 2, kGreen)}}, {{320, "e.png"}}, "", 0, 0, 0},
      {"1025 pixels high is refused", {{"e.png", Png(2, 1025, kGreen)}}, {{320, "e.png"}}, "", 0, 0, 0},
      {"damaged image data", {{"d.png", damaged}}, {{320, "d.png"}}, "", 0, 0, 0},
      {"a broken IHDR after the signature", {{"d.png", damaged.substr(0, 12) + "IHDX" + damaged.substr(16)}},
       {{320, "d.png"}, {160, "m.png"}}, "", 0, 0, 0},
      {"the nearest PNG is damaged: no icon, no guess from another density",
       {{"d.png", damaged}, {"m.png", red48}}, {{320, "d.png"}, {160, "m.png"}}, "", 0, 0, 0},
  };
  for (const Case& c : cases) {
    PackageBadging b;
    b.iconsByDensity = c.densities;
    b.defaultIcon = c.defaultIcon;
    const std::string zip = BuildZip(c.entries);
    TacBitmapPtr icon = ReadPackageIcon(zip, b);
    if (c.width == 0) {
      EXPECT_EQ(icon, nullptr) << c.what;
      continue;
    }
    ASSERT_NE(icon, nullptr) << c.what;
    EXPECT_EQ(icon->Format(), TacPixelFormat::pf32bit) << c.what;
    EXPECT_EQ(icon->Width(), c.width) << c.what;
    EXPECT_EQ(icon->Height(), c.height) << c.what;
    EXPECT_EQ(PixelAt(*icon, icon->Width() / 2, icon->Height() / 2), c.colour) << c.what;
  }
}

TEST(PackageIcon, DamagedArchivesGiveNoIcon) {
  PackageBadging b;
  b.iconsByDensity = {{320, "i.png"}};
  std::string zip = BuildZip({{"i.png", Png(96, 96, kRed)}});
  std::string badCrc = zip;
  badCrc[badCrc.find("PK\x01\x02") + 16] ^= 0x55;  // the directory's CRC of the entry
  EXPECT_EQ(ReadPackageIcon(badCrc, b), nullptr) << "CRC mismatch";
  EXPECT_EQ(ReadPackageIcon(zip.substr(0, zip.size() / 2), b), nullptr) << "cut archive";
  EXPECT_EQ(ReadPackageIcon("", b), nullptr) << "no bytes";
  EXPECT_NE(ReadPackageIcon(zip, b), nullptr) << "the intact archive";
}

TEST(PackageIcon, ShrinkingKeepsAlphaAndDoesNotDarkenEdges) {
  // Left half opaque white, right half fully transparent black: a straight average
  // would give grey at the seam, a premultiplied one white with half alpha.
  const std::vector<uint8_t> file =
      skinfix::MakePng(200, 200, [](int x, int) { return x < 100 ? 0xFFFFFFFFu : 0x00000000u; });
  const std::string png(file.begin(), file.end());
  PackageBadging b;
  b.iconsByDensity = {{320, "a.png"}};
  TacBitmapPtr icon = ReadPackageIcon(BuildZip({{"a.png", png}}), b);
  ASSERT_NE(icon, nullptr);
  ASSERT_EQ(icon->Width(), 96);
  EXPECT_EQ(PixelAt(*icon, 10, 50), 0xFFFFFFFFu);
  EXPECT_EQ(PixelAt(*icon, 90, 50) >> 24, 0u);
  for (int x = 40; x < 56; ++x) {
    const uint8_t* p = icon->Pixel(x, 50);
    if (p[3] == 0) continue;
    EXPECT_EQ(p[0], 255) << "x " << x << " alpha " << int(p[3]);
    EXPECT_EQ(p[1], 255) << "x " << x;
    EXPECT_EQ(p[2], 255) << "x " << x;
  }
}

TEST(PackageIcon, RealPackagesBuiltByAapt) {
  struct Case {
    const char* file;
    int width, height;  // 0: no icon
    uint32_t colour;    // at the centre
  };
  const Case cases[] = {
      {"tests/data/badging/densities.apk", 96, 96, 0xFF40A030},  // xxhdpi's green, shrunk
      {"tests/data/badging/references.apk", 72, 72, 0xFFD08030},
      {"tests/data/badging/adaptive.apk", 0, 0, 0},
      {"tests/data/badging/hugeicon.apk", 0, 0, 0},
      {"tests/data/badging/literal.apk", 0, 0, 0},
      {"tests/data/sample/VqSample.apk", 96, 96, 0},
  };
  for (const Case& c : cases) {
    const std::string bytes = ReadFile(SourcePath(c.file));
    ASSERT_FALSE(bytes.empty()) << c.file;
    const PackageBadgingOutcome outcome = ReadPackageBadging(bytes);
    ASSERT_EQ(outcome.status, BadgingStatus::kOk) << c.file;
    TacBitmapPtr icon = ReadPackageIcon(bytes, outcome.badging);
    if (c.width == 0) {
      EXPECT_EQ(icon, nullptr) << c.file;
      continue;
    }
    ASSERT_NE(icon, nullptr) << c.file;
    EXPECT_EQ(icon->Width(), c.width) << c.file;
    EXPECT_EQ(icon->Height(), c.height) << c.file;
    if (c.colour) EXPECT_EQ(PixelAt(*icon, c.width / 2, c.height / 2), c.colour) << c.file;
  }
}
