// Windows the skin manager reaches besides the application's forms: the forms that
// have a skin provider (a provider adds its form when it is created and removes it
// when it is destroyed) and the windows adapted by the window-creation hook. Both
// lists are process-wide and used on the GUI thread only.
#pragma once

#include <windows.h>

#include <vector>

class TForm;

void RegisterProviderForm(TForm* form);
void UnregisterProviderForm(TForm* form);
// In the order the forms were registered.
const std::vector<TForm*>& ProviderForms();

void RegisterAdaptedWindow(HWND wnd);
void UnregisterAdaptedWindow(HWND wnd);
const std::vector<HWND>& AdaptedWindows();
