// The compiled manifest of a real package: elements, nesting, attribute ids and values.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "support/TestPaths.h"
#include "tools/badging/BinaryXml.h"
#include "tools/badging/ZipDirectory.h"

namespace {

std::string ManifestOf(const std::string& package) {
  std::ifstream in(SourcePath("tests/data/badging/" + package + ".apk"), std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ZipDirectory zip;
  std::string error, xml;
  if (!zip.Open(bytes, error) || !zip.Read(*zip.Find("AndroidManifest.xml"), xml, error)) return std::string();
  return xml;
}

TEST(BinaryXml, ElementsAndAttributes) {
  const std::string bytes = ManifestOf("references");
  BinaryXml xml;
  std::string error;
  ASSERT_TRUE(xml.Parse(bytes, error)) << error;
  const auto& e = xml.Elements();
  ASSERT_GE(e.size(), 5u);
  EXPECT_EQ(e[0].name, "manifest");
  EXPECT_EQ(e[0].parent, -1);
  const XmlAttribute* package = FindPlainAttribute(e[0], "package");
  ASSERT_NE(package, nullptr);
  EXPECT_EQ(package->value.string, "com.vq.references");
  const XmlAttribute* code = FindAndroidAttribute(e[0], 0x0101021B, "versionCode");
  ASSERT_NE(code, nullptr);
  EXPECT_EQ(code->ns, BinaryXml::kAndroidNamespace);
  EXPECT_TRUE(code->value.IsInteger());
  EXPECT_EQ(code->value.data, 1234u);
  const XmlAttribute* name = FindAndroidAttribute(e[0], 0x0101021C, "versionName");
  ASSERT_NE(name, nullptr);
  EXPECT_TRUE(name->value.IsReference());
  EXPECT_EQ(name->value.data >> 24, 0x7Fu);
  // The application and its activity nest below the manifest.
  int application = -1;
  for (int child : e[0].children)
    if (e[child].name == "application") application = child;
  ASSERT_NE(application, -1);
  ASSERT_EQ(e[application].children.size(), 1u);
  const XmlElement& activity = e[e[application].children[0]];
  EXPECT_EQ(activity.name, "activity");
  EXPECT_EQ(activity.parent, application);
  EXPECT_EQ(FindPlainAttribute(activity, "name"), nullptr);  // android:name has a namespace
  ASSERT_NE(FindAndroidAttribute(activity, 0x01010003, "name"), nullptr);
  EXPECT_EQ(FindAndroidAttribute(activity, 0x01010003, "name")->value.string, "com.vq.references.Start");
}

TEST(BinaryXml, DamagedFiles) {
  const std::string good = ManifestOf("literal");
  BinaryXml xml;
  std::string error;
  EXPECT_FALSE(xml.Parse("", error));
  EXPECT_FALSE(xml.Parse("<manifest/>", error));
  // The declared size past the end, and every cut: refused or read without fault.
  std::string longer = good;
  longer[4] = '\xFF';
  longer[5] = '\xFF';
  EXPECT_FALSE(xml.Parse(longer, error));
  for (size_t cut = 8; cut < good.size(); ++cut) {
    std::string bytes = good.substr(0, cut);
    bytes.replace(4, 4, std::string{static_cast<char>(cut & 0xFF), static_cast<char>(cut >> 8 & 0xFF), 0, 0});
    if (xml.Parse(bytes, error)) {
      EXPECT_EQ(xml.Elements()[0].name, "manifest") << cut;
    }
  }
}

}  // namespace
