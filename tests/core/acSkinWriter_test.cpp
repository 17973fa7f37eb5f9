#include "skin/acSkinWriter.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "SkinFixtures.h"
#include "skin/acAnsiFile.h"
#include "skin/acSkinPack.h"
#include "support/TestPaths.h"

using skinfix::Bytes;

TEST(SkinWriter, FolderEntriesPutTheOptionsFirstThenSortByName) {
  std::string dir = ScratchDir("SkinWriterOrder");
  WriteAnsiFile(dir + "/b.png", Bytes("b"));
  WriteAnsiFile(dir + "/A.BMP", Bytes("A"));
  WriteAnsiFile(dir + "/options.DAT", Bytes("[GLOBALINFO]"));
  WriteAnsiFile(dir + "/Z.png", Bytes("Z"));
  WriteAnsiFile(dir + "/.hidden", Bytes("h"));
  std::filesystem::create_directories(dir + "/sub");
  std::vector<TacPackEntry> entries = ReadSkinFolder(dir);
  std::vector<std::string> names;
  for (const TacPackEntry& e : entries) names.push_back(e.Name);
  EXPECT_EQ(names, (std::vector<std::string>{"options.DAT", "A.BMP", "Z.png", "b.png"}));
  EXPECT_EQ(entries[0].Data, Bytes("[GLOBALINFO]"));
}

TEST(SkinWriter, PackingIsDeterministicAndRoundTrips) {
  std::string dir = ScratchDir("SkinWriterRoundTrip");
  std::vector<uint8_t> image(5000);
  for (size_t i = 0; i < image.size(); ++i) image[i] = static_cast<uint8_t>(i * 7 + i / 13);
  WriteAnsiFile(dir + "/Options.dat", Bytes("[GLOBALINFO]\nMASTERBITMAP=MASTER.BMP\n"));
  WriteAnsiFile(dir + "/MASTER.BMP", image);
  WriteAnsiFile(dir + "/EMPTY.PNG", {});
  std::vector<uint8_t> first = PackSkinFolder(dir);
  std::vector<uint8_t> second = PackSkinFolder(dir);
  EXPECT_EQ(first, second);

  std::unique_ptr<TacSkinConvertor> reader;
  UnpackSkinData(first.data(), first.size(), reader);
  EXPECT_EQ(reader->OptionsText(), "[GLOBALINFO]\nMASTERBITMAP=MASTER.BMP\n");
  EXPECT_EQ(reader->ImageCount(), 2);
  ASSERT_NE(reader->FindImage("MASTER.BMP"), nullptr);
  EXPECT_EQ(reader->FindImage("MASTER.BMP")->Data, image);
  ASSERT_NE(reader->FindImage("EMPTY.PNG"), nullptr);
  EXPECT_TRUE(reader->FindImage("EMPTY.PNG")->Data.empty());
}

TEST(SkinWriter, RefusesFoldersWithoutExactlyOneOptionsFile) {
  std::string dir = ScratchDir("SkinWriterNoOptions");
  WriteAnsiFile(dir + "/A.BMP", Bytes("A"));
  EXPECT_THROW(PackSkinFolder(dir), EacSkinWriteError);
  EXPECT_THROW(PackSkinFolder(dir + "/missing"), EacSkinWriteError);
#ifndef _WIN32
  WriteAnsiFile(dir + "/Options.dat", Bytes("1"));
  WriteAnsiFile(dir + "/OPTIONS.DAT", Bytes("2"));
  EXPECT_THROW(PackSkinFolder(dir), EacSkinWriteError);
#endif
}
