// `transvardelzarp restaurar [COPIA] [--vtemp DIR]`: lists the copies of the
// tables that exports replaced, or puts one of them back.
#include <string>
#include <vector>

#include "app/cli_commands.h"
#include "core/errors.h"
#include "front/front_texts.h"
#include "platform/clock.h"
#include "platform/console.h"
#include "platform/files.h"
#include "tables/table_copies.h"

namespace tvz::cli {

namespace {

void Say(const std::string& text) {
  platform::WriteToTerminal(platform::TerminalStream::kOutput, text + '\n');
}

}  // namespace

int RunRestaurar(const Options& options) {
  const std::filesystem::path working = options.vtemp.value_or(platform::DefaultWorkingFolder());
  try {
    if (!options.copy) {
      const std::vector<TableCopy> copies = ListCopies(working);
      if (copies.empty()) Say(NoCopiesText(working));
      for (const TableCopy& copy : copies) Say(CopyLine(copy, "  "));
      return kExitOk;
    }
    const std::string name = platform::TextFromArgument(*options.copy);
    for (const std::string& line : RestoredLines(name, RestoreCopy(working, name, platform::Now())))
      Say(line);
  } catch (const RunError&) {
    platform::WriteToTerminal(platform::TerminalStream::kError, CurrentFailure().text + '\n');
    return kExitError;
  }
  return kExitOk;
}

}  // namespace tvz::cli
