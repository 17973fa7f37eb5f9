// Message numbers of the framework and the skin engine.
#pragma once

#include <windows.h>

// The skin engine's command message; every skin-aware window answers it.
constexpr UINT SM_ALPHACMD = 0xA100;

// Framework notifications to controls (windowed or not), dispatched through WindowProc.
constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_ACTIVATE = CM_BASE + 0;
constexpr UINT CM_DEACTIVATE = CM_BASE + 1;
constexpr UINT CM_VISIBLECHANGED = CM_BASE + 11;
constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 12;
constexpr UINT CM_COLORCHANGED = CM_BASE + 13;
constexpr UINT CM_FONTCHANGED = CM_BASE + 14;
constexpr UINT CM_TEXTCHANGED = CM_BASE + 18;
constexpr UINT CM_MOUSEENTER = CM_BASE + 19;
constexpr UINT CM_MOUSELEAVE = CM_BASE + 20;
// Private: runs a queued call from a worker thread on the GUI thread.
constexpr UINT CM_SYNCHRONIZE = CM_BASE + 0x100;

// One message as a control's handler sees it.
struct TMessage {
  UINT Msg;
  WPARAM WParam;
  LPARAM LParam;
  LRESULT Result;
};
