// transvardelzarp: both conversions from the command line. The messages the
// window would show in its dialogs go to standard output, one line each; the
// error that ends a run goes to standard error. Every program text goes out
// through platform::WriteToTerminal, in one encoding per output.
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "app/cli_options.h"
#include "app/cli_restaurar.h"
#include "app/version.h"
#include "core/conversion.h"
#include "core/errors.h"
#include "report/report_render.h"
#include "export/export_run.h"
#include "import/import_run.h"
#include "platform/console.h"
#include "platform/file_io.h"
#include "platform/files.h"
#include "platform/system_errors.h"

namespace {

using namespace tvz;

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

void PrintReport(const Conversion& c) {
  for (const TableReport& r : c.report) {
    std::string line = r.table + ": " + std::to_string(r.records) +
                       (r.records == 1 ? " registro" : " registros");
    if (r.skipped) line += " (" + std::to_string(r.skipped) + " duplicados omitidos)";
    WriteToTerminal(TerminalStream::kError, line + '\n');
  }
  for (const std::string& line : SummaryLines(c.informe)) {
    WriteToTerminal(TerminalStream::kError, line + '\n');
  }
}

const char* ModeName(cli::Mode mode) {
  switch (mode) {
    case cli::Mode::kExportar: return "exportar";
    case cli::Mode::kImportar: return "importar";
    case cli::Mode::kComprobar: return "comprobar";
    case cli::Mode::kRestaurar: return "restaurar";
  }
  return "";
}

// --informe: the whole report as JSON. False (and a line on stderr) when it
// cannot be written.
bool WriteReport(const cli::Options& options, const Conversion& c, const ReportRun& run) {
  if (!options.informe) return true;
  int error = 0;
  if (platform::ReplaceFileAtomically(*options.informe, ReportJson(c, run), error)) return true;
  WriteToTerminal(TerminalStream::kError,
                  "transvardelzarp: no se puede escribir el informe " +
                      platform::PathText(*options.informe) + ": " +
                      platform::SystemErrorText(error) + '\n');
  return false;
}

int Run(const cli::Options& options) {
  ConsoleHost host;
  Conversion c;
  c.RutaCarpeta = options.folder;
  c.WorkingFolder = options.vtemp.value_or(platform::DefaultWorkingFolder());
  c.host = &host;
  c.CheckOnly = options.mode == cli::Mode::kComprobar;
  ReportRun run{ModeName(options.mode), "finalizado", {}};
  RunOutcome outcome;
  try {
    outcome = options.mode == cli::Mode::kImportar ? ImportRun(c) : ExportRun(c);
  } catch (const RunError& e) {
    WriteToTerminal(TerminalStream::kError, WithFinalStop(e.what()) + '\n');
    run.resultado = "error";
    run.error = WithFinalStop(e.what());
    WriteReport(options, c, run);
    return cli::kExitError;
  } catch (const std::bad_alloc&) {
    WriteToTerminal(TerminalStream::kError, WithFinalStop(NoMemoryText()) + '\n');
    return cli::kExitError;
  }
  if (outcome == RunOutcome::kRefused) {
    run.resultado = "rechazado";
    return WriteReport(options, c, run) ? cli::kExitIncomplete : cli::kExitError;
  }
  PrintReport(c);
  if (!WriteReport(options, c, run)) return cli::kExitError;
  return c.Transformado == 1 ? cli::kExitOk : cli::kExitIncomplete;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  const cli::ParseResult parsed = cli::ParseOptions(args);
  if (!parsed.options) {
    std::string message = "transvardelzarp: " + parsed.error;
    if (!parsed.argument.empty()) message += ": " + platform::TextFromArgument(parsed.argument);
    WriteToTerminal(TerminalStream::kError, message + "\n\n" + cli::HelpText());
    return cli::kExitUsage;
  }
  if (parsed.options->help) {
    WriteToTerminal(TerminalStream::kOutput, cli::HelpText());
    return cli::kExitOk;
  }
  if (parsed.options->version) {
    // Name (package) version, the first line that version-reading tools expect.
    WriteToTerminal(TerminalStream::kOutput,
                    "transvardelzarp (transVardelZarp) " TVZ_VERSION_STRING "\n");
    return cli::kExitOk;
  }
  platform::KeepRunningWhenOutputCloses();
  try {
    const int status = parsed.options->mode == cli::Mode::kRestaurar
                           ? cli::RunRestaurar(*parsed.options)
                           : Run(*parsed.options);
    // The run has finished whatever became of its messages; say so if some
    // could not be shown. The status is the run's.
    if (!(std::cout << std::flush)) {
      WriteToTerminal(TerminalStream::kError,
                      "transvardelzarp: no se han podido mostrar todos los mensajes en la "
                      "salida est\xE1" "ndar\n");
    }
    return status;
  } catch (const std::exception& e) {
    // Not a program text: the library's or the system's, in its own encoding.
    std::cerr << "transvardelzarp: " << e.what() << '\n';
    return cli::kExitError;
  }
}
