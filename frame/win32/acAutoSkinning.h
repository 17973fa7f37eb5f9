// What the default manager's window-creation hook does: top-level windows of the
// program that have no provider are skinned when the manager's SkinningRules say so.
// A framework form gets an automatic provider (started at its first frame paint, hit
// test or visibility change); the hook keeps a list of what it made and frees it when
// it is removed.
#pragma once

#include <windows.h>

#include <vector>

class TsSkinProvider;
struct TacCreationHookHandler;

// What the manager's window-creation hook does with each notification.
const TacCreationHookHandler& AutoSkinningHandler();

// Decides about `wnd` and takes it over; false when it stays as it is.
bool SkinWindow(HWND wnd);

// The providers the hook made and that still exist, oldest first.
std::vector<TsSkinProvider*> AutoSkinProviders();

// An automatic provider is going: its slot in the hook's list is cleared.
void ForgetAutoProvider(TsSkinProvider* provider);
