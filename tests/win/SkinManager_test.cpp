// The skin manager and the skin command messages with real windows: which controls
// a manager broadcast reaches and how (direct dispatch or through their windows),
// manager matching, background colour answers, the mouse-tracking commands, the
// application window hook, the built-in skin compiled into the program and the
// "/acver" start-up switch.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/BuiltinSkin.h"
#include "app/uVqMainFrm.h"
#include "framework/vclApplication.h"
#include "framework/vclForm.h"
#include "framework/vclParams.h"
#include "framework/vclStdCtrls.h"
#include "skin/acAnsiFile.h"
#include "skin/acEngineVersion.h"
#include "skin/acSkinnedWindowLists.h"
#include "skin/acSkinWriter.h"
#include "skin/acVersionCheck.h"
#include "skin/sCommandMessages.h"
#include "skin/sSkinManager.h"
#include "skin/sSkinOptions.h"
#include "ShadowlessSkin.h"
#include "support/StandInDwm.h"
#include "support/TestPaths.h"

namespace {

// Every skin command sent to a window of this thread (SendMessage), as the window saw it.
class SentCommandLog {
 public:
  struct Entry {
    HWND wnd;
    int code;
    LPARAM lParam;
  };
  SentCommandLog() {
    current_ = this;
    hook_ = SetWindowsHookExW(WH_CALLWNDPROC, &Proc, nullptr, GetCurrentThreadId());
  }
  ~SentCommandLog() {
    if (hook_) UnhookWindowsHookEx(hook_);
    current_ = nullptr;
  }
  SentCommandLog(const SentCommandLog&) = delete;
  SentCommandLog& operator=(const SentCommandLog&) = delete;

  int Count(HWND wnd, int code) const {
    int n = 0;
    for (const Entry& e : entries)
      if (e.wnd == wnd && e.code == code) ++n;
    return n;
  }
  std::vector<int> Codes(HWND wnd) const {
    std::vector<int> codes;
    for (const Entry& e : entries)
      if (e.wnd == wnd) codes.push_back(e.code);
    return codes;
  }
  std::vector<Entry> entries;

 private:
  static LRESULT CALLBACK Proc(int code, WPARAM wParam, LPARAM lParam) {
    const auto* cwp = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && current_ && cwp->message == SM_ALPHACMD)
      current_->entries.push_back(Entry{cwp->hwnd, CommandCode(cwp->wParam), cwp->lParam});
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static SentCommandLog* current_;
  HHOOK hook_ = nullptr;
};
SentCommandLog* SentCommandLog::current_ = nullptr;

// What a skin-aware control does with the commands, reduced to counting: it takes a
// skin change only from its own manager (the default one when it names none).
struct SkinRecord {
  TsSkinManager* manager = nullptr;
  std::vector<int> received;  // every command code, matching or not
  int taken = 0;              // SMC_NEWSKIN / SMC_REMOVESKIN / SMC_REFRESH acted on

