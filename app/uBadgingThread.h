// The badging run of one load, on its own thread: the window is shown and stays
// responsive while the tool runs, and a tool that hangs is ended at its time limit.
#pragma once

#include <cstdint>
#include <string>

#include "app/BadgingReader.h"
#include "framework/vclThread.h"
#include "paint/acBitmap.h"

// What one load found, handed to the window on the GUI thread.
struct PackageLoadResult {
  unsigned ticket = 0;       // which load this is; a newer load drops older results
  BadgingOutcome badging;
  std::string name, version, androidVersion;  // empty: the output did not give it
  std::string failure;       // the run itself failed (tool missing, time limit): the status text
  TacBitmapPtr icon;         // the package's own launcher icon, fitted to the picture; null without one
};

class TBadgingThread : public TThread {
 public:
  // Takes its own copies of the paths. Frees itself when it ends.
  TBadgingThread(unsigned ticket, const std::wstring& appPath, const std::wstring& apkPath);

 protected:
  void Execute() override;

 private:
  unsigned ticket_;
  std::wstring appPath_;
  std::wstring apkPath_;
};
