#pragma once
// The run's report as the fronts give it to the user: a short summary (one
// line per kind of warning, with the first cases), the whole report as text
// (cp1252, CR LF, for the file the window leaves beside the program) and as
// JSON (UTF-8, for `--informe`).
#include <filesystem>
#include <string>
#include <vector>

#include "core/conversion.h"
#include "platform/clock.h"

namespace tvz {

// How the run ended, for the report's head.
struct ReportRun {
  std::string conversion;  // "exportar", "importar", "comprobar"
  std::string resultado;   // "finalizado", "rechazado" or "error"
  std::string error;       // cp1252: the error's text when resultado is "error"
};

// Dates as the program shows them: "08/12/2026 10:12" and, with the
// seconds, "08/12/2026 10:12:05".
std::string DateText(const platform::LocalTime& t);
std::string DateTimeText(const platform::LocalTime& t);

// One table's count: "PROFT: 11 registros (2 duplicados omitidos)".
std::string TableCountLine(const TablaRecuento& count);

// How many cases a summary line names before "...".
inline constexpr std::size_t kSummaryCases = 3;

// One cp1252 line per table, kind, file (and field) in the order the run met
// them, e.g. "ASIGT: 3 asignaciones sin horas semanales
// (ZARP_ASIGNATGRUPO.TXT, l\xEDneas 4, 5, 17); se les ha dado 1 hora"; then
// the line of the tasks written as LEC, when there were any.
std::vector<std::string> SummaryLines(const Informe& informe);

// One cp1252 line naming every detail of the warning.
std::string AvisoLine(const Aviso& aviso);

// Where an error ended a run, as the fronts show it under the error's text:
// "ZARP_SESIONES.TXT, <line> 3" (the word for line in Spanish), "SOLUC,
// registro 2" for a table's record, or the file alone.
std::string PlaceText(const LugarError& lugar);

// The whole report as text: cp1252, every line ending CR LF.
std::string ReportText(const Conversion& c, const ReportRun& run, const platform::LocalTime& when);

// The whole report as a JSON object (UTF-8): "conversion", "resultado",
// "carpeta", "carpeta_trabajo", "estado", "tablas" (the counts per table),
// "recuentos", "avisos" (objects with "tipo", "tabla", "fichero", "linea",
// "valor", and "campo" or "linea_primera" where they apply).
std::string ReportJson(const Conversion& c, const ReportRun& run);

// What a restore of copied tables did, for its report.
struct RestoreReport {
  std::string resultado;                  // "finalizado" or "error"
  std::string error;                      // cp1252: the error's text when resultado is "error"
  std::filesystem::path carpeta_trabajo;  // the working folder
  std::string copia;                      // the copy restored
  std::vector<std::string> tablas;        // the tables put back
  std::string copia_nueva;                // the copy holding what they replaced; "" none
};

// A restore's report as a JSON object (UTF-8): "conversion" ("restaurar"),
// "resultado", "error" when there is one, "carpeta_trabajo", "copia",
// "tablas" (names) and "copia_nueva" (null when no copy was made).
std::string RestoreReportJson(const RestoreReport& r);

}  // namespace tvz