  TsSkinManager* Manager() const { return manager ? manager : DefaultManager(); }
  // Handles a command; true when it was a skin change for this control.
  void Handle(TMessage& m) {
    const int code = CommandCode(m.WParam);
    received.push_back(code);
    if (code == SMC_ISSKINNED) m.Result = 1;
    if ((code == SMC_NEWSKIN || code == SMC_REMOVESKIN || code == SMC_REFRESH) && ManagerFromParam(m.LParam) == Manager())
      ++taken;
  }
  int Count(int code) const {
    int n = 0;
    for (int c : received) n += c == code;
    return n;
  }
};

// A control of class Base that records the skin commands reaching its message handler:
// over a label (windowless) or a push button (skin-aware window).
template <class Base>
class Recording : public Base {
 public:
  using Base::Base;
  SkinRecord skin;
  void WndProc(TMessage& m) override {
    if (m.Msg == SM_ALPHACMD)
      skin.Handle(m);
    else
      Base::WndProc(m);
  }
};
using RecordingLabel = Recording<TLabel>;
using SkinnedButton = Recording<TButton>;

// A skin-aware container: passes skin changes to its children first, whatever manager
// they carry; answers background colours like a skinned control.
class SkinnedPanel : public TPanel {
 public:
  using TPanel::TPanel;
  SkinRecord skin;
  int transparency = 0;
  uint32_t sectionColor = 0xF0F0F0;
  bool answersNoColor = false;  // answers 16711935 to SMC_GETBGCOLOR
  void WndProc(TMessage& m) override {
    if (m.Msg != SM_ALPHACMD) {
      TPanel::WndProc(m);
      return;
    }
    const int code = CommandCode(m.WParam);
    if (code == SMC_NEWSKIN || code == SMC_REMOVESKIN || code == SMC_REFRESH) {
      TMessage copy = m;
      BroadcastToControls(this, copy);
    }
    skin.Handle(m);
    if (code == SMC_GETBGCOLOR)
      m.Result = answersNoColor ? NoBgColor : AnswerBgColor(this, true, transparency, sectionColor);
  }
};

// A skinned label drawn over its parent with some transparency.
class TransparentLabel : public TLabel {
 public:
  using TLabel::TLabel;
  int transparency = 100;
  uint32_t sectionColor = 0x0000FF;
  void WndProc(TMessage& m) override {
    if (m.Msg == SM_ALPHACMD && CommandCode(m.WParam) == SMC_ISSKINNED)
      m.Result = 1;
    else if (m.Msg == SM_ALPHACMD && CommandCode(m.WParam) == SMC_GETBGCOLOR)
      m.Result = AnswerBgColor(this, true, transparency, sectionColor);
    else
      TLabel::WndProc(m);
  }
};

// A form that a skin provider would answer for.
class ProviderForm : public TForm {
 public:
  using TForm::TForm;
  SkinRecord skin;
  void WndProc(TMessage& m) override {
    if (m.Msg == SM_ALPHACMD)
      skin.Handle(m);
    else
      TForm::WndProc(m);
  }
};

template <class T>
T* Put(TComponent* owner, TWinControl* parent, int left = 0, int top = 0) {
  T* c = new T(owner);
  c->SetBounds(left, top, 60, 24);
  c->SetParent(parent);
  return c;
}

std::vector<uint8_t> AirArchive() { return PackSkinFolder(SourcePath("skins/air")); }

void AddAirSkin(TsSkinManager* m, const std::string& name) {
  const std::vector<uint8_t> air = AirArchive();
  m->InternalSkins.Add(name, air.data(), air.size());
}

class SkinBroadcast : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(DefaultManager(), nullptr) << "a manager outlived its test";
    form_ = TForm::Create<TForm>(Application);
    form_->SetBounds(0, 0, 400, 300);
    form_->HandleNeeded();
  }
  void TearDown() override {
    for (TForm* f : extraForms_) delete f;
    delete form_;
    EXPECT_EQ(DefaultManager(), nullptr);
  }
  TForm* form_ = nullptr;
  std::vector<TForm*> extraForms_;
};

