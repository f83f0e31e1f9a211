#include "ui/restore_dialog.h"

#include <algorithm>
#include <cstdio>
#include <new>
#include <optional>
#include <vector>

#include "core/errors.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "ui/application.h"
#include "ui/control_ids.h"
#include "ui/wide_text.h"

namespace tvz::ui {

namespace {

struct RestoreRequest {
  std::vector<TableCopy> copies;
  std::filesystem::path working;
  DialogPlace place;
  // What became of it: the copy put back, or the error that stopped it.
  std::string restored;
  std::optional<RestoreResult> result;
  std::string error;
};

std::string Joined(const std::vector<std::string>& tables) {
  std::string text;
  for (const std::string& t : tables) text += (text.empty() ? "" : ", ") + t;
  return text;
}

std::string When(const platform::LocalTime& t) {
  char when[32];
  std::snprintf(when, sizeof when, "%02d/%02d/%04d %02d:%02d", t.day, t.month, t.year, t.hour, t.minute);
  return when;
}

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
    const std::wstring line = Wide(CopyListLine(copy));
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    const DWORD extent = GetTabbedTextExtentW(dc, line.c_str(), static_cast<int>(line.size()), 2, pixel_stops);
    widest = std::max(widest, static_cast<int>(LOWORD(extent)));
  }
  SelectObject(dc, old);
  ReleaseDC(list, dc);
  SendMessageW(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest + 8), 0);
  SendMessageW(list, LB_SETCURSEL, 0, 0);
}

// After the user's confirmation, puts the chosen copy back and closes the
// list; without it, the list stays.
void RestoreChosen(HWND dialog, RestoreRequest& request) {
  const LRESULT index = SendDlgItemMessageW(dialog, IDC_RESTAURAR_LISTA, LB_GETCURSEL, 0, 0);
  if (index < 0 || static_cast<std::size_t>(index) >= request.copies.size()) {
    MessageBeep(MB_ICONWARNING);
    return;
  }
  const TableCopy& copy = request.copies[static_cast<std::size_t>(index)];
  const std::string question = "Se van a poner en " + platform::PathText(request.working) +
                               " las tablas de la copia " + copy.name + " (" + When(copy.time) +
                               "): " + Joined(copy.tables) +
                               ".\r\nLas tablas que ahora hay se guardan antes en una copia nueva.";
  if (!AskMessageDialog(dialog, question, request.place)) return;
  request.restored = copy.name;
  try {
    request.result = RestoreCopy(request.working, copy.name, platform::Now());
  } catch (const RunError& e) {
    request.error = WithFinalStop(e.what());
  } catch (const std::bad_alloc&) {
    request.error = WithFinalStop(NoMemoryText());
  }
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
        RestoreChosen(dialog, *request);
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

std::string CopyListLine(const TableCopy& copy) {
  return copy.name + "\t" + When(copy.time) + "\t" + Joined(copy.tables);
}

void RunRestoreDialog(HWND owner, DialogPlace place, const std::filesystem::path& working) {
  RestoreRequest request{ListCopies(working), working, place, {}, std::nullopt, {}};
  if (request.copies.empty()) {
    ShowMessageDialog(owner, "No hay copias de las tablas en " + platform::PathText(CopiesFolder(working)),
                      MessageKind::kInformation, place);
    return;
  }
  DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_RESTAURAR), owner, RestoreDialogProc,
                  reinterpret_cast<LPARAM>(&request));
  if (request.result) {
    std::string text = "Tablas restauradas de la copia " + request.restored + ": " + Joined(request.result->tables);
    if (!request.result->kept.empty()) text += "\r\nLas tablas sustituidas quedan en la copia " + request.result->kept;
    ShowMessageDialog(owner, text, MessageKind::kInformation, place);
  } else if (!request.error.empty()) {
    ShowMessageDialog(owner, request.error, MessageKind::kError, place);
  }
}

}  // namespace tvz::ui
