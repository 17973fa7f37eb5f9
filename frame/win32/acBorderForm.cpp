#include "frame/acBorderForm.h"

#include <algorithm>

#include "frame/acBorderGeometry.h"
#include "frame/acFrameGeometry.h"
#include "frame/sSkinProvider.h"
#include "framework/vclApplication.h"
#include "skin/sSkinManager.h"
#include "paint/acBlockCopy.h"
#include "paint/acDibBitmap.h"
#include "paint/acGdiHandles.h"
#include "paint/acLayeredWindow.h"
#include "paint/acPremultiply.h"

namespace {

const wchar_t kWindowClass[] = L"TacBorderForm";

constexpr UINT kPlaceFlags = SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING;  // 0x610
constexpr UINT kReplaceMessage = WM_APP + 0x4B;
constexpr UINT_PTR kReplaceTimer = 0x4B;

POINT MessagePoint(LPARAM lp) { return POINT{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))}; }

LPCSTR CursorFor(int code) {
  switch (code) {
    case acHit::Left:
    case acHit::Right: return IDC_SIZEWE;
    case acHit::Top:
    case acHit::Bottom: return IDC_SIZENS;
    case acHit::TopLeft:
    case acHit::BottomRight: return IDC_SIZENWSE;
    case acHit::TopRight:
    case acHit::BottomLeft: return IDC_SIZENESW;
    default: return IDC_ARROW;
  }
}

}  // namespace

TacBorderForm::TacBorderForm(TsSkinProvider* owner) : owner_(owner) {
  if (!RegisterPictureWindowClass(kWindowClass)) return;
  // Not owned by the form: an owned window always lies above its owner, and this one
  // must lie directly below it.
  HWND w = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kWindowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
  if (w) Attach(w);
}

TacBorderForm::~TacBorderForm() {
  if (owner_) owner_->StopButtonAnimations();
  HWND w = Window();
  Detach();
  if (w) DestroyWindow(w);
}

TacFrameModel TacBorderForm::Model() const { return owner_->Model(); }

bool TacBorderForm::InShadow(POINT local) const {
  const TsSkinManager* mgr = owner_->Manager();
  if (!mgr || !mgr->Active() || !Window()) return false;
  RECT r;
  GetWindowRect(Window(), &r);
  return InBorderShadow(Model(), TacPoint{local.x, local.y}, r.right - r.left, r.bottom - r.top);
}

