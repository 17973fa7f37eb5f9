#include "skin/acSkinPack.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "SkinFixtures.h"
#include "skin/acAnsiFile.h"
#include "support/TestPaths.h"

using skinfix::Bytes;

namespace {

void PatchInt32(std::vector<uint8_t>& v, size_t at, int32_t value) {
  uint32_t u = static_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i) v[at + i] = static_cast<uint8_t>(u >> (8 * i));
}

// Layout of a packed archive whose first entry is "Options.dat" (11 bytes of name).
constexpr size_t kCountAt = 4;
constexpr size_t kNameLengthAt = 8;
constexpr size_t kSizeAt = 8 + 4 + 11;
constexpr size_t kStreamAt = kSizeAt + 4;

std::vector<uint8_t> TwoEntryArchive() {
  return PackSkinEntries({{"Options.dat", Bytes("[GLOBALINFO]\nVERSION=6\n")}, {"A.BMP", Bytes("pixels")}});
}

}  // namespace

TEST(SkinPack, UnpacksOptionsAndImagesWhateverTheOptionsNameCase) {
  const std::vector<uint8_t> big(100000, 0x5A);  // longer than zlib's read-ahead
  std::vector<uint8_t> archive = PackSkinEntries({{"Master.bmp", big},
                                                  {"Options.DAT", Bytes("[GLOBALINFO]")},
                                                  {"ExtB.PNG", Bytes("png bytes")},
                                                  {"Empty.bmp", {}}});
  std::unique_ptr<TacSkinConvertor> reader;
  UnpackSkinData(archive.data(), archive.size(), reader);
  ASSERT_TRUE(reader);
  EXPECT_TRUE(reader->HasOptions());
  EXPECT_EQ(reader->OptionsText(), "[GLOBALINFO]");
  EXPECT_EQ(reader->ImageCount(), 3);
  ASSERT_EQ(reader->ImageItems().size(), 3u);
  EXPECT_EQ(reader->ImageItems()[0].Name, "Master.bmp");
  EXPECT_EQ(reader->ImageItems()[0].Data, big);
  EXPECT_EQ(reader->ImageItems()[1].Name, "ExtB.PNG");
  EXPECT_EQ(reader->ImageItems()[1].Data, Bytes("png bytes"));
  EXPECT_EQ(reader->ImageItems()[2].Name, "Empty.bmp");
  EXPECT_TRUE(reader->ImageItems()[2].Data.empty());
}

TEST(SkinPack, ImagesAreFoundByUpperCaseReferenceAmongTheDeclaredImagesOnly) {
  std::vector<uint8_t> archive =
      PackSkinEntries({{"Options.dat", Bytes("x")}, {"ExtB.PNG", Bytes("1")}, {"Glow.png", Bytes("2")}});
  std::unique_ptr<TacSkinConvertor> reader;
  UnpackSkinData(archive.data(), archive.size(), reader);
  ASSERT_NE(reader->FindImage("EXTB.PNG"), nullptr);
  EXPECT_EQ(reader->FindImage("EXTB.PNG")->Data, Bytes("1"));
  EXPECT_NE(reader->FindImage("GLOW.PNG"), nullptr);
  EXPECT_EQ(reader->FindImage("ExtB.PNG"), nullptr);
  EXPECT_EQ(reader->FindImage("glow.png"), nullptr);

  // Without an options entry the image count (entries - 1) leaves the last image out.
  archive = PackSkinEntries({{"A.BMP", Bytes("1")}, {"B.BMP", Bytes("2")}});
  UnpackSkinData(archive.data(), archive.size(), reader);
  EXPECT_FALSE(reader->HasOptions());
  EXPECT_EQ(reader->ImageCount(), 1);
  EXPECT_NE(reader->FindImage("A.BMP"), nullptr);
  EXPECT_EQ(reader->FindImage("B.BMP"), nullptr);
}

TEST(SkinPack, WrongMagicRaisesTheErrorAndFreesTheReader) {
  std::string dir = ScratchDir("SkinPackMagic");
  std::vector<uint8_t> archive = TwoEntryArchive();
  archive[3] = 'g';
  WriteAnsiFile(dir + "/bad.asz", archive);
  std::unique_ptr<TacSkinConvertor> reader = std::make_unique<TacSkinConvertor>();
  try {
    LoadSkinPackFile(dir + "/bad.asz", reader, true);
    FAIL() << "no error";
  } catch (const EacNotPackedSkin& e) {
    EXPECT_STREQ(e.what(), "Loaded data is not packed Veltra file");
  }
  EXPECT_EQ(reader, nullptr);

  const uint8_t shortData[3] = {'A', 'S', 'z'};
  reader = std::make_unique<TacSkinConvertor>();
  EXPECT_THROW(UnpackSkinData(shortData, sizeof shortData, reader), EacNotPackedSkin);
  EXPECT_EQ(reader, nullptr);
}

