// The window framework under the forms: ownership, control order, replaced message
// handlers and direct dispatch, aligned layout, forms from descriptions, errors in
// handlers, and calls from a worker thread into the GUI thread.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "framework/vclApplication.h"
#include "framework/vclCanvas.h"
#include "framework/vclForm.h"
#include "framework/vclMessageForm.h"
#include "framework/vclStdCtrls.h"
#include "framework/vclText.h"
#include "framework/vclThread.h"

namespace {

struct Tracked : TComponent {
  Tracked(TComponent* owner, std::vector<std::string>& log, std::string name)
      : TComponent(owner), log_(log), name_(std::move(name)) {}
  ~Tracked() override { log_.push_back(name_); }
  void Loaded() override { log_.push_back("loaded " + name_); }
  std::vector<std::string>& log_;
  std::string name_;
};

TEST(Framework, OwnerFreesItsComponentsLastFirstAndTellsThemLoadingEnded) {
  std::vector<std::string> log;
  {
    TComponent owner(nullptr);
    owner.SetLoading(true);
    new Tracked(&owner, log, "a");
    Tracked* b = new Tracked(&owner, log, "b");
    EXPECT_TRUE(b->Loading());
    owner.LoadedAll();
    EXPECT_FALSE(b->Loading());
    EXPECT_EQ(owner.ComponentCount(), 2);
  }
  EXPECT_EQ(log, (std::vector<std::string>{"loaded a", "loaded b", "b", "a"}));
}

class FormTest : public testing::Test {
 protected:
  void SetUp() override {
    form_ = new TForm(Application);
    TFormDescription d;
    d.Caption = "测试窗口";
    d.ClientWidth = 450;
    d.ClientHeight = 262;
    d.BorderStyle = bsSingle;
    d.BorderIcons = biSystemMenu | biMinimize;
    d.Position = poDesktopCenter;
    form_->ApplyDescription(d);
    form_->FinishCreate();
  }
  void TearDown() override {
    delete form_;
    Application->OnException = nullptr;
  }
  TForm* form_;
};

TEST_F(FormTest, DescriptionGivesClientSizeBorderIconsAndCentredPlacement) {
  HWND h = form_->Handle();
  RECT client;
  GetClientRect(h, &client);
  EXPECT_EQ(client.right, 450);
  EXPECT_EQ(client.bottom, 262);
  LONG_PTR style = GetWindowLongPtrW(h, GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);
  RECT work, window;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  GetWindowRect(h, &window);
  EXPECT_NEAR(window.left - work.left, work.right - window.right, 1);
  EXPECT_NEAR(window.top - work.top, work.bottom - window.bottom, 1);
  wchar_t title[64];
  GetWindowTextW(h, title, 64);
  EXPECT_EQ(std::wstring(title), L"测试窗口");
}

TEST_F(FormTest, ReplacedHandlerSeesMessagesFirstAndDirectDispatchReachesAWindowlessControl) {
  TLabel* label = new TLabel(form_);
  label->SetParent(form_);
  std::vector<UINT> seen;
  auto previous = label->WindowProc;
  label->WindowProc = [&](TMessage& m) {
    seen.push_back(m.Msg);
    if (m.Msg == SM_ALPHACMD) {
      m.Result = 1;
      return;
    }
    previous(m);
  };
  EXPECT_EQ(label->Perform(SM_ALPHACMD, 7u << 16, 0), 1);
  label->SetCaption("x");
  EXPECT_EQ(seen, (std::vector<UINT>{SM_ALPHACMD, CM_TEXTCHANGED}));
  // A windowed control that does not know the command answers 0.
  TPanel* panel = new TPanel(form_);
  panel->SetParent(form_);
  EXPECT_EQ(SendMessageW(panel->Handle(), SM_ALPHACMD, 7u << 16, 0), 0);
}

TEST_F(FormTest, ChildrenKeepControlOrderAndClientAlignmentUsesMargins) {
  TGroupBox* box = new TGroupBox(form_);
  box->SetBounds(16, 152, 417, 71);
  box->SetParent(form_);
  TLabel* a = new TLabel(form_);
  TLabel* b = new TLabel(form_);
  a->SetParent(box);
  b->SetParent(box);
  ASSERT_EQ(box->ControlCount(), 2);
  EXPECT_EQ(box->Controls(0), a);
  EXPECT_EQ(box->Controls(1), b);
  b->SetAlignWithMargins(true, TMargins{3, 6, 3, 3});
  b->SetAlign(alClient);
  RECT area = box->AdjustedClientRect();
  EXPECT_EQ(b->Left(), area.left + 3);
  EXPECT_EQ(b->Top(), area.top + 6);
  EXPECT_EQ(b->Width(), area.right - area.left - 6);
  EXPECT_EQ(b->Height(), area.bottom - area.top - 9);
  // The topmost windowless child under a point gets the mouse.
  a->SetBounds(b->Left(), b->Top(), 10, 10);
  EXPECT_EQ(box->GraphicControlAt(POINT{b->Left() + 1, b->Top() + 1}), b);
}

TEST_F(FormTest, ErrorRaisedInAHandlerGoesToTheApplicationsErrorReport) {
  std::vector<std::string> errors;
  Application->OnException = [&](const std::exception& e) { errors.push_back(e.what()); };
  TButton* button = new TButton(form_);
  button->SetBounds(10, 10, 80, 25);
  button->SetParent(form_);
  button->OnClick = [](TComponent*) { throw std::runtime_error("命令错误!"); };
  form_->Show();
  HWND h = button->Handle();
  SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(errors, std::vector<std::string>{"命令错误!"});
}

class Counter : public TThread {
 public:
  explicit Counter(std::vector<int>& out) : out_(out) {}
  DWORD guiThread = GetCurrentThreadId();
  bool allOnGuiThread = true;

