// The installer's readers of tool output and of dropped file names, fed with
// arbitrary bytes: they may raise the conversion error, never crash or hang.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "app/AnsiFileName.h"
#include "app/BadgingReader.h"
#include "app/FileSizeText.h"
#include "app/InstallOutcome.h"
#include "app/PackageDisplayName.h"
#include "skin/acStrToInt.h"

namespace {

class CountingSink : public BadgingSink {
 public:
  void SetPackageName(const std::string& s) override { bytes += s.size(); }
  void SetVersionName(const std::string& s) override { bytes += s.size(); }
  void SetAndroidVersion(const std::string& s) override { bytes += s.size(); }
  size_t bytes = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  CountingSink sink;
  try {
    ApplyBadgingOutput(text, sink);
  } catch (const EConvertError&) {
  }
  if (sink.bytes > size) __builtin_trap();  // every cut is a piece of the input
  ClassifyInstallOutput(text);
  PackageDisplayName(text);
  HasApkExtension(text);
  if (size >= 8) {
    int64_t n;
    std::memcpy(&n, data, sizeof(n));
    FileSizeText(n, ".");
  }
  return 0;
}
