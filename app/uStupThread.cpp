#include "app/uStupThread.h"

#include "app/PackageTools.h"
#include "app/uVqMainFrm.h"

TStupThread::TStupThread() : apkPath_(ApkFileName), appPath_(AppPath) { FreeOnTerminate = true; }

void TStupThread::Execute() {
  // A tool that cannot be started raises here, and the worker ends silently.
  for (const InstallUiChange& change : RunPackageInstall(appPath_, apkPath_))
    Synchronize([&change] {
      if (VqMainFrm) VqMainFrm->ApplyInstallChange(change);
    });
}
