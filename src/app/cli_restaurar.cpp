// `transvardelzarp restaurar [COPIA] [--vtemp DIR] [--informe FICHERO]`:
// lists the copies of the tables that exports replaced, or puts one of them
// back (and with --informe writes what it did as JSON).
#include <string>
#include <vector>

#include "app/cli_commands.h"
#include "app/cli_report_path.h"
#include "core/errors.h"
#include "front/front_texts.h"
#include "platform/clock.h"
#include "platform/console.h"
#include "platform/file_io.h"
#include "platform/files.h"
#include "platform/system_errors.h"
#include "report/report_render.h"
#include "tables/table_copies.h"

namespace tvz::cli {

namespace {

using platform::TerminalStream;
using platform::WriteToTerminal;

void Say(const std::string& text) { WriteToTerminal(TerminalStream::kOutput, text + '\n'); }

// --informe: the restore's report. False (and a line on stderr) when it
// cannot be written.
bool WriteReport(const Options& options, const RestoreReport& report) {
  if (!options.informe) return true;
  int error = 0;
  if (platform::ReplaceFileAtomically(*options.informe, RestoreReportJson(report), error)) return true;
  WriteToTerminal(TerminalStream::kError, "transvardelzarp: no se puede escribir el informe " +
                                              platform::PathText(*options.informe) + ": " +
                                              platform::SystemErrorText(error) + '\n');
  return false;
}

}  // namespace

int RunRestaurar(const Options& options) {
  const std::filesystem::path working = options.vtemp.value_or(platform::DefaultWorkingFolder());
  if (!options.copy) {
    try {
      const std::vector<TableCopy> copies = ListCopies(working);
      if (copies.empty()) Say(NoCopiesText(working));
      for (const TableCopy& copy : copies) Say(CopyLine(copy, "  "));
    } catch (const RunError&) {
      WriteToTerminal(TerminalStream::kError, CurrentFailure().text + '\n');
      return kExitError;
    }
    return kExitOk;
  }
  if (options.informe) {
    if (auto refusal = ReportPathRefusal(*options.informe, {std::nullopt, working})) {
      WriteToTerminal(TerminalStream::kError, "transvardelzarp: " + *refusal + '\n');
      return kExitUsage;
    }
  }
  RestoreReport report{"finalizado", {}, working, platform::TextFromArgument(*options.copy), {}, {}};
  try {
    const RestoreResult result = RestoreCopy(working, report.copia, platform::Now());
    report.tablas = result.tables;
    report.copia_nueva = result.kept;
    for (const std::string& line : RestoredLines(report.copia, result)) Say(line);
  } catch (const RunError&) {
    const RunFailure failure = CurrentFailure();
    WriteToTerminal(TerminalStream::kError, failure.text + '\n');
    report.resultado = "error";
    report.error = failure.text;
    WriteReport(options, report);
    return kExitError;
  }
  return WriteReport(options, report) ? kExitOk : kExitError;
}

}  // namespace tvz::cli
