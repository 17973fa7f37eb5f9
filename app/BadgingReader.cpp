#include "app/BadgingReader.h"

#include "app/AndroidLevel.h"
#include "app/OutputLines.h"

const char* const kBadgingFailedText = "获取参数失败!不支持该类型文件.";

namespace {

// After the first occurrence of c; unchanged when there is none.
std::string After(const std::string& s, char c) {
  const size_t at = s.find(c);
  return at == std::string::npos ? s : s.substr(at + 1);
}

// Up to the first occurrence of c; empty when there is none.
std::string Before(const std::string& s, char c) {
  const size_t at = s.find(c);
  return at == std::string::npos ? std::string() : s.substr(0, at);
}

// Drops the first ":" and the one byte after it.
std::string AfterColonAndOne(const std::string& line) {
  const size_t colon = line.find(':');
  const size_t from = colon + 2;
  return from >= line.size() ? std::string() : line.substr(from);
}

bool IsBlank(const std::string& s) {
  for (char c : s)
    if (static_cast<unsigned char>(c) > ' ') return false;
  return true;
}

bool StartsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

}  // namespace

bool ApplyBadgingLine(const std::string& line, BadgingSink& sink) {
  if (StartsWith(line, "package:")) {
    const std::string rest = After(AfterColonAndOne(line), '\'');
    const std::string name = Before(rest, '\'');
    if (IsBlank(name)) return false;
    sink.SetPackageName(name);
    const std::string v = After(After(After(rest, '='), '='), '\'');
    sink.SetVersionName(Before(v, '\''));
  } else if (StartsWith(line, "sdkVersion:")) {
    const std::string level = Before(AfterColonAndOne(line), '\'');
    if (!level.empty()) sink.SetAndroidVersion(AndroidVersionText(level));
  }
  return true;
}

BadgingOutcome ApplyBadgingOutput(const std::string& output, BadgingSink& sink) {
  BadgingOutcome outcome;
  for (const std::string& line : SplitOutputLines(output)) {
    if (outcome.toolError.empty() && StartsWith(line, "ERROR:")) outcome.toolError = line;
    if (!ApplyBadgingLine(line, sink)) {
      outcome.result = BadgingResult::BlankPackageName;
      return outcome;
    }
    if (StartsWith(line, "package:")) outcome.result = BadgingResult::Package;
  }
  return outcome;
}
