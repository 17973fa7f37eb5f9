// Resolving references through a real package's resource table: the configuration
// chosen per locale and density, and tables that are damaged.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "support/TestPaths.h"
#include "tools/badging/ResourceTable.h"
#include "tools/badging/ZipDirectory.h"

namespace {

std::string TableOf(const std::string& package) {
  std::ifstream in(SourcePath("tests/data/badging/" + package + ".apk"), std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ZipDirectory zip;
  std::string error, table;
  if (!zip.Open(bytes, error) || !zip.Read(*zip.Find("resources.arsc"), table, error)) return std::string();
  return table;
}

// Ids the compiler gave the references package (attr, drawable, integer, string).
constexpr uint32_t kIcon = 0x7F020000;
constexpr uint32_t kAppName = 0x7F040000;

ResRequest Locale(const char* language, const char* country = "", const char* script = "") {
  ResRequest r;
  r.language = language;
  r.country = country;
  r.script = script;
  return r;
}

ResRequest Density(uint16_t density) {
  ResRequest r;
  r.density = density;
  return r;
}

TEST(ResourceTable, ChoosesTheBestConfiguration) {
  const std::string bytes = TableOf("references");
  ResourceTable table;
  std::string error;
  ASSERT_TRUE(table.Parse(bytes, error)) << error;
  struct Case { const char* what; uint32_t id; ResRequest request; std::string value; };
  const Case cases[] = {
      {"default", kAppName, ResRequest(), "Reference App"},
      {"language", kAppName, Locale("de"), "Verweis-App"},
      {"language with another region", kAppName, Locale("de", "AT"), "Verweis-App"},
      {"region only in the table", kAppName, Locale("fr"), "Reference App"},
      {"language and region", kAppName, Locale("fr", "CA"), u8"Appli référence"},
      {"Chinese regions", kAppName, Locale("zh", "TW"), u8"安裝器範例"},
      {"script asked", kAppName, Locale("sr", "", "Latn"), "Referentna aplikacija"},
      {"script not asked", kAppName, Locale("sr"), "Reference App"},
      {"unknown language", kAppName, Locale("xx"), "Reference App"},
      {"medium by default", kIcon, ResRequest(), "res/drawable-mdpi-v4/icon.png"},
      {"exact density", kIcon, Density(240), "res/drawable-hdpi-v4/icon.png"},
      {"above all: the largest", kIcon, Density(640), "res/drawable-xxhdpi-v4/icon.png"},
      {"below all: the smallest", kIcon, Density(120), "res/drawable-mdpi-v4/icon.png"},
      {"between: scale the larger down", kIcon, Density(320), "res/drawable-xxhdpi-v4/icon.png"},
      {"just above one: scale it up", kIcon, Density(170), "res/drawable-mdpi-v4/icon.png"},
  };
  for (const Case& c : cases) {
    ResValue value;
    ASSERT_TRUE(table.Resolve(c.id, c.request, value)) << c.what;
    EXPECT_EQ(value.type, ResValue::kString) << c.what;
    EXPECT_EQ(value.string, c.value) << c.what;
  }
  ResValue value;
  EXPECT_FALSE(table.Resolve(0x7F0400FF, ResRequest(), value));  // no such entry
  EXPECT_FALSE(table.Resolve(0x7F7F0000, ResRequest(), value));  // no such type
  EXPECT_FALSE(table.Resolve(0x01040000, ResRequest(), value));  // the framework's, not in this table
}

TEST(ResourceTable, AnyDensityWins) {
  ResourceTable table;
  std::string error;
  const std::string bytes = TableOf("codename");
  ASSERT_TRUE(table.Parse(bytes, error)) << error;
  for (uint16_t density : {0, 160, 320, 640}) {
    ResValue value;
    ASSERT_TRUE(table.Resolve(0x7F020000, Density(density), value)) << density;
    EXPECT_EQ(value.string, "res/mipmap-anydpi-v26/launcher.xml") << density;
  }
}

TEST(ResourceTable, DamagedTables) {
  const std::string good = TableOf("references");
  ResourceTable table;
  std::string error;
  EXPECT_FALSE(table.Parse("", error));
  EXPECT_FALSE(table.Parse(std::string(100, '\0'), error));
  // Cuts inside the table: refused (a chunk runs past the end) or read with what is whole.
  for (size_t cut = 0; cut < good.size(); cut += 7) {
    const std::string bytes = good.substr(0, cut);
    if (!table.Parse(bytes, error)) continue;
    ResValue value;
    if (table.Resolve(kAppName, ResRequest(), value)) {
      EXPECT_EQ(value.string, "Reference App") << cut;
    }
  }
}

}  // namespace
