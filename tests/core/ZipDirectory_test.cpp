// The package's zip directory: every way packers lay out entries, and damaged archives.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/ZipFixture.h"
#include "tools/badging/ZipDirectory.h"

namespace {

const std::string kText = "The quick brown fox jumps over the lazy dog. " + std::string(300, 'z');

TEST(ZipDirectory, ReadsEveryEntryLayout) {
  struct Case { const char* what; ZipFixtureEntry entry; bool zip64End; };
  const Case cases[] = {
      {"stored", {"a.txt", kText}, false},
      {"deflated", {"dir/b.bin", kText, true}, false},
      {"data descriptor", {"c", kText, true, true}, false},
      {"stored with descriptor", {"c2", kText, false, true}, false},
      {"zip64 extra", {"d", kText, true, false, true}, false},
      {"zip64 end record", {"e", kText, false, false, true}, true},
      {"utf-8 name", {u8"资源/файл names.txt", kText, true, false, false, true}, false},
      {"empty stored", {"empty", ""}, false},
      {"empty deflated", {"empty2", "", true}, false},
  };
  for (const Case& c : cases) {
    const std::string archive = BuildZip({{"first", "1"}, c.entry, {"last", "2", true}}, c.zip64End, "a comment");
    ZipDirectory zip;
    std::string error, data;
    ASSERT_TRUE(zip.Open(archive, error)) << c.what << ": " << error;
    ASSERT_EQ(zip.Entries().size(), 3u) << c.what;
    const ZipEntry* entry = zip.Find(c.entry.name);
    ASSERT_NE(entry, nullptr) << c.what;
    EXPECT_TRUE(zip.Read(*entry, data, error)) << c.what << ": " << error;
    EXPECT_EQ(data, c.entry.data) << c.what;
    ASSERT_TRUE(zip.Read(*zip.Find("last"), data, error)) << c.what << ": " << error;
    EXPECT_EQ(data, "2") << c.what;
    EXPECT_EQ(zip.Find("missing"), nullptr);
  }
}

TEST(ZipDirectory, DamagedArchivesFailWithoutCrashing) {
  const std::string good = BuildZip({{"AndroidManifest.xml", kText, true}, {"x", kText, false, true}});
  // Every cut of the archive: the end record is gone or points outside, or an entry is cut.
  for (size_t cut = 0; cut < good.size(); ++cut) {
    ZipDirectory zip;
    std::string error, data;
    const std::string bytes = good.substr(0, cut);
    if (!zip.Open(bytes, error)) continue;
    for (const ZipEntry& e : zip.Entries()) EXPECT_FALSE(zip.Read(e, data, error) && data != kText) << cut;
  }
  struct Case { const char* what; size_t at; std::string bytes; bool opens; };
  const size_t centralAt = good.find(std::string("PK\x01\x02", 4));
  const size_t endAt = good.rfind(std::string("PK\x05\x06", 4));
  const Case cases[] = {
      {"not a zip", 0, std::string(good.size(), 'x'), false},
      {"entry count beyond the directory", endAt + 10, std::string("\xFF\x7F", 2), false},
      {"directory offset outside", endAt + 16, std::string("\xFF\xFF\xFF\x00", 4), false},
      {"unknown method", centralAt + 10, std::string("\x63\x00", 2), true},
      {"wrong crc", centralAt + 16, std::string("\x00\x00\x00\x00", 4), true},
      {"local header offset outside", centralAt + 42, std::string("\xFF\xFF\xFF\x0F", 4), true},
      {"size beyond what deflate can give", centralAt + 24, std::string("\xFF\xFF\xFF\x0F", 4), true},
      {"deflated stream damaged", 30 + 19, std::string(8, '\xFF'), true},
  };
  for (const Case& c : cases) {
    std::string bytes = good;
    bytes.replace(c.at, c.bytes.size(), c.bytes);
    ZipDirectory zip;
    std::string error, data;
    ASSERT_EQ(zip.Open(bytes, error), c.opens) << c.what << ": " << error;
    if (!c.opens) continue;
    EXPECT_FALSE(zip.Read(zip.Entries()[0], data, error)) << c.what;
    EXPECT_FALSE(error.empty()) << c.what;
    EXPECT_TRUE(data.empty()) << c.what;
  }
}

TEST(ZipDirectory, ZipSixtyFourFieldsMissingFromTheExtraAreDamage) {
  std::string archive = BuildZip({{"d", kText, false, false, true}});
  const size_t extraId = archive.find(std::string("\x01\x00\x18\x00", 4), archive.rfind(std::string("PK\x01\x02", 4)));
  ASSERT_NE(extraId, std::string::npos);
  archive[extraId] = '\x09';  // some other extra field: the all-ones sizes are unexplained
  ZipDirectory zip;
  std::string error;
  EXPECT_FALSE(zip.Open(archive, error));
}

TEST(ZipDirectory, EntryLargerThanTheLimitIsRefused) {
  const std::string archive = BuildZip({{"big", std::string(5000, 'a'), true}});
  ZipDirectory zip;
  std::string error, data;
  ASSERT_TRUE(zip.Open(archive, error));
  EXPECT_FALSE(zip.Read(zip.Entries()[0], data, error, 4999));
  EXPECT_TRUE(zip.Read(zip.Entries()[0], data, error, 5000)) << error;
}

}  // namespace
