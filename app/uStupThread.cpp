#include "app/uStupThread.h"

#include <vector>

#include "app/PackageTools.h"
#include "app/uVqMainFrm.h"

TStupThread::TStupThread() : apkPath_(ApkFileName), appPath_(AppPath) { FreeOnTerminate = true; }

void TStupThread::Execute() {
  // Every list ends with the button enabled, a missing bridge tool included. The
  // list is applied in one go: the window never shows the button free again
  // before the last text has been set.
  const std::vector<InstallUiChange> changes = RunPackageInstall(appPath_, apkPath_);
  Synchronize([&changes] {
    if (!VqMainFrm) return;
    for (const InstallUiChange& change : changes) VqMainFrm->ApplyInstallChange(change);
  });
}
