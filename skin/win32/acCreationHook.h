// The default manager's window-creation hook: a computer-based-training hook on the
// GUI thread through which windows the program does not skin itself get skinned.
// What it does with each notification belongs to the frame layer, which registers a
// handler; without one the hook only passes notifications on.
#pragma once

#include <windows.h>

struct TacCreationHookHandler {
  // A CBT notification, after the next hook has had it.
  void (*Notify)(int code, WPARAM wParam, LPARAM lParam);
  // The hook is being removed: free everything it made.
  void (*Release)();
};

void SetCreationHookHandler(const TacCreationHookHandler* handler);

// Installs the hook on the calling thread (once); false when the platform refused.
bool InstallCreationHookOnThread();
// Removes it and lets the handler free what it made.
void RemoveCreationHookFromThread();
bool CreationHookInstalled();