TEST_F(SkinBroadcast, ReachesWindowlessControlsDirectlyAndSkinnedOnesThroughTheirWindows) {
  auto* label = Put<RecordingLabel>(form_, form_);
  auto* panel = Put<TPanel>(form_, form_, 0, 30);
  auto* button = Put<SkinnedButton>(form_, panel);
  auto* innerLabel = Put<RecordingLabel>(form_, panel);
  auto* plainButton = Put<TButton>(form_, panel);
  auto* unbuilt = Put<SkinnedButton>(form_, form_, 0, 60);
  unbuilt->DestroyHandle();  // its window does not exist (yet)
  panel->HandleNeeded();
  button->HandleNeeded();
  plainButton->HandleNeeded();

  SentCommandLog log;
  TsSkinManager* m = new TsSkinManager(form_);
  AddAirSkin(m, "air");
  m->SetSkinName("air");
  ASSERT_TRUE(m->SkinData.Active);

  // New skin, then the repaint: animations stopped and a refresh.
  const std::vector<int> announced{SMC_NEWSKIN, SMC_STOPANIMATIONS, SMC_REFRESH};
  EXPECT_EQ(label->skin.received, announced);
  EXPECT_EQ(innerLabel->skin.received, announced);
  EXPECT_EQ(unbuilt->skin.received, announced);
  EXPECT_FALSE(unbuilt->HandleAllocated()) << "a broadcast does not create windows";
  EXPECT_EQ(label->skin.taken, 2);

  // The skinned button on the plain panel: asked, then sent each command to its window.
  EXPECT_EQ(log.Codes(button->Handle()), (std::vector<int>{SMC_ISSKINNED, SMC_NEWSKIN, SMC_ISSKINNED,
                                                            SMC_STOPANIMATIONS, SMC_ISSKINNED, SMC_REFRESH}));
  EXPECT_EQ(button->skin.taken, 2);
  // The plain panel and the plain button are only asked whether they are skinned.
  for (HWND plain : {panel->Handle(), plainButton->Handle()})
    EXPECT_EQ(log.Codes(plain), (std::vector<int>{SMC_ISSKINNED, SMC_ISSKINNED, SMC_ISSKINNED}));
  // The form itself has no provider: reached once per command, in step 1.
  EXPECT_EQ(log.Count(form_->Handle(), SMC_NEWSKIN), 1);
  EXPECT_EQ(log.Count(form_->Handle(), SMC_REFRESH), 1);
  for (const SentCommandLog::Entry& e : log.entries) {
    if (e.code == SMC_NEWSKIN || e.code == SMC_REFRESH) {
      EXPECT_EQ(ManagerFromParam(e.lParam), m);
    }
    if (e.code == SMC_STOPANIMATIONS) {
      EXPECT_EQ(e.lParam, 0);
    }
  }

  // Switching the skin off reaches everyone once more, and the skin is gone.
  m->SetActive(false);
  EXPECT_EQ(label->skin.Count(SMC_REMOVESKIN), 1);
  EXPECT_EQ(button->skin.Count(SMC_REMOVESKIN), 1);
  EXPECT_EQ(m->SkinInfo(), "N/A");
}

TEST_F(SkinBroadcast, AFormWithAProviderIsReachedOnceThroughTheProviderList) {
  auto* other = TForm::Create<ProviderForm>(Application);
  extraForms_.push_back(other);
  other->HandleNeeded();
  auto* label = Put<RecordingLabel>(other, other);
  RegisterProviderForm(other);
  auto* loading = new TForm(Application);  // still being read: skipped
  extraForms_.push_back(loading);
  loading->HandleNeeded();

  SentCommandLog log;
  TsSkinManager* m = new TsSkinManager(form_);
  AddAirSkin(m, "air");
  m->SetSkinName("air");
  UnregisterProviderForm(other);

  EXPECT_EQ(other->skin.Count(SMC_NEWSKIN), 1);
  EXPECT_EQ(other->skin.Count(SMC_REFRESH), 1);
  EXPECT_EQ(label->skin.Count(SMC_NEWSKIN), 1);
  EXPECT_EQ(log.Count(form_->Handle(), SMC_NEWSKIN), 1);
  EXPECT_TRUE(log.Codes(loading->Handle()).empty());
}

TEST_F(SkinBroadcast, AnotherManagersSkinIsIgnoredButPassedOnByContainers) {
  TsSkinManager* first = new TsSkinManager(form_);  // the default manager
  auto* container = Put<SkinnedPanel>(form_, form_);
  auto* child = Put<SkinnedButton>(form_, container);
  container->HandleNeeded();
  child->HandleNeeded();
  TsSkinManager* second = new TsSkinManager(form_);
  ASSERT_EQ(DefaultManager(), first);
  child->skin.manager = second;
  AddAirSkin(first, "air");
  AddAirSkin(second, "air");

  second->SetSkinName("air");
  EXPECT_EQ(container->skin.Count(SMC_NEWSKIN), 1);
  EXPECT_EQ(container->skin.taken, 0);
  EXPECT_EQ(child->skin.Count(SMC_NEWSKIN), 1) << "passed on by the container";
  EXPECT_EQ(child->skin.taken, 2);

  first->SetSkinName("air");
  EXPECT_EQ(container->skin.taken, 2);
  EXPECT_EQ(child->skin.taken, 2);
  EXPECT_EQ(child->skin.Count(SMC_NEWSKIN), 2);
}

