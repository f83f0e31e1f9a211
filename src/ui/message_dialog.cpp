#include "ui/message_dialog.h"

#include <algorithm>

#include "ui/application.h"
#include "ui/control_ids.h"
#include "ui/wide_text.h"

namespace tvz::ui {

namespace {

struct MessageRequest {
  std::wstring text;
  MessageKind kind;
  DialogPlace place;
};

// Dialog units to pixels for this dialog.
int Dlu(HWND dialog, int x_units) {
  RECT r{0, 0, x_units, 0};
  MapDialogRect(dialog, &r);
  return r.right;
}
int DluY(HWND dialog, int y_units) {
  RECT r{0, 0, 0, y_units};
  MapDialogRect(dialog, &r);
  return r.bottom;
}

SIZE TextSize(HWND text_control, const std::wstring& text, int max_width) {
  HDC dc = GetDC(text_control);
  const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(text_control, WM_GETFONT, 0, 0)));
  RECT r{0, 0, max_width, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
            DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
  SelectObject(dc, old);
  ReleaseDC(text_control, dc);
  return {r.right - r.left, r.bottom - r.top};
}

void MoveTo(HWND control, int x, int y, int w, int h) {
  SetWindowPos(control, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Sizes the dialog to its text and centres it on the work area of its
// monitor.
void Arrange(HWND dialog, const MessageRequest& request) {
  HWND icon = GetDlgItem(dialog, IDC_MENSAJE_ICONO);
  HWND text = GetDlgItem(dialog, IDC_MENSAJE_TEXTO);
  HWND button = GetDlgItem(dialog, IDOK);
  HWND cancel = GetDlgItem(dialog, IDCANCEL);

  HMONITOR monitor = MonitorFromWindow(dialog, MONITOR_DEFAULTTOPRIMARY);
  MONITORINFO mi{};
  mi.cbSize = sizeof mi;
  GetMonitorInfoW(monitor, &mi);
  const RECT work = mi.rcWork;

  const int margin = Dlu(dialog, 10);
  const int gap = DluY(dialog, 10);
  const bool question = request.kind == MessageKind::kQuestion;
  const bool with_icon = request.kind != MessageKind::kInformation;
  const int icon_size = with_icon ? GetSystemMetrics(SM_CXICON) : 0;
  const int text_left = margin + (with_icon ? icon_size + margin : 0);
  const int max_text = std::max(Dlu(dialog, 100), static_cast<int>((work.right - work.left) / 2));
  const SIZE t = TextSize(text, request.text, max_text);
  const int button_w = Dlu(dialog, 50), button_h = DluY(dialog, 14);
  const int button_gap = Dlu(dialog, 6);
  const int buttons_w = question ? 2 * button_w + button_gap : button_w;

  const int content_h = std::max(static_cast<int>(t.cy), icon_size);
  const int client_w = std::max({text_left + static_cast<int>(t.cx) + margin,
                                 buttons_w + 2 * margin, Dlu(dialog, 120)});
  const int client_h = gap + content_h + gap + button_h + gap;

  ShowWindow(icon, with_icon ? SW_SHOWNA : SW_HIDE);
  if (with_icon) {
    MoveTo(icon, margin, gap, icon_size, icon_size);
    SendMessageW(icon, STM_SETICON,
                 reinterpret_cast<WPARAM>(LoadIconW(nullptr, question ? IDI_WARNING : IDI_ERROR)), 0);
  }
  MoveTo(text, text_left, gap + (content_h - t.cy) / 2, t.cx, t.cy);
  SetWindowTextW(text, request.text.c_str());
  const int buttons_left = (client_w - buttons_w) / 2;
  MoveTo(button, buttons_left, gap + content_h + gap, button_w, button_h);
  ShowWindow(cancel, question ? SW_SHOWNA : SW_HIDE);
  if (question) MoveTo(cancel, buttons_left + button_w + button_gap, gap + content_h + gap, button_w, button_h);

  RECT outer{0, 0, client_w, client_h};
  AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE)));
  const int w = outer.right - outer.left, h = outer.bottom - outer.top;
  SetWindowPos(dialog, nullptr, work.left + (work.right - work.left - w) / 2,
               work.top + (work.bottom - work.top - h) / 2, w, h, SWP_NOZORDER);
}

INT_PTR CALLBACK MessageDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG: {
      const auto* request = reinterpret_cast<const MessageRequest*>(lparam);
      SetWindowTextW(dialog, Wide(ApplicationTitle()).c_str());
      Arrange(dialog, *request);
      // Topmost ends with the dialog: it is destroyed when it closes.
      if (request->place == DialogPlace::kTopmost)
        SetWindowPos(dialog, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      SetForegroundWindow(dialog);
      return TRUE;  // focus on "Aceptar"
    }
    case WM_COMMAND:
      if (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL) {
        EndDialog(dialog, LOWORD(wparam));
        return TRUE;
      }
      break;
  }
  return FALSE;
}

INT_PTR RunMessageDialog(HWND owner, const std::string& text, MessageKind kind, DialogPlace place) {
  MessageRequest request{Wide(text), kind, place};
  if (kind == MessageKind::kError) MessageBeep(MB_ICONHAND);
  return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_MENSAJE), owner,
                         MessageDialogProc, reinterpret_cast<LPARAM>(&request));
}

}  // namespace

void ShowMessageDialog(HWND owner, const std::string& text, MessageKind kind, DialogPlace place) {
  RunMessageDialog(owner, text, kind, place);
}

bool AskMessageDialog(HWND owner, const std::string& text, DialogPlace place) {
  return RunMessageDialog(owner, text, MessageKind::kQuestion, place) == IDOK;
}

}  // namespace tvz::ui
