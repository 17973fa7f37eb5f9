#include "app/uBadgingThread.h"

#include <utility>

#include "app/PackageIconFile.h"
#include "app/PackageTools.h"
#include "app/RunAndCapture.h"
#include "app/uVqMainFrm.h"

namespace {

class ResultSink : public BadgingSink {
 public:
  explicit ResultSink(PackageLoadResult& r) : r_(r) {}
  void SetPackageName(const std::string& name) override { r_.name = name; }
  void SetVersionName(const std::string& version) override { r_.version = version; }
  void SetAndroidVersion(const std::string& text) override { r_.androidVersion = text; }

 private:
  PackageLoadResult& r_;
};

}  // namespace

TBadgingThread::TBadgingThread(unsigned ticket, const std::wstring& appPath, const std::wstring& apkPath)
    : ticket_(ticket), appPath_(appPath), apkPath_(apkPath) {
  FreeOnTerminate = true;
}

void TBadgingThread::Execute() {
  PackageLoadResult result;
  result.ticket = ticket_;
  ResultSink sink(result);
  const DWORD limit = BadgingTimeLimitMs();
  try {
    result.badging = ReadPackageBadging(appPath_, apkPath_, sink, limit);
  } catch (const EToolTimeout&) {
    result.failure = BadgingTimeoutText(limit);
  } catch (const std::exception&) {
    result.failure = kBadgingToolMissingText;
  }
  // Read here, off the GUI thread, by the reader library itself; only for what the
  // tool took for a package, as the window shows nothing else of a failed load.
  if (result.failure.empty() && result.badging.result == BadgingResult::Package)
    result.icon = ReadPackageIconFile(apkPath_);
  Synchronize([&result] {
    if (VqMainFrm) VqMainFrm->FinishLoad(std::move(result));
  });
}