void TacBorderForm::UpdateBorder(bool repaint, int opacity) {
  HWND w = Window();
  TForm* form = owner_->Form();
  if (!w || updating_ || !form || !form->HandleAllocated() || AnimationCaptureActive) return;
  if (TApplication* app = GetApplication(); app && app->Terminated()) return;
  if (!owner_->BorderUpdatesAllowed()) return;
  HWND f = form->Handle();
  if (!IsWindowVisible(f)) {
    if (IsWindowVisible(w)) ShowWindow(w, SW_HIDE);
    return;
  }
  updating_ = true;
  if (owner_->SkinData().CacheDirty) {
    owner_->PaintFrameCache();
    repaint = true;
  }
  const TacFrameModel m = Model();
  TacBitmap* cache = owner_->FrameCache();
  RECT fr;
  GetWindowRect(f, &fr);
  const TacPoint off = BorderWindowOffset(m);
  const POINT at{fr.left - off.X, fr.top - off.Y};
  // Directly behind the form; a minimized form lies nowhere to be seen, so behind
  // whatever is in front of it.
  HWND insertAfter = f;
  if (IsIconic(f)) insertAfter = GetWindow(f, GW_HWNDPREV) ? GetWindow(f, GW_HWNDPREV) : HWND_TOP;
  const bool topmost = (GetWindowLongW(f, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  if (topmost != ((GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0))
    SetWindowPos(w, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | kPlaceFlags);
  const int height = cache ? cache->Height() - MaximizedBottomCut(m) : 0;
  const bool sizeDiffers = cache && (sentSize_.cx != cache->Width() || sentSize_.cy != height);
  const bool send = cache && cache->Width() > 0 && height > 0 && (repaint || sizeDiffers);
  if (send && LayeredWindowUpdater() && !passingThrough_) {
    if (form->AlphaBlend()) opacity = form->AlphaBlendValue();
    SendImage(m, insertAfter, at, opacity);
  } else {
    UINT flags = kPlaceFlags | SWP_NOSIZE;
    if (!repaint) flags |= SWP_NOREDRAW;
    SetWindowPos(w, insertAfter, at.x, at.y, 0, 0, flags);
  }
  updating_ = false;
}

void TacBorderForm::SendImage(const TacFrameModel& m, HWND insertAfter, POINT at, int opacity) {
  HWND w = Window();
  TacBitmap* cache = owner_->FrameCache();
  const int width = cache->Width();
  const int height = cache->Height() - MaximizedBottomCut(m);
  SetWindowLongW(w, GWL_EXSTYLE, GetWindowLongW(w, GWL_EXSTYLE) | WS_EX_LAYERED | WS_EX_NOACTIVATE);
  SetWindowPos(w, insertAfter, 0, 0, 0, 0, kPlaceFlags | SWP_NOMOVE | SWP_NOSIZE);
  // The platform takes premultiplied pixels; the cache keeps straight alpha, as the
  // form's own copies from it need.
  if (!premultiplied_ || premultiplied_->Width() != width || premultiplied_->Height() != height)
    premultiplied_ = NewDibBitmap(width, height, TacPixelFormat::pf32bit);
  if (!premultiplied_ || !premultiplied_->Handle()) return;
  CopyBitmapRect(premultiplied_.get(), 0, 0, cache, TacRect{0, 0, width, height});
  PremultiplyAlpha(premultiplied_.get());
  // The region before the pixels: the client hole must never show the image.
  UpdateRegion(m, width, height);
  TacWindowDC screen(nullptr);
  TacMemoryDC source(screen.Get());
  if (!screen || !source) return;
  TacSelectObject selected(source.Get(), static_cast<HBITMAP>(premultiplied_->Handle()));
  POINT from{0, 0}, to = at;
  SIZE size{width, height};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(std::clamp(opacity, 0, 255)), AC_SRC_ALPHA};
  if (!LayeredWindowUpdater()(w, screen.Get(), &to, &size, source.Get(), &from, 0x1FFFFFFF, &blend, ULW_ALPHA)) return;
  sentOpacity_ = opacity;
  sentSize_ = size;
  if (!IsWindowVisible(w)) {
    // An invisible image must not make the form repaint itself.
    HWND f = owner_->Form()->Handle();
    const LONG style = GetWindowLongW(f, GWL_STYLE);
    if (opacity == 0) SetWindowLongW(f, GWL_STYLE, style & ~WS_VISIBLE);
    // Shown on top, then placed behind the form: a display server may keep a window
    // it has just mapped wherever it likes unless it is moved from the top.
    SetWindowPos(w, HWND_TOP, 0, 0, 0, 0, kPlaceFlags | SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    SetWindowPos(w, insertAfter, 0, 0, 0, 0, kPlaceFlags | SWP_NOMOVE | SWP_NOSIZE);
    if (opacity == 0) SetWindowLongW(f, GWL_STYLE, style);
    // A display server may stack a newly shown window on top once it has mapped it:
    // placed behind the form once more when that has happened.
    ReplaceLater();
  }
}

void TacBorderForm::UpdateRegion(const TacFrameModel& m, int width, int height) {
  const TacRect v = BorderVisibleRect(m, width, height);
  TacRegionHandle rgn = NewRectRegion(v.Left, v.Top, v.Right, v.Bottom);
  const TacRect hole = BorderClientHole(m);
  TacRegionHandle cut = NewRectRegion(hole.Left, hole.Top, hole.Right, hole.Bottom);
  CombineRgn(rgn.Get(), rgn.Get(), cut.Get(), RGN_XOR);
  SetWindowRegion(Window(), std::move(rgn), false);
}

void TacBorderForm::ReplaceLater() {
  // Once now, once more after the display server has had time to report what it did.
  if (!Window()) return;
  PostMessageW(Window(), kReplaceMessage, 0, 0);
  SetTimer(Window(), kReplaceTimer, 60, nullptr);
}

int TacBorderForm::BorderHitTest(POINT screen) {
  HWND w = Window();
  if (!w) return -1;
  RECT r;
  GetWindowRect(w, &r);
  const TacPoint p{screen.x - r.left, screen.y - r.top};
  if (owner_->OnExtHitTest) {
    TMessage msg{WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y), 0};
    owner_->OnExtHitTest(msg);
    if (msg.Result != 0) return static_cast<int>(msg.Result);
  }
  const TacFrameModel m = Model();
  const TacBorderHitInput in = owner_->BorderHitInput(m);
  const int code = ::BorderHitTest(m, p, r.right - r.left, r.bottom - r.top, in);
  if (IsBorderZone(code))
    owner_->SetHotButton(-1, true);
  else if (code == acHit::Close || code == acHit::MaxButton || code == acHit::MinButton || code == acHit::Help ||
           code >= acHit::UserButton)
    owner_->SetHotButton(code, true);
  else
    owner_->SetHotButton(0, true);
  return code;
}

void TacBorderForm::TrackLeave() {
  if (tracking_) return;
  TRACKMOUSEEVENT t{sizeof t, TME_LEAVE | TME_NONCLIENT, Window(), 0};
  tracking_ = TrackMouseEvent(&t) != FALSE;
}

void TacBorderForm::PassThrough(TMessage& m, POINT screen) {
  HWND w = Window();
  HWND form = owner_->Form()->Handle();
  owner_->SetHotButton(0, true);
  RECT r;
  GetWindowRect(w, &r);
  // A modal form keeps its region: nothing below may be reached while it runs.
  if (IsWindowEnabled(form)) {
    TacRegionHandle rgn = NewRectRegion(0, 0, 0, 0);
    if (GetWindowRgn(w, rgn.Get()) != ERROR) {
      TacRegionHandle hole = NewRectRegion(screen.x - r.left, screen.y - r.top, screen.x - r.left + 1,
                                           screen.y - r.top + 1);
      CombineRgn(rgn.Get(), rgn.Get(), hole.Get(), RGN_XOR);
      passingThrough_ = true;
      SetWindowRegion(w, std::move(rgn), false);
      passingThrough_ = false;
    }
  }
  HWND below = WindowFromPoint(screen);
  if (!below || below == w || below == form) return;
  // What a click there would have done: the window's top level comes to the front.
  if (m.Msg == WM_LBUTTONDOWN || m.Msg == WM_RBUTTONDOWN || m.Msg == WM_MBUTTONDOWN) {
    HWND root = GetAncestor(below, GA_ROOT);
    if (root && root != GetForegroundWindow()) SetForegroundWindow(root);
  }
  // The coordinates as the window below counts them.
  POINT local = screen;
  ScreenToClient(below, &local);
  SendMessageW(below, m.Msg, m.WParam, MAKELPARAM(local.x, local.y));
}

void TacBorderForm::WndProc(TMessage& m) {
  HWND w = Window();
  TForm* form = owner_->Form();
  HWND f = form && form->HandleAllocated() ? form->Handle() : nullptr;
  if (!f) {
    Inherited(m);
    return;
  }
  auto localOf = [&](POINT screen) {
    RECT r;
    GetWindowRect(w, &r);
    return POINT{screen.x - r.left, screen.y - r.top};
  };
  if (m.Msg >= WM_MOUSEFIRST && m.Msg <= WM_MBUTTONDBLCLK) {
    POINT screen = MessagePoint(m.LParam);
    ClientToScreen(w, &screen);
    if (InShadow(localOf(screen))) {
      PassThrough(m, screen);
      m.Result = 0;
      return;
    }
    Inherited(m);
    return;
  }
  switch (m.Msg) {
    case WM_TIMER:
      if (m.WParam != kReplaceTimer) {
        Inherited(m);
        return;
      }
      KillTimer(w, kReplaceTimer);
      [[fallthrough]];
    case kReplaceMessage:
      if (IsWindowVisible(w) && GetWindow(f, GW_HWNDNEXT) != w)
        SetWindowPos(w, f, 0, 0, 0, 0, kPlaceFlags | SWP_NOMOVE | SWP_NOSIZE);
      m.Result = 0;
      return;
    case WM_ERASEBKGND:
    case WM_NCPAINT:
      m.Result = 1;
      return;
    case WM_SETCURSOR: {
      POINT p;
      GetCursorPos(&p);
      if (InShadow(localOf(p))) {
        owner_->SetHotButton(0, true);
        Inherited(m);
        return;
      }
      const int code = BorderHitTest(p);
      if (code != -1) TrackLeave();
      SetCursor(LoadCursorA(nullptr, CursorFor(code)));
      m.Result = TRUE;
      return;
    }
    case WM_NCMOUSELEAVE:
    case WM_MOUSELEAVE:
      tracking_ = false;
      owner_->SetHotButton(0, true);
      Inherited(m);
      return;
    case WM_NCMOUSEMOVE:
      // The hover was updated by the WM_SETCURSOR before this message.
      TrackLeave();
      m.Result = 0;
      return;
    case WM_MOUSEACTIVATE: {
      POINT p;
      GetCursorPos(&p);
      // A click in the shadow belongs to the window below, which PassThrough brings forward.
      if (!InShadow(localOf(p)) && GetForegroundWindow() != f) SetForegroundWindow(f);
      m.Result = MA_NOACTIVATE;
      return;
    }
    case WM_WINDOWPOSCHANGED: {
      Inherited(m);
      // Being hidden with its form: nothing to follow (and the form's emptied cache
      // must not be recomposed and shown again on the way out).
      const WINDOWPOS* wp = reinterpret_cast<const WINDOWPOS*>(m.LParam);
      if (!passingThrough_ && !(wp && (wp->flags & SWP_HIDEWINDOW))) UpdateBorder(false);
      return;
    }
    case WM_NCHITTEST: {
      const POINT p = MessagePoint(m.LParam);
      if (InShadow(localOf(p))) {
        // Answered as a client point: the click arrives here as a client message and
        // goes on to the window below.
        Inherited(m);
        return;
      }
      m.Result = HTOBJECT;
      return;
    }
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCRBUTTONUP:
      if (InShadow(localOf(MessagePoint(m.LParam)))) {
        m.Result = 0;
        return;
      }
      // -1: the provider tests the point on this window itself.
      m.Result = SendMessageW(f, m.Msg, static_cast<WPARAM>(-1), m.LParam);
      return;
    case WM_NCRBUTTONDOWN:
      if (InShadow(localOf(MessagePoint(m.LParam)))) {
        m.Result = 0;
        return;
      }
      m.Result = SendMessageW(f, m.Msg, static_cast<WPARAM>(BorderHitTest(MessagePoint(m.LParam))), m.LParam);
      return;
    case WM_NCLBUTTONDBLCLK: {
      const int code = BorderHitTest(MessagePoint(m.LParam));
      if (code == acHit::Caption || code == acHit::SysMenu)
        SendMessageW(f, WM_NCLBUTTONDBLCLK, static_cast<WPARAM>(code), m.LParam);
      m.Result = 0;
      return;
    }
    default:
      Inherited(m);
      return;
  }
}
