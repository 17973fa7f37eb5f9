// The desktop-composition functions of dwmapi.dll (Windows Vista on), looked up
// once at run time in the system folder only, so a library of that name beside the
// program is never taken. A missing library or function counts as composition off;
// setting an attribute then reports E_NOTIMPL.
#pragma once

#include <windows.h>

// DwmIsCompositionEnabled, asked only on platform major version 6 or later.
bool DwmCompositionEnabled();

// DwmSetWindowAttribute, or E_NOTIMPL without it.
HRESULT DwmSetAttribute(HWND window, DWORD attribute, const void* value, DWORD size);
