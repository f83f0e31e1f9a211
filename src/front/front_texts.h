#pragma once
// What both fronts show, written once: the window puts these texts in its
// dialogs, the command line on its streams.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/conversion.h"
#include "report/report_render.h"
#include "tables/table_copies.h"

namespace tvz {

// "ASIGNOMT, ASIGT".
std::string JoinedTables(const std::vector<std::string>& tables);

// A copy the exports kept, one line: name, date and time, tables, joined by
// `separator` ("  " on a terminal, a tab in a list with columns):
// "20261208-1012  08/12/2026 10:12  ASIGNOMT, ASIGT".
std::string CopyLine(const TableCopy& copy, std::string_view separator);

// "No hay copias de las tablas en <working>/COPIAS".
std::string NoCopiesText(const std::filesystem::path& working);

// What a restore did: "Tablas restauradas de la copia <name>: <tables>",
// then, when it kept the tables it replaced, "Las tablas sustituidas quedan
// en la copia <kept>".
std::vector<std::string> RestoredLines(std::string_view name, const RestoreResult& result);

// What ended a run or a restore, as both fronts show it.
struct RunFailure {
  std::string text;            // with its final stop
  bool out_of_memory = false;  // then no report is written either
};
// The exception being handled (call inside a catch block): a RunError's or
// another std::exception's own text, or for std::bad_alloc the no-memory
// text. Anything that is not a std::exception is rethrown.
RunFailure CurrentFailure();

// How a run a front started ended, with the head of its report.
struct RunEnd {
  std::optional<RunOutcome> outcome;  // none: a failure ended the run
  RunFailure failure;                 // when outcome is none
  ReportRun report;                   // conversion, resultado, error
};
// Runs `run` over `c` (ExportRun, ImportRun, CheckExport) and says how it
// ended; `conversion` names it in the report ("exportar", ...). The text of
// a failure the run placed (c.lugar_error) has the place as its second line
// (PlaceText: the file and the line).
RunEnd PerformRun(RunOutcome (*run)(Conversion&), Conversion& c, std::string_view conversion);

}  // namespace tvz