 protected:
  void Execute() override {
    for (int i = 0; i < 200; ++i)
      Synchronize([this, i] {
        allOnGuiThread = allOnGuiThread && GetCurrentThreadId() == guiThread;
        out_.push_back(i);
      });
  }

 private:
  std::vector<int>& out_;
};

// The framework's message box: laid out around its text, ended by its button, Enter,
// Escape, the close box and the platform's IDOK/IDCANCEL commands.
TEST(MessageForm, LaysItsTextOutAndEndsWithTheResultOfEachWayOut) {
  const std::string longText(300, 'w');
  const std::string words = "一个很长的消息 " + std::string(40, 'x') + " 它在多行中显示 " + std::string(40, 'y') +
                            " 并且不会被截断 " + std::string(40, 'z');
  for (const std::string& text : {std::string("命令错误!"), words}) {
    TMessageForm box(Application, text, "错误", mtError);
    box.FinishCreate();
    box.Show();
    TLabel* label = box.Message();
    RECT client;
    GetClientRect(box.Handle(), &client);
    EXPECT_EQ(box.Text(), text);
    EXPECT_EQ(label->Caption(), text) << "words that fit are wrapped by the label itself";
    EXPECT_LE(label->Width(), box.Scale(360));
    EXPECT_LE(label->Left() + label->Width(), client.right);
    EXPECT_LE(label->Top() + label->Height(), box.OkButton()->Top()) << "text above the button";
    EXPECT_LE(std::abs(box.OkButton()->Left() * 2 + box.OkButton()->Width() - client.right), 1) << "button centred";
    // The whole text fits the label as it is drawn.
    const RECT need = ScreenTextRect(label->Font(), GbkToWide(text), RECT{0, 0, label->Width(), 0},
                                     label->TextFlags() | DT_CALCRECT);
    EXPECT_LE(need.bottom - need.top, label->Height());
    if (text == words) {
      EXPECT_GT(label->Height(), 2 * ScreenTextExtent(label->Font(), L"x").cy) << "wrapped";
    }
  }
  struct Way {
    const char* name;
    std::function<void(TMessageForm&)> act;
    int result;
  };
  const Way ways[] = {
      {"button", [](TMessageForm& b) { b.OkButton()->Click(); }, mrOk},
      {"Enter", [](TMessageForm& b) { SendMessageW(b.OkButton()->Handle(), WM_KEYDOWN, VK_RETURN, 0); }, mrOk},
      {"Escape", [](TMessageForm& b) { SendMessageW(b.OkButton()->Handle(), WM_KEYDOWN, VK_ESCAPE, 0); }, mrCancel},
      {"IDOK", [](TMessageForm& b) { SendMessageW(b.Handle(), WM_COMMAND, IDOK, 0); }, mrOk},
      {"IDCANCEL", [](TMessageForm& b) { SendMessageW(b.Handle(), WM_COMMAND, IDCANCEL, 0); }, mrCancel},
  };
  for (const Way& w : ways) {
    SCOPED_TRACE(w.name);
    TMessageForm box(Application, "命令错误!", "错误", mtError);
    box.FinishCreate();
    box.Show();
    EXPECT_EQ(box.ModalResult(), mrNone);
    w.act(box);
    EXPECT_EQ(box.ModalResult(), w.result);
  }
  // A word wider than the box (a long path) is broken onto lines of its own, whole
  // characters kept, instead of making the box wider than the screen.
  for (const std::string& text : {longText, "文件: " + std::string(60, 'd') + "中文目录名" + std::string(60, 'e')}) {
    TMessageForm wide(Application, text, "错误", mtWarning);
    wide.FinishCreate();
    TLabel* label = wide.Message();
    EXPECT_LE(label->Width(), wide.Scale(360));
    std::string joined = label->Caption();
    joined.erase(std::remove(joined.begin(), joined.end(), '\n'), joined.end());
    EXPECT_EQ(joined, text) << "nothing lost, only line breaks added";
    // No double-byte character split between two lines: each line reads back whole.
    std::string line;
    for (const char c : label->Caption() + "\n") {
      if (c != '\n') {
        line += c;
        continue;
      }
      EXPECT_EQ(WideToGbk(GbkToWide(line)), line);
      line.clear();
    }
    const RECT need = ScreenTextRect(label->Font(), GbkToWide(label->Caption()), RECT{0, 0, label->Width(), 0},
                                     label->TextFlags() | DT_CALCRECT);
    EXPECT_LE(need.right - need.left, label->Width());
    EXPECT_LE(need.bottom - need.top, label->Height());
  }
}

TEST(Framework, WorkerCallsRunOnTheGuiThreadInOrder) {
  Application->Initialize();
  std::vector<int> got;
  Counter worker(got);
  worker.Start();
  DWORD end = GetTickCount() + 20000;
  while (got.size() < 200 && GetTickCount() < end) {
    Application->ProcessMessages();
    Sleep(1);
  }
  worker.WaitFor();
  ASSERT_EQ(got.size(), 200u);
  for (int i = 0; i < 200; ++i) ASSERT_EQ(got[static_cast<size_t>(i)], i);
  EXPECT_TRUE(worker.allOnGuiThread);
}

}  // namespace