TEST_F(SkinBroadcast, BackgroundColourAnswersOfTransparentControls) {
  struct Case {
    const char* title;
    bool skinnedParent;
    bool parentAnswersNone;
    int transparency;
    uint32_t expected;
  } cases[] = {
      // Fully transparent over a skinned parent that has no colour: the parent control's colour.
      {"over a colourless skinned parent", true, true, 100, 0x123456},
      {"over a skinned parent", true, false, 100, 0x808080},
      {"over a plain parent", false, false, 100, 0x123456},
      {"opaque", true, false, 0, 0x0000FF},
      {"half", true, false, 50, 0x4040C0},  // 0x0000FF and 0x808080: 191.5 rounds to 192
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title);
    TWinControl* parent;
    if (c.skinnedParent) {
      auto* p = Put<SkinnedPanel>(form_, form_);
      p->answersNoColor = c.parentAnswersNone;
      p->sectionColor = 0x808080;
      parent = p;
    } else {
      parent = Put<TPanel>(form_, form_);
    }
    parent->SetColor(0x123456);
    auto* label = Put<TransparentLabel>(form_, parent);
    label->transparency = c.transparency;
    EXPECT_EQ(GetControlBgColor(label), c.expected);
    delete label;
    delete parent;
  }
  // Asked through a window handle: the answer resolved, 16711935 without a window.
  auto* panel = Put<SkinnedPanel>(form_, form_);
  panel->sectionColor = 0x00FF00;
  EXPECT_EQ(GetWindowBgColor(panel->Handle()), 0x00FF00u);
  auto* plain = Put<TPanel>(form_, form_);
  EXPECT_EQ(GetWindowBgColor(plain->Handle()), 0u) << "a window that does not know the command answers 0";
  EXPECT_EQ(GetWindowBgColor(nullptr), NoBgColor);
  EXPECT_EQ(GetControlBgColor(nullptr), NoBgColor);
  // A control that is not skin-aware offers its own colour, system colours resolved.
  plain->SetColor(clBtnFace);
  EXPECT_EQ(GetControlBgColor(plain), static_cast<uint32_t>(GetSysColor(COLOR_BTNFACE)));
}

TEST_F(SkinBroadcast, CommandsToAControlGoThroughItsWindowOrItsHandler) {
  auto* label = Put<RecordingLabel>(form_, form_);
  auto* button = Put<SkinnedButton>(form_, form_);
  button->DestroyHandle();
  EXPECT_EQ(SendSkinCommand(button, SMC_ISSKINNED), 0) << "no window: nothing is sent";
  EXPECT_TRUE(button->skin.received.empty());
  EXPECT_EQ(SendSkinCommand(label, SMC_ISSKINNED), 1);
  button->HandleNeeded();
  SentCommandLog log;
  EXPECT_TRUE(IsSkinAware(button));
  EXPECT_EQ(log.Count(button->Handle(), SMC_ISSKINNED), 1);
  SendSkinCommand(button, SMC_SETUPDATING, 0, 1);
  ASSERT_FALSE(log.entries.empty());
  EXPECT_EQ(log.entries.back().code, SMC_SETUPDATING);
  EXPECT_FALSE(IsSkinAware(static_cast<HWND>(nullptr)));
}

TEST_F(SkinBroadcast, TheDefaultManagerTracksTheControlUnderTheMouse) {
  TsSkinManager* m = new TsSkinManager(form_);
  auto* a = Put<SkinnedButton>(form_, form_);
  auto* b = Put<SkinnedButton>(form_, form_, 70, 0);
  a->HandleNeeded();
  b->HandleNeeded();
  SentCommandLog log;
  m->SetActiveControl(a->Handle());
  m->SetActiveControl(a->Handle());
  m->SetActiveControl(b->Handle());
  EXPECT_EQ(a->skin.received, (std::vector<int>{SMC_MOUSEENTER, SMC_MOUSELEAVE}));
  EXPECT_EQ(b->skin.received, (std::vector<int>{SMC_MOUSEENTER}));
  for (const SentCommandLog::Entry& e : log.entries) EXPECT_EQ(ManagerFromParam(e.lParam), m);
}

