#include "tools/badging/PackageBadging.h"

#include <cstdlib>
#include <set>

#include "tools/badging/BinaryXml.h"
#include "tools/badging/ResourceTable.h"
#include "tools/badging/ZipDirectory.h"

namespace {

// Ids of the android attributes the badging reads.
constexpr uint32_t kLabelAttr = 0x01010001;
constexpr uint32_t kIconAttr = 0x01010002;
constexpr uint32_t kNameAttr = 0x01010003;
constexpr uint32_t kMinSdkAttr = 0x0101020C;
constexpr uint32_t kVersionCodeAttr = 0x0101021B;
constexpr uint32_t kVersionNameAttr = 0x0101021C;
constexpr uint32_t kTargetSdkAttr = 0x01010270;
constexpr uint32_t kMaxSdkAttr = 0x01010271;
constexpr uint32_t kCompileSdkAttr = 0x01010572;
constexpr uint32_t kCompileSdkCodenameAttr = 0x01010573;

struct BadAttribute {
  std::string message;
};

class ManifestReader {
 public:
  ManifestReader(const BinaryXml& xml, const ResourceTable* table, PackageBadging& out)
      : xml_(xml), table_(table), out_(out) {}

  void Run();

 private:
  const XmlElement& At(int index) const { return xml_.Elements()[index]; }
  std::string Text(const XmlAttribute* a, const ResRequest& request = ResRequest()) const;
  std::string Integer(const XmlAttribute* a, const char* name) const;
  std::string IntegerOrText(const XmlAttribute* a, const char* name) const;
  std::string ClassName(const std::string& name) const;
  void Application(const XmlElement& application);
  bool IsLauncher(const XmlElement& activity) const;
  void ImpliedPermissions();
  void Print(std::string line) { out_.lines.push_back(std::move(line)); }

