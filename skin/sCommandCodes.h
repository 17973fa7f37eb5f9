// Codes of the skin command message SM_ALPHACMD (0xA100) and how a command is
// packed: the code in the high word of wParam, a small argument in the low word;
// lParam carries a pointer or value, the result the answer of a query.
#pragma once

#include <cstdint>

constexpr unsigned SM_ALPHACMD_NUMBER = 0xA100;

constexpr int SMC_NEWSKIN = 1;          // lParam: manager; take the new skin
constexpr int SMC_REMOVESKIN = 2;       // lParam: manager; back to the standard look
constexpr int SMC_REFRESH = 3;          // lParam: manager; refresh from the skin
constexpr int SMC_GETPROVIDER = 4;      // answer: the form's skin provider or 0
constexpr int SMC_PARENTUPDATED = 6;    // the parent finished an update
constexpr int SMC_ISSKINNED = 7;        // answer: 1 from every skin-aware window
constexpr int SMC_SETUPDATING = 8;      // arg: 1 updating, 0 not
constexpr int SMC_ISINVALID = 10;       // answer: 1 when the cache is invalid or updating
constexpr int SMC_ISPARTLYHIDDEN = 11;  // answer: 1 when marked partly hidden
constexpr int SMC_STOPANIMATIONS = 16;  // stop running state animations
constexpr int SMC_INVALIDATECACHE = 17; // mark the cache invalid
constexpr int SMC_APPACTIVATED = 18;    // the application was activated
constexpr int SMC_HASBACKGROUND = 19;   // answer: 1 when the background varies
constexpr int SMC_INVALIDATE = 20;      // arg: 1 redraw the window too
constexpr int SMC_GETBGCOLOR = 21;      // lParam: default (16711935); answer: colour
constexpr int SMC_SETPARTLYHIDDEN = 22; // mark partly hidden
constexpr int SMC_BUILDCACHE = 23;      // build the cached image now
constexpr int SMC_FREEREGION = 24;      // free the window region
constexpr int SMC_ADAPTCHILD = 25;      // lParam: a control or 0
constexpr int SMC_GETSKININDEX = 26;    // answer: skin index + 1
constexpr int SMC_MOUSEENTER = 29;      // lParam: manager
constexpr int SMC_MOUSELEAVE = 30;      // lParam: manager
constexpr int SMC_ENDUPDATE = 32;       // end of a suspended update
constexpr int SMC_GETBGINFO = 34;       // lParam: background request record
constexpr int SMC_CHILDSTATE = 36;      // lParam 1: invalidate; 0: answer the state flags
constexpr int SMC_UPDATEBORDERS = 37;   // repaint the shadow window
constexpr int SMC_BEGINSCROLL = 51;     // redrawing off while scrolling
constexpr int SMC_ENDSCROLL = 52;       // redrawing on again
constexpr int SMC_GETAPPLICATION = 60;  // answer: the application object
constexpr int SMC_GETCLIENTOFFSET = 61; // answer: client offset, x low word, y high word
// Codes 5, 15, 27, 28, 35, 44 and 63 are reserved for the frame and its adapters.

// wParam of a command: code in the high word, argument in the low word.
constexpr uintptr_t PackCommand(int code, int arg = 0) {
  return (static_cast<uintptr_t>(static_cast<uint16_t>(code)) << 16) | static_cast<uint16_t>(arg);
}
constexpr int CommandCode(uintptr_t wParam) { return static_cast<int>((wParam >> 16) & 0xFFFF); }
constexpr int CommandArg(uintptr_t wParam) { return static_cast<int>(wParam & 0xFFFF); }

// The colour a sender passes as "no default" and a receiver answers for "none".
constexpr uint32_t NoBgColor = 0xFF00FF;  // 16711935

// The answer of a skinned control to SMC_GETBGCOLOR for a section colour and a
// transparency (percent) over the parent's colour: 0 gives the section's colour,
// 100 the parent's, anything between the per-channel mixture
// round((100 - t) / 100 x colour + t / 100 x parent), each channel clamped to 0..255.
uint32_t MixBgColor(uint32_t sectionColor, uint32_t parentColor, int transparency);