TEST_F(SkinBroadcast, TheApplicationsActivationReachesEveryFormLastToFirst) {
  auto* second = TForm::Create<ProviderForm>(Application);
  extraForms_.push_back(second);
  second->HandleNeeded();
  SentCommandLog log;
  {
    // Without a default manager nobody listens to the application window.
    SendMessageW(Application->UtilityWindow(), CM_ACTIVATE, 0, 0);
    EXPECT_TRUE(log.entries.empty());
  }
  TsSkinManager* m = new TsSkinManager(form_);
  SendMessageW(Application->UtilityWindow(), CM_ACTIVATE, 0, 0);
  ASSERT_EQ(log.entries.size(), 2u);
  EXPECT_EQ(log.entries[0].wnd, second->Handle());
  EXPECT_EQ(log.entries[1].wnd, form_->Handle());
  EXPECT_EQ(log.entries[0].code, SMC_APPACTIVATED);
  // The theme-change notice stops at the hook while popups are skinned.
  EXPECT_EQ(SendMessageW(Application->UtilityWindow(), WM_THEMECHANGED, 0, 0), 0);
  m->SkinnedPopups = false;
  log.entries.clear();
  SendMessageW(Application->UtilityWindow(), CM_ACTIVATE, 0, 0);
  EXPECT_TRUE(log.entries.empty());
}

TEST_F(SkinBroadcast, APlainWindowsDirectChildrenGetTheMessage) {
  auto* outer = Put<TPanel>(form_, form_);
  auto* inner = Put<TPanel>(form_, outer);
  auto* deep = Put<TPanel>(form_, inner);
  auto* sibling = Put<TPanel>(form_, outer, 0, 30);
  deep->HandleNeeded();
  sibling->HandleNeeded();
  SentCommandLog log;
  TMessage m = MakeSkinCommand(SMC_PARENTUPDATED);
  BroadcastToChildWindows(outer->Handle(), m);
  EXPECT_EQ(log.Count(inner->Handle(), SMC_PARENTUPDATED), 1);
  EXPECT_EQ(log.Count(sibling->Handle(), SMC_PARENTUPDATED), 1);
  EXPECT_EQ(log.Count(deep->Handle(), SMC_PARENTUPDATED), 0);
  EXPECT_EQ(log.Count(outer->Handle(), SMC_PARENTUPDATED), 0);
}

TEST_F(SkinBroadcast, DestroyingTheManagerRemovesItsSkinFromOtherForms) {
  auto* other = TForm::Create<TForm>(Application);
  extraForms_.push_back(other);
  auto* label = Put<RecordingLabel>(other, other);
  TsSkinManager* m = new TsSkinManager(form_);
  AddAirSkin(m, "air");
  m->SetSkinName("air");
  delete m;
  EXPECT_EQ(label->skin.Count(SMC_REMOVESKIN), 1);
  EXPECT_EQ(DefaultManager(), nullptr);
}

// The main window as the program builds it: the manager with our skin compiled in.
class BuiltinSkinEmbedded : public ::testing::Test {
 protected:
  void SetUp() override { SetProgramArguments({ParamStr(0)}); }
  void TearDown() override {
    delete form_;
    SetProgramArguments({});
  }
  TVqMainFrm* form_ = nullptr;
};