  const BinaryXml& xml_;
  const ResourceTable* table_;
  PackageBadging& out_;
  std::string package_;
  std::set<std::string> locales_;
  std::set<uint16_t> densities_;
  bool hasMain_ = false;
  bool hasHome_ = false;
  bool otherActivities_ = false, receivers_ = false, services_ = false;
  std::set<std::string> permissions_;
  int targetSdk_ = 0;
};

std::string Quoted(const std::string& text) { return "'" + text + "'"; }

std::string ManifestReader::Text(const XmlAttribute* a, const ResRequest& request) const {
  if (!a) return std::string();
  if (a->value.type == ResValue::kString) return a->value.string;
  if (a->value.IsReference()) {
    ResValue resolved;
    if (table_ && table_->Resolve(a->value.data, request, resolved) && resolved.type == ResValue::kString)
      return resolved.string;
    return std::string();
  }
  return a->hasRaw ? a->raw : std::string();
}

std::string ManifestReader::Integer(const XmlAttribute* a, const char* name) const {
  if (!a) return std::string();
  // Only a number written in place counts, as with the Android tool: a reference is refused.
  const ResValue& value = a->value;
  if (!value.IsInteger())
    throw BadAttribute{std::string("ERROR getting 'android:") + name + "' attribute: attribute is not an integer value"};
  return std::to_string(static_cast<int32_t>(value.data));
}

// minSdkVersion and friends: a number, or a platform's code name.
std::string ManifestReader::IntegerOrText(const XmlAttribute* a, const char* name) const {
  if (!a) return std::string();
  if (a->value.IsInteger()) return std::to_string(static_cast<int32_t>(a->value.data));
  if (a->value.type == ResValue::kString) return a->value.string;
  throw BadAttribute{std::string("ERROR getting 'android:") + name + "' attribute: attribute is not a string value"};
}

std::string ManifestReader::ClassName(const std::string& name) const {
  if (name.empty()) return name;
  if (name[0] == '.') return package_ + name;
  if (name.find('.') == std::string::npos) return package_ + "." + name;
  return name;
}

bool ManifestReader::IsLauncher(const XmlElement& activity) const {
  for (int filterIndex : activity.children) {
    const XmlElement& filter = At(filterIndex);
    if (filter.name != "intent-filter") continue;
    bool main = false, launcher = false;
    for (int child : filter.children) {
      const XmlElement& e = At(child);
      const std::string name = Text(FindAndroidAttribute(e, kNameAttr, "name"));
      if (e.name == "action" && name == "android.intent.action.MAIN") main = true;
      if (e.name == "category" && name == "android.intent.category.LAUNCHER") launcher = true;
    }
    if (main && launcher) return true;
  }
  return false;
}

void ManifestReader::Application(const XmlElement& application) {
  const XmlAttribute* labelAttr = FindAndroidAttribute(application, kLabelAttr, "label");
  const XmlAttribute* iconAttr = FindAndroidAttribute(application, kIconAttr, "icon");
  std::string label, icon;
  // Without a resource table the tool shows no application label or icon at all.
  if (table_) {
    label = Text(labelAttr);
    if (!label.empty()) Print("application-label:" + Quoted(label));
    for (const std::string& locale : locales_) {
      if (locale == "--_--") continue;
      ResRequest request;
      // Locale names are language[-Script][-REGION]: split them back.
      size_t dash = locale.find('-');
      request.language = locale.substr(0, dash);
      while (dash != std::string::npos) {
        const size_t next = locale.find('-', dash + 1);
        const std::string part = locale.substr(dash + 1, next == std::string::npos ? std::string::npos : next - dash - 1);
        (part.size() == 4 ? request.script : request.country) = part;
        dash = next;
      }
      const std::string localized = Text(labelAttr, request);
      if (!localized.empty()) Print("application-label-" + locale + ":" + Quoted(localized));
    }
    if (iconAttr) {
      for (uint16_t density : densities_) {
        ResRequest request;
        request.density = density;
        const std::string path = Text(iconAttr, request);
        if (path.empty()) continue;
        out_.iconsByDensity.emplace_back(density, path);
        Print("application-icon-" + std::to_string(density) + ":" + Quoted(path));
      }
      icon = Text(iconAttr);
      out_.defaultIcon = icon;
    }
  }
  Print("application: label=" + Quoted(label) + " icon=" + Quoted(icon));

  for (int child : application.children) {
    const XmlElement& e = At(child);
    receivers_ |= e.name == "receiver";
    services_ |= e.name == "service";
    if (e.name != "activity" && e.name != "activity-alias") continue;
    bool main = false;
    for (int f : e.children) {
      if (At(f).name != "intent-filter") continue;
      for (int a : At(f).children) {
        const std::string name = Text(FindAndroidAttribute(At(a), kNameAttr, "name"));
        if (At(a).name == "action" && name == "android.intent.action.MAIN") main = true;
        if (At(a).name == "category" && name == "android.intent.category.HOME") hasHome_ = true;
      }
    }
    hasMain_ |= main;
    otherActivities_ |= !main;
  }
  for (int child : application.children) {
    const XmlElement& e = At(child);
    if (e.name != "activity" || !IsLauncher(e)) continue;
    const std::string name = ClassName(Text(FindAndroidAttribute(e, kNameAttr, "name")));
    const std::string activityLabel = Text(FindAndroidAttribute(e, kLabelAttr, "label"));
    const std::string activityIcon = table_ ? Text(FindAndroidAttribute(e, kIconAttr, "icon")) : std::string();
    Print("launchable-activity: name=" + Quoted(name) + "  label=" + Quoted(activityLabel) +
          " icon=" + Quoted(activityIcon));
    break;
  }
}

// Permissions the platform grants an old package without it asking for them.
void ManifestReader::ImpliedPermissions() {
  auto imply = [&](const std::string& name, const std::string& reason) {
    if (!permissions_.insert("android.permission." + name).second) return;
    Print("uses-permission: name='android.permission." + name + "'");
    Print("uses-implied-permission: name='android.permission." + name + "' reason='" + reason + "'");
  };
  if (targetSdk_ < 4) {
    imply("WRITE_EXTERNAL_STORAGE", "targetSdkVersion < 4");
    imply("READ_PHONE_STATE", "targetSdkVersion < 4");
  }
  if (permissions_.count("android.permission.WRITE_EXTERNAL_STORAGE"))
    imply("READ_EXTERNAL_STORAGE", "requested WRITE_EXTERNAL_STORAGE");
  if (targetSdk_ < 16) {
    if (permissions_.count("android.permission.READ_CONTACTS"))
      imply("READ_CALL_LOG", "targetSdkVersion < 16 and requested READ_CONTACTS");
    if (permissions_.count("android.permission.WRITE_CONTACTS"))
      imply("WRITE_CALL_LOG", "targetSdkVersion < 16 and requested WRITE_CONTACTS");
  }
}

void ManifestReader::Run() {
  if (table_) {
    for (const ResConfig& config : table_->Configs()) {
      const std::string locale = config.LocaleName();
      locales_.insert(locale.empty() ? "--_--" : locale);
      densities_.insert(config.density == 0 ? ResConfig::kDensityMedium : config.density);
    }
  }
  const XmlElement& manifest = At(0);
  if (manifest.name != "manifest") throw BadAttribute{"ERROR: manifest does not start with <manifest> tag"};
  package_ = Text(FindPlainAttribute(manifest, "package"));
  std::string line = "package: name=" + Quoted(package_);
  Print(line + " ");  // what is shown when an attribute below fails
  line += " versionCode=" + Quoted(Integer(FindAndroidAttribute(manifest, kVersionCodeAttr, "versionCode"), "versionCode"));
  line += " versionName=" + Quoted(Text(FindAndroidAttribute(manifest, kVersionNameAttr, "versionName")));
  if (const XmlAttribute* split = FindPlainAttribute(manifest, "split")) line += " split=" + Quoted(Text(split));
  if (const XmlAttribute* a = FindPlainAttribute(manifest, "platformBuildVersionName"))
    line += " platformBuildVersionName=" + Quoted(Text(a));
  if (const XmlAttribute* a = FindAndroidAttribute(manifest, kCompileSdkAttr, "compileSdkVersion"))
    line += " compileSdkVersion=" + Quoted(Integer(a, "compileSdkVersion"));
  if (const XmlAttribute* a = FindAndroidAttribute(manifest, kCompileSdkCodenameAttr, "compileSdkVersionCodename"))
    line += " compileSdkVersionCodename=" + Quoted(Text(a));
  out_.lines.back() = line;

  for (int child : manifest.children) {
    const XmlElement& e = At(child);
    if (e.name == "uses-sdk") {
      const std::string min = IntegerOrText(FindAndroidAttribute(e, kMinSdkAttr, "minSdkVersion"), "minSdkVersion");
      if (!min.empty()) Print("sdkVersion:" + Quoted(min));
      const std::string target =
          IntegerOrText(FindAndroidAttribute(e, kTargetSdkAttr, "targetSdkVersion"), "targetSdkVersion");
      if (!target.empty()) Print("targetSdkVersion:" + Quoted(target));
      // The target defaults to the minimum; a code name counts as no number at all.
      const std::string& level = target.empty() ? min : target;
      targetSdk_ = level.find_first_not_of("0123456789") == std::string::npos && !level.empty()
                       ? std::atoi(level.c_str()) : 0;
    } else if (e.name == "uses-permission") {
      const std::string name = Text(FindAndroidAttribute(e, kNameAttr, "name"));
      if (name.empty()) continue;
      permissions_.insert(name);
      std::string permission = "uses-permission: name=" + Quoted(name);
      if (const XmlAttribute* max = FindAndroidAttribute(e, kMaxSdkAttr, "maxSdkVersion"))
        permission += " maxSdkVersion=" + Quoted(Integer(max, "maxSdkVersion"));
      Print(permission);
    } else if (e.name == "application") {
      Application(e);
    }
  }
  ImpliedPermissions();
  // Features: only the camera one a permission implies, and the touch screen every
  // package is taken to need, are worked out here.
  Print("feature-group: label=''");
  if (permissions_.count("android.permission.CAMERA")) {
    Print("  uses-feature: name='android.hardware.camera'");
    Print("  uses-implied-feature: name='android.hardware.camera' reason='requested android.permission.CAMERA permission'");
  }
  Print("  uses-feature: name='android.hardware.faketouch'");
  Print("  uses-implied-feature: name='android.hardware.faketouch' reason='default feature for all apps'");
  if (hasHome_) Print("provides-component:'launcher'");
  if (hasMain_) Print("main");
  if (otherActivities_) Print("other-activities");
  if (receivers_) Print("other-receivers");
  if (services_) Print("other-services");
  // Screens an old package is taken to support, by the level it targets.
  Print(targetSdk_ < 4 ? "supports-screens: 'normal'"
        : targetSdk_ < 9 ? "supports-screens: 'small' 'normal' 'large'"
                         : "supports-screens: 'small' 'normal' 'large' 'xlarge'");
  Print(targetSdk_ < 4 ? "supports-any-density: 'false'" : "supports-any-density: 'true'");
  std::string locales = "locales:", densities = "densities:";
  for (const std::string& locale : locales_) locales += " " + Quoted(locale);
  for (uint16_t density : densities_) densities += " " + Quoted(std::to_string(density));
  Print(locales);
  Print(densities);
}

// ABIs of the native libraries: the folders directly below lib/ that hold files.
void NativeCode(const ZipDirectory& zip, PackageBadging& out) {
  std::set<std::string> abis;
  for (const ZipEntry& entry : zip.Entries()) {
    if (entry.name.compare(0, 4, "lib/") != 0) continue;
    const size_t slash = entry.name.find('/', 4);
    if (slash == std::string::npos || slash == 4 || slash + 1 == entry.name.size()) continue;
    abis.insert(entry.name.substr(4, slash - 4));
  }
  if (abis.empty()) return;
  std::string line = "native-code:";
  for (const std::string& abi : abis) line += " " + Quoted(abi);
  out.lines.push_back(line);
}

}  // namespace