TEST(SkinPack, LoadsFromFileAndIgnoresAMissingFile) {
  std::string dir = ScratchDir("SkinPackFile");
  std::unique_ptr<TacSkinConvertor> reader;
  EXPECT_FALSE(LoadSkinPackFile(dir + "/none.asz", reader, true));
  EXPECT_EQ(reader, nullptr);
  WriteAnsiFile(dir + "/good.asz", TwoEntryArchive());
  EXPECT_TRUE(LoadSkinPackFile(dir + "/good.asz", reader, true));
  ASSERT_TRUE(reader);
  EXPECT_EQ(reader->OptionsText(), "[GLOBALINFO]\nVERSION=6\n");
  ASSERT_NE(reader->FindImage("A.BMP"), nullptr);
  EXPECT_EQ(reader->FindImage("A.BMP")->Data, Bytes("pixels"));
}

TEST(SkinPack, DamagedOrShortArchivesRaiseCleanErrorsAndLeaveNothing) {
  enum Kind { Damaged, Read };
  struct Case {
    const char* what;
    std::function<void(std::vector<uint8_t>&)> mutate;
    Kind kind;
  };
  const Case cases[] = {
      {"bad zlib header", [](std::vector<uint8_t>& a) { a[kStreamAt] = 0x12; }, Damaged},
      {"reserved deflate block type", [](std::vector<uint8_t>& a) { a[kStreamAt + 2] |= 0x06; }, Damaged},
      {"bad Adler-32 of the last entry", [](std::vector<uint8_t>& a) { a.back() ^= 1; }, Damaged},
      {"declared size smaller than the stream", [](std::vector<uint8_t>& a) { PatchInt32(a, kSizeAt, 5); }, Damaged},
      {"declared size larger than the stream", [](std::vector<uint8_t>& a) { PatchInt32(a, kSizeAt, 40); }, Read},
      {"archive cut inside a stream", [](std::vector<uint8_t>& a) { a.resize(a.size() - 5); }, Read},
      {"archive cut inside an entry header", [](std::vector<uint8_t>& a) { a.resize(kSizeAt + 2); }, Read},
      {"negative entry count", [](std::vector<uint8_t>& a) { PatchInt32(a, kCountAt, -1); }, Read},
      {"absurd entry count", [](std::vector<uint8_t>& a) { PatchInt32(a, kCountAt, 0x7FFFFFFF); }, Read},
      {"one entry more than present", [](std::vector<uint8_t>& a) { PatchInt32(a, kCountAt, 3); }, Read},
      {"name longer than the archive", [](std::vector<uint8_t>& a) { PatchInt32(a, kNameLengthAt, 100000); }, Read},
      {"negative name length", [](std::vector<uint8_t>& a) { PatchInt32(a, kNameLengthAt, -4); }, Read},
      {"negative entry size", [](std::vector<uint8_t>& a) { PatchInt32(a, kSizeAt, -1); }, Read},
      {"entry size above 64 MiB", [](std::vector<uint8_t>& a) { PatchInt32(a, kSizeAt, 0x7FFFFFFF); }, Read},
      {"more than deflate can expand to", [](std::vector<uint8_t>& a) { PatchInt32(a, kSizeAt, 1 << 20); }, Read},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> archive = TwoEntryArchive();
    c.mutate(archive);
    std::unique_ptr<TacSkinConvertor> reader = std::make_unique<TacSkinConvertor>();
    try {
      UnpackSkinData(archive.data(), archive.size(), reader);
      ADD_FAILURE() << c.what << ": no error";
    } catch (const EacDecompressionError& e) {
      EXPECT_EQ(c.kind, Damaged) << c.what << ": " << e.what();
    } catch (const EacStreamReadError& e) {
      EXPECT_EQ(c.kind, Read) << c.what << ": " << e.what();
    }
    EXPECT_EQ(reader, nullptr) << c.what;

    // The reader itself is left empty, not half filled.
    TacSkinConvertor direct;
    direct.SetSource(archive.data(), archive.size());
    EXPECT_THROW(direct.Unpack(), EacSkinPackError) << c.what;
    EXPECT_FALSE(direct.HasOptions());
    EXPECT_TRUE(direct.ImageItems().empty());
  }
}

TEST(SkinPack, ErrorMessagesNameTheEntry) {
  std::vector<uint8_t> archive = TwoEntryArchive();
  PatchInt32(archive, kSizeAt, 40);
  std::unique_ptr<TacSkinConvertor> reader;
  try {
    UnpackSkinData(archive.data(), archive.size(), reader);
    FAIL() << "no error";
  } catch (const EacStreamReadError& e) {
    EXPECT_NE(std::string(e.what()).find("\"Options.dat\""), std::string::npos) << e.what();
  }
}
