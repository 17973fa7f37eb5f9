// PTQList: the badging reader shipped beside the installer. Reads a package's
// manifest and resource table itself and prints "d badging" lines the way the
// Android asset packaging tool does, with its error lines and exit codes.
//   PTQList d badging "package.apk"
#include <cstdio>
#include <string>

#include "tools/badging/MappedFile.h"
#include "tools/badging/PackageBadging.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
// No wildcard expansion of the arguments: a package path is taken as it is.
extern "C" {
int _dowildcard = 0;
}
#endif

namespace {

void Write(FILE* stream, const std::string& text) { std::fwrite(text.data(), 1, text.size(), stream); }

int Fail(const std::string& line) {
  Write(stderr, line + "\n");
  return 1;
}

int DumpBadging(const char* path) {
  const MappedFile file(path);
  if (!file.Ok()) return Fail("ERROR: dump failed because assets could not be loaded");
  const PackageBadgingOutcome outcome = ReadPackageBadging(file.Bytes());
  switch (outcome.status) {
    case BadgingStatus::kNoManifest:
      return Fail("ERROR: dump failed because " + outcome.message);
    case BadgingStatus::kDamagedManifest:
      return Fail("ERROR: AndroidManifest.xml is corrupt");
    case BadgingStatus::kDamagedTable:
      return Fail("ERROR: dump failed because the resource table is invalid/corrupt.");
    case BadgingStatus::kBadAttribute: {
      // The tool stops in the middle of its output: what it had is printed as it was.
      const auto& lines = outcome.badging.lines;
      for (size_t i = 0; i < lines.size(); ++i) Write(stdout, lines[i] + (i + 1 < lines.size() ? "\n" : ""));
      std::fflush(stdout);
      return Fail("AndroidManifest.xml: error: " + outcome.message);
    }
    case BadgingStatus::kOk:
      break;
  }
  std::string out;
  for (const std::string& line : outcome.badging.lines) out += line + "\n";
  Write(stdout, out);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
#endif
  const std::string command = argc >= 2 ? argv[1] : "";
  if (command != "d" && command != "dump") {
    return Fail("Usage: PTQList d[ump] badging FILE.apk");
  }
  if (argc < 3) return Fail("ERROR: no dump option specified");
  if (std::string(argv[2]) != "badging") return Fail("ERROR: unknown dump option '" + std::string(argv[2]) + "'");
  if (argc < 4) return Fail("ERROR: no dump file specified");
  return DumpBadging(argv[3]);
}
