// Windows guarantees only 4-byte stack alignment to a 32-bit callback, while the
// compiler keeps SSE values in 16-byte stack slots: the i686 program must realign
// where Windows calls back into it. Here the main window's real window procedure
// is called the way any Windows caller may call it, with the stack off by 4, 8
// and 12 bytes, for the messages that run our painting and text code.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/uVqMainFrm.h"
#include "framework/vclApplication.h"
#include "paint/acGdiHandles.h"

namespace {

#if defined(__i386__)
struct WindowCall {
  HWND h;
  UINT msg;
  WPARAM w;
  LPARAM l;
  WNDPROC proc;
};

// Calls proc(h, msg, w, l) with the stack pointer `offset` bytes below a 16-byte
// boundary at the call. The arguments are reached through a register: operands
// addressed from the stack pointer would move with it.
LRESULT CallWithStackOffset(WNDPROC proc, HWND h, UINT msg, WPARAM w, LPARAM l, int offset) {
  WindowCall call{h, msg, w, l, proc};
  WindowCall* args = &call;
  LRESULT result;
  asm volatile(
      "movl %%esp, %%esi\n\t"
      "andl $-16, %%esp\n\t"
      "subl %%ecx, %%esp\n\t"
      "subl $16, %%esp\n\t"
      "movl (%%edx), %%eax\n\t"
      "movl %%eax, (%%esp)\n\t"
      "movl 4(%%edx), %%eax\n\t"
      "movl %%eax, 4(%%esp)\n\t"
      "movl 8(%%edx), %%eax\n\t"
      "movl %%eax, 8(%%esp)\n\t"
      "movl 12(%%edx), %%eax\n\t"
      "movl %%eax, 12(%%esp)\n\t"
      "call *16(%%edx)\n\t"  // stdcall: the callee pops its four arguments
      "movl %%esi, %%esp\n\t"
      : "=a"(result), "+d"(args), "+c"(offset)
      :
      : "esi", "memory", "cc");
  return result;
}
#endif

TEST(StackAlignment, WindowProcedureRunsOnAStackWindowsLeavesUnaligned) {
#if !defined(__i386__)
  GTEST_SKIP() << "x86_64 Windows always calls with a 16-byte aligned stack; only the 32-bit program can meet this";
#else
  TVqMainFrm* form = Application->CreateForm<TVqMainFrm>();
  HWND h = form->Handle();
  form->Show();
  auto proc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(h, GWLP_WNDPROC));
  ASSERT_NE(proc, nullptr);
  const wchar_t title[] = L"\x94c2\x8713 stack";
  for (int offset : {0, 4, 8, 12}) {
    SCOPED_TRACE(offset);
    InvalidateRect(h, nullptr, TRUE);
    CallWithStackOffset(proc, h, WM_PAINT, 0, 0, offset);
    {
      TacWindowDC dc(h);
      CallWithStackOffset(proc, h, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.Get()), 0, offset);
    }
    CallWithStackOffset(proc, h, WM_MOUSEMOVE, 0, MAKELPARAM(20, 20), offset);
    CallWithStackOffset(proc, h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(title), offset);
    wchar_t back[64] = {0};
    const LRESULT n = CallWithStackOffset(proc, h, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(back), offset);
    EXPECT_EQ(n, static_cast<LRESULT>(lstrlenW(title)));
    EXPECT_STREQ(back, title);
  }
  delete form;
#endif
}

}  // namespace
