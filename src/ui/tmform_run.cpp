// TMForm's runs: the conversions, the dialogs they show and the report they
// leave; the restore of the tables the exports kept.
#include <new>
#include <optional>
#include <vector>

#include "core/errors.h"
#include "front/front_texts.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "report/report_render.h"
#include "ui/report_dialog.h"
#include "ui/report_file.h"
#include "ui/restore_dialog.h"
#include "ui/tmform.h"

namespace tvz::ui {

// One conversion: the chosen folder is the one Directorios shows. Finished,
// it disables both run buttons; embedded, the window closes after it
// finished or was refused. An error that ends the run is shown here, and
// the window stays as it is. Every run but one that ran out of memory
// leaves its report beside the program; after "Proceso finalizado", a run
// with warnings shows their summary.
void TMForm::RunConversion(RunOutcome (*run)(Conversion&), const char* conversion) {
  if (run_finished_) return;
  std::wstring folder = Directorios.Directory();
  if (folder.empty() || folder.back() != L'\\') folder += L'\\';
  run_.RutaCarpeta = folder;
  run_.WorkingFolder = platform::DefaultWorkingFolder();
  run_.informe = Informe{};
  // Until the last dialog of the run has gone.
  struct Running {
    bool& flag;
    explicit Running(bool& f) : flag(f) { flag = true; }
    ~Running() { flag = false; }
  } running(running_);
  const RunEnd end = PerformRun(run, run_, conversion);
  if (!end.outcome) {
    SetBusy(false);
    if (!end.failure.out_of_memory) WriteReportFile(ReportFilePath(), run_, end.report);
    ShowError(end.failure.text);
    return;
  }
  const std::string write_error = WriteReportFile(ReportFilePath(), run_, end.report);
  if (*end.outcome == RunOutcome::kFinished) {
    run_finished_ = true;
    UpdateButtons();
    if (!run_.informe.avisos.empty()) ShowReport(write_error);
  }
  if (Embedded()) Close();
}

void TMForm::ShowReport(const std::string& write_error) {
  const ReportDialogText text =
      MakeReportDialogText(run_.informe.avisos.size(), SummaryLines(run_.informe),
                           platform::PathText(ReportFilePath()), write_error);
  Modal([&](HWND owner, DialogPlace place) { ShowReportDialog(owner, text, place); });
}

// From the system menu; not while a run (whose dialogs let the command
// through) or this dialog is under way. The chosen copy's tables are put
// back, and what was done, or the error, is shown.
void TMForm::RestoreTables() {
  if (busy_ || running_ || restoring_) return;
  restoring_ = true;
  const std::filesystem::path working = platform::DefaultWorkingFolder();
  std::optional<TableCopy> chosen;
  try {
    const std::vector<TableCopy> copies = ListCopies(working);
    if (copies.empty()) {
      ShowMessage(NoCopiesText(working));
    } else {
      Modal([&](HWND owner, DialogPlace place) { chosen = ChooseCopy(owner, place, working, copies); });
    }
  } catch (const RunError&) {
    ShowError(CurrentFailure().text);
  }
  if (chosen) {
    try {
      std::string text;
      for (const std::string& line : RestoredLines(chosen->name, RestoreCopy(working, chosen->name, platform::Now())))
        text += (text.empty() ? "" : "\r\n") + line;
      ShowMessage(text);
    } catch (const RunError&) {
      ShowError(CurrentFailure().text);
    } catch (const std::bad_alloc&) {
      ShowError(CurrentFailure().text);
    }
  }
  restoring_ = false;
}

void TMForm::ShowMessage(const std::string& text) { ShowDialog(text, false); }

void TMForm::ShowError(const std::string& text) { ShowDialog(WithFinalStop(text), true); }

void TMForm::ShowDialog(const std::string& text, bool error) {
  Modal([&](HWND owner, DialogPlace place) {
    ShowMessageDialog(owner, text, error ? MessageKind::kError : MessageKind::kInformation, place);
  });
}

// Standalone, the dialog is owned by the window. Embedded, it is owned by no
// window, so that the host's window is never disabled from this process
// (it would stay disabled if this process ended with the dialog open);
// this window is disabled by hand instead, and the dialog is topmost while
// it is shown, so that a click on the host does not hide it.
void TMForm::Modal(const std::function<void(HWND owner, DialogPlace place)>& show) {
  const bool visible = hwnd_ != nullptr && IsWindowVisible(hwnd_);
  const HWND owner = (visible && !Embedded()) ? hwnd_ : nullptr;
  const bool disable_self = visible && owner == nullptr;
  if (disable_self) EnableWindow(hwnd_, FALSE);
  show(owner, disable_self ? DialogPlace::kTopmost : DialogPlace::kOwned);
  if (disable_self) EnableWindow(hwnd_, TRUE);
}

void TMForm::SetBusy(bool busy) {
  busy_ = busy;
  SetCursor(LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

}  // namespace tvz::ui
