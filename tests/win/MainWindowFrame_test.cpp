// The program's main window with its skinned frame: the frame replaces the
// platform's caption, shows close and minimize, and a real pointer minimizes and
// closes the window through them.
#include <windows.h>

#include <gtest/gtest.h>

#include "BoxesTestSupport.h"
#include "FrameTestSupport.h"
#include "app/ProgramArguments.h"
#include "app/uVqMainFrm.h"
#include "frame/sSkinProvider.h"
#include "framework/vclApplication.h"

using namespace boxestest;

namespace {

TEST(MainWindowFrame, SkinnedTitleWithWorkingCloseAndMinimize) {
  // The file type is registered when no package is named; keep the run quiet.
  SetProgramArgumentsW({ProgramFileW()});
  // As the program starts it.
  Application->MainFormOnTaskBar = true;
  TVqMainFrm* form = Application->CreateForm<TVqMainFrm>();
  form->Show();
  HWND w = form->Handle();
  // Off the centre, where the other main-window tests of the same display show theirs.
  SetWindowPos(w, nullptr, 760, 600, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetForegroundWindow(w);
  Pump(300);
  TsSkinProvider* provider = ProviderOfForm(form);
  ASSERT_NE(provider, nullptr);
  ASSERT_TRUE(provider->Skinned());
  EXPECT_FALSE(GetWindowLongW(w, GWL_STYLE) & WS_SYSMENU) << "the platform's caption buttons stay away";
  const TacRect close = provider->Button(2).R, min = provider->Button(0).R;
  ASSERT_GT(close.Width(), 0);
  ASSERT_GT(min.Width(), 0);
  EXPECT_EQ(provider->Button(1).R.Width(), 0) << "no maximize on the main window";
  POINT origin = provider->FrameOrigin();
  {
    // The title as it is on the screen is the frame cache's.
    std::string first;
    EXPECT_EQ(FrameRowsDifferences(*provider, w, close.Bottom, &first,
                                   [](const TacBitmap& screen) { WritePng(ShotDir() + "/main-window-frame.png", screen); }),
              0)
        << first;
  }
  EXPECT_TRUE(ClickUntil(w, POINT{origin.x + (min.Left + min.Right) / 2, origin.y + (min.Top + min.Bottom) / 2},
                         [w] { return IsIconic(w) != FALSE; }));
  ShowWindow(w, SW_RESTORE);
  SetForegroundWindow(w);
  Pump(150);
  origin = provider->FrameOrigin();
  // Closing the main form ends the message loop: the window goes away.
  EXPECT_TRUE(ClickUntil(w, POINT{origin.x + (close.Left + close.Right) / 2, origin.y + (close.Top + close.Bottom) / 2},
                         [form] { return Application->Terminated() || !IsWindowVisible(form->Handle()); }));
  SetCursorPos(1270, 1010);
  delete form;
  SetProgramArgumentsW({});
}

}  // namespace
