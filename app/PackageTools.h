// The two tool runs behind the main window: reading a package's badging and
// installing it. Both block until the tool has ended and raise
// EInstallerError("命令错误!") when it cannot be started.
#pragma once

#include <string>
#include <vector>

#include "app/BadgingReader.h"
#include "app/InstallOutcome.h"

// Runs the badging tool on apkPath (nothing when it is empty) in appPath and
// hands its lines to the sink. May raise EConvertError part-way (see BadgingReader.h).
BadgingResult ReadPackageBadging(const std::string& appPath, const std::string& apkPath, BadgingSink& sink);

// The install worker's body: the missing-package changes when apkPath is empty
// or names no file (the tool is not run), else the changes the install tool's
// output calls for.
std::vector<InstallUiChange> RunPackageInstall(const std::string& appPath, const std::string& apkPath);
