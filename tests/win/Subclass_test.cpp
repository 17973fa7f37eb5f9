// Taking over a window's messages: chain order, answering without handing on,
// letting go at destruction (window first or object first), and a window the
// program did not create (a message box, found by a window-creation hook).
#include "framework/vclSubclass.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr UINT kProbe = WM_APP + 1;
constexpr UINT kAnswered = WM_APP + 2;

std::vector<std::string>* g_log = nullptr;

LRESULT CALLBACK LoggingProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if ((msg == kProbe || msg == kAnswered) && g_log) {
    g_log->push_back("window");
    return 1;
  }
  return DefWindowProcW(wnd, msg, wp, lp);
}

// A plain top-level window of our own class whose procedure logs the probes.
class LoggingWindow {
 public:
  LoggingWindow() {
    static const bool registered = [] {
      WNDCLASSEXW wc = {};
      wc.cbSize = sizeof(wc);
      wc.lpfnWndProc = &LoggingProc;
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.lpszClassName = L"VqSubclassTestWindow";
      return RegisterClassExW(&wc) != 0;
    }();
    EXPECT_TRUE(registered);
    wnd = CreateWindowExW(0, L"VqSubclassTestWindow", L"", WS_POPUP, 0, 0, 20, 20, nullptr, nullptr,
                          GetModuleHandleW(nullptr), nullptr);
  }
  ~LoggingWindow() {
    if (IsWindow(wnd)) DestroyWindow(wnd);
  }
  HWND wnd;
};

// Logs its name for the probes; answers kAnswered itself when told to.
class NamedSubclass : public TWindowSubclass {
 public:
  NamedSubclass(std::string name, std::vector<std::string>& log, bool answers = false)
      : name_(std::move(name)), log_(log), answers_(answers) {}
  int destroyedCalls = 0;

 protected:
  void WndProc(TMessage& m) override {
    if (m.Msg == kProbe || m.Msg == kAnswered) log_.push_back(name_);
    if (m.Msg == kAnswered && answers_) {
      m.Result = 42;
      return;
    }
    Inherited(m);
  }
  void WindowDestroyed() override { ++destroyedCalls; }

 private:
  std::string name_;
  std::vector<std::string>& log_;
  bool answers_;
};

class SubclassTest : public testing::Test {
 protected:
  void SetUp() override { g_log = &log; }
  void TearDown() override { g_log = nullptr; }
  std::vector<std::string> log;
};

TEST_F(SubclassTest, LastAttachedSeesMessagesFirstAndHandsOnThroughTheChain) {
  LoggingWindow w;
  ASSERT_TRUE(w.wnd);
  NamedSubclass a("a", log), b("b", log);
  ASSERT_TRUE(a.Attach(w.wnd));
  ASSERT_TRUE(b.Attach(w.wnd));
  EXPECT_EQ(SendMessageW(w.wnd, kProbe, 0, 0), 1);
  EXPECT_EQ(log, (std::vector<std::string>{"b", "a", "window"}));

  log.clear();
  b.Detach();
  EXPECT_FALSE(b.Attached());
  SendMessageW(w.wnd, kProbe, 0, 0);
  EXPECT_EQ(log, (std::vector<std::string>{"a", "window"}));
}

TEST_F(SubclassTest, AnAnsweredMessageGoesNoFurther) {
  LoggingWindow w;
  NamedSubclass inner("inner", log), outer("outer", log, /*answers=*/true);
  ASSERT_TRUE(inner.Attach(w.wnd));
  ASSERT_TRUE(outer.Attach(w.wnd));
  EXPECT_EQ(SendMessageW(w.wnd, kAnswered, 0, 0), 42);
  EXPECT_EQ(log, std::vector<std::string>{"outer"});
}

TEST_F(SubclassTest, DestroyingTheWindowReleasesEverySubclassOnce) {
  NamedSubclass a("a", log), b("b", log);
  {
    LoggingWindow w;
    ASSERT_TRUE(a.Attach(w.wnd));
    ASSERT_TRUE(b.Attach(w.wnd));
  }
  EXPECT_FALSE(a.Attached());
  EXPECT_FALSE(b.Attached());
  EXPECT_EQ(a.destroyedCalls, 1);
  EXPECT_EQ(b.destroyedCalls, 1);
  a.Detach();  // nothing left to let go of
  EXPECT_EQ(a.destroyedCalls, 1);
}

