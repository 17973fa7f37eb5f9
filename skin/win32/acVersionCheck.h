// The skin engine's start-up check: with "/acver" among the program's arguments
// (any letter case) a box shows the engine's version before any window exists.
#pragma once

// True when the program's arguments hold "/acver".
bool EngineVersionRequested();
// Shows "Corvane v6.57" in a message box when requested; answers whether it did.
bool ShowEngineVersionIfRequested();