PackageBadgingOutcome ReadPackageBadging(std::string_view packageBytes) {
  PackageBadgingOutcome outcome;
  ZipDirectory zip;
  std::string error;
  const ZipEntry* manifestEntry = nullptr;
  if (!zip.Open(packageBytes, error) || !(manifestEntry = zip.Find("AndroidManifest.xml"))) {
    outcome.status = BadgingStatus::kNoManifest;
    outcome.message = "no AndroidManifest.xml found";
    return outcome;
  }
  std::string manifestBytes, tableBuffer;
  std::string_view tableBytes;
  BinaryXml manifest;
  if (!zip.Read(*manifestEntry, manifestBytes, error) || !manifest.Parse(manifestBytes, error)) {
    outcome.status = BadgingStatus::kDamagedManifest;
    outcome.message = "AndroidManifest.xml could not be read: " + error;
    return outcome;
  }
  ResourceTable table;
  bool haveTable = false;
  if (const ZipEntry* tableEntry = zip.Find("resources.arsc")) {
    // The framework's table is some 30 MB, stored: parsed where it lies.
    if (!zip.View(*tableEntry, tableBytes, tableBuffer, error) || !table.Parse(tableBytes, error)) {
      outcome.status = BadgingStatus::kDamagedTable;
      outcome.message = "resources.arsc could not be read: " + error;
      return outcome;
    }
    haveTable = true;
  }
  try {
    ManifestReader(manifest, haveTable ? &table : nullptr, outcome.badging).Run();
  } catch (const BadAttribute& bad) {
    outcome.status = BadgingStatus::kBadAttribute;
    outcome.message = bad.message;
    return outcome;
  }
  NativeCode(zip, outcome.badging);
  return outcome;
}
