#include "framework/vclMessageForm.h"

#include <algorithm>

#include "framework/vclApplication.h"
#include "framework/vclCanvas.h"
#include "framework/vclStdCtrls.h"
#include "framework/vclText.h"
#include "paint/acGdiHandles.h"

namespace {

TMessageButtonMaker g_buttonMaker = nullptr;

// Sizes at 96 dpi, as a platform message box lays itself out.
constexpr int kMargin = 16;
constexpr int kIconSize = 32;
constexpr int kIconGap = 12;
constexpr int kMaxTextWidth = 360;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kMinClientWidth = 200;

// The platform's icon of the box's kind; shared icons, never destroyed.
class TMessageIcon : public TControl {
 public:
  TMessageIcon(TComponent* owner, TMsgDlgType type) : TControl(owner) {
    const int id = type == mtError ? 32513 : type == mtWarning ? 32515 : 32516;  // IDI_ERROR, _WARNING, _INFORMATION
    icon_ = LoadIconW(nullptr, MAKEINTRESOURCEW(id));
  }
  const char* ClassName() const override { return "TMessageIcon"; }
  void Paint(TCanvas& canvas) override {
    if (icon_) DrawIconEx(canvas.Handle(), 0, 0, icon_, Width(), Height(), 0, nullptr, DI_NORMAL);
  }

 private:
  HICON icon_ = nullptr;
};

// Word wrapping keeps a word whole even when it is wider than the box (a long path):
// such a word is broken at character boundaries onto lines of its own. Measured on
// `canvas` directly: the growing line prefixes are no texts worth remembering.
std::string BreakLongWords(const std::string& text, TCanvas& canvas, int maxWidth) {
  auto width = [&canvas](const std::string& piece) { return canvas.TextExtent(piece).cx; };
  std::string out, word;
  auto flushWord = [&] {
    if (word.empty()) return;
    if (width(word) <= maxWidth) {
      out += word;
    } else {
      std::string line;
      for (size_t i = 0; i < word.size();) {
        // A GBK lead byte takes its trail byte with it.
        const size_t n = (static_cast<unsigned char>(word[i]) >= 0x81 && i + 1 < word.size()) ? 2 : 1;
        const std::string piece = word.substr(i, n);
        if (!line.empty() && width(line + piece) > maxWidth) {
          out += line + "\n";
          line.clear();
        }
        line += piece;
        i += n;
      }
      out += line;
    }
    word.clear();
  };
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == ' ' || c == '\n' || c == '\r' || c == '\t') {
      flushWord();
      out += c;
    } else {
      word += c;
      // Keep double-byte characters whole.
      if (static_cast<unsigned char>(c) >= 0x81 && i + 1 < text.size()) word += text[++i];
    }
  }
  flushWord();
  return out;
}

}  // namespace

TMessageForm::TMessageForm(TComponent* owner, const std::string& text, const std::string& caption,
                           TMsgDlgType type)
    : TForm(owner), text_(text), type_(type) {
  TFormDescription d;
  d.Name = "MessageForm";
  d.Caption = caption;
  d.BorderStyle = bsDialog;
  d.BorderIcons = biSystemMenu;
  d.Position = poMainFormCenter;
  d.FontName = "Tahoma";
  d.FontHeight = -12;
  ApplyDescription(d);
  icon_ = new TMessageIcon(this, type);
  icon_->SetParent(this);
  message_ = new TLabel(this);
  message_->SetName("Message");
  message_->SetAutoSize(false);
  message_->SetWordWrap(true);
  message_->Font().Assign(Font());
  {
    TacWindowDC screen(nullptr);
    TCanvas canvas(screen.Get());
    canvas.Font().Assign(message_->Font());
    message_->SetCaption(BreakLongWords(text, canvas, Scale(kMaxTextWidth)));
  }
  message_->SetParent(this);
  ok_ = g_buttonMaker ? g_buttonMaker(this) : new TButton(this);
  ok_->SetName("OK");
  ok_->SetCaption("确定");
  ok_->Font().Assign(Font());
  ok_->OnClick = [this](TComponent*) { SetModalResult(mrOk); };
  ok_->SetParent(this);
  // Escape ends the box too; the button holds the focus, so it hears the key.
  auto buttonProc = ok_->WindowProc;
  ok_->WindowProc = [this, buttonProc](TMessage& m) {
    if (m.Msg == WM_KEYDOWN && m.WParam == VK_ESCAPE) {
      SetModalResult(mrCancel);
      return;
    }
    buttonProc(m);
  };
  Layout();
}

void TMessageForm::Layout() {
  const int margin = Scale(kMargin), icon = Scale(kIconSize), gap = Scale(kIconGap);
  const int buttonW = Scale(kButtonWidth), buttonH = Scale(kButtonHeight);
  RECT r{0, 0, Scale(kMaxTextWidth), 0};
  const std::string& shown = message_->Caption();
  r = ScreenTextRect(message_->Font(), GbkToWide(shown.empty() ? std::string(" ") : shown), r,
                     message_->TextFlags() | DT_CALCRECT);
  const int textW = r.right - r.left, textH = r.bottom - r.top;
  const int bodyH = std::max(icon, textH);
  const int clientW = std::max({margin + icon + gap + textW + margin, buttonW + 2 * margin, Scale(kMinClientWidth)});
  const int clientH = margin + bodyH + gap + buttonH + gap;
  icon_->SetBounds(margin, margin, icon, icon);
  // A short text stands level with the middle of the icon.
  message_->SetBounds(margin + icon + gap, margin + (bodyH - textH) / 2, textW, textH);
  ok_->SetBounds((clientW - buttonW) / 2, margin + bodyH + gap, buttonW, buttonH);
  SetClientSize(clientW, clientH);
}

void TMessageForm::WndProc(TMessage& m) {
  if (m.Msg == WM_COMMAND && (LOWORD(m.WParam) == IDOK || LOWORD(m.WParam) == IDCANCEL)) {
    SetModalResult(LOWORD(m.WParam) == IDOK ? mrOk : mrCancel);
    m.Result = 0;
    return;
  }
  TForm::WndProc(m);
}

void SetMessageButtonMaker(TMessageButtonMaker maker) { g_buttonMaker = maker; }

int ShowMessageForm(const std::string& text, const std::string& caption, TMsgDlgType type) {
  TMessageForm* form = new TMessageForm(Application, text, caption, type);
  form->FinishCreate();
  form->ShowModal();
  delete form;
  return IDOK;
}
