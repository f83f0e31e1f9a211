#include "ui/restore_dialog.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "front/front_texts.h"
#include "platform/files.h"
#include "ui/application.h"
#include "ui/control_ids.h"
#include "ui/wide_text.h"

namespace tvz::ui {

namespace {

struct RestoreRequest {
  const std::vector<TableCopy>& copies;
  std::filesystem::path working;
  DialogPlace place;
  std::optional<TableCopy> chosen;
};

// The list's columns, in dialog units, and a horizontal scroll bar as wide
// as its longest line.
void FillList(HWND list, const std::vector<TableCopy>& copies) {
  INT tab_stops[] = {70, 140};
  SendMessageW(list, LB_SETTABSTOPS, 2, reinterpret_cast<LPARAM>(tab_stops));
  HDC dc = GetDC(list);
  const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)));
  RECT units{0, 0, 70, 140};
  MapDialogRect(GetParent(list), &units);
  INT pixel_stops[] = {units.right, units.bottom};
  int widest = 0;
  for (const TableCopy& copy : copies) {
    const std::wstring line = Wide(CopyLine(copy, "\t"));
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    const DWORD extent = GetTabbedTextExtentW(dc, line.c_str(), static_cast<int>(line.size()), 2, pixel_stops);
    widest = std::max(widest, static_cast<int>(LOWORD(extent)));
  }
  SelectObject(dc, old);
  ReleaseDC(list, dc);
  SendMessageW(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest + 8), 0);
  SendMessageW(list, LB_SETCURSEL, 0, 0);
}

// After the user's confirmation, takes the chosen copy and closes the list;
// without it, the list stays.
void ConfirmChosen(HWND dialog, RestoreRequest& request) {
  const LRESULT index = SendDlgItemMessageW(dialog, IDC_RESTAURAR_LISTA, LB_GETCURSEL, 0, 0);
  if (index < 0 || static_cast<std::size_t>(index) >= request.copies.size()) {
    MessageBeep(MB_ICONWARNING);
    return;
  }
  const TableCopy& copy = request.copies[static_cast<std::size_t>(index)];
  const std::string question = "Se van a poner en " + platform::PathText(request.working) +
                               " las tablas de la copia " + copy.name + " (" + DateText(copy.time) +
                               "): " + JoinedTables(copy.tables) +
                               ".\r\nLas tablas que ahora hay se guardan antes en una copia nueva.";
  if (!AskMessageDialog(dialog, question, request.place)) return;
  request.chosen = copy;
  EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK RestoreDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* request = reinterpret_cast<RestoreRequest*>(GetWindowLongPtrW(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG: {
      request = reinterpret_cast<RestoreRequest*>(lparam);
      SetWindowLongPtrW(dialog, DWLP_USER, lparam);
      SetWindowTextW(dialog, Wide(ApplicationTitle()).c_str());
      const std::string label = "Copias de las tablas que las exportaciones han sustituido (en " +
                                platform::PathText(CopiesFolder(request->working)) +
                                "), la m\xE1s reciente primero. Elija la que quiere volver a poner:";
      SetDlgItemTextW(dialog, IDC_RESTAURAR_TEXTO, Wide(label).c_str());
      FillList(GetDlgItem(dialog, IDC_RESTAURAR_LISTA), request->copies);
      if (request->place == DialogPlace::kTopmost)
        SetWindowPos(dialog, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      SetForegroundWindow(dialog);
      return TRUE;  // focus on the list
    }
    case WM_COMMAND:
      if (request == nullptr) break;
      if (LOWORD(wparam) == IDOK ||
          (LOWORD(wparam) == IDC_RESTAURAR_LISTA && HIWORD(wparam) == LBN_DBLCLK)) {
        ConfirmChosen(dialog, *request);
        return TRUE;
      }
      if (LOWORD(wparam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      break;
  }
  return FALSE;
}

}  // namespace

std::optional<TableCopy> ChooseCopy(HWND owner, DialogPlace place, const std::filesystem::path& working,
                                    const std::vector<TableCopy>& copies) {
  RestoreRequest request{copies, working, place, std::nullopt};
  DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_RESTAURAR), owner, RestoreDialogProc,
                  reinterpret_cast<LPARAM>(&request));
  return request.chosen;
}

}  // namespace tvz::ui
