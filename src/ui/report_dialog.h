#pragma once
// The dialog that follows "Proceso finalizado" when the run left warnings:
// how many, one line per kind with its first cases (SummaryLines), and where
// the whole report is. Modal, captioned with the application title, one
// button "Aceptar".
//
// The lines go in a read-only multi-line edit that grows with them up to
// half the height of the screen's work area and scrolls beyond, so that a
// run with many kinds of warning still gives a dialog that fits the screen
// and lets the user read (and copy) every line.
#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

#include "ui/message_dialog.h"

namespace tvz::ui {

struct ReportDialogText {
  std::string heading;  // "El proceso ha terminado con 12 avisos:"
  std::string lines;    // the summary lines, CR LF between them
  std::string where;    // where the whole report is, or why it is not
};

// The dialog's texts (cp1252) for `warnings` warnings summed up in
// `summary`; `report_file` the report's path as text, `write_error` "" when
// it was written, else the reason it was not.
ReportDialogText MakeReportDialogText(std::size_t warnings, const std::vector<std::string>& summary,
                                      const std::string& report_file, const std::string& write_error);

// Shows the dialog and returns when the user has pressed "Aceptar", Enter,
// Escape or the close box; `owner` and `place` as for ShowMessageDialog.
void ShowReportDialog(HWND owner, const ReportDialogText& text, DialogPlace place);

}  // namespace tvz::ui
