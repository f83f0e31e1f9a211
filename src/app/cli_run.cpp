// exportar, importar and comprobar from the command line. The messages the
// window would show in its dialogs go to standard output, one line each; the
// error that ends a run goes to standard error, and at the end the counts
// per table and the summary of the warnings.
#include <iostream>
#include <string>

#include "app/cli_commands.h"
#include "app/cli_report_path.h"
#include "core/conversion.h"
#include "export/export_run.h"
#include "front/front_texts.h"
#include "import/import_run.h"
#include "platform/console.h"
#include "platform/file_io.h"
#include "platform/files.h"
#include "platform/system_errors.h"
#include "report/report_render.h"

namespace tvz::cli {

namespace {

using platform::TerminalStream;
using platform::WriteToTerminal;

class ConsoleHost : public RunHost {
public:
  void ShowMessage(const std::string& text) override {
    WriteToTerminal(TerminalStream::kOutput, text + '\n');
    std::cout << std::flush;
  }
  void SetBusy(bool) override {}
};

void PrintReport(const Informe& informe) {
  for (const TablaRecuento& count : informe.tablas)
    WriteToTerminal(TerminalStream::kError, TableCountLine(count) + '\n');
  for (const std::string& line : SummaryLines(informe))
    WriteToTerminal(TerminalStream::kError, line + '\n');
}

// --informe: the whole report as JSON. False (and a line on stderr) when it
// cannot be written.
bool WriteReport(const Options& options, const Conversion& c, const ReportRun& run) {
  if (!options.informe) return true;
  int error = 0;
  if (platform::ReplaceFileAtomically(*options.informe, ReportJson(c, run), error)) return true;
  WriteToTerminal(TerminalStream::kError,
                  "transvardelzarp: no se puede escribir el informe " +
                      platform::PathText(*options.informe) + ": " +
                      platform::SystemErrorText(error) + '\n');
  return false;
}

int RunConversion(const Options& options, RunOutcome (*run)(Conversion&)) {
  ConsoleHost host;
  Conversion c(host);
  c.RutaCarpeta = options.folder;
  c.WorkingFolder = options.vtemp.value_or(platform::DefaultWorkingFolder());
  if (options.informe) {
    if (auto refusal = ReportPathRefusal(*options.informe, {c.RutaCarpeta, c.WorkingFolder})) {
      WriteToTerminal(TerminalStream::kError, "transvardelzarp: " + *refusal + '\n');
      return kExitUsage;
    }
  }
  const RunEnd end = PerformRun(run, c, options.command->name);
  if (!end.outcome) {
    WriteToTerminal(TerminalStream::kError, end.failure.text + '\n');
    if (!end.failure.out_of_memory) WriteReport(options, c, end.report);
    return kExitError;
  }
  if (*end.outcome == RunOutcome::kRefused)
    return WriteReport(options, c, end.report) ? kExitIncomplete : kExitError;
  PrintReport(c.informe);
  if (!WriteReport(options, c, end.report)) return kExitError;
  return c.Transformado == 1 ? kExitOk : kExitIncomplete;
}

}  // namespace

int RunExportar(const Options& options) { return RunConversion(options, &ExportRun); }
int RunImportar(const Options& options) { return RunConversion(options, &ImportRun); }
int RunComprobar(const Options& options) { return RunConversion(options, &CheckExport); }

}  // namespace tvz::cli
