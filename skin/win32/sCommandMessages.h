// Sending skin commands (SM_ALPHACMD) to windows and controls, asking whether a
// component is skin-aware and what background colour it offers, and the three
// broadcast orders: the controls of a windowed control, the manager broadcast over
// all forms, and the child windows of a plain window.
#pragma once

#include <windows.h>

#include <cstdint>

#include "framework/vclControl.h"
#include "framework/vclMessages.h"
#include "skin/sCommandCodes.h"

class TWinControl;

static_assert(SM_ALPHACMD == SM_ALPHACMD_NUMBER, "one number for the skin command message");

// The message record of one command.
inline TMessage MakeSkinCommand(int code, LPARAM lParam = 0, int arg = 0) {
  return TMessage{SM_ALPHACMD, static_cast<WPARAM>(PackCommand(code, arg)), lParam, 0};
}

// Sends a command to a window and answers its result; 0 without a window.
LRESULT SendSkinCommand(HWND wnd, int code, LPARAM lParam = 0, int arg = 0);
// Sends a command to a control: through its window when it is windowed (0 when the
// window does not exist yet), by direct dispatch to its message handler when it has
// none; 0 and nothing sent while the control is being destroyed.
LRESULT SendSkinCommand(TControl* control, int code, LPARAM lParam = 0, int arg = 0);

// Answers 1 to SMC_ISSKINNED.
bool IsSkinAware(HWND wnd);
bool IsSkinAware(TControl* control);

// The colour a control offers as background: a skin-aware control's answer to
// SMC_GETBGCOLOR (by direct dispatch, lParam 16711935), else its own colour resolved
// to RGB; 16711935 without a control.
uint32_t GetControlBgColor(TControl* control);
// A window's answer to SMC_GETBGCOLOR resolved to RGB; 16711935 without a window.
uint32_t GetWindowBgColor(HWND wnd);

// What a skinned control answers to SMC_GETBGCOLOR: its own colour when it is not
// skinned; with transparency 0 its section's colour; with 100 its parent's answer
// (the parent's colour when that is 16711935; its own colour without a parent);
// otherwise its section's colour mixed with the parent's.
uint32_t AnswerBgColor(TControl* host, bool skinned, int transparency, uint32_t sectionColor);

// Broadcast to the controls of a windowed control, in control order: stops at a child
// being destroyed; a child without a window (or whose window does not exist yet) gets
// the message by direct dispatch; a windowed child that is skin-aware gets it through
// its window (and passes it on itself); the children of any other windowed child are
// visited by the same rule.
void BroadcastToControls(TWinControl* parent, TMessage& message);

// The manager broadcast: the forms owned by the application (last to first; not those
// being destroyed or loaded, nor skin-aware ones), then the forms of the skin providers
// (first to last), then the visible windows adapted by the window-creation hook. Each
// form gets the message itself and through BroadcastToControls.
void ManagerBroadcast(TMessage& message);

// Sends the message to every direct child window of a window that is not a control
// of this framework, in the platform's order.
void BroadcastToChildWindows(HWND wnd, TMessage& message);
