// The install worker: runs the bridge tool's install on its own thread and hands
// every change of the main window to the GUI thread, in order.
#pragma once

#include <string>

#include "framework/vclThread.h"

class TStupThread : public TThread {
 public:
  // Takes its own copy of the package path: a package loaded meanwhile does not
  // change the install in progress. Frees itself when it ends.
  TStupThread();

 protected:
  void Execute() override;

 private:
  std::wstring apkPath_;
  std::wstring appPath_;
};
