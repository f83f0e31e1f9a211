#include "app/cli_restaurar.h"

#include <cstdio>
#include <string>
#include <vector>

#include "core/errors.h"
#include "export/table_copies.h"
#include "platform/clock.h"
#include "platform/console.h"
#include "platform/files.h"

namespace tvz::cli {

namespace {

using platform::TerminalStream;
using platform::WriteToTerminal;

std::string Joined(const std::vector<std::string>& tables) {
  std::string text;
  for (const std::string& t : tables) text += (text.empty() ? "" : ", ") + t;
  return text;
}

// "20261208-1012  08/12/2026 10:12  ASIGNOMT, ASIGT"
std::string CopyLine(const TableCopy& copy) {
  char when[32];
  const platform::LocalTime& t = copy.time;
  std::snprintf(when, sizeof when, "%02d/%02d/%04d %02d:%02d", t.day, t.month, t.year, t.hour, t.minute);
  return copy.name + "  " + when + "  " + Joined(copy.tables);
}

void Say(const std::string& text) { WriteToTerminal(TerminalStream::kOutput, text + '\n'); }

}  // namespace

int RunRestaurar(const Options& options) {
  const std::filesystem::path working = options.vtemp.value_or(platform::DefaultWorkingFolder());
  try {
    if (!options.copy) {
      const std::vector<TableCopy> copies = ListCopies(working);
      if (copies.empty()) Say("No hay copias de las tablas en " + platform::PathText(CopiesFolder(working)));
      for (const TableCopy& copy : copies) Say(CopyLine(copy));
      return kExitOk;
    }
    const std::string name = platform::TextFromArgument(*options.copy);
    const RestoreResult r = RestoreCopy(working, name, platform::Now());
    Say("Tablas restauradas de la copia " + name + ": " + Joined(r.tables));
    if (!r.kept.empty()) Say("Las tablas sustituidas quedan en la copia " + r.kept);
  } catch (const RunError& e) {
    WriteToTerminal(TerminalStream::kError, WithFinalStop(e.what()) + '\n');
    return kExitError;
  }
  return kExitOk;
}

}  // namespace tvz::cli
