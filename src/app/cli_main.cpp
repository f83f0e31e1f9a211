// transvardelzarp: both conversions from the command line. The messages the
// window would show in its dialogs go to standard output, one line each; the
// error that ends a run goes to standard error.
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "app/cli_options.h"
#include "core/conversion.h"
#include "core/errors.h"
#include "core/report_render.h"
#include "export/export_run.h"
#include "import/import_run.h"
#include "platform/platform.h"

namespace {

using namespace tvz;

// Program texts are cp1252; a Linux terminal wants UTF-8.
std::string ForTerminal(const std::string& cp1252) {
#ifdef _WIN32
  return cp1252;
#else
  return platform::Utf8FromCp1252(cp1252);
#endif
}

class ConsoleHost : public RunHost {
public:
  void ShowMessage(const std::string& text) override {
    std::cout << ForTerminal(text) << '\n' << std::flush;
  }
  void SetBusy(bool) override {}
};

void PrintReport(const Conversion& c) {
  for (const TableReport& r : c.report) {
    std::cerr << r.table << ": " << r.records << (r.records == 1 ? " registro" : " registros");
    if (r.skipped) std::cerr << " (" << r.skipped << " duplicados omitidos)";
    std::cerr << '\n';
  }
  for (const std::string& line : SummaryLines(c.informe)) std::cerr << ForTerminal(line) << '\n';
}

const char* ModeName(cli::Mode mode) {
  switch (mode) {
    case cli::Mode::Exportar: return "exportar";
    case cli::Mode::Importar: return "importar";
    case cli::Mode::Comprobar: return "comprobar";
  }
  return "";
}

// --informe: the whole report as JSON. False (and a line on stderr) when it
// cannot be written.
bool WriteReport(const cli::Options& options, const Conversion& c, const ReportRun& run) {
  if (!options.informe) return true;
  int error = 0;
  if (platform::ReplaceFileAtomically(*options.informe, ReportJson(c, run), error)) return true;
  std::cerr << "transvardelzarp: no se puede escribir el informe " << options.informe->string()
            << ": " << ForTerminal(platform::SystemErrorText(error)) << '\n';
  return false;
}

int Run(const cli::Options& options) {
  ConsoleHost host;
  Conversion c;
  c.RutaCarpeta = options.folder;
  c.WorkingFolder = options.vtemp.value_or(platform::DefaultWorkingFolder());
  c.host = &host;
  c.CheckOnly = options.mode == cli::Mode::Comprobar;
  ReportRun run{ModeName(options.mode), "finalizado", {}};
  RunOutcome outcome;
  try {
    outcome = options.mode == cli::Mode::Importar ? ImportRun(c) : ExportRun(c);
  } catch (const RunError& e) {
    std::cerr << ForTerminal(WithFinalStop(e.what())) << '\n';
    run.resultado = "error";
    run.error = WithFinalStop(e.what());
    WriteReport(options, c, run);
    return cli::kExitError;
  }
  if (outcome == RunOutcome::Refused) {
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
    std::cerr << "transvardelzarp: " << parsed.error << "\n\n" << cli::HelpText();
    return cli::kExitUsage;
  }
  if (parsed.options->help) {
    std::cout << cli::HelpText();
    return cli::kExitOk;
  }
  try {
    return Run(*parsed.options);
  } catch (const std::exception& e) {
    std::cerr << "transvardelzarp: " << e.what() << '\n';
    return cli::kExitError;
  }
}