TEST_F(SubclassTest, AnObjectDestroyedFirstLeavesTheWindowWorking) {
  LoggingWindow w;
  NamedSubclass outer("outer", log);
  ASSERT_TRUE(outer.Attach(w.wnd));
  {
    NamedSubclass inner("inner", log);
    ASSERT_TRUE(inner.Attach(w.wnd));
  }
  EXPECT_EQ(SendMessageW(w.wnd, kProbe, 0, 0), 1);
  EXPECT_EQ(log, (std::vector<std::string>{"outer", "window"}));
}

TEST_F(SubclassTest, AttachingMovesToTheNewWindowAndRefusesAMissingOne) {
  LoggingWindow first, second;
  NamedSubclass s("s", log);
  ASSERT_TRUE(s.Attach(first.wnd));
  ASSERT_TRUE(s.Attach(second.wnd));
  SendMessageW(first.wnd, kProbe, 0, 0);
  EXPECT_EQ(log, std::vector<std::string>{"window"});
  log.clear();
  SendMessageW(second.wnd, kProbe, 0, 0);
  EXPECT_EQ(log, (std::vector<std::string>{"s", "window"}));

  HWND gone = first.wnd;
  DestroyWindow(gone);
  EXPECT_FALSE(s.Attach(gone));
  EXPECT_FALSE(s.Attached());
  EXPECT_FALSE(s.Attach(nullptr));
}

// An adapter that frees itself with its window, as adapters of other windows do.
class SelfFreeing : public TWindowSubclass {
 public:
  explicit SelfFreeing(bool& freed) : freed_(freed) {}
  ~SelfFreeing() override { freed_ = true; }

 protected:
  void WindowDestroyed() override { delete this; }

 private:
  bool& freed_;
};

TEST_F(SubclassTest, AnAdapterMayFreeItselfWhenItsWindowGoes) {
  bool freed = false;
  LoggingWindow w;
  auto* adapter = new SelfFreeing(freed);
  ASSERT_TRUE(adapter->Attach(w.wnd));
  DestroyWindow(w.wnd);
  EXPECT_TRUE(freed);
}

// A message box: its window belongs to the platform. A creation hook finds it, a
// subclass takes it over, and the subclass closes it through a message of its own.
struct MessageBoxTakeover {
  static constexpr UINT kCloseYourself = WM_APP + 7;
  HHOOK hook = nullptr;
  TMessageSubclass subclass{[this](TMessage& m) {
    if (m.Msg != kCloseYourself) return false;
    sawOwnMessage = true;
    PostMessageW(subclass.Window(), WM_COMMAND, IDOK, 0);
    m.Result = 0;
    return true;
  }};
  bool sawOwnMessage = false;
  wchar_t className[32] = {};

  static MessageBoxTakeover* current;
  static LRESULT CALLBACK Cbt(int code, WPARAM wp, LPARAM lp) {
    if (code == HCBT_ACTIVATE && current && !current->subclass.Attached()) {
      HWND box = reinterpret_cast<HWND>(wp);
      GetClassNameW(box, current->className, 32);
      if (current->subclass.Attach(box)) PostMessageW(box, kCloseYourself, 0, 0);
    }
    return CallNextHookEx(nullptr, code, wp, lp);
  }
};
MessageBoxTakeover* MessageBoxTakeover::current = nullptr;

TEST_F(SubclassTest, AMessageBoxFoundByACreationHookIsTakenOverAndReleased) {
  MessageBoxTakeover t;
  MessageBoxTakeover::current = &t;
  t.hook = SetWindowsHookExW(WH_CBT, &MessageBoxTakeover::Cbt, nullptr, GetCurrentThreadId());
  ASSERT_TRUE(t.hook);
  int answer = MessageBoxW(nullptr, L"text", L"caption", MB_OKCANCEL);
  UnhookWindowsHookEx(t.hook);
  MessageBoxTakeover::current = nullptr;
  EXPECT_STREQ(t.className, L"#32770");
  EXPECT_TRUE(t.sawOwnMessage);
  EXPECT_EQ(answer, IDOK);
  EXPECT_FALSE(t.subclass.Attached());  // let go when the box was destroyed
}

}  // namespace
