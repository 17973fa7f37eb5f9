#include "app/uStupThread.h"

#include "app/PackageTools.h"
#include "app/uVqMainFrm.h"

TStupThread::TStupThread() : apkPath_(ApkFileName), appPath_(AppPath) { FreeOnTerminate = true; }

void TStupThread::Execute() {
  // Every list ends with the button enabled, a missing bridge tool included.
  for (const InstallUiChange& change : RunPackageInstall(appPath_, apkPath_))
    Synchronize([&change] {
      if (VqMainFrm) VqMainFrm->ApplyInstallChange(change);
    });
}
