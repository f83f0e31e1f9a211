#include "ui/embedding.h"

namespace tvz::ui {

namespace {

// WS_POPUP is the sign bit of a 32-bit LONG_PTR.
constexpr LONG_PTR kPopup = static_cast<LONG_PTR>(WS_POPUP);
constexpr LONG_PTR kFrameStyles =
    kPopup | WS_CHILD | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
constexpr LONG_PTR kFrameExStyles =
    WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_APPWINDOW | WS_EX_TOOLWINDOW;

bool IsTopmost(HWND window) {
  return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

// The first visible window below `window` in the z-order.
HWND VisibleBelow(HWND window) {
  HWND w = GetWindow(window, GW_HWNDNEXT);
  while (w != nullptr && !IsWindowVisible(w)) w = GetWindow(w, GW_HWNDNEXT);
  return w;
}

// Where `form` goes to be right above `host`: below the window now right
// above the host, or at the top when that is a topmost window or none.
HWND InsertAfterFor(HWND form, HWND host) {
  HWND above = GetWindow(host, GW_HWNDPREV);
  while (above != nullptr && (above == form || !IsWindowVisible(above)))
    above = GetWindow(above, GW_HWNDPREV);
  return (above == nullptr || IsTopmost(above)) ? HWND_TOP : above;
}

HostView ViewOfHost(HWND host) {
  HostView view;
  view.exists = IsWindow(host) != FALSE;
  if (!view.exists) return view;
  view.shown = IsWindowVisible(host) && !IsIconic(host);
  view.place = {2, 2};
  ClientToScreen(host, &view.place);
  return view;
}

PopupView ViewOfPopup(HWND form, HWND host) {
  PopupView view;
  view.shown = IsWindowVisible(form) != FALSE;
  RECT r;
  GetWindowRect(form, &r);
  view.at = {r.left, r.top};
  view.right_above_host = VisibleBelow(form) == host;
  return view;
}

}  // namespace

bool RunsUnderWine() {
  static const bool under_wine = [] {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
  }();
  return under_wine;
}

bool HostAnswers(HWND host, DWORD timeout_ms) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(host, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_ERRORONEXIT,
                             timeout_ms, &result) != 0;
}

Embedding ChooseEmbedding(bool host_answers, bool under_wine) {
  if (!host_answers) return Embedding::kOnItsOwn;
  return under_wine ? Embedding::kOwnedPopup : Embedding::kChild;
}

WindowStyles EmbeddedStyles(Embedding embedding, WindowStyles from) {
  const LONG_PTR style = from.style & ~kFrameStyles;
  const LONG_PTR ex_style = from.ex_style & ~kFrameExStyles;
  switch (embedding) {
    case Embedding::kChild: return {style | WS_CHILD, ex_style};
    case Embedding::kOwnedPopup: return {style | kPopup, ex_style | WS_EX_TOOLWINDOW};
    case Embedding::kOnItsOwn: break;
  }
  return from;
}

FollowStep NextFollowStep(const HostView& host, const PopupView& popup) {
  if (!host.exists) return {FollowAction::kClose};
  if (!host.shown) return {popup.shown ? FollowAction::kHide : FollowAction::kNothing};
  UINT flags = SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
  if (popup.at.x == host.place.x && popup.at.y == host.place.y) flags |= SWP_NOMOVE;
  if (popup.right_above_host) flags |= SWP_NOZORDER;
  if (!popup.shown) flags |= SWP_SHOWWINDOW;
  constexpr UINT kInPlace = SWP_NOMOVE | SWP_NOZORDER;
  if ((flags & kInPlace) == kInPlace && popup.shown) return {};
  return {FollowAction::kPlace, flags};
}

void ArrangeInHost(HWND form, HWND host, Embedding embedding, SIZE client) {
  if (embedding == Embedding::kOnItsOwn) return;
  const WindowStyles styles = EmbeddedStyles(
      embedding, {GetWindowLongPtrW(form, GWL_STYLE), GetWindowLongPtrW(form, GWL_EXSTYLE)});
  SetWindowLongPtrW(form, GWL_STYLE, styles.style);
  SetWindowLongPtrW(form, GWL_EXSTYLE, styles.ex_style);
  if (embedding == Embedding::kChild) {
    SetParent(form, host);
    // (2, 2) in the host's client area, in its pixels.
    SetWindowPos(form, nullptr, 2, 2, client.cx, client.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return;
  }
  // The owner of a top-level window.
  SetWindowLongPtrW(form, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(host));
  const HostView view = ViewOfHost(host);
  SetWindowPos(form, InsertAfterFor(form, host), view.place.x, view.place.y, client.cx, client.cy,
               SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

// Wine stacks the X windows of two processes in the order in which their
// requests reach the X server: a raise of the host's window that arrives
// after the popup's leaves the host over the popup, while both processes
// hold the popup above. So a few ticks after each restack the popup is
// raised again, through a step below the host, which Wine does not show
// (it only ever raises an X window), and back.
constexpr int kRaiseAgainTicks = 3;

bool HostFollower::Step() {
  const HostView view = ViewOfHost(host_);
  const FollowStep step = NextFollowStep(view, ViewOfPopup(form_, host_));
  constexpr UINT kRestack = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
  switch (step.action) {
    case FollowAction::kNothing:
      if (raise_again_in_ > 0 && --raise_again_in_ == 0) {
        SetWindowPos(form_, host_, 0, 0, 0, 0, kRestack);
        SetWindowPos(form_, InsertAfterFor(form_, host_), 0, 0, 0, 0, kRestack);
      }
      break;
    case FollowAction::kClose: return false;
    case FollowAction::kHide: ShowWindow(form_, SW_HIDE); break;
    case FollowAction::kPlace:
      SetWindowPos(form_, InsertAfterFor(form_, host_), view.place.x, view.place.y, 0, 0,
                   step.flags);
      if ((step.flags & (SWP_NOZORDER | SWP_SHOWWINDOW)) != SWP_NOZORDER)
        raise_again_in_ = kRaiseAgainTicks;
      break;
  }
  return true;
}

}  // namespace tvz::ui