TEST_F(BuiltinSkinEmbedded, TheMainWindowLoadsTheSkinCompiledIntoTheProgram) {
  // The compiled-in archive is exactly what the packer makes of skins/air now.
  const std::vector<uint8_t> packed = AirArchive();
  ASSERT_EQ(BuiltinSkinSize(), packed.size());
  EXPECT_TRUE(std::equal(packed.begin(), packed.end(), BuiltinSkinData()));

  form_ = Application->CreateForm<TVqMainFrm>();
  TsSkinManager* m = form_->sknmngr1;
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(m->Name(), "sknmngr1");
  EXPECT_EQ(DefaultManager(), m);
  EXPECT_EQ(m->SkinName(), "air unpacked (内建皮肤)");
  ASSERT_EQ(m->InternalSkins.Count(), 1);
  EXPECT_EQ(m->InternalSkins.Items(0).Name, BuiltinSkinName);
  EXPECT_EQ(m->SkinDirectory(), "c:\\Skins");
  EXPECT_EQ(m->ThirdParty.Names(tpButton), std::vector<std::string>{"TButton"});
  EXPECT_TRUE(m->Packed());
  EXPECT_TRUE(m->SkinData.Active) << "announced when the window was complete";

  TsSkinOptions options;
  {
    std::vector<uint8_t> text;
    ASSERT_TRUE(ReadAnsiFile(SourcePath("skins/air/Options.dat"), text));
    options.LoadFromText(std::string(text.begin(), text.end()));
  }
  EXPECT_EQ(m->SkinInfo(), FormatSkinVersion(options.ReadFloat("GLOBALINFO", "VERSION", -1)));
  EXPECT_EQ(m->SkinInfo(), "6.1");
  EXPECT_EQ(m->Sections.size(), 64u);
  EXPECT_EQ(m->GetSkinIndex("BUTTON"), 39);
  EXPECT_EQ(m->MenuSupport.IcoLineSkin, "ICOLINE");

  // Extended borders are on: the skin's own shadow frames, at its form offset.
  ASSERT_TRUE(m->ExtendedBorders());
  EXPECT_EQ(m->ShadowMargins.Left, m->SkinData.FormOffset);
  EXPECT_EQ(m->ShadowMargins.Top, m->SkinData.FormOffset);
  ASSERT_NE(m->ActiveShadow, nullptr);
  EXPECT_GT(m->ActiveShadow->Width(), 0);
}

// A skin without its own shadow takes the program's built-in shadow images, whose
// margins are one larger where the desktop is composed (both runs: see the
// composited test run).
TEST(CompositionShadowMargins, BuiltinShadowMarginsOneLargerUnderComposition) {
  ASSERT_EQ(DefaultManager(), nullptr);
  const std::vector<uint8_t> shadowless = ShadowlessSkin();
  ASSERT_FALSE(shadowless.empty());

  TForm* form = TForm::Create<TForm>(Application);
  form->HandleNeeded();
  TsSkinManager* m = new TsSkinManager(form);
  m->InternalSkins.Add("shadowless", shadowless.data(), shadowless.size());
  m->SetExtendedBorders(true);
  m->SetSkinName("shadowless");
  ASSERT_TRUE(m->ExtendedBorders());
  ASSERT_TRUE(m->SkinData.Active);
  const int grow = standindwm::CompositionRun() ? 1 : 0;
  EXPECT_TRUE(standindwm::Loaded()) << "the manager asked the stand-in dwmapi.dll";
  EXPECT_EQ(m->ShadowMargins.Left, 11 + grow);
  EXPECT_EQ(m->ShadowMargins.Top, 7 + grow);
  EXPECT_EQ(m->ShadowMargins.Right, 11 + grow);
  EXPECT_EQ(m->ShadowMargins.Bottom, 11 + grow);
  EXPECT_NE(m->ActiveShadow, nullptr);
  delete form;
  EXPECT_EQ(DefaultManager(), nullptr);
}

TEST(EngineVersionSwitch, IsFoundAmongTheProgramsArgumentsInAnyCase) {
  struct Case {
    std::vector<std::string> args;
    bool expected;
  } cases[] = {
      {{"ApkInstaller.exe"}, false},
      {{"ApkInstaller.exe", "/ACVER"}, true},
      {{"ApkInstaller.exe", "c:\\x.apk", "/AcVer"}, true},
      {{"ApkInstaller.exe", "c:\\acver.apk"}, false},
  };
  for (const Case& c : cases) {
    SetProgramArguments(c.args);
    EXPECT_EQ(EngineVersionRequested(), c.expected) << ::testing::PrintToString(c.args);
  }
  SetProgramArguments({});
}

}  // namespace
