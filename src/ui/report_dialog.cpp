#include "ui/report_dialog.h"

#include <algorithm>

#include "ui/application.h"
#include "ui/control_ids.h"
#include "ui/dialog_layout.h"
#include "ui/wide_text.h"

namespace tvz::ui {

namespace {

struct ReportRequest {
  std::wstring heading, lines, where;
  DialogPlace place;
};

// Sizes the dialog to its texts, at most 60% of the work area wide and the
// lines at most half of it high, and centres it on the work area.
void Arrange(HWND dialog, const ReportRequest& request) {
  HWND heading = GetDlgItem(dialog, IDC_INFORME_CABECERA);
  HWND lines = GetDlgItem(dialog, IDC_INFORME_AVISOS);
  HWND where = GetDlgItem(dialog, IDC_INFORME_RUTA);
  HWND button = GetDlgItem(dialog, IDOK);

  const RECT work = WorkArea(dialog);
  const int work_w = work.right - work.left, work_h = work.bottom - work.top;

  const int margin = DluX(dialog, 10), gap = DluY(dialog, 7);
  // The edit's frame, its scroll bar and its inner margins around the text.
  const int edit_extra_w = 2 * GetSystemMetrics(SM_CXEDGE) + GetSystemMetrics(SM_CXVSCROLL) + 8;
  const int edit_extra_h = 2 * GetSystemMetrics(SM_CYEDGE) + 4;
  const int max_w = std::max(DluX(dialog, 200), work_w * 3 / 5 - 2 * margin);
  const int longest = TextSize(lines, request.lines, max_w, TextWrap::kLineEndsOnly).cx + edit_extra_w;
  const int content_w = std::clamp(longest, DluX(dialog, 200), max_w);

  const SIZE head = TextSize(heading, request.heading, content_w);
  const SIZE foot = TextSize(where, request.where, content_w);
  const int lines_h = TextSize(lines, request.lines, content_w - edit_extra_w).cy + edit_extra_h;
  const int edit_h = std::min(lines_h, work_h / 2);
  const int button_w = DluX(dialog, 50), button_h = DluY(dialog, 14);

  int y = gap;
  MoveTo(heading, margin, y, content_w, head.cy);
  y += head.cy + gap / 2;
  MoveTo(lines, margin, y, content_w, edit_h);
  y += edit_h + gap;
  MoveTo(where, margin, y, content_w, foot.cy);
  y += foot.cy + gap;
  const int client_w = content_w + 2 * margin;
  MoveTo(button, (client_w - button_w) / 2, y, button_w, button_h);
  const int client_h = y + button_h + gap;

  SetWindowTextW(heading, request.heading.c_str());
  SetWindowTextW(lines, request.lines.c_str());
  SetWindowTextW(where, request.where.c_str());

  RECT outer{0, 0, client_w, client_h};
  AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE)));
  const int w = outer.right - outer.left, h = outer.bottom - outer.top;
  SetWindowPos(dialog, nullptr, work.left + (work_w - w) / 2, work.top + (work_h - h) / 2, w, h,
               SWP_NOZORDER);
}

INT_PTR CALLBACK ReportDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG: {
      const auto* request = reinterpret_cast<const ReportRequest*>(lparam);
      SetWindowTextW(dialog, Wide(ApplicationTitle()).c_str());
      Arrange(dialog, *request);
      if (request->place == DialogPlace::kTopmost)
        SetWindowPos(dialog, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      SetForegroundWindow(dialog);
      // Enter closes the dialog; Tab reaches the lines to scroll or copy them.
      SetFocus(GetDlgItem(dialog, IDOK));
      return FALSE;
    }
    case WM_COMMAND:
      if (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL) {
        EndDialog(dialog, IDOK);
        return TRUE;
      }
      break;
  }
  return FALSE;
}

}  // namespace

ReportDialogText MakeReportDialogText(std::size_t warnings, const std::vector<std::string>& summary,
                                      const std::string& report_file, const std::string& write_error) {
  ReportDialogText text;
  text.heading = "El proceso ha terminado con " + std::to_string(warnings) +
                 (warnings == 1 ? " aviso:" : " avisos:");
  for (const std::string& line : summary) text.lines += (text.lines.empty() ? "" : "\r\n") + line;
  if (write_error.empty())
    text.where = "El informe completo est\xE1 en " + report_file;
  else
    text.where = "No se ha podido escribir el informe completo en " + report_file + ": " + write_error;
  return text;
}

void ShowReportDialog(HWND owner, const ReportDialogText& text, DialogPlace place) {
  ReportRequest request{Wide(text.heading), Wide(text.lines), Wide(text.where), place};
  DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_INFORME), owner, ReportDialogProc,
                  reinterpret_cast<LPARAM>(&request));
}

}  // namespace tvz::ui
