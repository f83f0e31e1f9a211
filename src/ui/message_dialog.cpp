#include "ui/message_dialog.h"

#include <algorithm>

#include "ui/application.h"
#include "ui/control_ids.h"
#include "ui/dialog_layout.h"
#include "ui/wide_text.h"

namespace tvz::ui {

namespace {

struct MessageRequest {
  std::wstring text;
  MessageKind kind;
  DialogPlace place;
};

// Sizes the dialog to its text and centres it on the work area of its
// monitor.
void Arrange(HWND dialog, const MessageRequest& request) {
  HWND icon = GetDlgItem(dialog, IDC_MENSAJE_ICONO);
  HWND text = GetDlgItem(dialog, IDC_MENSAJE_TEXTO);
  HWND button = GetDlgItem(dialog, IDOK);
  HWND cancel = GetDlgItem(dialog, IDCANCEL);

  const RECT work = WorkArea(dialog);

  const int margin = DluX(dialog, 10);
  const int gap = DluY(dialog, 10);
  const bool question = request.kind == MessageKind::kQuestion;
  const bool with_icon = request.kind != MessageKind::kInformation;
  const int icon_size = with_icon ? GetSystemMetrics(SM_CXICON) : 0;
  const int text_left = margin + (with_icon ? icon_size + margin : 0);
  const int max_text = std::max(DluX(dialog, 100), static_cast<int>((work.right - work.left) / 2));
  const SIZE t = TextSize(text, request.text, max_text);
  const int button_w = DluX(dialog, 50), button_h = DluY(dialog, 14);
  const int button_gap = DluX(dialog, 6);
  const int buttons_w = question ? 2 * button_w + button_gap : button_w;

  const int content_h = std::max(static_cast<int>(t.cy), icon_size);
  const int client_w = std::max({text_left + static_cast<int>(t.cx) + margin,
                                 buttons_w + 2 * margin, DluX(dialog, 120)});
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
